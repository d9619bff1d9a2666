// The media player over a media system of the test's own: its modes, the notice that comes once
// for each playing, the errors of a device that is not open or refuses, and the video pictures
// that go to its display.

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tk;

namespace {

// A medium of a given length whose position the test moves; it writes down every command.
class FakeMedia : public IMediaSystem {
public:
    class Device : public IMediaDevice {
    public:
        Device(FakeMedia& owner, IMediaEvents& events) : events(events), m_owner(owner) { m_owner.open = this; }
        ~Device() override
        {
            m_owner.log.push_back("close");
            m_owner.open = nullptr;
        }
        std::string Play() override
        {
            m_owner.log.push_back("play");
            if (!m_owner.refusal.empty())
                return m_owner.refusal;
            if (position >= 1000)
                position = 0;
            playing = true;
            return {};
        }
        std::string Stop() override
        {
            m_owner.log.push_back("stop");
            if (!m_owner.refusal.empty())
                return m_owner.refusal;
            playing = false;
            return {};
        }
        int64_t Length() override { return 1000; }
        int64_t Position() override { return position; }

        // The medium reaches its end, as the media system reports it.
        void End()
        {
            position = 1000;
            playing = false;
            events.PlayingEnded({});
        }

        int64_t position = 0;
        bool playing = false;
        IMediaEvents& events;

    private:
        FakeMedia& m_owner;
    };

    std::unique_ptr<IMediaDevice> OpenMedia(const std::string& dosPath, IMediaEvents& events) override
    {
        log.push_back("open " + dosPath);
        if (dosPath.find("bad") != std::string::npos)
            throw EMCIDeviceError("メディア ファイル \"" + dosPath + "\" を開けません。壊れています。");
        return std::make_unique<Device>(*this, events);
    }

    std::vector<std::string> log;
    std::string refusal;
    Device* open = nullptr;
};

class MediaPlayerTest : public ::testing::Test {
protected:
    MediaPlayerTest()
    {
        application.SetMediaSystem(&media);
        application.SetMessageLoop(&loop);
        form = new TForm(&application);
        player = new TMediaPlayer(form);
        player->SetName("Player");
        player->SetParent(form);
        player->OnNotify = [this](TObject*) { ++notices; };
    }

    void OpenFile(const std::string& name = "C:\\a.wav")
    {
        player->SetFileName(name);
        player->Open();
    }

    // The media system and the loop outlive the application, which frees the player.
    ScriptedMessageLoop loop;
    FakeMedia media;
    TApplication application;
    TForm* form = nullptr;
    TMediaPlayer* player = nullptr;
    int notices = 0;
};

}  // namespace

TEST_F(MediaPlayerTest, OpenPlayStopAndCloseMoveThroughTheModes)
{
    EXPECT_EQ(player->Mode(), TMPModes::mpClosed);
    OpenFile();
    EXPECT_EQ(player->Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player->Length(), 1000);
    player->Play();
    EXPECT_EQ(player->Mode(), TMPModes::mpPlaying);
    player->Stop();
    EXPECT_EQ(player->Mode(), TMPModes::mpStopped);
    player->Close();
    EXPECT_EQ(player->Mode(), TMPModes::mpClosed);
    player->Close();
    EXPECT_EQ(media.log, (std::vector<std::string>{"open C:\\a.wav", "play", "stop", "close"}));
}

TEST_F(MediaPlayerTest, OpeningAgainClosesTheOpenDeviceFirst)
{
    OpenFile("C:\\a.wav");
    OpenFile("C:\\b.wav");
    EXPECT_EQ(media.log, (std::vector<std::string>{"open C:\\a.wav", "close", "open C:\\b.wav"}));
}

TEST_F(MediaPlayerTest, AFileTheMediaSystemRefusesLeavesNoDeviceOpen)
{
    OpenFile("C:\\a.wav");
    player->Play();
    try {
        OpenFile("C:\\bad.wav");
        FAIL() << "the refused file opened";
    } catch (const EMCIDeviceError& error) {
        EXPECT_EQ(error.Message(), "メディア ファイル \"C:\\bad.wav\" を開けません。壊れています。");
    }
    EXPECT_EQ(player->Mode(), TMPModes::mpClosed);
    EXPECT_EQ(media.open, nullptr);
    loop.posted.RunPending();
    EXPECT_EQ(notices, 0) << "closing the playing device gives no notice";
}

TEST_F(MediaPlayerTest, PlayAndStopWithoutAnOpenDeviceRaiseTheMediaError)
{
    // The commands as functions rather than pointers to members: g++ 12's UndefinedBehaviorSanitizer
    // checks the object of `(member->*command)()` through a value it never computed.
    for (void (*command)(TMediaPlayer&) : {+[](TMediaPlayer& p) { p.Play(); }, +[](TMediaPlayer& p) { p.Stop(); }}) {
        try {
            command(*player);
            FAIL() << "a command without a device went through";
        } catch (const EMCIDeviceError& error) {
            EXPECT_EQ(error.Message(), "メディア デバイスが開かれていません。");
        }
    }
    EXPECT_TRUE(media.log.empty());
}

TEST_F(MediaPlayerTest, TheEndOfTheMediumGivesOneNoticeAndLeavesThePlayerStopped)
{
    OpenFile();
    player->Play();
    media.open->End();
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(player->Mode(), TMPModes::mpStopped);
    // A late second report of the same end is no new playing's end.
    media.open->events.PlayingEnded({});
    EXPECT_EQ(notices, 1);
    player->Play();
    EXPECT_EQ(media.open->position, 0) << "play at the end starts again from the beginning";
}

TEST_F(MediaPlayerTest, StopKeepsThePositionAndItsNoticeComesAfterTheHandler)
{
    OpenFile();
    player->Play();
    media.open->position = 300;
    player->Stop();
    EXPECT_EQ(notices, 0) << "the notice is posted, not given inside Stop";
    loop.posted.RunPending();
    EXPECT_EQ(notices, 1);
    player->Stop();
    loop.posted.RunPending();
    EXPECT_EQ(notices, 1) << "a stop with nothing playing has no playing to report";
    player->Play();
    EXPECT_EQ(player->Position(), 300);
}

TEST_F(MediaPlayerTest, APlayThatSupersedesAnotherReportsTheFirstOnce)
{
    OpenFile();
    player->Play();
    player->Play();
    loop.posted.RunPending();
    EXPECT_EQ(notices, 1);
    media.open->End();
    EXPECT_EQ(notices, 2);
}

TEST_F(MediaPlayerTest, ANoticeOnItsWayWhenTheDeviceClosesIsDropped)
{
    OpenFile();
    player->Play();
    player->Stop();
    OpenFile("C:\\b.wav");
    player->Play();
    loop.posted.RunPending();
    EXPECT_EQ(notices, 0) << "the old file's notice would stop the new one";
    EXPECT_EQ(player->Mode(), TMPModes::mpPlaying);
}

TEST_F(MediaPlayerTest, ARefusalByAnOpenDeviceIsOnlyKeptAsTheLastError)
{
    OpenFile();
    media.refusal = "the device is busy";
    EXPECT_NO_THROW(player->Play());
    EXPECT_EQ(player->ErrorMessage(), "the device is busy");
    EXPECT_EQ(player->Mode(), TMPModes::mpStopped);
    EXPECT_NO_THROW(player->Stop());
    media.refusal.clear();
    player->Play();
    EXPECT_EQ(player->ErrorMessage(), "");
    loop.posted.RunPending();
    EXPECT_EQ(notices, 0);
}

TEST_F(MediaPlayerTest, AnErrorInTheNoticeHandlerIsReportedAndThePlayerGoesOn)
{
    RecordingDialogs dialogs;
    application.SetDialogs(&dialogs);
    player->OnNotify = [](TObject*) { throw EMCIDeviceError("メディア デバイスが開かれていません。"); };
    OpenFile();
    player->Play();
    media.open->End();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "メディア デバイスが開かれていません。");
}

TEST_F(MediaPlayerTest, APlayerFreedWithANoticeOnItsWayIsNotCalled)
{
    OpenFile();
    player->Play();
    player->Stop();
    delete player;
    EXPECT_NO_FATAL_FAILURE(loop.posted.RunPending());
    EXPECT_EQ(notices, 0);
}

TEST_F(MediaPlayerTest, TheDisplayIsForgottenWhenItIsFreed)
{
    auto* pane = new TPanel(form);
    pane->SetParent(form);
    player->SetDisplay(pane);
    EXPECT_EQ(player->Display(), pane);
    TPropertyList properties;
    pane->SetName("Pane");
    player->DescribeProperties(properties);
    EXPECT_EQ(properties.Find("Display")->text, "Pane");
    delete pane;
    EXPECT_EQ(player->Display(), nullptr);
}

TEST(FreeNotification, EitherSideMayGoFirst)
{
    struct Watcher : TComponent {
        using TComponent::TComponent;
        void Notification(TComponent* component) override { gone.push_back(component); }
        std::vector<TComponent*> gone;
    };
    auto* watched = new TComponent(nullptr);
    auto* watcher = new Watcher(nullptr);
    watcher->FreeNotification(watched);
    watcher->FreeNotification(watched);
    delete watched;
    ASSERT_EQ(watcher->gone.size(), 1u);
    auto* second = new TComponent(nullptr);
    watcher->FreeNotification(second);
    delete watcher;
    delete second;  // must not tell the freed watcher
    auto* third = new TComponent(nullptr);
    auto* other = new Watcher(nullptr);
    other->FreeNotification(third);
    other->RemoveFreeNotification(third);
    delete third;
    EXPECT_TRUE(other->gone.empty());
    delete other;
}

namespace {
// Panels whose peers write down the video pictures they are given (null: taken away).
class FramePeers : public IPeerFactory {
public:
    class Peer : public TPanelPeer {
    public:
        Peer(FramePeers& owner, std::string name) : m_owner(owner), m_name(std::move(name)) {}
        void SetVideoFrame(std::shared_ptr<const TVideoFrame> frame) override
        {
            m_owner.log.push_back(m_name + (frame ? " " + std::to_string(frame->Width) : " none"));
        }

    private:
        FramePeers& m_owner;
        std::string m_name;
    };
    std::unique_ptr<TFormPeer> CreatePeer(TForm&) override { return std::make_unique<TFormPeer>(); }
    std::unique_ptr<TPanelPeer> CreatePeer(TPanel& panel) override { return std::make_unique<Peer>(*this, panel.Name()); }
    std::unique_ptr<TLabelPeer> CreatePeer(TLabel&) override { return nullptr; }
    std::unique_ptr<TButtonPeer> CreatePeer(TButton&) override { return nullptr; }
    std::unique_ptr<TImagePeer> CreatePeer(TImage&) override { return nullptr; }
    std::unique_ptr<TScrollBarPeer> CreatePeer(TScrollBar&) override { return nullptr; }

    std::vector<std::string> log;
};

std::shared_ptr<const TVideoFrame> Picture(int width)
{
    auto frame = std::make_shared<TVideoFrame>();
    frame->Width = width;
    frame->Height = 1;
    frame->Pixels.assign(size_t(width), 0xFF000000u);
    return frame;
}
}  // namespace

TEST(MediaPlayerVideo, PicturesGoToTheDisplayAndFollowItWhenItChanges)
{
    FakeMedia media;
    FramePeers peers;
    TApplication application;
    application.SetMediaSystem(&media);
    application.SetPeerFactory(&peers);
    TForm* form = nullptr;
    application.CreateForm(form);
    auto makePane = [&](const char* name) {
        auto* pane = new TPanel(form);
        pane->SetName(name);
        pane->SetParent(form);
        return pane;
    };
    TPanel* under = makePane("Under");
    TPanel* right = makePane("Right");
    form->Show();
    auto* player = new TMediaPlayer(form);
    player->SetParent(form);
    player->SetDisplay(under);
    player->SetFileName("C:\\clip.avi");
    player->Open();
    player->Play();
    media.open->events.NewVideoFrame(Picture(160));
    player->SetDisplay(right);
    media.open->events.NewVideoFrame(Picture(161));
    player->Close();
    EXPECT_EQ(peers.log, (std::vector<std::string>{"Under 160", "Under none", "Right 160", "Right 161", "Right none"}));
    EXPECT_EQ(player->VideoFrame(), nullptr);
}

TEST(MediaPlayerVideo, ADisplayThePlayerLeavesOrOutlivesItHoldsNoPictureOfItButTheEndKeepsTheLast)
{
    FakeMedia media;
    FramePeers peers;
    TApplication application;
    application.SetMediaSystem(&media);
    application.SetPeerFactory(&peers);
    TForm* form = nullptr;
    application.CreateForm(form);
    auto* pane = new TPanel(form);
    pane->SetName("Pane");
    pane->SetParent(form);
    form->Show();
    auto* player = new TMediaPlayer(form);
    player->SetParent(form);
    player->SetDisplay(pane);
    player->SetFileName("C:\\clip.avi");
    player->Open();
    player->Play();
    media.open->events.NewVideoFrame(Picture(160));
    media.open->End();
    EXPECT_EQ(peers.log, (std::vector<std::string>{"Pane 160"})) << "the last picture stays after the end";
    player->SetDisplay(nullptr);
    EXPECT_EQ(peers.log.back(), "Pane none");
    media.open->events.NewVideoFrame(Picture(161));
    EXPECT_EQ(peers.log.back(), "Pane none") << "a picture that comes later is drawn nowhere";
    player->SetDisplay(pane);
    EXPECT_EQ(peers.log.back(), "Pane 161") << "given its display back, the player shows its newest picture";
    peers.log.clear();
    delete player;
    EXPECT_EQ(peers.log, (std::vector<std::string>{"Pane none"})) << "a freed player leaves nothing painted";
}
