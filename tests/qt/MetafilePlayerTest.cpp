// The metafile player: what small metafiles made here draw, pixel by pixel; the sample and
// damaged files of other programs; and LibreOffice's exports beside another renderer's picture.

#include "formats/Metafile.h"
#include "qt/MetafileRenderer.h"
#include "tests/formats/MetafileBuilder.h"
#include "tests/TempTree.h"
#include "tests/formats/Samples.h"
#include "tests/qt/QtFixture.h"
#include "toolkit/Image.h"
#include "toolkit/Metafile.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <span>

using samples::EmfBuilder;
using samples::WmfBuilder;

namespace {

constexpr QRgb Transparent = 0;
constexpr QRgb Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, White = 0xFFFFFFFF;
// COLORREF values: 0x00BBGGRR.
constexpr int RefRed = 0x0000FF, RefGreen = 0x00FF00, RefBlue = 0xFF0000;

// EMF records by type.
constexpr uint32_t EmrSetBkMode = 18, EmrSetTextAlign = 22, EmrSetBkColor = 25, EmrChord = 46, EmrPie = 47,
                   EmrSetArcDirection = 57, EmrExtCreateFontIndirectW = 82, EmrExtTextOutW = 84;
constexpr uint32_t EmrSetWindowExtEx = 9, EmrSetViewportExtEx = 11, EmrSetViewportOrgEx = 12, EmrSetMapMode = 17,
                   EmrExcludeClipRect = 29, EmrIntersectClipRect = 30, EmrSaveDc = 33, EmrRestoreDc = 34,
                   EmrSelectObject = 37, EmrCreatePen = 38, EmrCreateBrushIndirect = 39, EmrEllipse = 42,
                   EmrRectangle = 43, EmrStretchDiBits = 81;
constexpr int64_t NullPen = 0x80000008;

class MetafilePlayer : public QtFixture {
protected:
    static QImage Render(const samples::Bytes& bytes)
    {
        auto metafile = formats::ReadMetafile(formats::ByteView(bytes));
        if (!metafile)
            return QImage();
        return qtui::RenderMetafile(*metafile, metafile->header.pixelWidth, metafile->header.pixelHeight);
    }
    // An EMF of 100 x 100 pixels: 100 mm on a device of one pixel a millimetre.
    static QImage RenderEmf(const EmfBuilder& emf) { return Render(emf.Build(10000, 10000, 1000, 1000, 1000, 1000)); }
    static EmfBuilder WithBrush(int colorRef)
    {
        EmfBuilder emf;
        emf.Record(EmrCreateBrushIndirect, {1, 0, colorRef, 0}).Record(EmrSelectObject, {1});
        emf.Record(EmrSelectObject, {NullPen});
        return emf;
    }
    static std::string Hex(QRgb rgb) { return samples::Hex(rgb); }
};

// The little-endian bytes of a 2 x 2 32-bit DIB, bottom-up: blue, green below; red, white above.
samples::Bytes TwoByTwoDib()
{
    samples::Bytes dib;
    for (uint32_t value : {40u, 2u, 2u, 0x00200001u, 0u, 16u, 0u, 0u, 0u, 0u})
        samples::Put32(dib, value);
    for (uint32_t pixel : {0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0x00FFFFFFu})
        samples::Put32(dib, pixel);
    return dib;
}

samples::Bytes StretchDiBits(int x, int y, int srcX, int srcY, int srcW, int srcH, int width, int height)
{
    samples::Bytes body;
    for (int64_t field : {0, 0, 0, 0, x, y, srcX, srcY, srcW, srcH, 80, 40, 120, 16, 0, 0xCC0020, width, height})
        samples::Put32(body, uint32_t(field));
    samples::Bytes dib = TwoByTwoDib();
    body.insert(body.end(), dib.begin(), dib.end());
    return body;
}

}  // namespace

TEST_F(MetafilePlayer, FiguresAreFilledWithTheBrushAndOutlinedWithThePenSelected)
{
    EmfBuilder emf;
    emf.Record(EmrCreateBrushIndirect, {1, 0, RefRed, 0})
        .Record(EmrSelectObject, {1})
        .Record(EmrCreatePen, {2, 0, 0, 0, RefGreen})
        .Record(EmrSelectObject, {2})
        .Record(EmrRectangle, {10, 10, 50, 50})
        .Record(EmrSelectObject, {NullPen})
        .Record(EmrEllipse, {60, 60, 90, 90});
    QImage image = RenderEmf(emf);
    ASSERT_EQ(image.size(), QSize(100, 100));
    EXPECT_EQ(image.pixel(30, 30), Red) << Hex(image.pixel(30, 30));
    EXPECT_EQ(image.pixel(10, 30), Green) << "the outline: " << Hex(image.pixel(10, 30));
    EXPECT_EQ(image.pixel(5, 5), Transparent) << "nothing drawn";
    EXPECT_EQ(image.pixel(75, 75), Red);
    EXPECT_EQ(image.pixel(62, 62), Transparent) << "outside the ellipse, inside its box";
}

TEST_F(MetafilePlayer, MappingModesCarryLogicalUnitsToPixels)
{
    // A placeable WMF plays its box into the picture: 1000 units an inch, one inch square.
    WmfBuilder wmf;
    wmf.Record(0x02FC, {0, WmfBuilder::Low(RefBlue), WmfBuilder::High(RefBlue), 0})
        .Record(0x012D, {0})
        .Record(0x041B, {500, 500, 0, 0});
    QImage placeable = Render(wmf.Placeable(0, 0, 1000, 1000, 1000));
    ASSERT_EQ(placeable.size(), QSize(96, 96));
    EXPECT_EQ(placeable.pixel(24, 24), Blue);
    EXPECT_EQ(placeable.pixel(70, 70), Transparent);

    // Anisotropic: a window of 200 units on a viewport of 100 pixels halves everything.
    EmfBuilder anisotropic = WithBrush(RefBlue);
    anisotropic.Record(EmrSetMapMode, {8})
        .Record(EmrSetWindowExtEx, {200, 200})
        .Record(EmrSetViewportExtEx, {100, 100})
        .Record(EmrRectangle, {0, 0, 100, 100});
    QImage halved = RenderEmf(anisotropic);
    EXPECT_EQ(halved.pixel(25, 25), Blue);
    EXPECT_EQ(halved.pixel(75, 75), Transparent);

    // Tenths of a millimetre with the y axis up, the origin moved to the bottom.
    EmfBuilder metric = WithBrush(RefBlue);
    metric.Record(EmrSetMapMode, {2})
        .Record(EmrSetViewportOrgEx, {0, 100})
        .Record(EmrRectangle, {0, 0, 500, 300});
    QImage upward = RenderEmf(metric);
    EXPECT_EQ(upward.pixel(25, 85), Blue) << "50 by 30 pixels from the bottom left";
    EXPECT_EQ(upward.pixel(25, 50), Transparent);
}

TEST_F(MetafilePlayer, ClippingFollowsTheSavedAndRestoredStates)
{
    EmfBuilder emf = WithBrush(RefRed);
    emf.Record(EmrSaveDc, {})
        .Record(EmrIntersectClipRect, {20, 20, 40, 40})
        .Record(EmrRectangle, {0, 0, 100, 100})
        .Record(EmrRestoreDc, {-1})
        .Record(EmrCreateBrushIndirect, {3, 0, RefBlue, 0})
        .Record(EmrSelectObject, {3})
        .Record(EmrExcludeClipRect, {0, 0, 50, 100})
        .Record(EmrRectangle, {0, 0, 100, 100});
    QImage image = RenderEmf(emf);
    EXPECT_EQ(image.pixel(30, 30), Red) << Hex(image.pixel(30, 30));
    EXPECT_EQ(image.pixel(10, 10), Transparent) << "clipped away";
    EXPECT_EQ(image.pixel(75, 75), Blue) << "the restored state has no clipping but the exclusion";
    EXPECT_EQ(image.pixel(45, 80), Transparent) << "excluded";
}

TEST_F(MetafilePlayer, DibRecordsDrawTheirBitmapStretchedWithRowsFromTheBottom)
{
    EmfBuilder emf;
    emf.Raw(EmrStretchDiBits, StretchDiBits(10, 10, 0, 0, 2, 2, 40, 40))
        // The source rectangle of a bottom-up DIB counts from its bottom row: (0, 0) is blue.
        .Raw(EmrStretchDiBits, StretchDiBits(60, 60, 0, 0, 1, 1, 20, 20));
    QImage image = RenderEmf(emf);
    EXPECT_EQ(image.pixel(20, 20), Red) << Hex(image.pixel(20, 20));
    EXPECT_EQ(image.pixel(40, 20), White);
    EXPECT_EQ(image.pixel(20, 40), Blue);
    EXPECT_EQ(image.pixel(40, 40), Green);
    EXPECT_EQ(image.pixel(70, 70), Blue) << Hex(image.pixel(70, 70));
    EXPECT_EQ(image.pixel(85, 85), Transparent);
}

TEST_F(MetafilePlayer, ArcsRunCounterClockwiseUnlessTheDirectionIsTurned)
{
    // From the ray to the east to the ray to the north: a quarter counter-clockwise.
    EmfBuilder pie = WithBrush(RefRed);
    pie.Record(EmrPie, {0, 0, 100, 100, 100, 50, 50, 0});
    QImage quarter = RenderEmf(pie);
    EXPECT_EQ(quarter.pixel(75, 25), Red);
    EXPECT_EQ(quarter.pixel(25, 25), Transparent);
    EXPECT_EQ(quarter.pixel(75, 75), Transparent);

    // Clockwise the same rays bound three quarters; the chord cuts off the quarter's segment.
    EmfBuilder chord = WithBrush(RefRed);
    chord.Record(EmrSetArcDirection, {2}).Record(EmrChord, {0, 0, 100, 100, 100, 50, 50, 0});
    QImage large = RenderEmf(chord);
    EXPECT_EQ(large.pixel(25, 75), Red);
    EXPECT_EQ(large.pixel(60, 40), Red);
    EXPECT_EQ(large.pixel(80, 20), Transparent) << "beyond the chord";
}

TEST_F(MetafilePlayer, TextStandsOnItsReferencePointAsAlignedWithAnOpaqueBackground)
{
    samples::Bytes font;
    for (int32_t field : {1, -20, 0, 0, 0, 400, 0, 0})   // ihFont, then LOGFONTW to the pitch
        samples::Put32(font, uint32_t(field));
    for (char16_t unit : std::u16string(u"IPAGothic"))
        samples::Put16(font, unit);
    font.resize(4 + 92, 0);
    samples::Bytes text;
    for (int32_t field : {0, 0, 0, 0, 1, 0, 0, 50, 30, 2, 76, 0, 0, 0, 0, 0, 0})   // "MM" at (50, 30)
        samples::Put32(text, uint32_t(field));
    for (char16_t unit : std::u16string(u"MM"))
        samples::Put16(text, unit);
    EmfBuilder emf;
    emf.Raw(EmrExtCreateFontIndirectW, font)
        .Record(EmrSelectObject, {1})
        .Record(EmrSetTextAlign, {6 | 24})   // TA_CENTER, TA_BASELINE
        .Record(EmrSetBkMode, {2})
        .Record(EmrSetBkColor, {RefBlue})
        .Raw(EmrExtTextOutW, text);
    QImage image = RenderEmf(emf);
    int left = 100, right = 0, top = 100, bottom = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (image.pixel(x, y) == Blue)
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    ASSERT_LE(left, right) << "no background drawn";
    EXPECT_NEAR((left + right) / 2.0, 50, 1.0) << "centred on x = 50";
    EXPECT_LT(top, 30 - 14) << "the cell stands on the base line";
    EXPECT_GE(bottom, 30) << "and reaches below it by the descent";
    EXPECT_LE(bottom, 37);
}

TEST_F(MetafilePlayer, ShiftJisTextIsDrawnThroughTheCodePageOfItsFont)
{
    // 表示テスト in code page 932, in a font of the Shift-JIS character set, 20 pixels high.
    const std::string text = "\x95\x5C\x8E\xA6\x83\x65\x83\x58\x83\x67";
    auto textMetafile = [&](uint8_t charSet) {
        samples::Bytes font;
        for (int word : {-20, 0, 0, 0, 400})
            samples::Put16(font, uint32_t(word) & 0xFFFF);
        for (uint8_t byte : {0, 0, 0, int(charSet), 0, 0, 0, 0})
            font.push_back(byte);
        for (char c : std::string("MS Gothic"))
            font.push_back(uint8_t(c));
        font.push_back(0);
        samples::Bytes textOut;
        samples::Put16(textOut, uint32_t(text.size()));
        textOut.insert(textOut.end(), text.begin(), text.end());
        for (int word : {10, 10})   // YStart, XStart
            samples::Put16(textOut, uint32_t(word));
        WmfBuilder wmf;
        wmf.Raw(0x02FB, font).Record(0x012D, {0}).Record(0x0102, {1}).Raw(0x0521, textOut);
        return Render(wmf.Placeable(0, 0, 200, 60, 96));
    };
    QImage drawn = textMetafile(128);
    ASSERT_EQ(drawn.size(), QSize(200, 60));

    QImage expected(200, 60, QImage::Format_ARGB32_Premultiplied);
    expected.setDotsPerMeterX(3780);
    expected.setDotsPerMeterY(3780);
    expected.fill(Qt::transparent);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSizeF(20 * 72.0 / 96);
    font.setKerning(false);
    {
        QPainter painter(&expected);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(10, 10 + QFontMetricsF(font, &expected).ascent()),
                         QString::fromUtf16(u"\u8868\u793A\u30C6\u30B9\u30C8"));
    }
    expected = expected.convertToFormat(QImage::Format_ARGB32);
    int inked = 0, differing = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) {
            inked += qAlpha(expected.pixel(x, y)) != 0;
            differing += drawn.pixel(x, y) != expected.pixel(x, y);
        }
    EXPECT_GT(inked, 200) << "the reference text was drawn";
    EXPECT_EQ(differing, 0) << "the same characters in the same face, size and place";

    QImage western = textMetafile(0);
    int changed = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            changed += western.pixel(x, y) != drawn.pixel(x, y);
    EXPECT_GT(changed, 100) << "the same bytes in a western font are other characters";
}

TEST_F(MetafilePlayer, AnImageShowsAMetafileAtItsNaturalSizeOverItsParent)
{
    tk::TForm* form = ShownForm();
    form->SetColor(tk::clWhite);
    auto* image = Child<tk::TImage>(*form);
    image->SetAutoSize(true);
    auto metafile = formats::ReadMetafile(formats::ByteView(WithBrush(RefRed).Record(EmrEllipse, {0, 0, 100, 100})
                                                                .Build(10000, 10000, 1000, 1000, 1000, 1000)));
    ASSERT_TRUE(metafile);
    image->Picture().SetGraphic(std::make_unique<tk::TMetafile>(
        std::make_shared<const formats::Metafile>(std::move(*metafile)), 100, 100, application.MetafileRenderer()));
    Turn();
    QWidget* widget = WidgetOf(*image);
    ASSERT_EQ(widget->size(), QSize(100, 100));
    QImage shown = WidgetOf(*form)->grab(widget->geometry()).toImage();
    EXPECT_EQ(shown.pixel(50, 50) & 0xFFFFFF, 0xFF0000u) << "drawn by the back end's renderer";
    EXPECT_EQ(shown.pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu) << "outside the ellipse the form shows";
}

TEST_F(MetafilePlayer, SampleAndDamagedFilesOfOtherProgramsAreDrawnWithoutHarm)
{
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"sample", "corrupted"}) {
        auto path = samples::CorpusDir() / "emf" / folder;
        if (std::filesystem::is_directory(path))
            for (const auto& entry : std::filesystem::directory_iterator(path))
                files.push_back(entry.path());
    }
    if (files.empty())
        GTEST_SKIP() << "no sample metafiles in " << samples::CorpusDir();
    std::sort(files.begin(), files.end());
    size_t drawnSamples = 0, samplesTotal = 0, drawnDamaged = 0, readDamaged = 0;
    for (const auto& file : files) {
        bool sample = file.parent_path().filename() == "sample";
        auto metafile = formats::ReadMetafile(formats::ByteView(samples::ReadFile(file)));
        samplesTotal += sample;
        if (!metafile) {
            EXPECT_FALSE(sample) << file << ": " << metafile.Error();
            continue;
        }
        readDamaged += !sample;
        QImage image = qtui::RenderMetafile(*metafile, metafile->header.pixelWidth, metafile->header.pixelHeight);
        ASSERT_EQ(image.width(), metafile->header.pixelWidth) << file;
        bool inked = false;
        for (int y = 0; y < image.height() && !inked; y += 2)
            for (int x = 0; x < image.width() && !inked; x += 2)
                inked = qAlpha(image.pixel(x, y)) != 0;
        (sample ? drawnSamples : drawnDamaged) += inked;
    }
    std::printf("%zu of %zu samples drawn; %zu damaged files read, %zu of them drawing something\n", drawnSamples,
                samplesTotal, readDamaged, drawnDamaged);
    EXPECT_EQ(drawnSamples, samplesTotal - 1) << "test-030.emf only selects empty pens and brushes";
}

TEST_F(MetafilePlayer, LibreOfficeDrawingLooksAsItsWmfAndEmfAndAnotherRendererShowIt)
{
    auto dataDir = samples::DataDir() / "metafile";
    QImage wmf = Render(samples::ReadFile(dataDir / "drawing.wmf"));
    QImage emf = Render(samples::ReadFile(dataDir / "drawing.emf"));
    ASSERT_FALSE(wmf.isNull());
    ASSERT_FALSE(emf.isNull());
    // Places in the drawing, as fractions of its width and height, and their colours.
    struct Place {
        double x, y;
        QRgb colour;
        const char* what;
    };
    const Place places[] = {
        {0.23, 0.20, Red, "the rectangle"},        {0.74, 0.20, Blue, "the ellipse"},
        {0.50, 0.50, White, "the white ground"},   {0.79, 0.57, Blue, "the bitmap's corner"},
        {0.93, 0.72, 0xFFFFFF00, "the bitmap"},
    };
    auto check = [&](const QImage& image, const char* name, int tolerance, size_t count) {
        for (const Place& place : std::span(places, count)) {
            QRgb pixel = image.pixel(int(place.x * image.width()), int(place.y * image.height()));
            for (int shift : {0, 8, 16})
                EXPECT_LE(std::abs(int((pixel >> shift) & 0xFF) - int((place.colour >> shift) & 0xFF)), tolerance)
                    << name << ", " << place.what << ": " << Hex(pixel);
        }
    };
    check(wmf, "WMF", 0, std::size(places));
    check(emf, "EMF", 0, std::size(places));

    // ImageMagick draws WMF through libwmf: the same colours at the same places.
    TempTree folder("metafile-magick");
    if (!samples::HaveProgram("convert") ||
        !samples::Run("convert -density 96 '" + (dataDir / "drawing.wmf").string() + "' '" +
                      (folder / "magick.png").string() + "'"))
        GTEST_SKIP() << "ImageMagick cannot draw WMF here";
    QImage magick((folder / "magick.png").c_str());
    ASSERT_EQ(magick.size(), wmf.size()) << "both take the size from the placeable header";
    // libwmf draws the bitmap small in its corner; the shapes it draws where they belong.
    check(magick, "ImageMagick", 8, 3);
}
