// Enhanced metafiles (EMF): a header record with the picture's frame and the reference device it
// was recorded for, then records of a 32-bit type and size whose variable parts (strings,
// bitmaps, arrays) lie at offsets from the record's start.

#include "formats/EmfRecords.h"
#include "formats/MetafileParts.h"

#include <cmath>

namespace formats {

namespace {

using namespace meta;

constexpr uint32_t EmfSignature = 0x464D4520;   // " EMF"
constexpr uint64_t MinHeaderSize = 88;
constexpr uint32_t EmfPlusSignature = 0x2B464D45; // "EMF+"
constexpr uint16_t EmfPlusHeaderType = 0x4001;

class EmfReader {
public:
    explicit EmfReader(ByteView data) : m_data(data) {}

    Result<Metafile> Read();

private:
    Result<uint64_t> ReadHeader();
    Operation Decode(uint32_t type, ByteView record);
    Operation DecodeComment(ByteView record);

    ByteView m_data;
    Metafile m_metafile;
    PixelBudget m_budget;
    bool m_emfPlusOnly = false;
};

Result<uint64_t> EmfReader::ReadHeader()
{
    MetafileHeader& header = m_metafile.header;
    header.kind = MetafileKind::Emf;
    Fields field(m_data);
    uint32_t type = field.U32();                  // iType: EMR_HEADER
    uint32_t size = field.U32();                  // nSize
    Rect bounds = field.RectL();                  // rclBounds: what is drawn, in device pixels, inclusive
    header.frame = field.RectL();                 // rclFrame: the picture, in 0.01 mm, inclusive
    uint32_t signature = field.U32();             // dSignature
    field.U32();                                  // nVersion
    field.U32();                                  // nBytes: the file's size
    header.declaredRecords = field.U32();         // nRecords
    header.declaredObjects = field.U16();         // nHandles: slots of the object table, with slot 0
    field.U16();                                  // sReserved
    field.Skip(12);                               // nDescription, offDescription, nPalEntries
    header.devicePixels = field.PointL();         // szlDevice: the reference device in pixels
    header.deviceMillimeters = field.PointL();    // szlMillimeters: and in millimetres
    if (field.Overrun() || type != 1 || signature != EmfSignature)
        return Fail("not an enhanced metafile");
    if (size < MinHeaderSize || size > m_data.size())
        return Fail("the header record's size is not valid");

    // A reference device without a size is taken for a display of 96 pixels per inch.
    Point& pixels = header.devicePixels;
    Point& millimeters = header.deviceMillimeters;
    if (pixels.x <= 0 || pixels.y <= 0 || millimeters.x <= 0 || millimeters.y <= 0)
        pixels = {96 * 100, 96 * 100}, millimeters = {2540, 2540};
    double xScale = double(pixels.x) / (millimeters.x * 100.0);
    double yScale = double(pixels.y) / (millimeters.y * 100.0);
    const Rect& frame = header.frame;
    if (frame.right > frame.left && frame.bottom > frame.top) {
        header.left = frame.left * xScale;
        header.top = frame.top * yScale;
        header.width = (double(frame.right) - frame.left) * xScale;
        header.height = (double(frame.bottom) - frame.top) * yScale;
    } else if (bounds.right >= bounds.left && bounds.bottom >= bounds.top) {
        // No frame: the bounds of what was drawn stand in for it.
        header.left = bounds.left;
        header.top = bounds.top;
        header.width = double(bounds.right) - bounds.left + 1;
        header.height = double(bounds.bottom) - bounds.top + 1;
    } else {
        return Fail("the picture has neither a frame nor bounds");
    }
    if (!(header.width >= 0.5 && header.height >= 0.5))
        return Fail("the picture's frame is empty");
    SetPixelSize(header, 96);
    return uint64_t(size);
}

Operation EmfReader::DecodeComment(ByteView record)
{
    Fields field(record, 8);
    uint32_t dataSize = field.U32();              // cbData
    uint32_t identifier = field.U32();            // the first four bytes of the data
    if (field.Overrun() || dataSize < 4 || identifier != EmfPlusSignature)
        return Ignored{};
    // EMF+ records: a program that writes only those leaves the EMF records empty.
    uint16_t plusType = field.U16();              // Type of the first EMF+ record
    uint16_t plusFlags = field.U16();             // Flags: for the EMF+ header, 1 = dual
    if (!field.Overrun() && plusType == EmfPlusHeaderType)
        m_emfPlusOnly = (plusFlags & 1) == 0;
    return m_emfPlusOnly ? Skip("EMF+ records are not drawn") : Operation(Ignored{});
}

Operation EmfReader::Decode(uint32_t type, ByteView record)
{
    if (type == EmrGdiComment)
        return DecodeComment(record);
    return DecodeEmfRecord(type, record, m_budget);
}

Result<Metafile> EmfReader::Read()
{
    auto start = ReadHeader();
    if (!start)
        return start.TakeFailure();
    m_metafile.records.push_back(Record{1, Ignored{}});
    uint64_t offset = *start;
    while (true) {
        Fields field(m_data, offset);
        uint32_t type = field.U32();              // iType
        uint32_t size = field.U32();              // nSize: bytes of the record, with these two
        if (field.Overrun()) {
            m_metafile.truncated = true;
            m_metafile.truncation = "the records end without an end record";
            break;
        }
        if (size < 8 || !Contains(m_data, offset, size)) {
            m_metafile.truncated = true;
            m_metafile.truncation = "a record's size does not fit the file";
            break;
        }
        ByteView record = Tail(m_data, offset, size);
        m_metafile.records.push_back(Record{type, Decode(type, record)});
        offset += size;
        if (type == EmrEof)
            break;
    }
    return std::move(m_metafile);
}

}  // namespace

bool LooksLikeEmf(ByteView data)
{
    Fields field(data);
    uint32_t type = field.U32();
    field.Skip(36);
    uint32_t signature = field.U32();
    return !field.Overrun() && type == 1 && signature == EmfSignature;
}

Result<Metafile> ReadEmf(ByteView data)
{
    return EmfReader(data).Read();
}

}  // namespace formats
