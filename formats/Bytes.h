#pragma once

// Bounds-checked access to the bytes of a file. Every decoder reads through these, so that a
// field past the end of the data is noticed rather than read.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace formats {

using ByteView = std::span<const uint8_t>;

inline ByteView AsBytes(std::string_view text)
{
    return ByteView(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

// Whether `count` bytes from `offset` lie inside data; 64-bit arguments, so that offsets taken
// from a file cannot wrap around.
inline bool Contains(ByteView data, uint64_t offset, uint64_t count)
{
    return offset <= data.size() && count <= data.size() - offset;
}

// The bytes from offset on, at most `count` of them; empty when offset is past the end.
inline ByteView Tail(ByteView data, uint64_t offset, uint64_t count = UINT64_MAX)
{
    if (offset >= data.size())
        return {};
    uint64_t available = data.size() - offset;
    return data.subspan(size_t(offset), size_t(count < available ? count : available));
}

// Reads little-endian fields one after another. A read past the end gives zero and marks the
// reader overrun, so that a parser reads a whole structure and checks once.
class FieldReader {
public:
    explicit FieldReader(ByteView data, uint64_t offset = 0) : m_data(data), m_offset(offset) {}

    uint8_t U8() { return uint8_t(Read(1)); }
    uint16_t U16() { return uint16_t(Read(2)); }
    uint32_t U32() { return uint32_t(Read(4)); }
    int16_t I16() { return int16_t(U16()); }
    int32_t I32() { return int32_t(U32()); }
    void Skip(uint64_t count)
    {
        if (!Contains(m_data, m_offset, count))
            m_overrun = true;
        m_offset += count;
    }

    bool Overrun() const { return m_overrun; }
    uint64_t Offset() const { return m_offset; }

private:
    uint64_t Read(int size)
    {
        if (!Contains(m_data, m_offset, uint64_t(size))) {
            m_overrun = true;
            m_offset += uint64_t(size);
            return 0;
        }
        uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= uint64_t(m_data[size_t(m_offset) + i]) << (8 * i);
        m_offset += uint64_t(size);
        return value;
    }

    ByteView m_data;
    uint64_t m_offset;
    bool m_overrun = false;
};

}  // namespace formats
