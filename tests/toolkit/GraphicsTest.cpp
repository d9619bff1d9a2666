// Bitmaps, icons, the canvas and pictures.

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Graphics.h"
#include "toolkit/Image.h"
#include "toolkit/ImageList.h"

#include <gtest/gtest.h>

using namespace tk;

namespace {
constexpr uint32_t White = 0xFFFFFFFF;
constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Clear = 0x00000000;

// Knows one picture file, a 3 x 2 bitmap; any other name is a picture it cannot read.
class OnePictureFormats : public IPictureFormats {
public:
    std::unique_ptr<TGraphic> LoadPicture(const std::string& dosPath) override
    {
        requested.push_back(dosPath);
        if (dosPath != "C:\\A.BMP")
            throw EInvalidGraphic("画像ファイルの拡張子 (.xyz) が不明です。");
        return std::make_unique<TBitmap>(3, 2);
    }
    std::vector<std::string> requested;
};
}  // namespace

TEST(Canvas, DrawingAnIconBlendsByAlphaAndClipsAtTheEdges)
{
    TBitmap bitmap(4, 4);
    TIcon icon(2, 2, {Red, Clear, 0x80000000, Red});
    bitmap.Canvas().Draw(3, 3, icon);
    EXPECT_EQ(bitmap.Pixel(3, 3), Red);
    EXPECT_EQ(bitmap.Pixel(2, 2), White);

    bitmap.Canvas().Draw(0, 0, icon);
    EXPECT_EQ(bitmap.Pixel(0, 0), Red);
    EXPECT_EQ(bitmap.Pixel(1, 0), White) << "a transparent pixel leaves the background";
    EXPECT_EQ(bitmap.Pixel(0, 1), 0xFF7F7F7F) << "half-transparent black over white is mid grey";
    bitmap.Canvas().Draw(-1, -1, icon);
    EXPECT_EQ(bitmap.Pixel(0, 0), Red);
}

TEST(Canvas, CopyRectCopiesTheOverlapOnly)
{
    TBitmap source(3, 3);
    source.Canvas().SetBrushColor(TColor::Rgb(0, 0, 255));
    source.Canvas().FillRect(TRect{0, 0, 3, 3});
    TBitmap target(2, 2);
    target.Canvas().CopyRect(TRect{0, 0, 5, 5}, source.Canvas(), TRect{1, 1, 6, 6});
    EXPECT_EQ(target.Pixel(0, 0), 0xFF0000FF);
    EXPECT_EQ(target.Pixel(1, 1), 0xFF0000FF);
}

TEST(Bitmap, ResizingKeepsWhatFitsAndFillsTheRestWhite)
{
    TBitmap bitmap(2, 2);
    bitmap.SetPixel(1, 1, Red);
    bitmap.SetSize(3, 1);
    EXPECT_EQ(bitmap.Pixels().size(), 3u);
    EXPECT_EQ(bitmap.Pixel(2, 0), White);
    bitmap.SetSize(2, 2);
    EXPECT_EQ(bitmap.Pixel(1, 1), White) << "pixels cut off by a smaller size are gone";
    bitmap.SetSize(-3, 4);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Pixel(5, 5), 0u) << "reading outside the bitmap is harmless";
}

TEST(Bitmap, MadeFromPixelsOfTheWrongCountItIsWhite)
{
    TBitmap bitmap(2, 1, {Red, Clear});
    EXPECT_EQ(bitmap.Pixel(1, 0), Clear);
    TBitmap wrong(2, 2, {Red});
    EXPECT_EQ(wrong.Width(), 2);
    EXPECT_EQ(wrong.Pixel(0, 0), White);
}

TEST(Icon, PixelsThatDoNotMatchTheSizeGiveAnEmptyIcon)
{
    TIcon icon(4, 4, std::vector<uint32_t>(3, Red));
    EXPECT_TRUE(icon.Empty());
}

// Copies of an icon, and an image list's copy of an icon of its size, share the pixels; giving
// one of them a new image leaves the others as they were.
TEST(Icon, CopiesShareTheirPixelsUntilOneIsGivenANewImage)
{
    TIcon icon(2, 1, {0xFF112233, 0xFF445566});
    TIcon copy = icon;
    EXPECT_EQ(copy.Pixels().data(), icon.Pixels().data());
    auto clone = icon.Clone();
    EXPECT_EQ(clone->Pixels().data(), icon.Pixels().data());
    copy.SetImage(1, 1, {0xFF000000});
    EXPECT_EQ(icon.Pixels(), (std::vector<uint32_t>{0xFF112233, 0xFF445566}));
    EXPECT_EQ(clone->Pixels(), icon.Pixels());
    EXPECT_EQ(copy.Pixels(), (std::vector<uint32_t>{0xFF000000}));

    TImageList list(nullptr);
    list.SetSize(2, 1);
    ASSERT_EQ(list.Add(icon), 0);
    EXPECT_EQ(list.Image(0).Pixels().data(), icon.Pixels().data()) << "an icon of the list's size is shared";
    ASSERT_EQ(list.Add(copy), 1);
    EXPECT_EQ(list.Image(1).Pixels().size(), 2u) << "another size is scaled to the list's";
    EXPECT_TRUE(TIcon().Pixels().empty());
}

TEST(Picture, AnAutoSizeImageTakesThePictureSizeAndAssignCopies)
{
    TImage image(nullptr);
    image.SetAutoSize(true);
    image.Picture().SetGraphic(std::make_unique<TBitmap>(40, 30));
    EXPECT_EQ(image.Width(), 40);
    EXPECT_EQ(image.Height(), 30);
    image.Canvas().SetPixel(0, 0, Red);

    TPicture copy;
    copy.Assign(image.Picture());
    EXPECT_EQ(copy.Width(), 40);
    image.Picture().Bitmap().SetPixel(0, 0, White);
    EXPECT_EQ(copy.Bitmap().Pixel(0, 0), Red) << "an assigned picture is a copy";

    image.Picture().SetGraphic(std::make_unique<TIcon>(32, 32, std::vector<uint32_t>(32 * 32, Red)));
    EXPECT_EQ(image.Width(), 32);
    TBitmap& bitmap = image.Picture().Bitmap();
    EXPECT_TRUE(bitmap.Empty()) << "asking an icon picture for its bitmap replaces it";
}

TEST(Picture, LoadFromFileReadsThroughTheApplicationsLoaderAndKeepsThePictureOnFailure)
{
    TApplication application;
    OnePictureFormats formats;
    application.SetPictureFormats(&formats);
    TImage image(&application);
    image.SetAutoSize(true);
    image.Picture().LoadFromFile("C:\\A.BMP");
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 2);

    EXPECT_THROW(image.Picture().LoadFromFile("C:\\B.XYZ"), EInvalidGraphic);
    EXPECT_EQ(image.Picture().Width(), 3) << "a failed load keeps the picture";
    EXPECT_EQ(formats.requested, (std::vector<std::string>{"C:\\A.BMP", "C:\\B.XYZ"}));

    TImage alone(nullptr);
    EXPECT_THROW(alone.Picture().LoadFromFile("C:\\A.BMP"), EInvalidGraphic) << "no loader without an application";
}
