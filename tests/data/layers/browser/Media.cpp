// The program reaches GStreamer through the host services only.
#include "browser/FileRows.h"
#include <gst/gst.h>
#include <vector>
