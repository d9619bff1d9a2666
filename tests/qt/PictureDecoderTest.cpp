// The back end's decoder: WebP, TIFF and XPM pictures through Qt's readers and the first page
// of a PDF document through Poppler, all from bytes; damaged, locked and oversized files refused
// with a reason, never a crash.

#include "formats/Image.h"
#include "qt/PictureDecoder.h"
#include "tests/formats/Samples.h"

#include "tests/qt/QtFixture.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Green = 0xFF00FF00;
constexpr uint32_t Blue = 0xFF0000FF;

// Qt's image readers need its application, the one the other cases of this program share.
class PictureDecoderTest : public QtFixture {
protected:
    bool Decode(const std::string& format, const std::string& name, int pageWidth = 300)
    {
        std::vector<uint8_t> bytes = samples::ReadFile(samples::DataDir() / "pictures" / name);
        image = {};
        error.clear();
        return decoder.Decode(format, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                              pageWidth, image, error);
    }

    uint32_t At(int x, int y) const { return image.pixels[size_t(y) * size_t(image.width) + size_t(x)]; }

    qtui::PictureDecoder decoder;
    formats::Image image;
    std::string error;
};

}  // namespace

TEST_F(PictureDecoderTest, EveryPictureFormatDecodesToItsBands)
{
    for (auto [format, name] :
         {std::pair{"WEBP", "bands.webp"}, {"TIFF", "bands.tiff"}, {"TIF", "bands.tiff"}, {"XPM", "bands.xpm"}}) {
        ASSERT_TRUE(Decode(format, name)) << name << ": " << error;
        ASSERT_EQ(image.width, 40) << name;
        ASSERT_EQ(image.height, 30) << name;
        ASSERT_EQ(image.pixels.size(), size_t(40 * 30)) << name;
        EXPECT_EQ(samples::Hex(At(20, 5)), samples::Hex(Red)) << name;
        EXPECT_EQ(samples::Hex(At(20, 15)), samples::Hex(Green)) << name;
        EXPECT_EQ(samples::Hex(At(20, 25)), samples::Hex(Blue)) << name;
    }
}

TEST_F(PictureDecoderTest, DamagedOrMisnamedPicturesAreRefusedWithAReason)
{
    for (auto [format, name] : {std::pair{"WEBP", "broken.webp"}, {"TIFF", "broken.tiff"}, {"XPM", "broken.xpm"},
                                {"WEBP", "bands.png"}, {"TIFF", "bands.xpm"}, {"XPM", "page.pdf"}}) {
        EXPECT_FALSE(Decode(format, name)) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_TRUE(image.pixels.empty()) << name;
    }
}

// The header's size is checked before the reader allocates the pixels.
TEST_F(PictureDecoderTest, APictureWhoseHeaderClaimsTooManyPixelsIsRefused)
{
    EXPECT_FALSE(Decode("WEBP", "huge.webp"));
    EXPECT_EQ(error, "the picture is too large (16383 x 16383 pixels)");
    EXPECT_TRUE(image.pixels.empty());
}

TEST_F(PictureDecoderTest, APdfPageIsDrawnToThePaneWidthKeepingItsProportions)
{
    ASSERT_TRUE(Decode("PDF", "page.pdf", 300)) << error;
    EXPECT_EQ(image.width, 300);
    EXPECT_EQ(image.height, 150);
    EXPECT_EQ(samples::Hex(At(150, 30)), samples::Hex(Red));
    EXPECT_EQ(samples::Hex(At(150, 120)), samples::Hex(Blue));
    ASSERT_TRUE(Decode("PDF", "page.pdf", 64)) << error;
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 32);
}

TEST_F(PictureDecoderTest, ALockedBrokenOrCutDocumentIsRefusedWithAReason)
{
    EXPECT_FALSE(Decode("PDF", "locked.pdf"));
    EXPECT_EQ(error, "the document is locked with a password");
    for (const char* name : {"broken.pdf", "cut.pdf", "bands.png"}) {
        EXPECT_FALSE(Decode("PDF", name)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

// A document another program wrote: the shared MIME database's reference document, as Debian
// installs it.
TEST_F(PictureDecoderTest, ADocumentOfAnotherProgramShowsItsFirstPage)
{
    const auto path = std::filesystem::path("/usr/share/doc/shared-mime-info/shared-mime-info-spec.pdf");
    std::vector<uint8_t> bytes = samples::ReadFile(path);
    if (bytes.empty())
        GTEST_SKIP() << path << " is not installed";
    ASSERT_TRUE(decoder.Decode("PDF", std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), 400,
                               image, error))
        << error;
    EXPECT_EQ(image.width, 400);
    EXPECT_GT(image.height, 400);
    // Text on white paper: some pixels dark, most white.
    size_t dark = std::count_if(image.pixels.begin(), image.pixels.end(), [](uint32_t p) { return (p & 0xFF) < 0x80; });
    EXPECT_GT(dark, 0u);
    EXPECT_LT(dark, image.pixels.size() / 4);
}
