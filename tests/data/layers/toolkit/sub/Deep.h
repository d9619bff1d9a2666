#pragma once
// A header in a subfolder is checked like the folder it lies in.
#include "toolkit/Control.h"
#include <QWidget>
#include "app/ImageForm.h"
