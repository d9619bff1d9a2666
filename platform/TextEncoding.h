#pragma once

// The encodings of plain text files, and their decoding into the program's code page 932.

#include <string>
#include <string_view>

namespace platform {

enum class TextEncoding { CodePage932, Utf8, Utf8WithMark, Utf16LE, Utf16BE, EucJp, Iso2022Jp };

// A byte-order mark names the encoding (UTF-8, UTF-16 little or big endian). Without one, a text
// that is valid UTF-8 and holds bytes beyond ASCII is UTF-8, since most text files on this desktop
// are; a 7-bit text that switches to a Japanese set is ISO-2022-JP, and one that is plainly EUC-JP
// (see JapaneseEncodings.h) is that; anything else is code page 932, as the original program read
// every file.
// MarksOnly leaves the check of the whole text to the caller: a text with bytes beyond ASCII and
// no mark is then reported as UTF-8 without being read through.
enum class TextCheck { Whole, MarksOnly };
TextEncoding DetectTextEncoding(std::string_view bytes, TextCheck check = TextCheck::Whole);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The text in code page 932, its byte-order mark left out. Characters that code page 932 lacks are
// kept reversibly (see CodePage.h); a UTF-16 unit without its other half becomes U+FFFD.
std::string DecodeTextFile(std::string bytes);

}  // namespace platform
