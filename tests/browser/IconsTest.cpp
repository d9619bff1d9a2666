// The file list's icons as pictures: the built-in set made at start and the icons resolved from
// the file types, checked by their pixels against the icons they came from.

#include "tests/app/HeadlessRun.h"

#include "browser/IconRows.h"
#include "platform/ClassesRoot.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

using namespace orvane;
using namespace tk;

namespace {

// A test library with three icons, blue, yellow (in its Japanese version) and red at their
// corners.
const std::string IconLibrary = std::string(ORVANE_TEST_DATA) + "/pe/icons32.dll";
constexpr uint32_t Blue = 0xFF0000FF;
constexpr uint32_t Yellow = 0xFFFFFF00;
constexpr uint32_t Red = 0xFFFF0000;

std::string DosOf(const std::string& hostPath)
{
    std::string dos = "Z:" + hostPath;
    for (char& c : dos)
        c = c == '/' ? '\\' : c;
    return dos;
}

// The colour of an image's corner, where the test icons carry their colour.
uint32_t Corner(const TImageList& list, int index)
{
    const std::vector<uint32_t>& pixels = list.Image(index).Pixels();
    return pixels.empty() ? 0 : pixels.front();
}

class Icons : public ::testing::Test {
protected:
    void Start(const std::string& registry)
    {
        mkdir((drive.Root() + "/work").c_str(), 0755);
        std::ofstream(drive.Root() + "/types.reg", std::ios::binary) << "REGEDIT4\r\n\r\n" << registry;
        run = std::make_unique<HeadlessRun>(drive.drives, "C:\\work", [this](platform::Host& host) {
            std::string error;
            host.SetFileTypes(platform::ClassesRoot::FromRegistryFile(drive.Root() + "/types.reg", error));
        });
    }
    void Write(const std::string& name) { std::ofstream(drive.Root() + "/work/" + name) << "x"; }
    int ImageOf(const std::string& caption)
    {
        TListItems& items = run->Form().ListView1->Items();
        for (int i = 0; i < items.Count(); ++i)
            if (items[i].Caption() == caption)
                return items[i].ImageIndex();
        return -2;
    }

    TemporaryDrive drive;
    std::unique_ptr<HeadlessRun> run;
};

}  // namespace

TEST_F(Icons, TheBuiltInSetTakesTheRegisteredIconsOfTheFixedTypesAndTheApplicationIconOtherwise)
{
    Start("[HKEY_CLASSES_ROOT\\.txt]\r\n@=\"txtfile\"\r\n"
          "[HKEY_CLASSES_ROOT\\txtfile\\DefaultIcon]\r\n@=\"" + DosOf(IconLibrary) + ",2\"\r\n"
          "[HKEY_CLASSES_ROOT\\.wav]\r\n@=\"" + DosOf(IconLibrary) + ",0\"\r\n");
    TImageForm& form = run->Form();
    for (TImageList* list : {form.ImageList3, form.ImageList4, form.ImageList1, form.ImageList2}) {
        ASSERT_EQ(list->Count(), 14);
        EXPECT_EQ(Corner(*list, 9), Red) << "txt: its class's DefaultIcon, icon 2";
        EXPECT_EQ(Corner(*list, 13), Blue) << "wav: a class name without DefaultIcon is itself the icon's place";
        for (int k : {3, 4, 5, 6, 7, 8, 10, 11, 12})
            EXPECT_EQ(list->Image(k).Pixels(), list->Image(2).Pixels()) << "index " << k << ": the application icon";
        EXPECT_NE(list->Image(0).Pixels(), list->Image(1).Pixels()) << "folder and document differ";
    }
    EXPECT_EQ(form.ImageList3->Image(0).Width(), 16);
    EXPECT_EQ(form.ImageList4->Image(0).Width(), 32);
}

TEST_F(Icons, ResolvedIconsComeFromTheExtensionsOwnDefaultIconBeforeItsClass)
{
    Start("[HKEY_CLASSES_ROOT\\.doc]\r\n@=\"Word.Document\"\r\n"
          "[HKEY_CLASSES_ROOT\\.doc\\DefaultIcon]\r\n@=\"" + DosOf(IconLibrary) + ",1\"\r\n"
          "[HKEY_CLASSES_ROOT\\Word.Document\\DefaultIcon]\r\n@=\"" + DosOf(IconLibrary) + ",2\"\r\n"
          "[HKEY_CLASSES_ROOT\\.xls]\r\n@=\"Excel.Sheet\"\r\n"
          "[HKEY_CLASSES_ROOT\\Excel.Sheet\\DefaultIcon]\r\n@=\"" + DosOf(IconLibrary) + ",-101\"\r\n"
          "[HKEY_CLASSES_ROOT\\.bad]\r\n@=\"Bad.File\"\r\n"
          "[HKEY_CLASSES_ROOT\\Bad.File\\DefaultIcon]\r\n@=\"%1\"\r\n");
    for (const char* name : {"a.doc", "B.DOC", "c.xls", "d.bad", "e.none", "Recycled"})
        Write(name);
    TImageForm& form = run->Form();
    form.ListFolder();

    const int doc = ImageOf("a.doc");
    EXPECT_EQ(ImageOf("B.DOC"), doc) << "one cache row for the type";
    EXPECT_EQ(Corner(*form.ImageList1, doc), Yellow) << "the extension's own DefaultIcon, not its class's";
    EXPECT_EQ(Corner(*form.ImageList2, doc), Yellow);
    EXPECT_EQ(form.ImageList2->Image(doc).Width(), 32);
    EXPECT_EQ(Corner(*form.ImageList1, ImageOf("c.xls")), Red) << "a negative number names an icon identifier";
    for (const char* generic : {"d.bad", "e.none"}) {
        const int index = ImageOf(generic);
        EXPECT_EQ(form.ImageList1->Image(index).Pixels(), form.ImageList1->Image(1).Pixels()) << generic;
        EXPECT_EQ(form.ImageList2->Image(index).Pixels(), form.ImageList2->Image(1).Pixels()) << generic;
    }
    const int recycled = ImageOf("Recycled");
    EXPECT_EQ(form.ImageList1->Image(recycled).Pixels(), form.ImageList1->Image(13).Pixels());
    EXPECT_EQ(form.ImageList2->Image(recycled).Pixels(),
              ScalePixels(form.ImageList1->Image(13).Pixels(), 16, 16, 32, 32))
        << "the large list takes the small picture, scaled";
    EXPECT_EQ(form.ImageList1->Count(), form.ImageList2->Count());
    EXPECT_EQ(form.IconCount->Caption(), std::to_string(form.ImageList1->Count()));
}

// Where a type names no icon its class name stands in the icon's place, and the desktop's class
// names are its types: "image/bmp" was looked for as a file below the listed folder, and in a
// folder of many thousand entries each such look-up read the whole folder.
TEST_F(Icons, ATypeNameInAnIconsPlaceIsNoFileEvenWhereTheListedFolderHoldsOneOfThatName)
{
    mkdir((drive.Root() + "/work").c_str(), 0755);
    for (const char* folder : {"/work/image", "/work/application"})
        mkdir((drive.Root() + folder).c_str(), 0755);
    for (const char* file : {"/work/image/bmp", "/work/application/winhlp", "/work/image/abc"})
        std::filesystem::copy_file(IconLibrary, drive.Root() + file);
    Start("[HKEY_CLASSES_ROOT\\.bmp]\r\n@=\"image/bmp\"\r\n"
          "[HKEY_CLASSES_ROOT\\.hlp]\r\n@=\"application/winhlp\"\r\n"
          "[HKEY_CLASSES_ROOT\\.abc]\r\n@=\"image/abc\"\r\n"
          "[HKEY_CLASSES_ROOT\\image/abc\\DefaultIcon]\r\n@=\"image/abc,0\"\r\n");
    Write("one.abc");
    TImageForm& form = run->Form();
    form.ListFolder();
    for (TImageList* list : {form.ImageList3, form.ImageList4}) {
        EXPECT_EQ(list->Image(8).Pixels(), list->Image(2).Pixels()) << "bmp: the application icon, as for no icon";
        EXPECT_EQ(list->Image(7).Pixels(), list->Image(2).Pixels()) << "hlp";
    }
    const int abc = ImageOf("one.abc");
    EXPECT_EQ(form.ImageList1->Image(abc).Pixels(), form.ImageList1->Image(1).Pixels())
        << "a DefaultIcon naming a type gives the document icon, as a failed extraction does";
}

namespace {
// The program's icon service, counting what it is asked for.
struct CountingIcons : platform::IIcons {
    explicit CountingIcons(platform::IIcons& icons) : inner(icons) {}
    std::optional<platform::IconPixels> ExtractIcon(const std::string& path, int number, int size) override
    {
        ++asked[path + "," + std::to_string(number)];
        return inner.ExtractIcon(path, number, size);
    }
    platform::IIcons& inner;
    std::map<std::string, int> asked;
};
}  // namespace

// A desktop's thousand types share a few dozen theme pictures: each place a DefaultIcon names is
// read once per listing, while every type still gets its own image, as the cache rules say.
TEST_F(Icons, APlaceManyTypesNameIsReadOncePerListingAndEachTypeKeepsItsOwnImage)
{
    const std::string library = DosOf(IconLibrary);
    Start("[HKEY_CLASSES_ROOT\\.aaa\\DefaultIcon]\r\n@=\"" + library + ",2\"\r\n"
          "[HKEY_CLASSES_ROOT\\.bbb\\DefaultIcon]\r\n@=\"" + library + ",2\"\r\n"
          "[HKEY_CLASSES_ROOT\\.ccc\\DefaultIcon]\r\n@=\"" + library + ",2\"\r\n"
          "[HKEY_CLASSES_ROOT\\.ddd\\DefaultIcon]\r\n@=\"" + library + ",0\"\r\n"
          "[HKEY_CLASSES_ROOT\\.eee\\DefaultIcon]\r\n@=\"C:\\\\missing.ico,0\"\r\n"
          "[HKEY_CLASSES_ROOT\\.fff\\DefaultIcon]\r\n@=\"C:\\\\missing.ico,0\"\r\n");
    for (const char* name : {"a.aaa", "b.bbb", "c.ccc", "d.ddd", "e.eee", "f.fff"})
        Write(name);
    CountingIcons counting(*run->process.Icons);
    run->process.Icons = &counting;
    TImageForm& form = run->Form();
    form.ListFolder();

    EXPECT_EQ(counting.asked[library + ",2"], 1);
    EXPECT_EQ(counting.asked[library + ",0"], 1);
    EXPECT_EQ(counting.asked["C:\\missing.ico,0"], 1) << "a place that gives no icon is not asked again";
    std::set<int> images;
    for (const char* name : {"a.aaa", "b.bbb", "c.ccc"}) {
        images.insert(ImageOf(name));
        EXPECT_EQ(Corner(*form.ImageList1, ImageOf(name)), Red) << name;
        EXPECT_EQ(Corner(*form.ImageList2, ImageOf(name)), Red) << name;
    }
    EXPECT_EQ(images.size(), 3u) << "one image per type";
    EXPECT_EQ(Corner(*form.ImageList1, ImageOf("d.ddd")), Blue);
    EXPECT_EQ(form.ImageList1->Image(ImageOf("f.fff")).Pixels(), form.ImageList1->Image(1).Pixels());
    EXPECT_EQ(form.IconCount->Caption(), "20");

    form.ListFolder();
    EXPECT_EQ(counting.asked[library + ",2"], 2) << "the next listing reads the places again";
    run->process.Icons = &counting.inner;
}

// The icon cache is searched through an index beside its grid; a row the grid gained by other
// means than the listing's own (a hand in the grid) is found as a search of the grid finds it,
// the first of its type first, and a row taken away from it is no longer found.
TEST_F(Icons, TheIconCacheIndexFollowsWhatElseWritesToItsGrid)
{
    Start("");
    Write("a.doc");
    TImageForm& form = run->Form();
    form.ListFolder();
    ASSERT_EQ(form.IconList->Cell(1, 14), "doc");
    const int before = form.ImageList1->Count();

    form.IconList->SetCell(1, 15, "XYZ");
    form.IconList->SetCell(1, 16, "xyz");
    form.IconCount->SetCaption("17");
    form.ResolveIcon("xyz", "b.xyz", 0);
    EXPECT_EQ(form.ListView1->Items()[0].ImageIndex(), 15) << "the first row of the type, as the grid reads";
    form.ResolveIcon("DOC", "c.DOC", 0);
    EXPECT_EQ(form.ListView1->Items()[0].ImageIndex(), 14);
    EXPECT_EQ(form.ImageList1->Count(), before) << "nothing looked up, nothing added";

    form.IconList->SetCell(1, 14, "old");
    form.ResolveIcon("doc", "d.doc", 0);
    EXPECT_EQ(form.ListView1->Items()[0].ImageIndex(), 17) << "a new row, as the grid no longer holds doc";
    EXPECT_EQ(form.IconList->Cell(1, 17), "doc");
}

// The index of the icon cache grid keeps the first row of each extension however many types a
// listing meets, and a cleared index knows none.
TEST(IconRowsIndex, KeepsTheFirstRowOfEachOfThousandsOfExtensionsUntilCleared)
{
    IconRows rows;
    for (int i = 0; i < 5000; ++i)
        rows.Add("t" + std::to_string(i), 14 + i);
    rows.Add("t7", 99999);
    rows.Add("", 7);
    int wrong = 0;
    for (int i = 0; i < 5000; ++i)
        wrong += rows.Find("t" + std::to_string(i)) != 14 + i;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(rows.Find("t7"), 21) << "the first row stays";
    EXPECT_EQ(rows.Find(""), 7) << "a name ending in a dot has the empty extension";
    EXPECT_EQ(rows.Find("t5000"), -1);
    EXPECT_EQ(rows.Find("T1"), -1) << "the caller folds the letters";
    rows.Clear();
    EXPECT_EQ(rows.Find("t1"), -1);
    rows.Add("t1", 30);
    EXPECT_EQ(rows.Find("t1"), 30);
}
