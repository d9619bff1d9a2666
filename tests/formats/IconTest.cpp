// Icon and cursor files: their directories, the choice of an image, masks and alpha, PNG images,
// and damaged files.

#include "formats/Bmp.h"
#include "formats/Icon.h"
#include "formats/Png.h"
#include "tests/formats/IconBuilder.h"
#include "tests/TempTree.h"
#include "tests/formats/Samples.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace formats;
using samples::BuiltImage;
using samples::CompareImages;

namespace {

constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Green = 0xFF00FF00;
constexpr uint32_t HalfBlue = 0x800000FF;

// An image with only a header: enough for the choice, which reads no pixels.
BuiltImage HeaderOnly(int side, int bitCount)
{
    samples::ByteWriter out;
    samples::IconInfoHeader(out, side, side, bitCount);
    return BuiltImage{out.bytes, side, side};
}

std::string ChosenImage(const IconDirectory& directory, int size, int bitCount)
{
    IconImageInfo info = DescribeIconImage(directory.entries[size_t(RankIconImages(directory, size, bitCount)[0])]);
    return std::to_string(info.width) + "@" + std::to_string(info.bitCount);
}

Image DecodePngFile(const std::filesystem::path& path)
{
    auto bytes = samples::ReadFile(path);
    auto image = DecodePng(ByteView(bytes));
    EXPECT_TRUE(image.Ok()) << path << ": " << image.Error();
    return image ? *image : Image{};
}

}  // namespace

TEST(IconChoice, NearestSizeFirstPreferringLargerThenTheDeepestTheDisplayShows)
{
    auto file = samples::IconFile(1, {HeaderOnly(16, 4), HeaderOnly(32, 4), HeaderOnly(32, 8), HeaderOnly(32, 32),
                                      HeaderOnly(48, 32)});
    auto directory = ReadIconFile(ByteView(file));
    ASSERT_TRUE(directory.Ok()) << directory.Error();
    EXPECT_EQ(ChosenImage(*directory, 32, 32), "32@32");
    EXPECT_EQ(ChosenImage(*directory, 32, 8), "32@8");
    EXPECT_EQ(ChosenImage(*directory, 32, 4), "32@4");
    EXPECT_EQ(ChosenImage(*directory, 24, 32), "32@32") << "a larger image shrinks better than a smaller grows";
    EXPECT_EQ(ChosenImage(*directory, 64, 32), "48@32") << "none larger: the largest";
    EXPECT_EQ(ChosenImage(*directory, 16, 32), "16@4");
    EXPECT_EQ(ChosenImage(*directory, 32, 1), "32@4") << "none shallow enough: the shallowest";
}

TEST(IconChoice, TheImageHeaderOverridesAWrongDirectoryEntry)
{
    BuiltImage lying = HeaderOnly(32, 32);
    lying.width = lying.height = 16;
    auto file = samples::IconFile(1, {HeaderOnly(16, 32), lying});
    auto directory = ReadIconFile(ByteView(file));
    ASSERT_TRUE(directory.Ok()) << directory.Error();
    EXPECT_EQ(RankIconImages(*directory, 32, 32)[0], 1);
}

TEST(IconPixels, TheAndMaskMakesTransparentUnlessTheImageCarriesAlpha)
{
    // Alpha present: it wins over a mask that marks every pixel.
    std::vector<uint32_t> withAlpha = {Red, HalfBlue, 0x00000000, Green};
    auto alphaFile = samples::IconFile(1, {{samples::IconDib32(2, 2, withAlpha, {true, true, true, true}), 2, 2}});
    auto alphaDirectory = ReadIconFile(ByteView(alphaFile));
    ASSERT_TRUE(alphaDirectory.Ok());
    auto alphaImage = DecodeIconImage(alphaDirectory->entries[0]);
    ASSERT_TRUE(alphaImage.Ok()) << alphaImage.Error();
    EXPECT_EQ(alphaImage->pixels, withAlpha);

    // No alpha (all zero): the mask decides; a masked pixel with colour would invert the screen
    // and shows black.
    std::vector<uint32_t> noAlpha = {0x00FF0000, 0x0000FF00, 0x00000000, 0x00FFFFFF};
    auto maskFile = samples::IconFile(1, {{samples::IconDib32(2, 2, noAlpha, {false, false, true, true}), 2, 2}});
    auto maskDirectory = ReadIconFile(ByteView(maskFile));
    ASSERT_TRUE(maskDirectory.Ok());
    auto maskImage = DecodeIconImage(maskDirectory->entries[0]);
    ASSERT_TRUE(maskImage.Ok()) << maskImage.Error();
    EXPECT_EQ(maskImage->pixels, (std::vector<uint32_t>{Red, Green, 0x00000000, 0xFF000000}));
}

TEST(IconPixels, APaletteIconWithItsMaskLooksAsGdkPixbufShowsIt)
{
    auto bytes = samples::ReadFile(samples::DataDir() / "gdk-pixbuf" / "squares.ico");
    auto directory = ReadIconFile(ByteView(bytes));
    ASSERT_TRUE(directory.Ok()) << directory.Error();
    auto image = DecodeBestIconImage(*directory, 32, 32);
    ASSERT_TRUE(image.Ok()) << image.Error();
    EXPECT_EQ(CompareImages(*image, DecodePngFile(samples::DataDir() / "gdk-pixbuf" / "squares.ico.ref.png")), "");
}

TEST(IconFiles, CursorsKeepTheirHotSpot)
{
    BuiltImage arrow{samples::IconDib32(2, 2, {Red, Red, Red, Red}, {false, false, false, false}), 2, 2, 1, 0};
    auto file = samples::IconFile(2, {arrow});
    auto directory = ReadIconFile(ByteView(file));
    ASSERT_TRUE(directory.Ok()) << directory.Error();
    EXPECT_EQ(directory->kind, IconKind::Cursor);
    EXPECT_EQ(directory->entries[0].hotSpotX, 1);
    EXPECT_EQ(directory->entries[0].hotSpotY, 0);
    EXPECT_TRUE(DecodeBestIconImage(*directory, 32, 32).Ok());
}

TEST(IconFiles, ImageMagickIconsHoldEverySizeAndThePngOne)
{
    if (!samples::HaveProgram("convert"))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    TempTree folder("icons");
    // A picture with soft edges, so that alpha matters.
    Image source{64, 64, {}};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            int distance = (x - 32) * (x - 32) + (y - 32) * (y - 32);
            uint32_t alpha = distance < 600 ? 255 : distance < 900 ? 128 : 0;
            source.pixels.push_back(alpha << 24 | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | 0x40);
        }
    samples::WriteFile(folder / "source.png", *EncodePng(source));
    std::string input = (folder / "source.png").string();
    ASSERT_TRUE(samples::Run("convert " + input + " -define icon:auto-resize=256,48,32,16 " +
                             (folder / "several.ico").string()));
    auto bytes = samples::ReadFile(folder / "several.ico");
    auto directory = ReadIconFile(ByteView(bytes));
    ASSERT_TRUE(directory.Ok()) << directory.Error();
    ASSERT_EQ(directory->entries.size(), 4u);
    EXPECT_TRUE(DescribeIconImage(directory->entries[0]).png) << "ImageMagick stores 256 pixels as PNG";
    for (const IconEntry& entry : directory->entries) {
        IconImageInfo info = DescribeIconImage(entry);
        auto image = DecodeIconImage(entry);
        ASSERT_TRUE(image.Ok()) << info.width << ": " << image.Error();
        std::string side = std::to_string(info.width);
        ASSERT_TRUE(samples::Run("convert " + input + " -resize " + side + "x" + side + " PNG32:" +
                                 (folder / "expected.png").string()));
        // Its PNG entry rounds alpha one step differently from its PNG files.
        EXPECT_EQ(CompareImages(*image, DecodePngFile(folder / "expected.png"), 1), "") << side << " pixels";
    }
    auto best = DecodeBestIconImage(*directory, 32, 32);
    ASSERT_TRUE(best.Ok());
    EXPECT_EQ(best->width, 32);
}

TEST(IconDamage, DamagedFilesFailCleanly)
{
    for (const char* name : {"bad-header.ico", "bug776040.ico", "bug778204.ico", "bug779012.ico", "crash.ico",
                             "invalid.1.ico", "invalid.2.ico", "invalid.3.ico"}) {
        auto bytes = samples::ReadFile(samples::DataDir() / "gdk-pixbuf" / name);
        ASSERT_FALSE(bytes.empty()) << name;
        auto directory = ReadIconFile(ByteView(bytes));
        if (directory) {
            EXPECT_FALSE(DecodeBestIconImage(*directory, 32, 32).Ok()) << name;
        }
    }
}

TEST(IconDamage, CutsAndLyingEntriesNeverReadOutsideTheFile)
{
    auto whole = samples::ReadFile(samples::DataDir() / "gdk-pixbuf" / "squares.ico");
    for (size_t length = 0; length < whole.size(); ++length) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
        if (auto directory = ReadIconFile(ByteView(cut)))
            DecodeBestIconImage(*directory, 32, 32);
    }
    // An entry whose length runs past the end still has all its data: it decodes.
    auto file = samples::IconFile(1, {{samples::IconDib32(2, 2, {Red, Red, Red, Red}, {false, false, false, false}), 2, 2}});
    file[14] = 0xFF, file[15] = 0xFF;  // dwBytesInRes
    auto directory = ReadIconFile(ByteView(file));
    ASSERT_TRUE(directory.Ok()) << directory.Error();
    EXPECT_TRUE(DecodeBestIconImage(*directory, 32, 32).Ok());
    // An entry that starts past the end is left out.
    file[18] = 0xFF, file[19] = 0xFF;  // dwImageOffset
    EXPECT_EQ(ReadIconFile(ByteView(file)).Error(), "no icon image lies inside the file");
    // A header that claims a huge image fails before allocating it.
    samples::ByteWriter huge;
    samples::IconInfoHeader(huge, 60000, 60000, 32);
    auto hugeFile = samples::IconFile(1, {{huge.bytes, 0, 0}});
    auto hugeDirectory = ReadIconFile(ByteView(hugeFile));
    ASSERT_TRUE(hugeDirectory.Ok());
    EXPECT_EQ(DecodeBestIconImage(*hugeDirectory, 32, 32).Error(), "the bitmap is too large");
}

TEST(PngIcons, ThemeImagesDecodeAtTheirSize)
{
    std::filesystem::path theme = "/usr/share/icons/Adwaita";
    if (!std::filesystem::exists(theme / "48x48" / "places" / "folder.png"))
        GTEST_SKIP() << "the Adwaita icon theme is not installed";
    for (int side : {16, 24, 48}) {
        std::string folder = std::to_string(side) + "x" + std::to_string(side);
        Image image = DecodePngFile(theme / folder / "places" / "folder.png");
        EXPECT_EQ(image.width, side);
        EXPECT_EQ(image.height, side);
        EXPECT_TRUE(std::any_of(image.pixels.begin(), image.pixels.end(), [](uint32_t pixel) { return pixel >> 24 == 0; }))
            << "a folder icon has transparent parts";
    }
}

TEST(PngIcons, DamagedPngDataFailsWithLibpngsReason)
{
    Image picture{3, 2, {Red, Green, HalfBlue, 0, Red, Green}};
    auto file = EncodePng(picture);
    ASSERT_TRUE(file.Ok());
    auto back = DecodePng(ByteView(*file));
    ASSERT_TRUE(back.Ok()) << back.Error();
    EXPECT_EQ(back->pixels, picture.pixels);
    // Cut before the end of the pixel data it fails; without only its 12-byte end chunk it shows.
    size_t pixelsEnd = file->size() - 12;
    for (size_t length = 0; length < file->size(); ++length) {
        std::vector<uint8_t> cut(file->begin(), file->begin() + std::ptrdiff_t(length));
        EXPECT_EQ(DecodePng(ByteView(cut)).Ok(), length >= pixelsEnd) << "cut to " << length;
    }
    std::vector<uint8_t> flipped = *file;
    flipped[flipped.size() / 2] ^= 0x55;
    auto damaged = DecodePng(ByteView(flipped));
    EXPECT_FALSE(damaged.Ok());
    EXPECT_NE(damaged.Error().find("damaged"), std::string::npos) << damaged.Error();
}
