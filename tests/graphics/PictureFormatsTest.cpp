// The picture loader: files on a drive, by extension, into bitmaps, icons and metafiles, and the
// errors it raises for files it cannot show.

#include "formats/Bmp.h"
#include "graphics/PictureFormats.h"
#include "platform/DriveMap.h"
#include "tests/formats/IconBuilder.h"
#include "tests/formats/MetafileBuilder.h"
#include "tests/SpecialFiles.h"
#include "tests/TempTree.h"
#include "tests/formats/Samples.h"
#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Image.h"
#include "toolkit/Metafile.h"

#include <gtest/gtest.h>

using graphics::PictureFormats;

namespace {

constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Blue = 0xFF0000FF;

// A renderer that paints every pixel one colour and counts its calls.
class FlatRenderer : public tk::IMetafileRenderer {
public:
    std::vector<uint32_t> Render(const formats::Metafile&, int width, int height) override
    {
        ++calls;
        return std::vector<uint32_t>(size_t(width) * size_t(height), Red);
    }
    int calls = 0;
};

// Drive C: on a temporary folder holding a few pictures.
class PictureFormatsTest : public ::testing::Test {
protected:
    PictureFormatsTest() : m_folder("pictures"), m_formats(m_drives, &m_renderer)
    {
        m_drives.Map('C', m_folder.Root());
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
        samples::WmfBuilder wmf;
        wmf.Record(0x041B, {720, 1440, 0, 0});
        samples::WriteFile(m_folder / "Drawing.wmf", wmf.Placeable(0, 0, 2880, 1440, 1440));
        samples::WriteFile(m_folder / "Drawing.emf", samples::EmfBuilder().Record(43, {0, 0, 9, 9}).Build(2540, 1270));
        samples::WriteFile(m_folder / "Bad.wmf", std::vector<uint8_t>(40, 0x55));
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

    TempTree m_folder;
    platform::DriveMap m_drives;
    FlatRenderer m_renderer;
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
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\notes.xyz"), "画像ファイルの拡張子 (.xyz) が不明です。");
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\README"), "画像ファイルの拡張子 (.) が不明です。");
    EXPECT_EQ(LoadError<tk::EInOutError>("C:\\Gone.emf"),
              "ファイル \"C:\\Gone.emf\" を開けません。そのようなファイルやディレクトリはありません。");
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\Bad.wmf"), "メタファイル \"C:\\Bad.wmf\" が不正です。(not a Windows metafile)");
    EXPECT_EQ(LoadError<tk::EInOutError>("C:\\Gone.bmp"),
              "ファイル \"C:\\Gone.bmp\" を開けません。そのようなファイルやディレクトリはありません。");
    EXPECT_EQ(LoadError<tk::EInOutError>("C:\\Folder.bmp"), "ファイル \"C:\\Folder.bmp\" を開けません。ディレクトリです。");
    EXPECT_EQ(LoadError<tk::EInvalidGraphic>("C:\\Cut.bmp"),
              "ビットマップ イメージ \"C:\\Cut.bmp\" が不正です。(the pixel data is truncated)");
}

TEST_F(PictureFormatsTest, APipeOrADeviceIsRefusedAtOnceAndNeverRead)
{
    ASSERT_TRUE(special::MakePipe(m_folder.Path("pipe.bmp")));
    ASSERT_TRUE(special::MakeLink(m_folder.Path("pipe.bmp"), m_folder.Path("pipe.ico")));
    ASSERT_TRUE(special::MakeLink("/dev/zero", m_folder.Path("zero.emf")));
    special::PipeRelease release({m_folder.Path("pipe.bmp")});
    for (const char* path : {"C:\\pipe.bmp", "C:\\pipe.ico", "C:\\zero.emf"}) {
        auto took = special::TimeOf([&] {
            EXPECT_EQ(LoadError<tk::EInOutError>(path),
                      "ファイル \"" + std::string(path) + "\" を開けません。通常のファイルではありません。");
        });
        EXPECT_LT(took, special::Prompt) << path;
    }
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

TEST_F(PictureFormatsTest, MetafilesHaveTheirNaturalSizeAndAreDrawnOnceByTheRenderer)
{
    auto wmf = m_formats.LoadPicture("C:\\DRAWING.WMF");
    auto* metafile = dynamic_cast<tk::TMetafile*>(wmf.get());
    ASSERT_NE(metafile, nullptr);
    EXPECT_EQ(metafile->Width(), 192) << "two inches at 96 pixels an inch";
    EXPECT_EQ(metafile->Height(), 96);
    EXPECT_EQ(m_renderer.calls, 0) << "nothing is drawn before the pixels are asked for";
    EXPECT_EQ(metafile->Pixels()[0], Red);
    metafile->Pixels();
    auto copy = metafile->Clone();
    EXPECT_EQ(copy->Pixels().size(), size_t(192 * 96));
    EXPECT_EQ(m_renderer.calls, 1) << "the pixels are kept, and a copy keeps them too";

    auto emf = m_formats.LoadPicture("C:\\drawing.emf");
    ASSERT_NE(dynamic_cast<tk::TMetafile*>(emf.get()), nullptr);
    EXPECT_EQ(emf->Width(), 81);
    EXPECT_EQ(emf->Height(), 41);
}

TEST_F(PictureFormatsTest, AMetafileWithoutRendererKeepsItsSizeAndIsTransparent)
{
    PictureFormats bare(m_drives);
    auto graphic = bare.LoadPicture("C:\\Drawing.wmf");
    ASSERT_EQ(graphic->Pixels().size(), size_t(192 * 96));
    EXPECT_EQ(graphic->Pixels()[0], 0u);
}
