#include "browser/RowOrder.h"

#include "app/Numbers.h"

namespace orvane {

namespace {
int Mapped(unsigned char byte)
{
    if (byte >= 'a' && byte <= 'z')
        return byte - 'a' + 'A';
    return byte == 0xFF ? -1 : byte;
}
}  // namespace

int CompareText(std::string_view a, std::string_view b)
{
    size_t compared = 0;
    for (; compared < 20 && compared < a.size(); ++compared) {
        if (compared >= b.size())
            return Mapped(static_cast<unsigned char>(a[compared]));
        int x = Mapped(static_cast<unsigned char>(a[compared]));
        int y = Mapped(static_cast<unsigned char>(b[compared]));
        if (x != y)
            return x - y;
    }
    if (compared == 20 || compared >= b.size())
        return 0;
    return 0 - Mapped(static_cast<unsigned char>(b[compared]));
}

int CompareNumber(std::string_view a, std::string_view b)
{
    // Sizes are 64-bit, so the numbers are compared rather than subtracted.
    long long x = StrToLargeNumber(a), y = StrToLargeNumber(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

}  // namespace orvane
