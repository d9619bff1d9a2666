#pragma once

#include <string>
#include <string_view>

namespace orvane {

// A text read as a number the way the C library's atoi reads it: leading white space skipped, an
// optional sign, then decimal digits up to the first other character; no digits give 0. Values
// beyond the range of an int are held at its ends.
int StrToNumber(std::string_view text);
// The same reading for 64-bit values such as file sizes.
long long StrToLargeNumber(std::string_view text);

// A number as plain decimal text, without leading zeros or plus sign.
std::string NumberToStr(long long value);

}  // namespace orvane
