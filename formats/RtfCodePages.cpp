#include "formats/RtfCodePages.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>

namespace formats {

namespace {
constexpr char32_t Replacement = 0xFFFD;

iconv_t const NoConverter = reinterpret_cast<iconv_t>(-1);

std::string IconvName(int codePage)
{
    switch (codePage) {
    case 10000: return "MACINTOSH";
    case 10001: return "CP932";   // the Mac's Shift-JIS differs in a few symbols only
    case 1361: return "JOHAB";
    default: break;
    }
    char name[16];
    std::snprintf(name, sizeof name, "CP%d", codePage);
    return name;
}
}  // namespace

int CodePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return 1252;   // Symbol: the bytes name glyphs of the symbol font
    case 77: return 10000;
    case 78: return 10001;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
    }
}

bool IsDoubleByteCodePage(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 || codePage == 1361 ||
           codePage == 10001;
}

CodePageDecoder::~CodePageDecoder()
{
    for (auto& [codePage, converter] : m_converters)
        if (converter != NoConverter)
            iconv_close(static_cast<iconv_t>(converter));
}

void* CodePageDecoder::Converter(int codePage)
{
    auto [it, added] = m_converters.try_emplace(codePage, NoConverter);
    if (added)
        it->second = iconv_open("UTF-8", IconvName(codePage).c_str());
    if (it->second == NoConverter && codePage != 1252)
        return Converter(1252);
    return it->second;
}

void CodePageDecoder::Decode(int codePage, std::string_view bytes, std::string& out)
{
    size_t ascii = 0;
    while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80)
        ++ascii;
    out.append(bytes.substr(0, ascii));
    if (ascii == bytes.size())
        return;
    bytes.remove_prefix(ascii);

    auto converter = static_cast<iconv_t>(Converter(codePage));
    bool doubleByte = IsDoubleByteCodePage(codePage);
    if (converter == NoConverter) {
        for (unsigned char byte : bytes)
            AppendUtf8(out, byte);
        return;
    }
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* output = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(converter, &in, &inLeft, &output, &outLeft);
        out.append(buffer, static_cast<size_t>(output - buffer));
        if (result != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // A byte that starts no character (or a lead byte at the very end): one replacement, and on.
        unsigned char byte = static_cast<unsigned char>(*in);
        AppendUtf8(out, doubleByte ? Replacement : char32_t(byte));
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
}

}  // namespace formats
