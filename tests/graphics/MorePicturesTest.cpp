// The pictures the loader reads besides its own formats: PNG and SVG decoded here, the others
// handed to the back end's decoder as bytes, and every file that does not decode, or claims more
// pixels than a picture may have, refused with EInvalidGraphic.

#include "formats/Image.h"
#include "graphics/PictureFormats.h"
#include "platform/DriveMap.h"
#include "tests/formats/Samples.h"
#include "toolkit/Exception.h"
#include "toolkit/Graphics.h"

#include <gtest/gtest.h>

using graphics::PictureFormats;

namespace {

constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Green = 0xFF00FF00;
constexpr uint32_t Blue = 0xFF0000FF;

// A back end that records what it was given and answers with what the test sets.
class RecordingDecoder : public tk::IPictureDecoder {
public:
    bool Decode(const std::string& format, std::string_view bytes, int pageWidth, formats::Image& image,
                std::string& error) override
    {
        formats.push_back(format);
        sizes.push_back(bytes.size());
        widths.push_back(pageWidth);
        if (!failure.empty()) {
            error = failure;
            return false;
        }
        image = answer;
        return true;
    }

    std::vector<std::string> formats;
    std::vector<size_t> sizes;
    std::vector<int> widths;
    formats::Image answer{2, 1, {Red, Blue}};
    std::string failure;
};

// Drive C: on the picture samples.
class MorePicturesTest : public ::testing::Test {
protected:
    MorePicturesTest() { m_drives.Map('C', samples::DataDir() / "pictures"); }

    std::string LoadError(PictureFormats& loader, const std::string& dosPath)
    {
        try {
            loader.LoadPicture(dosPath, 300);
        } catch (const tk::EInvalidGraphic& error) {
            return error.Message();
        }
        return "";
    }

    platform::DriveMap m_drives;
    RecordingDecoder m_decoder;
    PictureFormats m_formats{m_drives, nullptr, &m_decoder};
};

// The colour at the middle of each band, and the size.
std::string Bands(const tk::TGraphic& graphic)
{
    auto at = [&](int x, int y) { return samples::Hex(graphic.Pixels()[size_t(y) * graphic.Width() + x]); };
    return std::to_string(graphic.Width()) + "x" + std::to_string(graphic.Height()) + " " + at(20, 5) + " " +
           at(20, 15) + " " + at(20, 25);
}

}  // namespace

TEST_F(MorePicturesTest, PngSvgAndTgaPicturesDecodeHereAtTheirOwnSizeWithoutTheBackEnd)
{
    const std::string expected = "40x30 " + samples::Hex(Red) + " " + samples::Hex(Green) + " " + samples::Hex(Blue);
    PictureFormats alone(m_drives);
    for (const char* name : {"C:\\bands.png", "C:\\BANDS.PNG", "C:\\bands.svg", "C:\\bands.svgz", "C:\\bands.tga",
                             "C:\\bands-rle.tga"}) {
        auto graphic = alone.LoadPicture(name);
        ASSERT_TRUE(dynamic_cast<tk::TBitmap*>(graphic.get())) << name;
        EXPECT_EQ(Bands(*graphic), expected) << name;
    }
}

TEST_F(MorePicturesTest, TheBackEndIsGivenTheFileBytesAndForADocumentThePaneWidth)
{
    for (const char* name : {"bands.webp", "bands.tiff", "bands.xpm", "page.pdf"}) {
        auto graphic = m_formats.LoadPicture(std::string("C:\\") + name, 300);
        EXPECT_EQ(graphic->Width(), 2) << name;
        EXPECT_EQ(m_decoder.sizes.back(), samples::ReadFile(samples::DataDir() / "pictures" / name).size()) << name;
    }
    EXPECT_EQ(m_decoder.formats, (std::vector<std::string>{"WEBP", "TIFF", "XPM", "PDF"}));
    EXPECT_EQ(m_decoder.widths.back(), 300);
    // A pane too narrow for a readable page, and a load that names no pane, give the least width.
    m_formats.LoadPicture("C:\\page.pdf", 3);
    m_formats.LoadPicture("C:\\page.pdf");
    EXPECT_EQ(m_decoder.widths[4], 64);
    EXPECT_EQ(m_decoder.widths[5], 64);
}

TEST_F(MorePicturesTest, EveryDamagedOrOversizedFileRaisesInvalidGraphicNamingFileAndReason)
{
    EXPECT_EQ(LoadError(m_formats, "C:\\broken.png"),
              "画像 \"C:\\broken.png\" が不正です。(the PNG data is damaged (the file ends early))");
    for (const char* name : {"C:\\broken.svg", "C:\\huge.svg", "C:\\odd-size.svg", "C:\\no-area.svg",
                             "C:\\broken.tga", "C:\\huge.tga"}) {
        std::string error = LoadError(m_formats, name);
        EXPECT_EQ(error.rfind(std::string("画像 \"") + name + "\" が不正です。(", 0), 0) << error;
    }
    EXPECT_NE(LoadError(m_formats, "C:\\huge.svg").find("too large (100000 x 100000 pixels)"), std::string::npos);
    EXPECT_NE(LoadError(m_formats, "C:\\huge.tga").find("(65535 x 65535 pixels)"), std::string::npos);
    EXPECT_NE(LoadError(m_formats, "C:\\no-area.svg").find("no area (0 x 0 pixels)"), std::string::npos);
    // What the back end refuses is raised with its reason.
    m_decoder.failure = "the document is locked with a password";
    EXPECT_EQ(LoadError(m_formats, "C:\\locked.pdf"),
              "画像 \"C:\\locked.pdf\" が不正です。(the document is locked with a password)");
    EXPECT_EQ(m_decoder.formats, std::vector<std::string>{"PDF"});
}

TEST_F(MorePicturesTest, WhatTheBackEndGivesIsCheckedNotTrusted)
{
    m_decoder.answer = formats::Image{100000, 100000, {}};
    EXPECT_NE(LoadError(m_formats, "C:\\bands.webp").find("no valid size"), std::string::npos);
    m_decoder.answer = formats::Image{2, 2, {Red, Red, Red}};
    EXPECT_NE(LoadError(m_formats, "C:\\bands.webp").find("no valid size"), std::string::npos);
    m_decoder.answer = formats::Image{0, 0, {}};
    EXPECT_NE(LoadError(m_formats, "C:\\page.pdf").find("no valid size"), std::string::npos);
}

TEST_F(MorePicturesTest, WithoutABackEndItsFormatsRaiseInvalidGraphic)
{
    PictureFormats alone(m_drives);
    for (const char* name : {"C:\\bands.webp", "C:\\page.pdf"}) {
        std::string error = LoadError(alone, name);
        EXPECT_NE(error.find("no decoder for ."), std::string::npos) << error;
    }
}
