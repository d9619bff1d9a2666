#pragma once

// The one converter between the program's code page 932 texts and the host's UTF-8.
//
// No host name may be lost, so the conversion to code page 932 is reversible: a character that
// code page 932 lacks (or that would not come back as itself), and a byte that is not UTF-8, is
// written as escape characters of the user-defined area 0xF040-0xF9FC, which the way back turns
// into the original again. A UTF-16 unit takes two escapes (its high byte, then its low byte); a
// stray byte takes one.

#include "dos/DosText.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Code page 932 bytes to UTF-8. Escapes come back as what they stand for; a byte sequence that is
// not valid code page 932 becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to code page 932, reversibly (see above).
std::string Utf8ToCp932(std::string_view utf8);

// The same for a text that must be UTF-8 throughout; none when a byte is not.
std::optional<std::string> StrictUtf8ToCp932(std::string_view utf8);

// A host file name (one path component, UTF-8) as a DOS name: like Utf8ToCp932, and a backslash
// in the name is escaped too, since on the DOS side it separates folders.
std::string HostNameToCp932(std::string_view name);

// Whether a host name is its own DOS name: plain ASCII without a backslash, as nearly every file
// name is.
bool IsOwnDosName(std::string_view hostName);

}  // namespace platform
