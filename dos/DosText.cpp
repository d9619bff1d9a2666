#include "dos/DosText.h"

namespace dos {

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (size_t i = 0; i < upper.size(); i = NextCharacter(upper, i))
        upper[i] = AsciiUpper(upper[i]);
    return upper;
}

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    for (size_t i = 0; i < lower.size(); i = NextCharacter(lower, i))
        lower[i] = AsciiLower(lower[i]);
    return lower;
}

bool IsBlank(std::string_view text)
{
    constexpr std::string_view FullWidthSpace = "\x81\x40";
    for (size_t i = 0; i < text.size();) {
        const size_t next = NextCharacter(text, i);
        const std::string_view character = text.substr(i, next - i);
        if (character != " " && character != "\t" && character != FullWidthSpace)
            return false;
        i = next;
    }
    return true;
}

std::string_view FirstLine(std::string_view text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size();) {
        size_t next = NextCharacter(a, i);
        if (next == i + 1) {
            if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
                return false;
        } else if (a.substr(i, 2) != b.substr(i, 2)) {
            return false;
        }
        i = next;
    }
    return true;
}

}  // namespace dos
