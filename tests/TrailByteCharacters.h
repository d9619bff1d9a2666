#pragma once

// Every double-byte character of code page 932 whose second byte is a path separator's byte: 0x5C
// ("\", as in the characters for "table" and "so") or 0x7C ("|"). Path rules that look at bytes
// break on each of them, so tests run their cases over the whole table.

#include "platform/CodePage.h"

#include <string>
#include <vector>

namespace orvane_test {

inline std::vector<std::string> TrailByteCharacters()
{
    std::vector<std::string> characters;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!dos::IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail : {0x5C, 0x7C}) {
            std::string character{char(lead), char(trail)};
            // Only characters the code page has: the rest decode to the replacement character.
            if (platform::Cp932ToUtf8(character) != "\xEF\xBF\xBD")
                characters.push_back(character);
        }
    }
    return characters;
}

// Those of them that a host file name gives back as themselves. A few characters have two codes
// (the IBM extensions that the NEC-selected rows repeat); a name on the host comes back with the
// one the converter chose, so a test that names host files from the table takes only these. An
// escaped host character that ends in 0x5C is added: the Lao letter do, which the code page lacks.
inline std::vector<std::string> HostNameCharacters()
{
    std::vector<std::string> characters;
    for (const std::string& c : TrailByteCharacters())
        if (platform::Utf8ToCp932(platform::Cp932ToUtf8(c)) == c)
            characters.push_back(c);
    characters.push_back(platform::Utf8ToCp932("\xE0\xBA\x94"));  // U+0E94
    return characters;
}

// The character as the probe and messages show it, for failure messages.
inline std::string Shown(const std::string& cp932)
{
    return platform::Cp932ToUtf8(cp932);
}

}  // namespace orvane_test
