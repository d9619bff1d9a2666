#pragma once

// The code pages of rich text: which one a font's character set stands for, and the decoding of
// text bytes in one of them to UTF-8 (through the host's iconv).

#include "formats/Unicode.h"

#include <map>
#include <string>
#include <string_view>


namespace formats {

// The code page of a font character set (\fcharset); 0 for the default set (1), which takes the
// document's code page, and for sets that are unknown.
int CodePageOfCharset(int charset);

// Whether the code page has characters of two bytes.
bool IsDoubleByteCodePage(int codePage);

class CodePageDecoder {
public:
    CodePageDecoder() = default;
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    // Appends the bytes, in the code page, to `out` as UTF-8. A byte that starts no character of
    // a double-byte code page becomes U+FFFD; one that a single-byte code page leaves undefined
    // stands for itself (U+0080 ... U+00FF), as that desktop's conversion did. A code page the
    // host does not know is read as 1252.
    void Decode(int codePage, std::string_view bytes, std::string& out);

private:
    void* Converter(int codePage);

    std::map<int, void*> m_converters;
};

}  // namespace formats
