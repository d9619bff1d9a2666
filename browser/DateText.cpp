#include "browser/DateText.h"

#include <cstdio>

namespace orvane {

std::string DateText(const platform::LocalTime& time, char separator)
{
    char text[48];
    int length = std::snprintf(text, sizeof text, "%04d%c%02d%c%02d", time.year, separator, time.month, separator,
                               time.day);
    if (time.hour != 0 || time.minute != 0 || time.second != 0)
        std::snprintf(text + length, sizeof text - length, " %02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

}  // namespace orvane
