#include "browser/RowOrder.h"

#include "common/Numbers.h"
#include "dos/DosText.h"

#include <bit>
#include <cstring>

namespace orvane {

namespace {
// ASCII letters compare without case; 0xFF counts as -1, as the old signed comparison had it.
int Mapped(unsigned char byte)
{
    return byte == 0xFF ? -1 : static_cast<unsigned char>(dos::AsciiUpper(char(byte)));
}

// Walks a text byte by byte, mapping each as the comparison counts it: ASCII letters folded,
// 0xFF as -1, and the second byte of a double-byte character as it is, never folded ("ャ" is
// 0x83 0x62 and "イ" is 0x83 0x42). Each text is walked by its own characters.
class MappedBytes {
public:
    explicit MappedBytes(std::string_view text) : m_text(text) {}
    bool Ended(size_t at) const { return at >= m_text.size(); }
    // The byte at `at`; the bytes are visited in order.
    int At(size_t at)
    {
        const unsigned char byte = static_cast<unsigned char>(m_text[at]);
        if (at < m_nextCharacter)
            return byte;
        m_nextCharacter = dos::NextCharacter(m_text, at);
        return Mapped(byte);
    }

private:
    std::string_view m_text;
    size_t m_nextCharacter = 0;
};
}  // namespace

// Byte by byte over at most 20 bytes; a text that ends compares as its terminating zero.
int CompareText(std::string_view a, std::string_view b)
{
    MappedBytes x(a), y(b);
    size_t at = 0;
    for (; at < 20 && !x.Ended(at); ++at) {
        const int mappedA = x.At(at);
        const int mappedB = y.Ended(at) ? 0 : y.At(at);
        if (mappedA != mappedB)
            return mappedA - mappedB;
    }
    if (at == 20 || y.Ended(at))
        return 0;
    return 0 - y.At(at);
}

TextSortKey MakeTextSortKey(std::string_view text)
{
    TextSortKey key;
    key.fill(1);
    MappedBytes bytes(text);
    for (size_t at = 0; at < key.size() && !bytes.Ended(at); ++at)
        key[at] = static_cast<uint8_t>(bytes.At(at) + 1);
    return key;
}

namespace {
// Bytes read as a big-endian number, whose order is the bytes' order.
template <class Word>
Word BigEndian(const uint8_t* bytes)
{
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::little)
        word = sizeof word == 8 ? Word(__builtin_bswap64(uint64_t(word))) : Word(__builtin_bswap32(uint32_t(word)));
    return word;
}
}  // namespace

// The sorts compare keys most of their time, so eight bytes go at a time rather than a call of
// memcmp per comparison.
int CompareSortKeys(const TextSortKey& a, const TextSortKey& b)
{
    static_assert(std::tuple_size_v<TextSortKey> == 20);
    for (size_t at : {0, 8}) {
        const uint64_t x = BigEndian<uint64_t>(a.data() + at), y = BigEndian<uint64_t>(b.data() + at);
        if (x != y)
            return x < y ? -1 : 1;
    }
    const uint32_t x = BigEndian<uint32_t>(a.data() + 16), y = BigEndian<uint32_t>(b.data() + 16);
    return x < y ? -1 : x > y ? 1 : 0;
}

int CompareNumber(std::string_view a, std::string_view b)
{
    // Sizes are 64-bit, so the numbers are compared rather than subtracted.
    long long x = StrToLargeNumber(a), y = StrToLargeNumber(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

}  // namespace orvane
