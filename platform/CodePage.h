#pragma once

// The one converter between the program's code page 932 texts and the host's UTF-8.

#include <string>
#include <string_view>

namespace platform {

// Code page 932 bytes to UTF-8. A byte sequence that is not valid code page 932 becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to code page 932. A character that code page 932 lacks (or a byte that is not UTF-8)
// becomes "?".
std::string Utf8ToCp932(std::string_view utf8);

// True when the byte starts a double-byte character of code page 932.
constexpr bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace platform
