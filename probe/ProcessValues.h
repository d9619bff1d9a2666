#pragma once

// The process-wide values as the probe reads them: `get process.CurrentPath`, `dump process`.

#include "toolkit/Properties.h"

#include <string_view>

namespace orvane {
struct Process;
}

namespace probe {

tk::TPropertyList DescribeProcess(const orvane::Process& process);
// Values the script may name that the program does not keep yet.
bool IsPendingProcessValue(std::string_view name);

}  // namespace probe
