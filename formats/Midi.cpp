#include "formats/Midi.h"

#include <string>

namespace formats {

namespace {
constexpr uint64_t ChunkHeaderSize = 8;

bool HasTag(ByteView data, uint64_t offset, const char (&tag)[5])
{
    if (!Contains(data, offset, 4))
        return false;
    for (int i = 0; i < 4; ++i)
        if (data[size_t(offset) + i] != uint8_t(tag[i]))
            return false;
    return true;
}

// MIDI files store their lengths big-endian, unlike RIFF.
uint32_t BigEndian32(ByteView data, uint64_t offset)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | data[size_t(offset) + i];
    return value;
}

uint16_t BigEndian16(ByteView data, uint64_t offset)
{
    return uint16_t((data[size_t(offset)] << 8) | data[size_t(offset) + 1]);
}
}  // namespace

bool IsRiffMidi(ByteView file)
{
    return HasTag(file, 0, "RIFF") && HasTag(file, 8, "RMID");
}

Result<ByteView> UnwrapRiffMidi(ByteView file)
{
    // RIFF header: "RIFF", the length of what follows (little-endian), the form type "RMID".
    if (!IsRiffMidi(file))
        return Fail("not a RIFF MIDI file");
    FieldReader header(file, 4);
    uint64_t riffEnd = ChunkHeaderSize + uint64_t(header.U32());
    // A RIFF length past the end of the file is cut to the file; the chunks decide.
    if (riffEnd > file.size())
        riffEnd = file.size();
    uint64_t offset = 12;
    while (offset + ChunkHeaderSize <= riffEnd) {
        // Chunk: a four-character type, the length of its data (little-endian), the data, and a
        // pad byte when the length is odd.
        FieldReader chunk(file, offset + 4);
        uint64_t length = chunk.U32();
        uint64_t dataOffset = offset + ChunkHeaderSize;
        if (HasTag(file, offset, "data")) {
            if (!Contains(file, dataOffset, length) || dataOffset + length > riffEnd)
                return Fail("the MIDI data of the RIFF file is truncated");
            return file.subspan(size_t(dataOffset), size_t(length));
        }
        offset = dataOffset + length + (length & 1);
    }
    return Fail("the RIFF MIDI file has no data chunk");
}

Result<MidiFileInfo> ReadMidiFile(ByteView file)
{
    // Header chunk: "MThd", its length (6 or more), format, track count and division.
    if (!HasTag(file, 0, "MThd"))
        return Fail("not a MIDI file");
    if (!Contains(file, 4, 4))
        return Fail("the MIDI header is truncated");
    uint64_t headerLength = BigEndian32(file, 4);
    if (headerLength < 6)
        return Fail("the MIDI header is too short");
    if (!Contains(file, ChunkHeaderSize, headerLength))
        return Fail("the MIDI header is truncated");
    MidiFileInfo info;
    info.format = BigEndian16(file, 8);
    info.trackCount = BigEndian16(file, 10);
    info.division = BigEndian16(file, 12);
    if (info.format > 2)
        return Fail("unknown MIDI file format " + std::to_string(info.format));
    if (info.trackCount == 0)
        return Fail("the MIDI file has no tracks");
    if (info.format == 0 && info.trackCount != 1)
        return Fail("a single-track MIDI file announces several tracks");
    if (info.division == 0)
        return Fail("the MIDI file's time division is zero");

    uint64_t offset = ChunkHeaderSize + headerLength;
    int tracks = 0;
    while (tracks < info.trackCount) {
        if (!Contains(file, offset, ChunkHeaderSize))
            return Fail("the MIDI file is truncated: " + std::to_string(tracks) + " of " +
                        std::to_string(info.trackCount) + " tracks");
        uint64_t length = BigEndian32(file, offset + 4);
        if (!Contains(file, offset + ChunkHeaderSize, length))
            return Fail("MIDI track " + std::to_string(tracks + 1) + " is truncated");
        if (HasTag(file, offset, "MTrk"))
            ++tracks;
        offset += ChunkHeaderSize + length;
    }
    return info;
}

}  // namespace formats
