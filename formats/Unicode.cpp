#include "formats/Unicode.h"

namespace formats {

void AppendUtf8(std::string& out, char32_t character)
{
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (character >> 18));
        out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order, bool stopAtZero)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    const size_t count = bytes.size() / 2;
    const int low = order == ByteOrder::LittleEndian ? 0 : 1;
    auto unitAt = [&](size_t index) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * index + low]) |
                                     (static_cast<unsigned char>(bytes[2 * index + 1 - low]) << 8));
    };
    for (size_t i = 0; i < count; ++i) {
        char16_t unit = unitAt(i);
        if (unit == 0 && stopAtZero)
            break;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

}  // namespace formats
