#include "probe/Format.h"

#include "platform/CodePage.h"

#include <cstdio>

namespace probe {

std::string ShowText(std::string_view cp932)
{
    std::string utf8 = platform::Cp932ToUtf8(cp932);
    std::string shown;
    shown.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r') {
            shown += "\\n";
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else if (utf8[i] == '\n') {
            shown += "\\n";
        } else if (static_cast<unsigned char>(utf8[i]) < 0x20 && utf8[i] != '\t') {
            // Other control bytes would break the answer's line or the comparison of outputs.
            shown += "\\x" + Hex8(static_cast<unsigned char>(utf8[i])).substr(6);
        } else {
            shown += utf8[i];
        }
    }
    return shown;
}

std::string Hex8(unsigned long value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08lX", value & 0xFFFFFFFFul);
    return buffer;
}

std::string FormatValue(const tk::TPropertyValue& value)
{
    using Kind = tk::TPropertyValue::Kind;
    switch (value.kind) {
    case Kind::Integer:
        return std::to_string(value.number);
    case Kind::Boolean:
        return value.number ? "true" : "false";
    case Kind::Text:
        return ShowText(value.text);
    case Kind::Enumeration:
        return value.text;
    case Kind::Color:
        if (value.color.IsSystem())
            return "sys:" + std::to_string(value.color.SystemIndex());
        return "#" + Hex8(value.color.RgbValue()).substr(2);
    case Kind::Picture:
        return std::to_string(value.PictureWidth()) + "x" + std::to_string(value.PictureHeight());
    }
    return std::string();
}

}  // namespace probe
