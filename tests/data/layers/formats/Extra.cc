// Sources of every extension are checked.
#include "formats/Image.h"
#include <unistd.h>
