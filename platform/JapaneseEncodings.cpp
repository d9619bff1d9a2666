#include "platform/JapaneseEncodings.h"

#include "platform/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr unsigned char Escape = 0x1B;
// EUC-JP's single shifts: a half-width katakana, and a character of JIS X 0212.
constexpr unsigned char SingleShift2 = 0x8E;
constexpr unsigned char SingleShift3 = 0x8F;
// How far into a text its look is taken.
constexpr size_t LookWindow = 1u << 20;

const std::string& Replacement()
{
    static const std::string replacement = Utf8ToCp932("\xEF\xBF\xBD");
    return replacement;
}

bool IsEucByte(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xFE;
}

bool IsHalfWidthKana(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xDF;
}

// Appends the code page 932 code of the JIS X 0208 character at `row` and `cell` (1 to 94 each):
// two rows share a lead byte, the odd row taking the lower trail bytes, which skip 0x7F.
void AppendJis(std::string& out, int row, int cell)
{
    int lead = (row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0);
    int trail = row % 2 ? cell + 0x3F + (cell >= 64 ? 1 : 0) : cell + 0x9E;
    out += static_cast<char>(lead);
    out += static_cast<char>(trail);
}

// The length of the EUC-JP sequence at `p` (one for ASCII); 0 when it is broken, and Cut when the
// text ends inside an otherwise good one.
constexpr size_t Cut = static_cast<size_t>(-1);
size_t EucSequenceLength(const unsigned char* p, size_t left)
{
    unsigned char first = p[0];
    if (first < 0x80)
        return 1;
    size_t length = first == SingleShift3 ? 3 : (first == SingleShift2 || IsEucByte(first)) ? 2 : 0;
    if (length == 0)
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if (k >= left)
            return Cut;
        bool good = first == SingleShift2 ? IsHalfWidthKana(p[k]) : IsEucByte(p[k]);
        if (!good)
            return 0;
    }
    return length;
}

// Broken sequences in the window of a text read as code page 932: a lead byte without its trail
// byte, and the bytes that start no character (0x80, 0xA0, 0xFD-0xFF). A lead byte at the end may
// have lost its trail byte to the cut.
size_t Cp932Errors(const unsigned char* p, size_t size)
{
    size_t errors = 0;
    for (size_t i = 0; i < size;) {
        unsigned char byte = p[i];
        if (byte < 0x80) {
            ++i;
        } else if (dos::IsLeadByte(byte)) {
            if (i + 1 < size && dos::IsTrailByte(p[i + 1]))
                i += 2;
            else {
                errors += i + 1 < size;
                ++i;
            }
        } else {
            errors += byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
            ++i;
        }
    }
    return errors;
}

// Converts one JIS X 0212 character through the host's EUC-JP converter.
std::string Jis0212ToCp932(const unsigned char* p)
{
    static thread_local iconv_t converter = iconv_open("UTF-8", "EUC-JP");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return Replacement();
    char in[3] = {static_cast<char>(p[0]), static_cast<char>(p[1]), static_cast<char>(p[2])};
    char utf8[8];
    char* input = in;
    char* output = utf8;
    size_t inLeft = sizeof in, outLeft = sizeof utf8;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &input, &inLeft, &output, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return Replacement();
    return Utf8ToCp932(std::string_view(utf8, sizeof utf8 - outLeft));
}

}  // namespace

bool LooksLikeIso2022Jp(std::string_view bytes)
{
    for (size_t at = bytes.find(static_cast<char>(Escape)); at != std::string_view::npos;
         at = bytes.find(static_cast<char>(Escape), at + 1)) {
        std::string_view designation = bytes.substr(at + 1, 2);
        if (designation == "$B" || designation == "$@" || designation == "(I")
            return true;
    }
    return false;
}

bool LooksLikeEucJp(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t first = 0;
    while (first < bytes.size() && data[first] < 0x80)
        ++first;
    const size_t end = std::min(bytes.size(), first + LookWindow);
    size_t characters = 0, kana = 0, pairs = 0, errors = 0;
    bool onlyHalfWidthBytes = true;
    for (size_t i = first; i < end;) {
        size_t length = EucSequenceLength(data + i, end - i);
        // A character cut by the window's end is no fault; one cut by the text's end is not
        // counted either, as a file cut short is still in the encoding it was written in.
        if (length == Cut)
            break;
        if (length == 0) {
            ++errors;
            ++characters;
            ++i;
            // A text that is broken this often is not EUC-JP; code page 932 text stops here at once.
            if (errors > 8 && errors * 8 > characters)
                return false;
            continue;
        }
        if (length >= 2) {
            ++characters;
            for (size_t k = 0; k < length; ++k)
                onlyHalfWidthBytes = onlyHalfWidthBytes && data[i + k] <= 0xDF;
            if (length == 2 && data[i] != SingleShift2) {
                ++pairs;
                // Hiragana (row 4) and katakana (row 5) make a large part of any Japanese text.
                kana += data[i] == 0xA4 || data[i] == 0xA5;
            }
        }
        i += length;
    }
    if (characters == 0 || errors * 64 > characters)
        return false;
    if (Cp932Errors(data + first, end - first) > errors)
        return true;
    // Read well both ways: a text of nothing but code page 932's half-width katakana (no byte past
    // 0xDF) stays that; otherwise the kana of EUC-JP's rows 4 and 5 must show.
    return !onlyHalfWidthBytes && pairs > 0 && kana * 4 >= pairs;
}

std::string EucJpToCp932(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    std::string out;
    out.reserve(size);
    for (size_t i = 0; i < size;) {
        size_t run = i;
        while (run < size && data[run] < 0x80)
            ++run;
        out.append(bytes.data() + i, run - i);
        i = run;
        if (i >= size)
            break;
        size_t length = EucSequenceLength(data + i, size - i);
        if (length == 0 || length == Cut) {
            out += Replacement();
            i = length == Cut ? size : i + 1;
            continue;
        }
        if (data[i] == SingleShift2)
            out += static_cast<char>(data[i + 1]);
        else if (data[i] == SingleShift3)
            out += Jis0212ToCp932(data + i);
        else
            AppendJis(out, data[i] - 0xA0, data[i + 1] - 0xA0);
        i += length;
    }
    return out;
}

std::string Iso2022JpToCp932(std::string_view bytes)
{
    enum class Set { Ascii, Jis0208, Kana };
    Set set = Set::Ascii;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    std::string out;
    out.reserve(size);
    for (size_t i = 0; i < size;) {
        unsigned char byte = data[i];
        if (byte == Escape) {
            std::string_view designation = bytes.substr(i + 1, 2);
            if (designation == "$B" || designation == "$@")
                set = Set::Jis0208;
            else if (designation == "(B" || designation == "(J")
                set = Set::Ascii;
            else if (designation == "(I")
                set = Set::Kana;
            else {
                // An escape sequence of no set the encoding knows stays in the text as it was.
                out += static_cast<char>(byte);
                ++i;
                continue;
            }
            i += 3;
            continue;
        }
        // Shift out and in: the half-width katakana of 7-bit JIS without an escape.
        if (byte == 0x0E || byte == 0x0F) {
            set = byte == 0x0E ? Set::Kana : Set::Ascii;
            ++i;
            continue;
        }
        // Controls (line ends above all) mean themselves in every set; a byte beyond 7 bits has no place.
        if (byte >= 0x80) {
            out += Replacement();
            ++i;
        } else if (byte < 0x21 || byte == 0x7F || set == Set::Ascii) {
            out += static_cast<char>(byte);
            ++i;
        } else if (set == Set::Kana) {
            if (byte <= 0x5F)
                out += static_cast<char>(byte + 0x80);
            else
                out += Replacement();
            ++i;
        } else if (i + 1 < size && data[i + 1] >= 0x21 && data[i + 1] <= 0x7E) {
            AppendJis(out, byte - 0x20, data[i + 1] - 0x20);
            i += 2;
        } else {
            out += Replacement();
            ++i;
        }
    }
    return out;
}

}  // namespace platform
