#include "platform/CodePage.h"

#include "formats/Unicode.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace platform {

using formats::AppendUtf8;

namespace {

constexpr char32_t Invalid = 0xFFFFFFFF;
constexpr char32_t Replacement = 0xFFFD;

// Escape numbers within the user-defined area.
constexpr int HighByteEscapes = 0;    // 0..255: the high byte of a UTF-16 unit
constexpr int LowByteEscapes = 256;   // 256..511: its low byte
constexpr int RawByteEscapes = 512;   // 512..639: a stray byte 0x80..0xFF
constexpr int EscapeCount = 640;
constexpr unsigned char FirstEscapeLead = 0xF0;
constexpr unsigned char LastEscapeLead = 0xF9;
constexpr int TrailsPerLead = 188;

int TrailIndex(unsigned char trail)
{
    return trail - 0x40 - (trail > 0x7F ? 1 : 0);
}

// The code page's characters as the host's iconv knows them, read once into tables. Only pairs
// that convert back to themselves are kept for the way into the code page.
class Tables {
public:
    Tables() : m_single{}, m_double(0x10000, Invalid), m_encode(0x10000, NoCode)
    {
        iconv_t decoder = iconv_open("UTF-32LE", "CP932");
        if (decoder == reinterpret_cast<iconv_t>(-1))
            return;
        for (int byte = 0; byte < 256; ++byte) {
            unsigned char text[1] = {static_cast<unsigned char>(byte)};
            m_single[byte] = dos::IsLeadByte(byte) ? Invalid : Decode(decoder, text, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!dos::IsLeadByte(lead) || (lead >= FirstEscapeLead && lead <= LastEscapeLead))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!dos::IsTrailByte(trail))
                    continue;
                unsigned char text[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
                m_double[(lead << 8) | trail] = Decode(decoder, text, 2);
            }
        }
        iconv_close(decoder);
        // Where two codes stand for one character, the lower one is written. Every character of
        // the code page lies in the Basic Multilingual Plane.
        auto add = [this](char32_t character, int code) {
            if (character < m_encode.size() && m_encode[character] == NoCode)
                m_encode[character] = static_cast<uint16_t>(code);
        };
        for (int byte = 0; byte < 256; ++byte)
            if (m_single[byte] != Invalid)
                add(m_single[byte], byte);
        for (int code = 0x8100; code <= 0xFFFF; ++code)
            if (m_double[code] != Invalid)
                add(m_double[code], code);
    }

    char32_t Single(unsigned char byte) const { return m_single[byte]; }
    char32_t Double(unsigned char lead, unsigned char trail) const { return m_double[(lead << 8) | trail]; }
    // The code page code of a character (one byte when below 0x100), or none.
    int Encode(char32_t character) const
    {
        if (character >= m_encode.size() || m_encode[character] == NoCode)
            return -1;
        return m_encode[character];
    }

private:
    static char32_t Decode(iconv_t decoder, unsigned char* text, size_t length)
    {
        char32_t result = Invalid;
        char* in = reinterpret_cast<char*>(text);
        char* out = reinterpret_cast<char*>(&result);
        size_t inLeft = length, outLeft = sizeof result;
        iconv(decoder, nullptr, nullptr, nullptr, nullptr);
        if (iconv(decoder, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 || outLeft != 0)
            return Invalid;
        return result;
    }

    std::array<char32_t, 256> m_single;
    std::vector<char32_t> m_double;
    // 0xFFFF is no code of the code page, so it marks a character without one.
    static constexpr uint16_t NoCode = 0xFFFF;
    std::vector<uint16_t> m_encode;
};

const Tables& CodePageTables()
{
    static const Tables tables;
    return tables;
}

// Reads one UTF-8 character at `offset`; none (and a length of 1) for a byte that does not start a
// well-formed sequence.
char32_t ReadUtf8(std::string_view text, size_t offset, size_t& length)
{
    unsigned char first = static_cast<unsigned char>(text[offset]);
    length = 1;
    if (first < 0x80)
        return first;
    int extra = first >= 0xF0 && first <= 0xF4 ? 3 : first >= 0xE0 ? (first < 0xF0 ? 2 : -1) : first >= 0xC2 ? 1 : -1;
    if (extra < 0 || offset + extra >= text.size())
        return Invalid;
    char32_t character = first & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char next = static_cast<unsigned char>(text[offset + i]);
        if ((next & 0xC0) != 0x80)
            return Invalid;
        character = (character << 6) | (next & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (character < smallest[extra] || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF))
        return Invalid;
    length = extra + 1;
    return character;
}

// Writes into a buffer sized ahead, since whole files of text come this way: a character takes at
// most eight bytes (two escaped UTF-16 units), and the buffer grows when fewer are left.
// When `valid` is given, a byte that is not UTF-8 stops the conversion and sets it to false.
std::string ToCp932(std::string_view utf8, bool escapeBackslash, bool* valid = nullptr)
{
    // Plain ASCII, as nearly every file name is, goes over as it is: without the room the
    // conversion makes, a short name needs no memory of its own.
    const unsigned char backslashByte = escapeBackslash ? '\\' : 0x80;
    if (std::none_of(utf8.begin(), utf8.end(), [backslashByte](char c) {
            return static_cast<unsigned char>(c) >= 0x80 || static_cast<unsigned char>(c) == backslashByte;
        }))
        return std::string(utf8);
    const Tables& tables = CodePageTables();
    constexpr size_t Room = 8;
    std::string out(utf8.size() + Room, '\0');
    char* output = out.data();
    char* limit = out.data() + out.size() - Room;
    auto put = [&output](int byte) { *output++ = static_cast<char>(byte); };
    auto putEscape = [&put](int number) {
        int trail = number % TrailsPerLead;
        put(FirstEscapeLead + number / TrailsPerLead);
        put(0x40 + trail + (trail >= 63 ? 1 : 0));
    };
    auto putEscapedUnit = [&putEscape](char16_t unit) {
        putEscape(HighByteEscapes + (unit >> 8));
        putEscape(LowByteEscapes + (unit & 0xFF));
    };
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t size = utf8.size();
    const unsigned char backslash = escapeBackslash ? '\\' : 0x80;
    for (size_t offset = 0; offset < size;) {
        if (output > limit) {
            size_t used = static_cast<size_t>(output - out.data());
            out.resize(out.size() * 2);
            output = out.data() + used;
            limit = out.data() + out.size() - Room;
        }
        // Runs of ASCII go over as they are.
        while (offset < size && bytes[offset] < 0x80 && bytes[offset] != backslash && output <= limit)
            *output++ = static_cast<char>(bytes[offset++]);
        if (offset >= size || output > limit)
            continue;
        size_t length = 1;
        char32_t character = ReadUtf8(utf8, offset, length);
        offset += length;
        if (character == Invalid) {
            if (valid) {
                *valid = false;
                return std::string();
            }
            putEscape(RawByteEscapes + (bytes[offset - 1] - 0x80));
            continue;
        }
        int code = character == '\\' && escapeBackslash ? -1 : tables.Encode(character);
        if (code >= 0x100) {
            put(code >> 8);
            put(code & 0xFF);
        } else if (code >= 0) {
            put(code);
        } else if (character >= 0x10000) {
            char32_t value = character - 0x10000;
            putEscapedUnit(static_cast<char16_t>(0xD800 + (value >> 10)));
            putEscapedUnit(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
        } else {
            putEscapedUnit(static_cast<char16_t>(character));
        }
    }
    out.resize(static_cast<size_t>(output - out.data()));
    return out;
}

// Reads the escape number at `offset`, or -1 when no escape stands there.
int ReadEscape(std::string_view text, size_t offset)
{
    if (offset + 1 >= text.size())
        return -1;
    unsigned char lead = static_cast<unsigned char>(text[offset]);
    unsigned char trail = static_cast<unsigned char>(text[offset + 1]);
    if (lead < FirstEscapeLead || lead > LastEscapeLead || !dos::IsTrailByte(trail))
        return -1;
    int number = (lead - FirstEscapeLead) * TrailsPerLead + TrailIndex(trail);
    return number < EscapeCount ? number : -1;
}

// Decodes an escaped UTF-16 unit at `offset`; advances past it, or returns none.
bool ReadEscapedUnit(std::string_view text, size_t& offset, char16_t& unit)
{
    int high = ReadEscape(text, offset);
    int low = ReadEscape(text, offset + 2);
    if (high < HighByteEscapes || high >= LowByteEscapes || low < LowByteEscapes || low >= RawByteEscapes)
        return false;
    unit = static_cast<char16_t>((high << 8) | (low - LowByteEscapes));
    offset += 4;
    return true;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932)
{
    const Tables& tables = CodePageTables();
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    for (size_t offset = 0; offset < cp932.size();) {
        unsigned char byte = static_cast<unsigned char>(cp932[offset]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++offset;
            continue;
        }
        if (int escape = ReadEscape(cp932, offset); escape >= 0) {
            char16_t unit = 0;
            if (escape >= RawByteEscapes) {
                out += static_cast<char>(0x80 + (escape - RawByteEscapes));
                offset += 2;
            } else if (!ReadEscapedUnit(cp932, offset, unit)) {
                AppendUtf8(out, Replacement);
                offset += 2;
            } else if (unit >= 0xD800 && unit <= 0xDBFF) {
                char16_t second = 0;
                size_t next = offset;
                if (ReadEscapedUnit(cp932, next, second) && second >= 0xDC00 && second <= 0xDFFF) {
                    AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (second - 0xDC00));
                    offset = next;
                } else {
                    AppendUtf8(out, Replacement);
                }
            } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
                AppendUtf8(out, Replacement);
            } else {
                AppendUtf8(out, unit);
            }
            continue;
        }
        char32_t character = Invalid;
        if (dos::IsLeadByte(byte) && offset + 1 < cp932.size() && dos::IsTrailByte(static_cast<unsigned char>(cp932[offset + 1]))) {
            character = tables.Double(byte, static_cast<unsigned char>(cp932[offset + 1]));
            offset += 2;
        } else {
            if (!dos::IsLeadByte(byte))
                character = tables.Single(byte);
            ++offset;
        }
        AppendUtf8(out, character == Invalid ? Replacement : character);
    }
    return out;
}


std::string Utf8ToCp932(std::string_view utf8)
{
    return ToCp932(utf8, false);
}

std::optional<std::string> StrictUtf8ToCp932(std::string_view utf8)
{
    bool valid = true;
    std::string text = ToCp932(utf8, false, &valid);
    if (!valid)
        return std::nullopt;
    return text;
}

std::string HostNameToCp932(std::string_view name)
{
    return ToCp932(name, true);
}

// A host name is UTF-8, whose bytes beyond ASCII are all 0x80 and above: a 0x5C byte there is
// always the backslash itself, never the second byte of a character, so bytes may be looked at.
bool IsOwnDosName(std::string_view hostName)
{
    return std::none_of(hostName.begin(), hostName.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80 || c == '\\'; });
}

}  // namespace platform
