// The AVI header reader, on the samples in tests/data/media: GStreamer's muxer wrote rgb24.avi
// and clip.avi, make-rgb-avi.py the kinds no encoder here writes. The samples are checked to be
// what their names say (uncompressed RGB stored from the bottom row up), and every cut of them to
// be read or refused without a byte past the cut.

#include "formats/Avi.h"
#include "tests/formats/Samples.h"

#include <gtest/gtest.h>

using namespace formats;

namespace {

std::vector<uint8_t> Sample(const char* name)
{
    return samples::ReadFile(samples::DataDir() / "media" / name);
}

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t offset)
{
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16 |
           uint32_t(bytes[offset + 3]) << 24;
}

// The data of the first picture chunk ("00db") of the "movi" list; empty when there is none.
ByteView FirstPicture(const std::vector<uint8_t>& file)
{
    for (size_t at = 12; at + 12 <= file.size();) {
        const uint32_t type = Le32(file, at), length = Le32(file, at + 4);
        if (type == FourCc("LIST") && Le32(file, at + 8) == FourCc("movi")) {
            for (size_t inner = at + 12; inner + 8 <= at + 8 + length;) {
                const uint32_t kind = Le32(file, inner), size = Le32(file, inner + 4);
                if (kind == FourCc("00db") && inner + 8 + size <= file.size())
                    return ByteView(file).subspan(inner + 8, size);
                inner += 8 + size + (size & 1);
            }
            return {};
        }
        at += 8 + length + (length & 1);
    }
    return {};
}

}  // namespace

TEST(AviFormat, TheSamplesAreTheUncompressedRgbVideosTheirNamesSay)
{
    struct Case {
        const char* name;
        uint32_t handler;
        int32_t width, height;
        uint16_t bits;
        uint32_t compression;
    };
    for (const Case& sample : {Case{"rgb24.avi", 0, 30, 24, 24, BiRgb}, Case{"rgb16.avi", FourCc("DIB "), 33, 24, 16, BiRgb},
                               Case{"rgb16-topdown.avi", 0, 33, -24, 16, BiRgb},
                               Case{"rgb16-565.avi", 0, 33, 24, 16, BiBitfields},
                               Case{"rgb24-handler.avi", FourCc("MSVC"), 33, 24, 24, BiRgb}}) {
        SCOPED_TRACE(sample.name);
        std::vector<uint8_t> file = Sample(sample.name);
        ASSERT_TRUE(IsAvi(file));
        Result<AviVideoFormat> format = ReadAviVideoFormat(file);
        ASSERT_TRUE(format) << format.Error();
        EXPECT_EQ(format->handler, sample.handler);
        EXPECT_EQ(format->width, sample.width);
        EXPECT_EQ(format->height, sample.height);
        EXPECT_EQ(format->bitCount, sample.bits);
        EXPECT_EQ(format->compression, sample.compression);
        EXPECT_EQ(format->rate, 10u);
        EXPECT_EQ(format->scale, 1u);
        if (sample.compression == BiBitfields) {
            EXPECT_EQ(format->redMask, 0xF800u);
            EXPECT_EQ(format->greenMask, 0x07E0u);
            EXPECT_EQ(format->blueMask, 0x001Fu);
        }

        // The picture's rows are padded to four bytes; the first one stored is the bottom row
        // (blue) unless the height says top down, and its first pixel is blue in either of the
        // two layouts: 24-bit bytes blue, green, red; 16-bit words with blue in the low bits.
        const size_t stride = (size_t(sample.width) * sample.bits / 8 + 3) & ~size_t(3);
        ByteView picture = FirstPicture(file);
        ASSERT_EQ(picture.size(), stride * 24);
        const bool bottomUp = sample.height > 0;
        const uint8_t* first = picture.data();
        const uint8_t* last = picture.data() + stride * 23;
        auto blueThenRed = [&](const uint8_t* bottom, const uint8_t* top) {
            if (sample.bits == 24)
                return bottom[0] == 255 && bottom[2] == 0 && top[0] == 0 && top[2] == 255;
            const unsigned low = bottom[0] | bottom[1] << 8, high = top[0] | top[1] << 8;
            return low == 0x001F && (high == 0x7C00 || high == 0xF800);
        };
        EXPECT_TRUE(bottomUp ? blueThenRed(first, last) : blueThenRed(last, first)) << "rows as the height says";
    }
    // Not uncompressed: GStreamer's muxer names motion JPEG in both places.
    Result<AviVideoFormat> clip = ReadAviVideoFormat(Sample("clip.avi"));
    ASSERT_TRUE(clip) << clip.Error();
    EXPECT_EQ(clip->compression, FourCc("MJPG"));
    EXPECT_EQ(clip->width, 160);
}

TEST(AviFormat, EveryCutOfEverySampleIsReadOrRefusedWithoutReadingPastIt)
{
    for (const char* name : {"rgb24.avi", "rgb16.avi", "rgb16-565.avi", "clip.avi"}) {
        std::vector<uint8_t> file = Sample(name);
        ASSERT_FALSE(file.empty()) << name;
        const Result<AviVideoFormat> whole = ReadAviVideoFormat(file);
        ASSERT_TRUE(whole) << name;
        for (size_t cut = 0; cut < file.size() && cut < 4096; ++cut) {
            // A copy of exactly the cut, so that a read past it is a read past the allocation.
            std::vector<uint8_t> part(file.begin(), file.begin() + ptrdiff_t(cut));
            Result<AviVideoFormat> read = ReadAviVideoFormat(part);
            if (read) {
                EXPECT_EQ(read->compression, whole->compression) << name << " cut at " << cut;
                EXPECT_EQ(read->height, whole->height) << name << " cut at " << cut;
            }
        }
    }
}

TEST(AviFormat, FilesThatAreNoVideoAreRefusedWithTheirReason)
{
    EXPECT_EQ(ReadAviVideoFormat(Sample("garbage.avi")).Error(), "not an AVI file");
    EXPECT_EQ(ReadAviVideoFormat(Sample("tone.wav")).Error(), "not an AVI file");
    EXPECT_EQ(ReadAviVideoFormat({}).Error(), "not an AVI file");
    // A RIFF AVI file without its header list, and one whose only stream is sound.
    std::vector<uint8_t> empty = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '};
    EXPECT_EQ(ReadAviVideoFormat(empty).Error(), "the AVI file has no header list");
    std::vector<uint8_t> sound = Sample("rgb16.avi");
    // Turn the video stream's type into one nobody knows: only the sound's stream is left.
    for (size_t at = 0; at + 4 <= sound.size(); ++at)
        if (Le32(sound, at) == FourCc("vids"))
            sound[at] = 'x';
    EXPECT_EQ(ReadAviVideoFormat(sound).Error(), "the AVI file has no video stream");
    // A video stream whose format chunk is cut to less than the header's first fields.
    std::vector<uint8_t> shortFormat = Sample("rgb24.avi");
    for (size_t at = 0; at + 8 <= shortFormat.size(); ++at)
        if (Le32(shortFormat, at) == FourCc("strf")) {
            shortFormat[at + 4] = 12;
            shortFormat[at + 5] = 0;
            break;
        }
    EXPECT_EQ(ReadAviVideoFormat(shortFormat).Error(), "the video stream's format is missing or truncated");
}
