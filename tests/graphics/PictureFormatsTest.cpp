// The picture loader: files on a drive, by extension, into bitmaps and icons, and the errors it
// raises for files it cannot show.

#include "formats/Bmp.h"
#include "graphics/PictureFormats.h"
#include "platform/DriveMap.h"
#include "tests/formats/IconBuilder.h"
#include "tests/formats/Samples.h"
#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Image.h"

#include <gtest/gtest.h>

using graphics::PictureFormats;

namespace {

constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Blue = 0xFF0000FF;

// Drive C: on a temporary folder holding a few pictures.
class PictureFormatsTest : public ::testing::Test {
protected:
    PictureFormatsTest() : m_folder("pictures"), m_formats(m_drives)
    {
        m_drives.Map('C', m_folder.Path().string());
        formats::Image picture{3, 2, {Red, Red, Blue, Blue, Red, Red}};
        samples::WriteFile(m_folder / "Picture.bmp", formats::EncodeBmp(picture, formats::BmpDepth::Bits24));
        samples::WriteFile(m_folder / "\xE8\xA1\xA8.bmp", formats::EncodeBmp(picture, formats::BmpDepth::Bits24));
        auto image = [](int side, uint32_t colour) {
            return samples::BuiltImage{samples::IconDib32(side, side, std::vector<uint32_t>(size_t(side * side), colour),
                                                          std::vector<bool>(size_t(side * side), false)),
                                       side, side, 3, 4};
        };
        samples::WriteFile(m_folder / "Icon.ico", samples::IconFile(1, {image(16, Red), image(32, Blue), image(48, Red)}));
        samples::WriteFile(m_folder / "Arrow.cur", samples::IconFile(2, {image(32, Red)}));
        auto bitmap = samples::ReadFile(m_folder / "Picture.bmp");
        bitmap.resize(bitmap.size() - 10);
        samples::WriteFile(m_folder / "Cut.bmp", bitmap);
        std::filesystem::create_directory(m_folder / "Folder.bmp");
    }

    // The error's message, or "" when the load succeeds.
    template <class Error>
    std::string LoadError(const std::string& dosPath)
    {
        try {
            m_formats.LoadPicture(dosPath);
        } catch (const Error& error) {
            return error.Message();
        }
        return "";
    }

    samples::TemporaryFolder m_folder;
    platform::DriveMap m_drives;
    PictureFormats m_formats;
};

}  // namespace

TEST_F(PictureFormatsTest, BitmapsBecomeBitmapsWhateverTheCaseOfTheirExtension)
{
    for (const char* path : {"C:\\Picture.bmp", "C:\\PICTURE.BMP", "C:\\picture.Bmp", "C:\\\x95\x5C.bmp"}) {
        auto graphic = m_formats.LoadPicture(path);
        auto* bitmap = dynamic_cast<tk::TBitmap*>(graphic.get());
        ASSERT_NE(bitmap, nullptr) << path;
        EXPECT_EQ(bitmap->Width(), 3);
        EXPECT_EQ(bitmap->Pixel(0, 0), Red);
        EXPECT_EQ(bitmap->Pixel(0, 1), Blue) << "rows come from the top";
        EXPECT_EQ(bitmap->Pixel(2, 0), Blue);
    }
}

TEST_F(PictureFormatsTest, IconsAndCursorsBecomeIconsOfTheLargeIconSize)
{
    auto icon = m_formats.LoadPicture("C:\\ICON.ICO");
    ASSERT_NE(dynamic_cast<tk::TIcon*>(icon.get()), nullptr);
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_EQ(icon->Pixels()[0], Blue);
    auto cursor = m_formats.LoadPicture("C:\\arrow.cur");
    ASSERT_NE(dynamic_cast<tk::TIcon*>(cursor.get()), nullptr);
    EXPECT_EQ(cursor->Height(), 32);
}

TEST_F(PictureFormatsTest, FilesThatCannotBeShownRaiseErrorsNamingFileAndReason)
{
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\notes.xyz"), "Unknown picture file extension (.xyz)");
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\README"), "Unknown picture file extension (.)");
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\drawing.wmf"), "Unsupported picture format (.wmf): \"C:\\drawing.wmf\"");
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\Drawing.EMF"), "Unsupported picture format (.EMF): \"C:\\Drawing.EMF\"");
    EXPECT_EQ(LoadError<tk::EInOutError>("C:\\Gone.bmp"), "Cannot open file \"C:\\Gone.bmp\": the file does not exist");
    EXPECT_EQ(LoadError<tk::EInOutError>("C:\\Folder.bmp"), "Cannot open file \"C:\\Folder.bmp\": it is a folder");
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\Cut.bmp"),
              "Bitmap image is not valid: \"C:\\Cut.bmp\" (the pixel data is truncated)");
}

TEST_F(PictureFormatsTest, AnImageLoadsThroughItsApplicationsLoader)
{
    tk::TApplication application;
    application.SetPictureFormats(&m_formats);
    tk::TImage image(&application);
    image.SetAutoSize(true);
    image.Picture().LoadFromFile("C:\\Icon.ico");
    EXPECT_EQ(image.Width(), 32);
    EXPECT_THROW(image.Picture().LoadFromFile("C:\\Icon.txt"), tk::EInvalidGraphic);
    EXPECT_EQ(image.Width(), 32);
}
