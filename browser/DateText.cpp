#include "browser/DateText.h"

namespace orvane {

namespace {
// Appends the number zero-padded to `digits` digits (more when it needs them).
void AppendPadded(std::string& text, int value, int digits)
{
    char buffer[12];
    int length = 0;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        buffer[length++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        text += '-';
    for (int i = length; i < digits; ++i)
        text += '0';
    while (length > 0)
        text += buffer[--length];
}
}  // namespace

// Written by hand rather than through printf: a listing formats one date a row.
std::string DateText(const platform::LocalTime& time, char separator)
{
    std::string text;
    text.reserve(19);
    AppendPadded(text, time.year, 4);
    text += separator;
    AppendPadded(text, time.month, 2);
    text += separator;
    AppendPadded(text, time.day, 2);
    if (time.hour != 0 || time.minute != 0 || time.second != 0) {
        text += ' ';
        AppendPadded(text, time.hour, 2);
        text += ':';
        AppendPadded(text, time.minute, 2);
        text += ':';
        AppendPadded(text, time.second, 2);
    }
    return text;
}

}  // namespace orvane
