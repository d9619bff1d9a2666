#include "platform/DosText.h"

namespace platform {

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

}  // namespace platform
