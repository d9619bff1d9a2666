#include "platform/TextEncoding.h"

#include "formats/Unicode.h"

#include "platform/CodePage.h"
#include "platform/JapaneseEncodings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform {

using formats::AppendUtf8;

namespace {

bool StartsWith(std::string_view bytes, std::string_view mark)
{
    return bytes.substr(0, mark.size()) == mark;
}

// Whether the eight bytes at `p` are all ASCII.
bool AsciiWord(const unsigned char* p)
{
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ull) == 0;
}

// UTF-16 goes to UTF-8 a slice at a time and on to code page 932, so that a large file never
// stands in memory in all three forms at once.
std::string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    constexpr size_t SliceUnits = 1 << 18;
    std::string out;
    out.reserve(bytes.size() / 2 * 3 / 2);
    std::string slice;
    size_t units = bytes.size() / 2;
    auto unitAt = [&](size_t index) -> char16_t {
        auto high = static_cast<unsigned char>(bytes[2 * index + (bigEndian ? 0 : 1)]);
        auto low = static_cast<unsigned char>(bytes[2 * index + (bigEndian ? 1 : 0)]);
        return static_cast<char16_t>((high << 8) | low);
    };
    for (size_t index = 0; index < units;) {
        slice.clear();
        size_t end = std::min(units, index + SliceUnits);
        while (index < end) {
            char16_t unit = unitAt(index++);
            if (unit >= 0xD800 && unit <= 0xDBFF && index < units) {
                char16_t next = unitAt(index);
                if (next >= 0xDC00 && next <= 0xDFFF) {
                    ++index;
                    AppendUtf8(slice, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (next - 0xDC00));
                    continue;
                }
            }
            AppendUtf8(slice, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
        }
        out += Utf8ToCp932(slice);
    }
    if (bytes.size() % 2)
        out += Utf8ToCp932("\xEF\xBF\xBD");
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    size_t size = text.size();
    size_t i = 0;
    while (i < size) {
        if (i + 8 <= size && AsciiWord(bytes + i)) {
            i += 8;
            continue;
        }
        unsigned char first = bytes[i];
        if (first < 0x80) {
            ++i;
            continue;
        }
        size_t extra;
        char32_t character;
        if (first >= 0xC2 && first <= 0xDF) {
            extra = 1;
            character = first & 0x1F;
        } else if (first >= 0xE0 && first <= 0xEF) {
            extra = 2;
            character = first & 0x0F;
        } else if (first >= 0xF0 && first <= 0xF4) {
            extra = 3;
            character = first & 0x07;
        } else {
            return false;
        }
        if (i + extra >= size)
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
            character = (character << 6) | (bytes[i + k] & 0x3F);
        }
        if ((extra == 2 && character < 0x800) || (extra == 3 && (character < 0x10000 || character > 0x10FFFF)) ||
            (character >= 0xD800 && character <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

namespace {
// Up to 64 KiB from the first byte beyond ASCII, ending before a character that the window would cut.
std::string_view FirstNonAsciiWindow(std::string_view bytes)
{
    size_t first = 0;
    while (first < bytes.size() && static_cast<unsigned char>(bytes[first]) < 0x80)
        ++first;
    size_t end = std::min(bytes.size(), first + 65536);
    if (end < bytes.size())
        while (end > first && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
            --end;
    return bytes.substr(first, end - first);
}
}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes, TextCheck check)
{
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        return TextEncoding::Utf8WithMark;
    if (StartsWith(bytes, "\xFF\xFE"))
        return TextEncoding::Utf16LE;
    if (StartsWith(bytes, "\xFE\xFF"))
        return TextEncoding::Utf16BE;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t firstHigh = 0;
    while (firstHigh + 8 <= bytes.size() && AsciiWord(data + firstHigh))
        firstHigh += 8;
    while (firstHigh < bytes.size() && data[firstHigh] < 0x80)
        ++firstHigh;
    if (firstHigh == bytes.size())
        return LooksLikeIso2022Jp(bytes) ? TextEncoding::Iso2022Jp : TextEncoding::CodePage932;
    if (check == TextCheck::MarksOnly)
        return TextEncoding::Utf8;
    if (IsValidUtf8(bytes.substr(firstHigh)))
        return TextEncoding::Utf8;
    return LooksLikeEucJp(bytes) ? TextEncoding::EucJp : TextEncoding::CodePage932;
}

std::string DecodeTextFile(std::string bytes)
{
    switch (DetectTextEncoding(bytes, TextCheck::MarksOnly)) {
    case TextEncoding::CodePage932: return bytes;
    case TextEncoding::Utf8: {
        // A code page 932 text shows itself in its first non-ASCII bytes; a text that passes that
        // look is checked and converted in one pass, and is code page 932 after all if it fails.
        // Only a text that is no UTF-8 is looked at as EUC-JP, which code page 932 gives up at once.
        if (IsValidUtf8(FirstNonAsciiWindow(bytes)))
            if (std::optional<std::string> text = StrictUtf8ToCp932(bytes))
                return std::move(*text);
        if (LooksLikeEucJp(bytes))
            return EucJpToCp932(bytes);
        return bytes;
    }
    case TextEncoding::EucJp: return EucJpToCp932(bytes);
    case TextEncoding::Iso2022Jp: return Iso2022JpToCp932(bytes);
    case TextEncoding::Utf8WithMark: return Utf8ToCp932(std::string_view(bytes).substr(3));
    case TextEncoding::Utf16LE: return DecodeUtf16(std::string_view(bytes).substr(2), false);
    case TextEncoding::Utf16BE: return DecodeUtf16(std::string_view(bytes).substr(2), true);
    }
    return bytes;
}

}  // namespace platform
