// The metafile reader: the sample files of other programs, damaged files, the headers that give
// a picture its size, and records checked against their own sizes.

#include "formats/Metafile.h"
#include "tests/formats/MetafileBuilder.h"
#include "tests/formats/Samples.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace formats;
using samples::EmfBuilder;
using samples::WmfBuilder;

namespace {

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

Result<Metafile> Read(const samples::Bytes& bytes)
{
    return ReadMetafile(ByteView(bytes));
}

template <class T>
std::vector<const T*> All(const Metafile& metafile)
{
    std::vector<const T*> found;
    for (const meta::Record& record : metafile.records)
        if (auto* operation = std::get_if<T>(&record.operation))
            found.push_back(operation);
    return found;
}

}  // namespace

TEST(MetafileCorpus, EverySampleIsReadWhole)
{
    auto files = FilesIn(samples::CorpusDir() / "emf" / "sample");
    if (files.empty())
        GTEST_SKIP() << "no sample metafiles in " << samples::CorpusDir();
    size_t clean = 0;
    for (const auto& file : files) {
        auto metafile = ReadMetafile(ByteView(samples::ReadFile(file)));
        ASSERT_TRUE(metafile) << file << ": " << metafile.Error();
        EXPECT_FALSE(metafile->truncated) << file << ": " << metafile->truncation;
        EXPECT_GT(metafile->header.pixelWidth, 0) << file;
        clean += SkippedRecords(*metafile) == 0;
    }
    std::printf("%zu of %zu sample metafiles hold no record the player skips\n", clean, files.size());
    EXPECT_GE(clean, files.size() - 3) << "three samples draw text by glyph numbers";
}

TEST(MetafileCorpus, DamagedFilesFailWithAReasonOrGiveWhatCouldBeRead)
{
    auto files = FilesIn(samples::CorpusDir() / "emf" / "corrupted");
    if (files.empty())
        GTEST_SKIP() << "no damaged metafiles in " << samples::CorpusDir();
    size_t refused = 0, cut = 0;
    for (const auto& file : files) {
        auto metafile = ReadMetafile(ByteView(samples::ReadFile(file)));
        if (!metafile) {
            EXPECT_FALSE(metafile.Error().empty()) << file;
            ++refused;
            continue;
        }
        cut += metafile->truncated;
        for (const meta::Skipped* skipped : All<meta::Skipped>(*metafile))
            EXPECT_FALSE(skipped->reason.empty()) << file;
    }
    std::printf("%zu of %zu damaged metafiles refused, %zu cut short, the rest read with skipped records\n",
                refused, files.size(), cut);
    EXPECT_LT(refused, files.size()) << "most damage lies past the header";
}

TEST(MetafileHeader, PlaceableWmfTakesItsSizeFromTheBoxAndUnitsPerInch)
{
    WmfBuilder wmf;
    wmf.Record(0x041B, {720, 1440, 0, 0});   // Rectangle
    auto metafile = Read(wmf.Placeable(0, 0, 2880, 1440, 1440));
    ASSERT_TRUE(metafile) << metafile.Error();
    EXPECT_EQ(metafile->header.kind, MetafileKind::PlaceableWmf);
    EXPECT_EQ(metafile->header.pixelWidth, 192);
    EXPECT_EQ(metafile->header.pixelHeight, 96);
    auto reversed = Read(wmf.Placeable(100, 50, -100, -50, 576));
    ASSERT_TRUE(reversed);
    EXPECT_EQ(reversed->header.pixelWidth, 33);
    EXPECT_EQ(reversed->header.left, -100);
}

TEST(MetafileHeader, PlaceableWmfWithAWrongChecksumOrNoUnitsIsRefused)
{
    WmfBuilder wmf;
    auto broken = Read(wmf.Placeable(0, 0, 100, 100, 1440, 8, true));
    ASSERT_FALSE(broken);
    EXPECT_EQ(broken.Error(), "the placeable header's checksum is wrong");
    EXPECT_FALSE(Read(wmf.Placeable(0, 0, 100, 100, 0)));
    EXPECT_FALSE(Read(wmf.Placeable(0, 0, 0, 100, 1440)));
}

TEST(MetafileHeader, PlainWmfTakesItsSizeFromTheWindowItSetsOrWhatItDraws)
{
    WmfBuilder windowed;
    windowed.Record(0x020B, {-20, -10})    // SetWindowOrg(-10, -20)
        .Record(0x020C, {200, 300})        // SetWindowExt(300, 200)
        .Record(0x041B, {50, 50, 0, 0});
    auto metafile = Read(windowed.Plain());
    ASSERT_TRUE(metafile) << metafile.Error();
    EXPECT_EQ(metafile->header.kind, MetafileKind::Wmf);
    EXPECT_EQ(metafile->header.pixelWidth, 300);
    EXPECT_EQ(metafile->header.pixelHeight, 200);
    EXPECT_EQ(metafile->header.left, -10);

    WmfBuilder drawn;
    drawn.Record(0x041B, {80, 150, 20, 10});   // Rectangle(10, 20, 150, 80)
    auto extent = Read(drawn.Plain());
    ASSERT_TRUE(extent);
    EXPECT_EQ(extent->header.pixelWidth, 140);
    EXPECT_EQ(extent->header.pixelHeight, 60);
}

TEST(MetafileHeader, EmfTakesItsSizeFromTheFrameOnTheReferenceDevice)
{
    // 25.4 by 12.7 mm on a device of 3.2 pixels a millimetre.
    auto metafile = Read(EmfBuilder().Build(2540, 1270));
    ASSERT_TRUE(metafile) << metafile.Error();
    EXPECT_EQ(metafile->header.kind, MetafileKind::Emf);
    EXPECT_EQ(metafile->header.pixelWidth, 81);
    EXPECT_EQ(metafile->header.pixelHeight, 41);
    auto sharper = Read(EmfBuilder().Build(2540, 1270, 2400, 2400, 254, 254));
    ASSERT_TRUE(sharper);
    EXPECT_EQ(sharper->header.pixelWidth, 240) << "a 240-dpi device gives its own pixels";
}

TEST(MetafileRecords, ACountBeyondItsRecordIsSkippedAndReadingGoesOn)
{
    EmfBuilder emf;
    emf.Record(3, {0, 0, 10, 10, 1000, 1, 2, 3, 4})   // EMR_POLYGON claiming 1000 points
        .Record(37, {0x80000004});                     // EMR_SELECTOBJECT(BLACK_BRUSH)
    auto metafile = Read(emf.Build(1000, 1000));
    ASSERT_TRUE(metafile) << metafile.Error();
    EXPECT_FALSE(metafile->truncated);
    ASSERT_EQ(All<meta::Skipped>(*metafile).size(), 1u);
    EXPECT_EQ(All<meta::Skipped>(*metafile)[0]->reason, "the record is shorter than its fields");
    ASSERT_EQ(All<meta::SelectObject>(*metafile).size(), 1u);
    EXPECT_EQ(All<meta::SelectObject>(*metafile)[0]->slot, 0x80000004u);
}

TEST(MetafileRecords, ARecordRunningPastTheEndCutsTheFileShortKeepingWhatCameBefore)
{
    WmfBuilder wmf;
    wmf.Record(0x041B, {10, 10, 0, 0});
    samples::Bytes bytes = wmf.Placeable(0, 0, 100, 100, 1440);
    bytes[bytes.size() - 6] = 0xFF;   // the end record's size: far past the file
    auto metafile = Read(bytes);
    ASSERT_TRUE(metafile) << metafile.Error();
    EXPECT_TRUE(metafile->truncated);
    EXPECT_EQ(metafile->truncation, "a record's size does not fit the file");
    EXPECT_EQ(All<meta::Shape>(*metafile).size(), 1u);

    samples::Bytes emf = EmfBuilder().Record(43, {0, 0, 5, 5}).Build(100, 100);
    emf.resize(emf.size() - 8);
    auto cut = Read(emf);
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->truncated);
    EXPECT_EQ(All<meta::Shape>(*cut).size(), 1u);
}

TEST(MetafileRecords, WmfObjectsTakeTheLowestFreeSlotEvenWhenDamaged)
{
    WmfBuilder wmf;
    wmf.Record(0x02FA, {0, 1, 0, 0, 0})            // CreatePenIndirect: slot 0
        .Record(0x02FC, {0, 0xFF, 0, 0})           // CreateBrushIndirect: slot 1
        .Record(0x01F0, {0})                       // DeleteObject(0)
        .Record(0x02FB, {1})                       // a font record cut short: still slot 0
        .Record(0x02FC, {0, 0xFF, 0, 0});          // slot 2
    auto metafile = Read(wmf.Plain());
    ASSERT_TRUE(metafile) << metafile.Error();
    ASSERT_EQ(All<meta::CreatePen>(*metafile).size(), 1u);
    EXPECT_EQ(All<meta::CreatePen>(*metafile)[0]->slot, 0u);
    auto brushes = All<meta::CreateBrush>(*metafile);
    ASSERT_EQ(brushes.size(), 2u);
    EXPECT_EQ(brushes[0]->slot, 1u);
    EXPECT_EQ(brushes[0]->color, 0xFFu);
    EXPECT_EQ(brushes[1]->slot, 2u);
    ASSERT_EQ(All<meta::CreateOther>(*metafile).size(), 1u);
    EXPECT_EQ(All<meta::CreateOther>(*metafile)[0]->slot, 0u);
}

TEST(MetafileRecords, WmfParametersAreReadInTheirReversedOrder)
{
    WmfBuilder wmf;
    wmf.Record(0x041B, {40, 30, 20, 10})                         // Rectangle(10, 20, 30, 40)
        .Record(0x0817, {8, 7, 6, 5, 40, 30, 20, 10})            // Arc: end (7, 8), start (5, 6)
        .Record(0x0A32, {20, 10, 2, 4, 1, 2, 3, 4, 0x4241, 7, 9});  // ExtTextOut "AB", clipped
    auto metafile = Read(wmf.Plain());
    ASSERT_TRUE(metafile) << metafile.Error();
    auto shapes = All<meta::Shape>(*metafile);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0]->box.left, 10);
    EXPECT_EQ(shapes[0]->box.top, 20);
    EXPECT_EQ(shapes[0]->box.right, 30);
    EXPECT_EQ(shapes[0]->box.bottom, 40);
    EXPECT_EQ(shapes[1]->start.x, 5);
    EXPECT_EQ(shapes[1]->end.y, 8);
    auto texts = All<meta::TextOut>(*metafile);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->reference.x, 10);
    EXPECT_EQ(texts[0]->reference.y, 20);
    EXPECT_EQ(texts[0]->text.bytes, "AB");
    EXPECT_TRUE(texts[0]->hasRect);
    EXPECT_EQ(texts[0]->rect.right, 3);
    EXPECT_EQ(texts[0]->advances, (std::vector<int32_t>{7, 9}));
}

TEST(MetafileRecords, LibreOfficeDrawingsAreReadWithTheirTextAndBitmap)
{
    for (const char* name : {"drawing.wmf", "drawing.emf"}) {
        auto metafile = ReadMetafile(ByteView(samples::ReadFile(samples::DataDir() / "metafile" / name)));
        ASSERT_TRUE(metafile) << name << ": " << metafile.Error();
        EXPECT_FALSE(metafile->truncated) << name;
        EXPECT_EQ(SkippedRecords(*metafile), 0u) << name;
        // The size LibreOffice gives the drawing, at 96 pixels an inch.
        EXPECT_NEAR(metafile->header.pixelWidth, 359, 2) << name;
        EXPECT_NEAR(metafile->header.pixelHeight, 262, 2) << name;
        bool bitmap = false;
        for (const meta::BitBlt* blt : All<meta::BitBlt>(*metafile))
            bitmap |= blt->hasImage;
        EXPECT_TRUE(bitmap) << name;
        // LibreOffice writes Chinese characters in WMF text in the GB2312 character set (its
        // font record says so), and UTF-16 in EMF.
        bool found = false;
        for (const meta::TextOut* text : All<meta::TextOut>(*metafile))
            found |= text->text.wide ? text->text.units.find(u'\u8868') != std::u16string::npos
                                     : text->text.bytes.find("\xB1\xED") != std::string::npos;
        EXPECT_TRUE(found) << name << ": the text holds its first character";
    }
}
