#include "capture/CaptureNames.h"

#include "dos/DosText.h"

namespace orvane {

bool IsCaptureFileName(std::string_view name)
{
    constexpr std::string_view Extension = ".BMP";
    // A drive letter, "#!", at least one character of the path, then the extension. Every byte
    // tested is ASCII at a place where a character starts: the prefix opens the name, and a "." is
    // never the second byte of a double-byte character.
    if (name.size() < 3 + 1 + Extension.size())
        return false;
    const char drive = dos::AsciiUpper(name[0]);
    if (drive < 'A' || drive > 'Z' || name[1] != '#' || name[2] != '!')
        return false;
    return dos::AsciiUpper(name.substr(name.size() - Extension.size())) == Extension;
}

}  // namespace orvane
