#include "common/Numbers.h"

#include <climits>

namespace orvane {

long long StrToLargeNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > (LLONG_MAX - 9) / 10) {
            value = LLONG_MAX;
            break;
        }
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

int StrToNumber(std::string_view text)
{
    long long value = StrToLargeNumber(text);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::string NumberToStr(long long value)
{
    return std::to_string(value);
}

}  // namespace orvane
