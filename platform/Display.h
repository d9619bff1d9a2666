#pragma once

// Whether the program can open its windows. Qt ends the process when its platform has no
// display to talk to, so the program asks first and leaves with a message instead.

#include <string>

namespace platform {

// True when a display answers (or a platform that needs none is chosen through
// QT_QPA_PLATFORM); otherwise false, with the reason in `why`.
bool DisplayReachable(std::string& why);

}  // namespace platform
