#include "formats/Avi.h"

#include <optional>

namespace formats {

namespace {
constexpr uint64_t ChunkHeaderSize = 8;
constexpr uint64_t ListHeaderSize = 12;

uint32_t Tag(ByteView data, uint64_t offset)
{
    return FieldReader(data, offset).U32();
}

// A chunk: a four-character type, the length of its data (little-endian), the data, and a pad
// byte when the length is odd. A list chunk ("LIST") begins its data with the list's type and
// holds chunks after it.
struct Chunk {
    uint32_t type = 0;
    uint64_t dataOffset = 0;
    uint64_t length = 0;
    uint32_t listType = 0;  // the type of a list; 0 for other chunks
};

// The chunks from `offset` up to `end`, one after another; stops at the first one whose header
// lies past `end`. `visit` returns true to stop early.
template <class Visit>
void EachChunk(ByteView data, uint64_t offset, uint64_t end, Visit visit)
{
    while (offset + ChunkHeaderSize <= end && Contains(data, offset, ChunkHeaderSize)) {
        Chunk chunk;
        chunk.type = Tag(data, offset);
        chunk.length = Tag(data, offset + 4);
        chunk.dataOffset = offset + ChunkHeaderSize;
        if (chunk.type == FourCc("LIST") && chunk.length >= 4 && Contains(data, chunk.dataOffset, 4))
            chunk.listType = Tag(data, chunk.dataOffset);
        if (visit(chunk))
            return;
        offset = chunk.dataOffset + chunk.length + (chunk.length & 1);
    }
}

// The end of a chunk's data, cut to the end of what holds it.
uint64_t DataEnd(const Chunk& chunk, uint64_t outerEnd)
{
    uint64_t end = chunk.dataOffset + chunk.length;
    return end < outerEnd ? end : outerEnd;
}

// A stream list: the stream header, then the stream's format.
Result<std::optional<AviVideoFormat>> ReadStreamList(ByteView file, const Chunk& list, uint64_t end)
{
    std::optional<AviVideoFormat> format;
    bool video = false;
    bool formatRead = false;
    EachChunk(file, list.dataOffset + 4, DataEnd(list, end), [&](const Chunk& chunk) {
        if (chunk.type == FourCc("strh") && !video) {
            // Stream header: fccType ("vids" for video), fccHandler, dwFlags, wPriority,
            // wLanguage, dwInitialFrames, dwScale, dwRate, then times and sizes not read here.
            FieldReader header(file, chunk.dataOffset);
            const uint32_t type = header.U32();
            AviVideoFormat read;
            read.handler = header.U32();
            header.Skip(4 + 2 + 2 + 4);
            read.scale = header.U32();
            read.rate = header.U32();
            if (type != FourCc("vids"))
                return true;
            if (header.Overrun() || chunk.length < header.Offset() - chunk.dataOffset)
                return true;
            video = true;
            format = read;
            return false;
        }
        if (chunk.type == FourCc("strf") && video) {
            // BITMAPINFOHEADER: biSize, biWidth, biHeight, biPlanes, biBitCount, biCompression,
            // biSizeImage, the resolutions and the colour counts; the masks of BI_BITFIELDS
            // pixels follow its 40 bytes (inside them for the later, longer headers).
            FieldReader info(file, chunk.dataOffset);
            const uint32_t size = info.U32();
            format->width = info.I32();
            format->height = info.I32();
            info.Skip(2);
            format->bitCount = info.U16();
            format->compression = info.U32();
            if (info.Overrun() || chunk.length < 20 || size < 20)
                return true;
            if (format->compression == BiBitfields && chunk.length >= 52) {
                FieldReader masks(file, chunk.dataOffset + 40);
                format->redMask = masks.U32();
                format->greenMask = masks.U32();
                format->blueMask = masks.U32();
                if (masks.Overrun())
                    format->redMask = format->greenMask = format->blueMask = 0;
            }
            formatRead = true;
            return true;
        }
        return false;
    });
    if (!video)
        return std::optional<AviVideoFormat>();
    if (!formatRead)
        return Fail("the video stream's format is missing or truncated");
    return format;
}
}  // namespace

bool IsAvi(ByteView file)
{
    return Contains(file, 0, ListHeaderSize) && Tag(file, 0) == FourCc("RIFF") && Tag(file, 8) == FourCc("AVI ");
}

Result<AviVideoFormat> ReadAviVideoFormat(ByteView file)
{
    // RIFF header: "RIFF", the length of what follows, the form type "AVI ".
    if (!IsAvi(file))
        return Fail("not an AVI file");
    uint64_t riffEnd = ChunkHeaderSize + uint64_t(Tag(file, 4));
    // A RIFF length past the end of the data is cut to it; the chunks decide.
    if (riffEnd > file.size())
        riffEnd = file.size();
    std::optional<Result<std::optional<AviVideoFormat>>> found;
    bool headerList = false;
    EachChunk(file, ListHeaderSize, riffEnd, [&](const Chunk& top) {
        if (top.listType != FourCc("hdrl"))
            return false;
        headerList = true;
        // The header list: the main header ("avih"), then a stream list for each stream.
        EachChunk(file, top.dataOffset + 4, DataEnd(top, riffEnd), [&](const Chunk& chunk) {
            if (chunk.listType != FourCc("strl"))
                return false;
            auto stream = ReadStreamList(file, chunk, DataEnd(top, riffEnd));
            if (!stream || *stream)
                found.emplace(std::move(stream));
            return found.has_value();
        });
        return true;
    });
    if (!headerList)
        return Fail("the AVI file has no header list");
    if (!found)
        return Fail("the AVI file has no video stream");
    const Result<std::optional<AviVideoFormat>>& stream = *found;
    if (!stream)
        return stream.TakeFailure();
    return **stream;
}

}  // namespace formats
