#include "browser/RowOrder.h"

#include "app/Numbers.h"
#include "platform/DosText.h"

namespace orvane {

namespace {
// ASCII letters compare without case; 0xFF counts as -1, as the old signed comparison had it.
int Mapped(unsigned char byte)
{
    if (byte >= 'a' && byte <= 'z')
        return byte - 'a' + 'A';
    return byte == 0xFF ? -1 : byte;
}
}  // namespace

// Byte by byte over at most 20 bytes, letters folded. The second byte of a double-byte character
// is compared as it is, never folded: "ャ" (0x83 0x62) and "イ" (0x83 0x42) differ. Both texts
// are equal up to the byte compared, so they are at a character's second byte together.
int CompareText(std::string_view a, std::string_view b)
{
    size_t compared = 0;
    size_t nextCharacter = 0;
    for (; compared < 20 && compared < a.size(); ++compared) {
        const bool secondByte = compared < nextCharacter;
        if (!secondByte)
            nextCharacter = platform::NextCharacter(a, compared);
        auto map = [&](char c) {
            unsigned char byte = static_cast<unsigned char>(c);
            return secondByte ? int(byte) : Mapped(byte);
        };
        if (compared >= b.size())
            return map(a[compared]);
        int x = map(a[compared]);
        int y = map(b[compared]);
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
