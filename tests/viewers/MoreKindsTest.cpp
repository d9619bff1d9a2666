// The kinds of today's file types: they take no extension from the program's own tables, so every
// file classified before keeps its display, and every picture type they name is one the picture
// loader reads.

#include "formats/Image.h"
#include "graphics/PictureFormats.h"
#include "platform/DriveMap.h"
#include "tests/TempTree.h"
#include "tests/app/HeadlessRun.h"
#include "toolkit/Exception.h"
#include "toolkit/Graphics.h"
#include "viewers/MoreKinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using orvane::MoreKindOf;
using orvane::TMoreKind;

namespace {

// A back end that decodes anything into one pixel, so that only the loader's own refusal counts.
class AnyDecoder : public tk::IPictureDecoder {
public:
    bool Decode(const std::string&, std::string_view, int, formats::Image& image, std::string&) override
    {
        image = formats::Image{1, 1, {0xFF000000}};
        return true;
    }
};

}  // namespace

TEST(MoreKinds, TheProgramsOwnTablesKeepEveryExtensionTheyName)
{
    for (const char* extension : {"BMP", "ICO", "WMF", "EMF", "EXE", "CUR", "SCR", "RTF", "MID", "RMI", "WAV", "AVI",
                                  "MPA", "HTM", "HTML", "GIF", "JPG", "JPEG", "DLL", "COM", "SYS", "OCX", "CPL", "VXD"})
        EXPECT_EQ(MoreKindOf(extension), TMoreKind::None) << extension;
}

TEST(MoreKinds, ExtensionsAreComparedUpperCasedAndWhole)
{
    EXPECT_EQ(MoreKindOf("PNG"), TMoreKind::Picture);
    EXPECT_EQ(MoreKindOf("png"), TMoreKind::None);
    EXPECT_EQ(MoreKindOf("PN"), TMoreKind::None);
    EXPECT_EQ(MoreKindOf("PNGX"), TMoreKind::None);
    EXPECT_EQ(MoreKindOf(""), TMoreKind::None);
    EXPECT_EQ(MoreKindOf("pdf"), TMoreKind::None);
    EXPECT_EQ(MoreKindOf("MP3"), TMoreKind::Media);
    EXPECT_EQ(MoreKindOf("MP3 "), TMoreKind::None);
}

// A type the viewer shows as a picture that the loader does not know would end every click on
// such a file in an error: each one the viewer names must load.
TEST(MoreKinds, EveryPictureTypeTheViewerNamesIsOneTheLoaderReads)
{
    TempTree folder("more-kinds");
    platform::DriveMap drives;
    drives.Map('C', folder.Root());
    AnyDecoder decoder;
    graphics::PictureFormats loader(drives, nullptr, &decoder);
    int pictures = 0;
    for (const char* extension : {"PNG", "WEBP", "SVG", "SVGZ", "TIFF", "TIF", "XPM", "TGA", "PDF", "JPG", "GIF", "MP3"}) {
        const TMoreKind kind = MoreKindOf(extension);
        if (kind != TMoreKind::Picture && kind != TMoreKind::Page)
            continue;
        ++pictures;
        const std::string name = std::string("file.") + extension;
        std::filesystem::copy_file(std::string(ORVANE_TEST_DATA) + "/pictures/bands.svg", folder / name);
        try {
            loader.LoadPicture("C:\\" + name, 200);
        } catch (const tk::EInvalidGraphic& error) {
            EXPECT_EQ(error.Message().find("Unknown picture file extension"), std::string::npos) << error.Message();
        }
    }
    EXPECT_EQ(pictures, 9);
}

namespace {

// A picture loader that records the widths it is asked to draw pages to.
class PageWidths : public tk::IPictureFormats {
public:
    std::unique_ptr<tk::TGraphic> LoadPicture(const std::string& dosPath) override { return LoadPicture(dosPath, 0); }
    std::unique_ptr<tk::TGraphic> LoadPicture(const std::string&, int pageWidth) override
    {
        widths.push_back(pageWidth);
        return std::make_unique<tk::TBitmap>(std::max(pageWidth, 1), 2000);
    }
    std::vector<int> widths;
};

const platform::DriveMap& WithLeaflet(orvane::TemporaryDrive& drive)
{
    std::filesystem::create_directory(drive.Root() + "/work");
    std::ofstream(drive.Root() + "/work/leaflet.pdf") << "%PDF-1.4\n";
    return drive.drives;
}

}  // namespace

// A PDF page is drawn as wide as the pane it is shown in, less the part of the pane's vertical
// bar, so that a page taller than the pane scrolls up and down only; in the detached window, as
// wide as its client area, beside which the window's own bar lies.
TEST(PdfPages, APageIsDrawnAsWideAsThePaneOfEachArrangement)
{
    orvane::TemporaryDrive drive;
    orvane::HeadlessRun run(WithLeaflet(drive), "C:\\work");
    orvane::TImageForm& form = run.Form();
    PageWidths pages;
    for (tk::TImage* image : {form.UImage, run.process.view->Image1, form.RImage})
        image->Picture().SetPictureFormats(&pages);
    tk::TListView& list = *form.ListView1;
    for (int row = 0; row < list.Items().Count(); ++row)
        if (list.Items()[row].Caption() == "leaflet.pdf")
            list.InputSelect(row);
    list.InputClick();
    ASSERT_EQ(pages.widths.size(), 1u);
    EXPECT_EQ(pages.widths.back(), form.UnderView->ClientWidth() - 10);
    EXPECT_EQ(form.UImage->Width(), pages.widths.back());
    EXPECT_TRUE(form.UScrollBarY->Visible());
    EXPECT_FALSE(form.UScrollBarX->Visible()) << "the page fits the pane's width";
    form.ShowRightView();
    ASSERT_EQ(pages.widths.size(), 2u);
    EXPECT_EQ(pages.widths.back(), form.RightView->ClientWidth() - 10);
    EXPECT_FALSE(form.RScrollBarX->Visible());
    form.ShowSeparateView();
    ASSERT_EQ(pages.widths.size(), 3u);
    EXPECT_EQ(pages.widths.back(), run.process.view->ClientWidth());
}
