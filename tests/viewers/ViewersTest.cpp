// The viewers on their own: given three bare panes, a player and the settings' lists, without the
// main window, they decide how a file is shown and show it in every pane alike.

#include "common/Design.h"
#include "host/HostTextFiles.h"
#include "platform/Host.h"
#include "tests/SpecialFiles.h"
#include "tests/app/HeadlessRun.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "viewers/Viewers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <fstream>
#include <memory>
#include <string>

using namespace orvane;
using namespace tk;

namespace {

class Viewers : public ::testing::Test {
protected:
    Viewers() : host(drive.drives), main(&application), window(&application)
    {
        mkdir((drive.Root() + "/work").c_str(), 0755);
        application.SetTextFiles(&textFiles);
        for (int i = 0; i < 3; ++i) {
            TForm& form = i == 0 ? window : main;
            TViewerPane& pane = panes[i];
            auto* surface = new TPanel(&form);
            surface->SetParent(&form);
            pane.surface = surface;
            pane.picture = new TImage(&form);
            pane.notice = new TLabel(&form);
            pane.productName = new TLabel(&form);
            pane.richEdit = new TRichEdit(&form);
            pane.html = new THTML(&form);
            pane.media = MakeMediaPanel(&form, surface, "P" + std::to_string(i), TRect{0, 0, 100, 40}, 0, 0);
            for (TControl* part : std::initializer_list<TControl*>{pane.picture, pane.notice, pane.productName,
                                                                   pane.richEdit, pane.html})
                part->SetParent(surface);
        }
        player = new TMediaPlayer(&main);
        background = new TImage(&main);
        icons = new TImageList(&main);
        unlisted = new TLabel(&main);
        unlisted->SetCaption("1");
        captureTypes = new TStringGrid(&main);
        textTypes = new TStringGrid(&main);
        for (TStringGrid* list : {captureTypes, textTypes}) {
            list->SetColCount(2);
            list->SetRowCount(3);
        }
        textTypes->SetCell(1, 1, "TXT");
        viewers = std::make_unique<TViewers>(
            TViewers::Parts{main, *player, *background, *icons, *unlisted, *captureTypes, *textTypes},
            TViewers::State{path, pictureShown},
            TViewers::Services{
                .host = host,
                .icons = iconSource,
                .pane = [this](TArrangement arrangement) {
                    return arrangement == TArrangement::None ? TViewerPane{} : panes[int(arrangement)];
                },
                .current = [] { return TArrangement::Under; },
                .window = [this]() -> TForm& { return window; },
            });
    }

    void Show(const std::string& name, const std::string& extension)
    {
        path = "C:\\work\\" + name;
        viewers->Show(name, extension, "C:\\cache\\none.bmp");
    }
    std::string Host(const std::string& name) const { return drive.Root() + "/work/" + name; }

    TemporaryDrive drive;
    platform::Host host;
    HostTextFiles textFiles{host};
    TApplication application;
    TForm main;
    TForm window;
    std::array<TViewerPane, 3> panes{};
    TMediaPlayer* player = nullptr;
    TImage* background = nullptr;
    TImageList* icons = nullptr;
    TLabel* unlisted = nullptr;
    TStringGrid* captureTypes = nullptr;
    TStringGrid* textTypes = nullptr;
    platform::IIcons* iconSource = nullptr;
    std::string path;
    int pictureShown = 1;
    std::unique_ptr<TViewers> viewers;
};

}  // namespace

TEST_F(Viewers, ATextGoesToTheCurrentPaneAndEveryPaneShowsItsEdit)
{
    std::ofstream(Host("a.txt")) << "hello";
    Show("a.txt", "TXT");
    EXPECT_EQ(pictureShown, 0);
    EXPECT_EQ(panes[int(TArrangement::Under)].richEdit->Lines().Text(), "hello\r\n");
    EXPECT_EQ(panes[int(TArrangement::Right)].richEdit->Lines().Text(), "");
    for (const TViewerPane& pane : panes) {
        EXPECT_TRUE(pane.richEdit->Visible());
        EXPECT_FALSE(pane.picture->Visible());
        EXPECT_FALSE(pane.media.panel->Visible());
    }
}

// The settings' lists decide first: an unlisted type is refused with a notice, and a type the
// capture list names is a picture even without one (then there is no data to show).
TEST_F(Viewers, TheListsDecideAndEveryPaneSaysTheSame)
{
    std::ofstream(Host("b.qqq")) << "x";
    Show("b.qqq", "QQQ");
    for (const TViewerPane& pane : panes) {
        EXPECT_TRUE(pane.notice->Visible());
        EXPECT_EQ(pane.notice->Caption(), "表示指定されたデータではありません");
    }

    captureTypes->SetCell(1, 1, "QQQ");
    Show("b.qqq", "QQQ");
    EXPECT_EQ(pictureShown, 1);
    for (const TViewerPane& pane : panes)
        EXPECT_EQ(pane.notice->Caption(), "データがありません");
}

// A named pipe is never opened, whatever its name says: reading it would hold the window up.
TEST_F(Viewers, ANamedPipeNamedLikeATextGetsANoticeAndIsNotRead)
{
    ASSERT_TRUE(special::MakePipe(Host("pipe.txt")));
    Show("pipe.txt", "TXT");
    for (const TViewerPane& pane : panes) {
        EXPECT_TRUE(pane.notice->Visible());
        EXPECT_EQ(pane.notice->Caption(), "特殊なファイルです!");
        EXPECT_FALSE(pane.richEdit->Visible());
    }
}

// The detached window's panel and the right pane's change before the player is commanded and the
// lower pane's after it: a player that refuses leaves exactly that mixed state for its error.
TEST_F(Viewers, APlayerThatRefusesLeavesTheLowerPanelAsItWas)
{
    panes[int(TArrangement::Under)].media.status->SetCaption("Waiting Now");
    EXPECT_ANY_THROW(viewers->Play());
    EXPECT_EQ(panes[int(TArrangement::Separate)].media.status->Caption(), "Playing Now");
    EXPECT_EQ(panes[int(TArrangement::Right)].media.status->Caption(), "Playing Now");
    EXPECT_EQ(panes[int(TArrangement::Under)].media.status->Caption(), "Waiting Now");
}
