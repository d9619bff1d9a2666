#pragma once

#include "platform/Files.h"

#include <string>

namespace orvane {

// A file time as the list shows it: the short date year, month, day joined by the separator,
// a blank and the long time hours:minutes:seconds, every part zero-padded so that the texts sort
// as the times do; at exactly midnight the date alone.
std::string DateText(const platform::LocalTime& time, char separator);

}  // namespace orvane
