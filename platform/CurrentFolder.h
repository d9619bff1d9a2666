#pragma once

// The process's current folder on the host, the one home of asking the system for it.

#include <string>

namespace platform {

// The current folder; when it has been removed, its nearest parent that exists ("/" at worst).
// Never empty.
std::string CurrentHostFolder();

}  // namespace platform
