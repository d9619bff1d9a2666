#include "toolkit/Control.h"
#include "app/ImageForm.h"
#include <QWidget>
#include <vector>
