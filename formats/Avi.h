#pragma once

// The header of an AVI file: a RIFF file of form "AVI " whose "hdrl" list holds a stream list
// ("strl") for each stream, with its stream header ("strh") and its format ("strf"). For a video
// stream the format is a BITMAPINFOHEADER, as in a DIB file. The media device reads it to find
// the uncompressed RGB videos (the oldest kind of AVI) that GStreamer does not take by itself.

#include "formats/Bytes.h"
#include "formats/Result.h"

#include <cstdint>

namespace formats {

// Four-character codes as a RIFF file stores them, read as a little-endian word ("DIB " is
// 0x20424944).
constexpr uint32_t FourCc(const char (&code)[5])
{
    return uint32_t(uint8_t(code[0])) | uint32_t(uint8_t(code[1])) << 8 | uint32_t(uint8_t(code[2])) << 16 |
           uint32_t(uint8_t(code[3])) << 24;
}

// The compression of a BITMAPINFOHEADER: pixels as they are, or 16- and 32-bit pixels whose
// colours sit where three masks say.
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;

struct AviVideoFormat {
    uint32_t handler = 0;  // the stream header's codec handler (0 or "DIB " for uncompressed)
    uint32_t rate = 0;     // rate / scale pictures a second
    uint32_t scale = 0;
    int32_t width = 0;
    int32_t height = 0;  // positive: rows from the bottom up; negative: from the top down
    uint16_t bitCount = 0;
    uint32_t compression = 0;  // BiRgb, BiBitfields or a codec's four-character code
    // The red, green and blue masks of BiBitfields pixels; zero otherwise.
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
};

// Whether the bytes start like an AVI file.
bool IsAvi(ByteView file);

// The format of the file's first video stream. The file may be cut after its header list: only
// the header is read.
Result<AviVideoFormat> ReadAviVideoFormat(ByteView file);

}  // namespace formats
