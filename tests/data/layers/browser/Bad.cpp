#include "app/ImageForm.h"
#include "viewers/Panes.h"
#include "qt/Convert.h"
