// The BMP decoder and writer, against the BMP Suite, ImageMagick's files and damaged variants.

#include "formats/Bmp.h"
#include "formats/Png.h"
#include "tests/TempTree.h"
#include "tests/formats/Samples.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace formats;
using samples::CompareImages;

namespace {

std::filesystem::path Suite()
{
    return samples::CorpusDir() / "bmp" / "bmpsuite";
}

#define REQUIRE_SUITE()                                                            \
    if (!std::filesystem::exists(Suite()))                                         \
    GTEST_SKIP() << "the BMP Suite is not at " << Suite()

Image Reference(const std::string& name)
{
    auto bytes = samples::ReadFile(Suite() / "reference" / (name + ".png"));
    auto image = DecodePng(ByteView(bytes));
    EXPECT_TRUE(image.Ok()) << name << ": " << image.Error();
    return image ? *image : Image{};
}

Result<Image> DecodeFile(const std::filesystem::path& path)
{
    auto bytes = samples::ReadFile(path);
    return DecodeBmp(ByteView(bytes));
}

// Each file of a folder with the reference picture it must look like.
void ExpectMatches(const std::string& folder, const std::map<std::string, std::string>& references)
{
    for (const auto& [file, reference] : references) {
        auto image = DecodeFile(Suite() / folder / (file + ".bmp"));
        ASSERT_TRUE(image.Ok()) << file << ": " << image.Error();
        EXPECT_EQ(CompareImages(*image, Reference(reference)), "") << file;
    }
}

// A small picture with every kind of pixel: a gradient, primaries and a transparent corner.
Image TestPicture(int width, int height, bool alpha)
{
    Image image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t a = alpha && x < 3 && y < 3 ? uint32_t(x * 100) : 255;
            image.pixels.push_back(a << 24 | uint32_t(x * 255 / width) << 16 | uint32_t(y * 255 / height) << 8 |
                                   uint32_t((x * y) & 0xFF));
        }
    return image;
}

}  // namespace

TEST(BmpSuite, GoodFilesLookLikeTheirReferencePictures)
{
    REQUIRE_SUITE();
    std::map<std::string, std::string> references = {
        {"pal1", "pal1"},           {"pal1bg", "pal1bg"},       {"pal1wb", "pal1"},
        {"pal4", "pal4"},           {"pal4gs", "pal4gs"},       {"pal4rle", "pal4"},
        {"pal8-0", "pal8"},         {"pal8", "pal8"},           {"pal8gs", "pal8gs"},
        {"pal8nonsquare", "pal8nonsquare-e"},                   {"pal8os2", "pal8"},
        {"pal8rle", "pal8"},        {"pal8topdown", "pal8"},    {"pal8v4", "pal8"},
        {"pal8v5", "pal8"},         {"pal8w124", "pal8w124"},   {"pal8w125", "pal8w125"},
        {"pal8w126", "pal8w126"},   {"rgb16-565", "rgb16-565"}, {"rgb16-565pal", "rgb16-565"},
        {"rgb16", "rgb16"},         {"rgb16bfdef", "rgb16"},    {"rgb24", "rgb24"},
        {"rgb24pal", "rgb24"},      {"rgb32", "rgb24"},         {"rgb32bf", "rgb24"},
        {"rgb32bfdef", "rgb24"},
    };
    ExpectMatches("g", references);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Suite() / "g"))
        files += entry.path().extension() == ".bmp";
    EXPECT_EQ(files, references.size()) << "a good file without its expected picture in this test";
}

TEST(BmpSuite, QuestionableFilesThatAreAcceptedLookRight)
{
    REQUIRE_SUITE();
    ExpectMatches("q", {
        {"pal1p1", "pal1p1"},
        {"pal2", "pal2"},
        {"pal2color", "pal2color"},
        {"pal4rlecut", "pal4rlecut"},  // the rows the data never reaches are transparent
        {"pal4rletrns", "pal4rletrns"},
        {"pal8rlecut", "pal8rlecut"},
        {"pal8rletrns", "pal8rletrns"},
        {"pal8offs", "pal8"},
        {"pal8os2-hs", "pal8"},
        {"pal8os2-sz", "pal8"},
        {"pal8os2sp", "pal8"},
        {"pal8os2v2", "pal8"},
        {"pal8os2v2-16", "pal8"},
        {"pal8os2v2-40sz", "pal8"},
        {"pal8os2v2-sz", "pal8"},
        {"pal8oversizepal", "pal8"},
        {"rgb16-231", "rgb16-231"},
        {"rgb16-3103", "rgb16-3103"},
        {"rgb24largepal", "rgb24"},
        {"rgb24png", "rgb24"},
        {"rgb32-7187", "rgb32-7187"},
        {"rgb32-xbgr", "rgb24"},
        {"rgb32fakealpha", "rgb24"},  // the fourth byte of a BI_RGB pixel is not alpha
        {"rgb32h52", "rgb24"},
        {"rgba16-1924", "rgba16-1924"},
        {"rgba16-4444", "rgba16-4444"},
        {"rgba16-5551", "rgba16-5551"},
        {"rgba32-1", "rgba32"},
        {"rgba32-2", "rgba32"},
        {"rgba32-1010102", "rgba32-1010102"},
        {"rgba32-61754", "rgba32-61754"},
        {"rgba32-81284", "rgba32-81284"},
        {"rgba32abf", "rgba32"},
        {"rgba32h56", "rgba32"},
    });
}

TEST(BmpSuite, QuestionableFilesOfUnsupportedKindsFailWithTheirReason)
{
    REQUIRE_SUITE();
    std::map<std::string, std::string> reasons = {
        {"pal1huffmsb", "Huffman"},
        {"rgb24jpeg", "JPEG"},
        {"rgb24rle24", "RLE24"},
        {"rgba64", "64 bits"},
    };
    for (const auto& [file, reason] : reasons) {
        auto image = DecodeFile(Suite() / "q" / (file + ".bmp"));
        ASSERT_FALSE(image.Ok()) << file;
        EXPECT_NE(image.Error().find(reason), std::string::npos) << file << ": " << image.Error();
    }
    // The rest decode to a picture of the size the header gives; rgb16faketrns shows its
    // unused top bits as opaque, and the colour profiles of the prof files are not applied.
    for (const char* file : {"rgb16faketrns", "rgb24lprof", "rgb24prof", "rgb24prof2", "rgb32-111110"}) {
        auto image = DecodeFile(Suite() / "q" / (std::string(file) + ".bmp"));
        ASSERT_TRUE(image.Ok()) << file << ": " << image.Error();
        EXPECT_EQ(image->width, 127);
        EXPECT_EQ(image->pixels[0] >> 24, 0xFFu) << file;
    }
}

TEST(BmpSuite, BadFilesFailUnlessOnlyAnUnusedFieldIsWrong)
{
    REQUIRE_SUITE();
    // The file size, image size and resolution fields are not needed to draw the picture (and
    // writers often get the sizes wrong), so these four read as the picture they hold.
    std::set<std::string> unusedFieldWrong = {"badfilesize", "badbitssize", "baddens1", "baddens2"};
    Image pal1 = Reference("pal1");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Suite() / "b")) {
        std::string name = entry.path().stem().string();
        auto image = DecodeFile(entry.path());
        ++files;
        if (unusedFieldWrong.count(name)) {
            ASSERT_TRUE(image.Ok()) << name << ": " << image.Error();
            EXPECT_EQ(CompareImages(*image, pal1), "") << name;
        } else {
            EXPECT_FALSE(image.Ok()) << name << " decoded as " << image->width << "x" << image->height;
            EXPECT_FALSE(image.Error().empty()) << name;
        }
    }
    EXPECT_EQ(files, 20);
}

TEST(BmpDamage, EveryCutOfEveryGoodFileFailsOrDecodesWithoutReadingPastTheEnd)
{
    REQUIRE_SUITE();
    for (const auto& entry : std::filesystem::directory_iterator(Suite() / "g")) {
        auto bytes = samples::ReadFile(entry.path());
        bool runLength = entry.path().stem().string().find("rle") != std::string::npos;
        for (size_t length = 0; length < bytes.size(); length += (length < 200 ? 1 : 97)) {
            // A copy of exactly that length, so that a read past its end is one past the buffer.
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
            auto image = DecodeBmp(ByteView(cut));
            // Only the padding of the last row may be missing from uncompressed pixels.
            if (!runLength && length + 3 < bytes.size()) {
                EXPECT_FALSE(image.Ok()) << entry.path().filename() << " cut to " << length;
            }
        }
    }
}

TEST(BmpDamage, FilesThatHurtOtherDecodersFailCleanly)
{
    // gdk-pixbuf's damaged samples: huge sizes, wrong planes, pixel data off the end, an 8-bit
    // colour table read past its end (CVE-2015-4491).
    for (const char* name : {"bmp-line-overflow.bmp", "bug775242.bmp", "bug776694.bmp", "bug777315.bmp",
                             "cve-2015-4491.bmp", "decodecolormap.bmp", "invalid.1.bmp"}) {
        auto image = DecodeFile(samples::DataDir() / "gdk-pixbuf" / name);
        EXPECT_FALSE(image.Ok()) << name;
    }
    auto valid = DecodeFile(samples::DataDir() / "gdk-pixbuf" / "valid.1.bmp");
    ASSERT_TRUE(valid.Ok()) << valid.Error();
    EXPECT_EQ(valid->width, 48);
}

TEST(BmpDamage, LyingHeadersFailBeforeAllocatingThePicture)
{
    // A 14-byte file header and a 40-byte info header, then `data`.
    auto file = [](int32_t width, int32_t height, uint16_t bits, uint32_t compression, std::vector<uint8_t> data) {
        std::vector<uint8_t> bytes = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0};
        auto put = [&](uint32_t value, int size) {
            for (int i = 0; i < size; ++i)
                bytes.push_back(uint8_t(value >> (8 * i)));
        };
        put(uint32_t(width), 4), put(uint32_t(height), 4), put(1, 2), put(bits, 2), put(compression, 4);
        bytes.insert(bytes.end(), 4 * 5, 0);
        bytes.insert(bytes.end(), data.begin(), data.end());
        return bytes;
    };
    auto huge = file(100000, 100000, 24, 0, {0, 0, 0, 0});
    EXPECT_EQ(DecodeBmp(ByteView(huge)).Error(), "the bitmap is too large");
    auto tall = file(1, -2147483647 - 1, 24, 0, {0, 0, 0, 0});
    EXPECT_FALSE(DecodeBmp(ByteView(tall)).Ok());
    auto claims = file(4000, 3000, 24, 0, std::vector<uint8_t>(1000, 0));
    EXPECT_EQ(DecodeBmp(ByteView(claims)).Error(), "the pixel data is truncated");
    // Run-length data may describe a large picture in few bytes; the cap still holds.
    std::vector<uint8_t> paletteAndEnd(1024, 0);
    paletteAndEnd.insert(paletteAndEnd.end(), {0, 1});
    auto bomb = file(60000, 60000, 8, 1, paletteAndEnd);
    EXPECT_EQ(DecodeBmp(ByteView(bomb)).Error(), "the bitmap is too large");
}

TEST(BmpWrite, WrittenFilesReadBackAsTheyWereWithPaddedRows)
{
    for (int width : {1, 2, 3, 5, 64}) {
        Image picture = TestPicture(width, 7, false);
        auto bytes24 = EncodeBmp(picture, BmpDepth::Bits24);
        auto back24 = DecodeBmp(ByteView(bytes24));
        ASSERT_TRUE(back24.Ok()) << back24.Error();
        EXPECT_EQ(CompareImages(*back24, picture), "") << "24 bits, width " << width;
        EXPECT_EQ(bytes24.size(), 54 + (size_t(width) * 3 + 3) / 4 * 4 * 7);
    }
    Image translucent = TestPicture(9, 4, true);
    auto bytes32 = EncodeBmp(translucent, BmpDepth::Bits32);
    auto back32 = DecodeBmp(ByteView(bytes32));
    ASSERT_TRUE(back32.Ok()) << back32.Error();
    EXPECT_EQ(back32->pixels[0], translucent.pixels[0] | 0xFF000000) << "a BI_RGB reader ignores the fourth byte";
    EXPECT_EQ(bytes32[54 + 4 * 9 * 3 + 3], translucent.pixels[0] >> 24) << "the alpha is stored, bottom row first";
    EXPECT_TRUE(EncodeBmp(Image{3, 3, {}}, BmpDepth::Bits24).empty()) << "an image without its pixels";
}

TEST(BmpWrite, ImageMagickReadsWhatWeWrite)
{
    if (!samples::HaveProgram("convert"))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempTree folder("bmpwrite");
    Image picture = TestPicture(37, 11, false);
    for (BmpDepth depth : {BmpDepth::Bits24, BmpDepth::Bits32}) {
        samples::WriteFile(folder / "ours.bmp", EncodeBmp(picture, depth));
        ASSERT_TRUE(samples::Run("convert " + (folder / "ours.bmp").string() + " PNG32:" +
                                 (folder / "theirs.png").string()));
        auto bytes = samples::ReadFile(folder / "theirs.png");
        auto theirs = DecodePng(ByteView(bytes));
        ASSERT_TRUE(theirs.Ok()) << theirs.Error();
        EXPECT_EQ(CompareImages(*theirs, picture), "") << int(depth) << " bits";
    }
}

TEST(BmpImageMagick, EveryVariantImageMagickWritesDecodes)
{
    if (!samples::HaveProgram("convert"))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    REQUIRE_SUITE();
    TempTree folder("bmpmagick");
    std::string reference = (Suite() / "reference").string();
    struct Variant {
        const char* source;   // a reference picture of the suite
        const char* options;  // how ImageMagick writes it
        int tolerance;
    };
    const Variant variants[] = {
        {"rgb24", "BMP2:", 0},                                // OS/2 1.x core header
        {"rgb24", "BMP3:", 0},                                // BITMAPINFOHEADER
        {"rgb24", "BMP:", 0},                                 // BITMAPV5HEADER
        {"rgba32", "BMP:", 0},                                // V5, 32 bits with an alpha mask
        {"pal8", "-type palette BMP2:", 0},                   // 8-bit palette, core header
        {"pal8", "-type palette BMP3:", 0},
        {"pal8", "-type palette -compress RLE BMP3:", 0},     // RLE8, rows run into their padding
        {"pal4", "-colors 16 -compress RLE BMP3:", 0},
        {"pal1", "-type bilevel BMP3:", 0},                   // 1 bit
                // 16 bits: ImageMagick truncates to 5 and 6 bits (one step of 8 or 4), and to 4 (17).
        {"rgb24", "-define bmp:subtype=RGB565 BMP:", 8},
        {"rgba32", "-define bmp:subtype=ARGB4444 BMP:", 17},
    };
    int index = 0;
    for (const Variant& variant : variants) {
        std::string out = (folder / ("v" + std::to_string(index++) + ".bmp")).string();
        ASSERT_TRUE(samples::Run("convert " + reference + "/" + variant.source + ".png " + variant.options + out))
            << variant.options;
        auto image = DecodeFile(out);
        ASSERT_TRUE(image.Ok()) << variant.options << variant.source << ": " << image.Error();
        EXPECT_EQ(CompareImages(*image, Reference(variant.source), variant.tolerance), "")
            << variant.options << variant.source;
    }
}
