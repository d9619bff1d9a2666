#include "browser/DateText.h"

namespace orvane {

namespace {
// Writes the number zero-padded to `digits` digits (more when it needs them) and returns the end.
char* WritePadded(char* out, int value, int digits)
{
    if (value >= 0 && value < 100 && digits == 2) {
        *out++ = char('0' + value / 10);
        *out++ = char('0' + value % 10);
        return out;
    }
    char buffer[12];
    int length = 0;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        buffer[length++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *out++ = '-';
    for (int i = length; i < digits; ++i)
        *out++ = '0';
    while (length > 0)
        *out++ = buffer[--length];
    return out;
}
}  // namespace

// Written by hand rather than through printf: a listing formats one date a row.
std::string DateText(const platform::LocalTime& time, char separator)
{
    char text[64];
    char* out = WritePadded(text, time.year, 4);
    *out++ = separator;
    out = WritePadded(out, time.month, 2);
    *out++ = separator;
    out = WritePadded(out, time.day, 2);
    if (time.hour != 0 || time.minute != 0 || time.second != 0) {
        *out++ = ' ';
        out = WritePadded(out, time.hour, 2);
        *out++ = ':';
        out = WritePadded(out, time.minute, 2);
        *out++ = ':';
        out = WritePadded(out, time.second, 2);
    }
    return std::string(text, out);
}

}  // namespace orvane
