#pragma once

// Small WMF and EMF files made record by record, for the reader's and the player's tests.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace samples {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

inline void Put32(Bytes& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A WMF: records of 16-bit parameters after the metafile header, and the placeable header in
// front when a box is given.
class WmfBuilder {
public:
    // Parameters as the file holds them (most in reverse order of the call's arguments).
    WmfBuilder& Record(uint16_t function, std::initializer_list<int> words)
    {
        Bytes parameters;
        for (int word : words)
            Put16(parameters, uint32_t(word) & 0xFFFF);
        return Raw(function, parameters);
    }
    WmfBuilder& Raw(uint16_t function, const Bytes& parameters)
    {
        Put32(m_records, uint32_t(3 + (parameters.size() + 1) / 2));
        Put16(m_records, function);
        m_records.insert(m_records.end(), parameters.begin(), parameters.end());
        if (parameters.size() % 2)
            m_records.push_back(0);
        return *this;
    }
    // SetTextColor, SetBkColor and the brush and pen records take a COLORREF in two words.
    static int Low(uint32_t value) { return int(value & 0xFFFF); }
    static int High(uint32_t value) { return int(value >> 16); }

    Bytes Plain(uint16_t objects = 8) const { return Build(objects); }
    Bytes Placeable(int left, int top, int right, int bottom, int inch, uint16_t objects = 8, bool breakChecksum = false) const
    {
        Bytes out;
        Put32(out, 0x9AC6CDD7);
        Put16(out, 0);
        for (int value : {left, top, right, bottom})
            Put16(out, uint32_t(value) & 0xFFFF);
        Put16(out, uint32_t(inch));
        Put32(out, 0);
        uint16_t sum = 0;
        for (size_t i = 0; i < out.size(); i += 2)
            sum ^= uint16_t(out[i] | out[i + 1] << 8);
        Put16(out, breakChecksum ? sum ^ 1 : sum);
        Bytes body = Build(objects);
        out.insert(out.end(), body.begin(), body.end());
        return out;
    }

private:
    Bytes Build(uint16_t objects) const
    {
        Bytes out;
        Put16(out, 1);   // Type: in memory
        Put16(out, 9);   // HeaderSize
        Put16(out, 0x0300);
        Put32(out, uint32_t((18 + m_records.size() + 6) / 2));
        Put16(out, objects);
        Put32(out, 0);
        Put16(out, 0);
        out.insert(out.end(), m_records.begin(), m_records.end());
        Put32(out, 3);   // the end record
        Put16(out, 0);
        return out;
    }

    Bytes m_records;
};

// An EMF: the header with its frame and reference device, then records of 32-bit fields.
class EmfBuilder {
public:
    EmfBuilder& Record(uint32_t type, std::initializer_list<int64_t> fields)
    {
        Bytes body;
        for (int64_t field : fields)
            Put32(body, uint32_t(field));
        return Raw(type, body);
    }
    EmfBuilder& Raw(uint32_t type, Bytes body)
    {
        while (body.size() % 4)
            body.push_back(0);
        Put32(m_records, type);
        Put32(m_records, uint32_t(body.size() + 8));
        m_records.insert(m_records.end(), body.begin(), body.end());
        ++m_count;
        return *this;
    }

    // `frame` in 0.01 mm; the reference device in pixels and millimetres.
    Bytes Build(int frameRight, int frameBottom, int devicePixelsX = 1024, int devicePixelsY = 768,
                int deviceMillimetersX = 320, int deviceMillimetersY = 240) const
    {
        Bytes out;
        Put32(out, 1);
        Put32(out, 88);
        for (int value : {0, 0, 0, 0})   // rclBounds
            Put32(out, uint32_t(value));
        for (int value : {0, 0, frameRight, frameBottom})
            Put32(out, uint32_t(value));
        Put32(out, 0x464D4520);
        Put32(out, 0x10000);
        Put32(out, uint32_t(88 + m_records.size() + 20));
        Put32(out, m_count + 2);
        Put16(out, 16);
        Put16(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        for (int value : {devicePixelsX, devicePixelsY, deviceMillimetersX, deviceMillimetersY})
            Put32(out, uint32_t(value));
        out.insert(out.end(), m_records.begin(), m_records.end());
        for (uint32_t value : {14u, 20u, 0u, 0u, 20u})   // EMR_EOF
            Put32(out, value);
        return out;
    }

private:
    Bytes m_records;
    uint32_t m_count = 0;
};

}  // namespace samples
