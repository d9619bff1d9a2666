// The pane a video is drawn on, through the whole program without a display: panels whose peers
// keep the picture they were last given, and a media system of the test's own whose video hands
// over one picture when it opens. Whatever the pane shows after a video, in every arrangement,
// its surface holds no picture of the video any more; a video at its end that nothing replaced
// keeps its last picture.

#include "tests/app/HeadlessRun.h"

#include "toolkit/Exception.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/Peers.h"
#include "toolkit/VideoFrame.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <map>

using namespace orvane;
using namespace tk;

namespace {

// Panels that keep the video picture they were given last (null when it was taken away).
class FramePeers : public IPeerFactory {
public:
    class Panel : public TPanelPeer {
    public:
        explicit Panel(std::shared_ptr<const TVideoFrame>& shown) : m_shown(shown) {}
        void SetVideoFrame(std::shared_ptr<const TVideoFrame> frame) override { m_shown = std::move(frame); }

    private:
        std::shared_ptr<const TVideoFrame>& m_shown;
    };

    std::unique_ptr<TFormPeer> CreatePeer(TForm&) override { return std::make_unique<TFormPeer>(); }
    std::unique_ptr<TPanelPeer> CreatePeer(TPanel& panel) override
    {
        return std::make_unique<Panel>(shown[&panel]);
    }
    std::unique_ptr<TLabelPeer> CreatePeer(TLabel&) override { return nullptr; }
    std::unique_ptr<TButtonPeer> CreatePeer(TButton&) override { return nullptr; }
    std::unique_ptr<TImagePeer> CreatePeer(TImage&) override { return nullptr; }
    std::unique_ptr<TScrollBarPeer> CreatePeer(TScrollBar&) override { return nullptr; }

    bool ShowsVideo(const TWinControl& surface) { return shown[&surface] != nullptr; }

    // The map's nodes stay where they are, so each peer keeps its own entry.
    std::map<const TWinControl*, std::shared_ptr<const TVideoFrame>> shown;
};

// A video that shows its first picture when it opens and ends when the test says so.
class OnePictureVideos : public IMediaSystem {
public:
    class Device : public IMediaDevice {
    public:
        Device(OnePictureVideos& owner, IMediaEvents& events) : m_owner(owner), m_events(events)
        {
            m_owner.open = this;
        }
        ~Device() override { m_owner.open = nullptr; }
        std::string Play() override { return {}; }
        std::string Stop() override { return {}; }
        int64_t Length() override { return 1000; }
        int64_t Position() override { return 0; }
        void End() { m_events.PlayingEnded({}); }

    private:
        OnePictureVideos& m_owner;
        IMediaEvents& m_events;
    };

    std::unique_ptr<IMediaDevice> OpenMedia(const std::string&, IMediaEvents& events) override
    {
        auto device = std::make_unique<Device>(*this, events);
        auto picture = std::make_shared<TVideoFrame>();
        picture->Width = 2;
        picture->Height = 2;
        picture->Pixels.assign(4, 0xFFFF0000u);
        events.NewVideoFrame(std::move(picture));
        return device;
    }

    Device* open = nullptr;
};

class VideoPane : public ::testing::Test {
protected:
    VideoPane()
    {
        const std::string work = drive.Root() + "/work";
        mkdir(work.c_str(), 0755);
        for (const char* name : {"clip.avi", "notes.txt", "lib.dll", "page.htm", "sheet.xls"})
            std::ofstream(work + "/" + name) << "some bytes\n";
        std::filesystem::copy_file(ORVANE_TEST_DATA "/gdk-pixbuf/valid.1.bmp", work + "/pic.bmp");

        application.SetPeerFactory(&peers);
        application.SetDialogs(&dialogs);
        application.SetClock(&clock);
        application.SetDesktopSize(1024, 768);
        auto screen = std::make_unique<platform::FakeScreen>();
        screen->SetDesktop(1024, 768);
        host.SetScreen(std::move(screen));
        host.SetCurrentDirectory("C:\\work");
        RunProcess(process);
        application.SetMediaSystem(&videos);
    }

    TImageForm& Form() { return *process.ImageForm; }

    void Arrange(TArrangement arrangement)
    {
        switch (arrangement) {
        case TArrangement::Under: Form().ShowUnderView(); break;
        case TArrangement::Right: Form().ShowRightView(); break;
        default: Form().ShowSeparateView(); break;
        }
    }

    void Click(const std::string& caption)
    {
        TListView& list = *Form().ListView1;
        for (int row = 0; row < list.Items().Count(); ++row)
            if (list.Items()[row].Caption() == caption) {
                list.InputSelect(row);
                list.InputClick();
                return;
            }
        ADD_FAILURE() << caption << " is not listed";
    }

    TemporaryDrive drive;
    FramePeers peers;
    OnePictureVideos videos;
    RecordingDialogs dialogs;
    ManualClock clock;
    TApplication application;
    platform::Host host{drive.drives};
    Process process{application, host};
};

}  // namespace

TEST_F(VideoPane, WhateverThePaneShowsAfterAVideoItsSurfaceHoldsNoPictureOfIt)
{
    for (TArrangement arrangement : {TArrangement::Under, TArrangement::Right, TArrangement::Separate}) {
        Arrange(arrangement);
        TWinControl& surface = *Form().Pane(arrangement).surface;
        for (const char* other : {"pic.bmp", "sheet.xls", "page.htm", "lib.dll", "notes.txt"}) {
            SCOPED_TRACE(std::string(other) + " in arrangement " + std::to_string(int(arrangement)));
            Click("clip.avi");
            ASSERT_TRUE(peers.ShowsVideo(surface)) << "the video's picture is drawn on the pane";
            Click(other);
            EXPECT_FALSE(peers.ShowsVideo(surface));
            EXPECT_EQ(Form().UnderMediaPlay->Mode(), TMPModes::mpPlaying) << "the sound plays on";
            ASSERT_NE(videos.open, nullptr);
            videos.open->End();
            EXPECT_FALSE(peers.ShowsVideo(surface)) << "its end does not bring the picture back";
        }
        for (TArrangement arrangement : {TArrangement::Separate, TArrangement::Under, TArrangement::Right})
            EXPECT_FALSE(peers.ShowsVideo(*Form().Pane(arrangement).surface));
    }
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text;
}

TEST_F(VideoPane, AVideoAtItsEndKeepsItsLastPictureUntilSomethingElseIsShown)
{
    Arrange(TArrangement::Under);
    Click("clip.avi");
    videos.open->End();
    EXPECT_EQ(Form().UnderMediaPlay->Mode(), TMPModes::mpStopped);
    EXPECT_TRUE(peers.ShowsVideo(*Form().UnderView)) << "as a media player's window kept it";
    Click("clip.avi");
    EXPECT_TRUE(peers.ShowsVideo(*Form().UnderView)) << "the video shown again draws on the pane again";
    Form().UnderMediaPlay->Close();
    EXPECT_FALSE(peers.ShowsVideo(*Form().UnderView)) << "a closed video leaves nothing behind";
}
