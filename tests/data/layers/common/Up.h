#include "browser/FileList.h"
#include "toolkit/Form.h"
