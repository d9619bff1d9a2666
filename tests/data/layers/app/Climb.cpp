// Climbing out of the folder hides where an include leads.
#include "app/../qt/Convert.h"
#include "app/Process.h"
