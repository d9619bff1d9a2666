#pragma once

// How the probe writes values: every answer is one line of UTF-8.

#include "toolkit/Properties.h"

#include <string>
#include <string_view>

namespace probe {

// A text of the program (code page 932) as UTF-8 on one line: each line break becomes "\n" and
// every other control byte but the tab "\xNN".
std::string ShowText(std::string_view cp932);

// Integers in decimal, booleans true/false, texts as UTF-8, colours as #RRGGBB or sys:N,
// pictures as WxH, enumerations by their toolkit names.
std::string FormatValue(const tk::TPropertyValue& value);

// Eight upper-case hexadecimal digits.
std::string Hex8(unsigned long value);

}  // namespace probe
