#include "platform/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

// One iconv conversion descriptor per direction and call; the converter keeps no state between
// calls, so it is safe wherever it is used.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (Valid())
            iconv_close(m_handle);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool Valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; on a sequence it cannot convert it appends `replacement`,
    // skips `skip(input)` bytes and goes on.
    template <class Skip>
    std::string Convert(std::string_view input, std::string_view replacement, Skip skip)
    {
        std::string output;
        if (!Valid())
            return std::string(input);
        output.reserve(input.size() * 3 / 2 + 4);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            output.append(buffer, out - buffer);
            if (result != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or incomplete sequence.
            output.append(replacement);
            size_t step = std::min(skip(std::string_view(in, inLeft)), inLeft);
            in += step;
            inLeft -= step;
            iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t m_handle;
};

size_t Utf8SequenceLength(std::string_view text)
{
    unsigned char first = static_cast<unsigned char>(text[0]);
    size_t length = first < 0x80 ? 1 : first < 0xC0 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : first < 0xF8 ? 4 : 1;
    for (size_t i = 1; i < length; ++i)
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return i;
    return length;
}

size_t Cp932SequenceLength(std::string_view text)
{
    return IsLeadByte(static_cast<unsigned char>(text[0])) && text.size() > 1 ? 2 : 1;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932)
{
    Iconv converter("UTF-8", "CP932");
    return converter.Convert(cp932, "\xEF\xBF\xBD", Cp932SequenceLength);
}

std::string Utf8ToCp932(std::string_view utf8)
{
    Iconv converter("CP932", "UTF-8");
    return converter.Convert(utf8, "?", Utf8SequenceLength);
}

}  // namespace platform
