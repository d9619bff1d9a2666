// The capture cache on its own, without the main window: the picture of the foreground window it
// stores, what it says, and that it trims after each capture.

#include "capture/CaptureCache.h"
#include "formats/Bmp.h"
#include "platform/Host.h"
#include "platform/Screen.h"
#include "tests/app/HeadlessRun.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace orvane;
using namespace tk;

namespace {

class CaptureCacheTest : public ::testing::Test {
protected:
    CaptureCacheTest() : host(drive.drives), form(&application)
    {
        auto screen = std::make_unique<platform::FakeScreen>();
        fake = screen.get();
        host.SetScreen(std::move(screen));
        for (TLabel** label : {&folder, &sizeLimit, &maxWidth, &maxHeight, &sayWhenDone, &delay})
            *label = new TLabel(&form);
        types = new TStringGrid(&form);
        types->SetColCount(2);
        types->SetRowCount(4);
        types->SetCell(1, 1, "XLS");
        types->SetCell(1, 2, "DOC");
        picture = new TImage(&form);
        mark = new TPanel(&form);
        timer = new TTimer(&form);
        mkdir((drive.Root() + "/cache").c_str(), 0755);
        folder->SetCaption("C:\\cache");
        sizeLimit->SetCaption("10");
        maxWidth->SetCaption("40");
        maxHeight->SetCaption("30");
        sayWhenDone->SetCaption("0");
        cache = std::make_unique<TCaptureCache>(
            TCaptureCache::Parts{*folder, *sizeLimit, *maxWidth, *maxHeight, *sayWhenDone, *picture, *mark, *timer, *delay,
                                 *types},
            host, [this](const std::string& text, const std::string&, unsigned) { said.push_back(text); });
    }

    std::string Read(const std::string& relative) const
    {
        std::ifstream in(drive.Root() + "/" + relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TemporaryDrive drive;
    platform::Host host;
    platform::FakeScreen* fake = nullptr;
    TApplication application;
    TForm form;
    TLabel* folder = nullptr;
    TLabel* sizeLimit = nullptr;
    TLabel* maxWidth = nullptr;
    TLabel* maxHeight = nullptr;
    TLabel* sayWhenDone = nullptr;
    TLabel* delay = nullptr;
    TStringGrid* types = nullptr;
    TImage* picture = nullptr;
    TPanel* mark = nullptr;
    TTimer* timer = nullptr;
    std::unique_ptr<TCaptureCache> cache;
    std::vector<std::string> said;
};

}  // namespace

// A start arms the capture only for a type the capture list names: a name without an extension
// would match the list's empty rows and file another program's picture under the last document.
TEST_F(CaptureCacheTest, AStartArmsTheCaptureOnlyForAListedExtension)
{
    delay->SetCaption("3");
    std::string document = "C:\\work\\a.xls";
    std::string file;
    cache->Prepare(document, file);
    EXPECT_EQ(timer->Interval(), 3000);
    EXPECT_EQ(document, "C#!work!a.xls");
    EXPECT_EQ(file, "C:\\cache\\C#!work!a.xls.bmp");

    timer->SetEnabled(false);
    for (const char* unlisted : {"", "TXT", "xls"}) {
        cache->Arm(unlisted);
        EXPECT_FALSE(timer->Enabled()) << unlisted;
    }
    cache->Arm("DOC");
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(mark->Color(), clBlue);

    // A hand-edited wait beyond what a timer can count is held at the longest it can.
    delay->SetCaption("99999999");
    cache->Prepare(document, file);
    EXPECT_EQ(timer->Interval(), INT_MAX);
}

TEST_F(CaptureCacheTest, ACaptureStoresTheWindowCutToTheLargestPictureAndDisarms)
{
    fake->SetForeground(100, 20);
    mark->SetColor(clRed);
    timer->SetEnabled(true);
    const std::string file = cache->FileOf("C#!work!a.xls");
    EXPECT_EQ(file, "C:\\cache\\C#!work!a.xls.bmp");
    cache->Capture(file);

    auto bmp = formats::DecodeBmp(formats::AsBytes(Read("cache/C#!work!a.xls.bmp")));
    ASSERT_TRUE(bmp) << "the picture is stored as a bitmap file";
    EXPECT_EQ(bmp->width, 40) << "no wider than the largest picture";
    EXPECT_EQ(bmp->height, 20) << "as high as the window when that is less";
    EXPECT_EQ(bmp->pixels[size_t(3) * 40 + 5] & 0xFFFFFF, platform::FakeScreen::TestPattern(5, 3) & 0xFFFFFF);
    EXPECT_EQ(picture->Width(), 40);
    EXPECT_EQ(mark->Color(), clBlack);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_TRUE(said.empty()) << "nothing is said unless the setting asks";

    sayWhenDone->SetCaption("1");
    cache->Capture(file);
    EXPECT_EQ(said, std::vector<std::string>{"取り込み終了しました！"});
}

TEST_F(CaptureCacheTest, WhatCannotBeTakenOrStoredIsReportedOrLeftAndTheCaptureStillEnds)
{
    fake->SetNoForeground();
    timer->SetEnabled(true);
    cache->Capture(cache->FileOf("C#!a.doc"));
    EXPECT_FALSE(timer->Enabled()) << "no window: nothing to take, disarmed";
    EXPECT_TRUE(Read("cache/C#!a.doc.bmp").empty());

    fake->SetForeground(10, 10);
    folder->SetCaption("C:\\missing");
    cache->Capture(cache->FileOf("C#!a.doc"));
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0], "画像を保存できません: C:\\missing\\C#!a.doc.bmp");
}

TEST_F(CaptureCacheTest, EachCaptureTrimsTheCacheToItsLimitOldestFirst)
{
    fake->SetForeground(40, 30);
    sizeLimit->SetCaption("0");
    cache->Capture(cache->FileOf("C#!one.doc"));
    EXPECT_TRUE(Read("cache/C#!one.doc.bmp").empty()) << "a limit of 0 keeps no capture";
}
