#pragma once

// The icons of the system icon library, drawn, for a desktop whose icon themes lack them.

#include "platform/Icons.h"

namespace platform {

enum class SystemIcon { Document, Application, Folder };

// The icon drawn at `size` pixels (designed on a 16-pixel grid; 16 and 32 come out crisp).
IconPixels DrawSystemIcon(SystemIcon icon, int size);

}  // namespace platform
