#include "formats/Bmp.h"
#include "platform/Files.h"
#include <unistd.h>
#include <png.h>
