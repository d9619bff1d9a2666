#pragma once

// UTF-8 and UTF-16 code units, for the readers of files written in those encodings.

#include <string>
#include <string_view>

namespace formats {

// Appends a code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t character);

enum class ByteOrder { LittleEndian, BigEndian };

// UTF-16 bytes as UTF-8, up to the first zero unit when `stopAtZero`. A lone surrogate becomes
// U+FFFD; an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order, bool stopAtZero = false);

}  // namespace formats
