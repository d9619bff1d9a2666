// The media device on the real GStreamer with a silent output, over the samples in
// tests/data/media (written by sox and GStreamer's encoders, and a MIDI file of Debian's).

#include "platform/Media.h"
#include "tests/SpecialFiles.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

using namespace platform;
using namespace std::chrono_literals;

namespace {

std::string Sample(const char* name)
{
    return std::string(ORVANE_TEST_DATA) + "/media/" + name;
}

// Collects what a medium signals from GStreamer's threads.
struct Reports {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<uint64_t, std::string>> ends;
    int frames = 0;

    MediaSignals Signals()
    {
        MediaSignals reports;
        reports.ended = [this](uint64_t play, const std::string& error) {
            std::lock_guard lock(mutex);
            ends.emplace_back(play, error);
            changed.notify_all();
        };
        reports.frameReady = [this] {
            std::lock_guard lock(mutex);
            ++frames;
            changed.notify_all();
        };
        return reports;
    }

    bool WaitForEnds(size_t count, std::chrono::milliseconds bound)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, bound, [&] { return ends.size() >= count; });
    }
    bool WaitForFrames(int count, std::chrono::milliseconds bound)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, bound, [&] { return frames >= count; });
    }
};

MediaOptions Silent()
{
    MediaOptions options;
    options.audio = AudioOutput::Silent;
    return options;
}

std::unique_ptr<IMedium> Open(const std::string& path, Reports& reports, std::string& error,
                              MediaOptions options = Silent())
{
    return OpenMedium(path, options, reports.Signals(), error);
}

}  // namespace

TEST(MediaOpen, EveryTypeOpensWithItsLength)
{
    struct Case {
        const char* name;
        int64_t length;
        bool video;
    };
    // MPEG layer 2 carries no length in its headers: GStreamer estimates it from the frames it has
    // parsed when the file is open, or cannot tell yet (-1); decoding it measures it exactly.
    for (Case sample : {Case{"tone.wav", 500, false}, Case{"tone.mp3", 840, false}, Case{"tone.mpa", -1, false},
                        Case{"clip.avi", 1000, true}, Case{"song.mid", 69888, false}, Case{"song.rmi", 69888, false}}) {
        Reports reports;
        std::string error;
        auto medium = Open(Sample(sample.name), reports, error);
        ASSERT_TRUE(medium) << sample.name << ": " << error;
        if (sample.length < 0 && medium->LengthMs() >= 0)
            sample.length = 768;
        EXPECT_NEAR(double(medium->LengthMs()), double(sample.length), 30.0) << sample.name;
        EXPECT_EQ(medium->HasVideo(), sample.video) << sample.name;
        EXPECT_EQ(medium->PositionMs(), 0) << sample.name;
    }
    EXPECT_NEAR(double(MeasureLengthMs(Sample("tone.mpa"), 5000)), 768.0, 30.0);
    EXPECT_FALSE(DefaultSoundFont().empty()) << "set-up installs a General MIDI sound font";
}

TEST(MediaOpen, FilesThatCannotBePlayedAreRefusedWithAReason)
{
    TempTree folder("media");
    std::string pipe = folder.Path("pipe.wav");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_TRUE(special::MakeLink(pipe, folder.Path("pipe.mid")));
    ASSERT_TRUE(special::MakeLink("/dev/zero", folder.Path("zero.mid")));
    special::PipeRelease release({pipe});
    struct Case {
        std::string path;
        const char* reason;  // the start of the reason; empty: any
    };
    const char* const notAFile = "通常のファイルではありません";
    for (const Case& sample : {Case{Sample("missing.wav"), "そのようなファイルやディレクトリはありません"},
                               Case{pipe, notAFile},
                               Case{folder.Path("pipe.mid"), notAFile},
                               Case{folder.Path("zero.mid"), notAFile},
                               Case{folder.Root(), "ディレクトリです"},
                               Case{Sample("truncated.mid"), "MIDI track 4 is truncated"},
                               Case{Sample("truncated.wav"), ""},
                               Case{Sample("garbage.avi"), ""},
                               Case{Sample("empty.mpa"), ""}}) {
        Reports reports;
        std::string error;
        auto started = std::chrono::steady_clock::now();
        auto medium = Open(sample.path, reports, error);
        EXPECT_FALSE(medium) << sample.path;
        EXPECT_FALSE(error.empty()) << sample.path;
        EXPECT_EQ(error.substr(0, std::string(sample.reason).size()), sample.reason) << sample.path;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 3500ms) << sample.path;
        if (sample.reason == notAFile) {
            EXPECT_LT(std::chrono::steady_clock::now() - started, special::Prompt) << "waited on " << sample.path;
        }
    }
    auto took = special::TimeOf([&] { EXPECT_EQ(MeasureLengthMs(pipe, 2000), -1); });
    EXPECT_LT(took, special::Prompt) << "measuring waited on the pipe";
}

TEST(MediaOpen, ExaminingAFileIsBounded)
{
    Reports reports;
    std::string error;
    MediaOptions options = Silent();
    options.openBoundMs = 0;
    EXPECT_FALSE(Open(Sample("clip.avi"), reports, error, options));
    EXPECT_EQ(error, "examining the file took longer than 0 ms");
}

TEST(MediaPlay, AWavPlaysToItsEndInRealTimeAndPlayAfterTheEndStartsAgain)
{
    Reports reports;
    std::string error;
    auto medium = Open(Sample("tone.wav"), reports, error);
    ASSERT_TRUE(medium) << error;
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(medium->Play(error)) << error;
    ASSERT_TRUE(reports.WaitForEnds(1, 5s)) << "no end came";
    EXPECT_GE(std::chrono::steady_clock::now() - started, 450ms) << "the silent output keeps the clock";
    EXPECT_EQ(reports.ends[0].first, medium->PlayNumber());
    EXPECT_EQ(reports.ends[0].second, "");
    ASSERT_TRUE(medium->Play(error)) << error;
    std::this_thread::sleep_for(100ms);
    EXPECT_LT(medium->PositionMs(), 400) << "play at the end rewinds first";
    ASSERT_TRUE(reports.WaitForEnds(2, 5s));
    EXPECT_EQ(reports.ends[1].first, medium->PlayNumber());
}

TEST(MediaPlay, StopKeepsThePositionAndPlayGoesOnFromIt)
{
    for (const char* name : {"tone.wav", "song.mid", "song.rmi", "tone.mp3"}) {
        Reports reports;
        std::string error;
        auto medium = Open(Sample(name), reports, error);
        ASSERT_TRUE(medium) << name << ": " << error;
        ASSERT_TRUE(medium->Play(error)) << error;
        std::this_thread::sleep_for(200ms);
        ASSERT_TRUE(medium->Stop(error)) << error;
        int64_t stopped = medium->PositionMs();
        EXPECT_GT(stopped, 50) << name << " did not play";
        std::this_thread::sleep_for(150ms);
        EXPECT_EQ(medium->PositionMs(), stopped) << name;
        ASSERT_TRUE(medium->Play(error)) << error;
        std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(medium->Stop(error)) << error;
        EXPECT_GT(medium->PositionMs(), stopped) << name << " started again instead of going on";
        EXPECT_TRUE(reports.ends.empty()) << name;
    }
}

TEST(MediaPlay, AVideoGivesItsPicturesAtItsSize)
{
    Reports reports;
    std::string error;
    auto medium = Open(Sample("clip.avi"), reports, error);
    ASSERT_TRUE(medium) << error;
    auto first = medium->TakeFrame();
    ASSERT_TRUE(first) << "the first picture is there once the file is open";
    EXPECT_EQ(first->width, 160);
    EXPECT_EQ(first->height, 120);
    EXPECT_EQ(first->pixels.size(), 160u * 120u);
    EXPECT_EQ(first->pixels[0] >> 24, 0xFFu);
    ASSERT_TRUE(medium->Play(error)) << error;
    ASSERT_TRUE(reports.WaitForFrames(1, 3s));
    auto next = medium->TakeFrame();
    ASSERT_TRUE(next);
    ASSERT_TRUE(reports.WaitForEnds(1, 5s));
    EXPECT_GE(reports.frames, 2) << "pictures come while it plays";
}

TEST(MediaPlay, ADeviceOutputWithoutASoundCardStillPlaysToTheEnd)
{
    Reports reports;
    std::string error;
    MediaOptions options;
    auto medium = Open(Sample("tone.wav"), reports, error, options);
    ASSERT_TRUE(medium) << error;
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(medium->Play(error)) << error;
    EXPECT_TRUE(reports.WaitForEnds(1, 5s));
    // On a sound card or on the silent stand-in for one, the sound takes its time.
    EXPECT_GE(std::chrono::steady_clock::now() - started, 450ms) << "the output does not keep the clock";
}

// The preparation at the program's start runs beside the first files opened: they wait for what
// they need of it (the synthesiser above all) and play as ever, and a preparation given up
// before its end is waited for.
TEST(MediaPlay, FilesOpenedWhileTheDeviceIsPreparedPlayAsEver)
{
    MediaOptions options = Silent();
    {
        MediaPreparation preparation(options);
        for (const char* name : {"blip.mid", "blip.wav", "blip.mid"}) {
            Reports reports;
            std::string error;
            auto medium = Open(Sample(name), reports, error, options);
            ASSERT_TRUE(medium) << name << ": " << error;
            ASSERT_TRUE(medium->Play(error)) << error;
            ASSERT_TRUE(reports.WaitForEnds(1, 5s)) << name;
            EXPECT_EQ(reports.ends[0].second, "") << name;
        }
    }
    MediaPreparation abandoned(options);
}

// The oldest kind of AVI: uncompressed RGB pictures, in three bands red, green and blue from the
// top down. Each shows the right way up in its own colours, 24-bit pixels as much as 5-5-5 and
// 5-6-5 ones, stored bottom up or top down, under a stream header that names no codec or one the
// format does not use; each plays to its end (rgb16.avi with its sound) and again from the start.
TEST(MediaPlay, UncompressedRgbVideosShowTheirColoursTheRightWayUpAndPlayToTheEnd)
{
    for (const char* name : {"rgb24.avi", "rgb16.avi", "rgb16-topdown.avi", "rgb16-565.avi", "rgb24-handler.avi"}) {
        SCOPED_TRACE(name);
        Reports reports;
        std::string error;
        auto medium = Open(Sample(name), reports, error);
        ASSERT_TRUE(medium) << error;
        EXPECT_TRUE(medium->HasVideo());
        EXPECT_NEAR(double(medium->LengthMs()), 400.0, 30.0);
        auto first = medium->TakeFrame();
        ASSERT_TRUE(first) << "the first picture is there once the file is open";
        ASSERT_EQ(first->height, 24);
        ASSERT_EQ(first->pixels.size(), size_t(first->width) * 24u);
        const int width = first->width;
        EXPECT_EQ(width, std::string(name) == "rgb24.avi" ? 30 : 33);
        auto at = [&](int x, int y) { return first->pixels[size_t(y) * size_t(width) + size_t(x)]; };
        // Red at the top, green in the middle, blue at the bottom, across the whole width;
        // 5 bits a colour widen to 8 (31 to 255), so the pure colours stay pure.
        for (int x : {0, width / 2, width - 1}) {
            EXPECT_EQ(at(x, 2), 0xFFFF0000u) << "top, x " << x;
            EXPECT_EQ(at(x, 12), 0xFF00FF00u) << "middle, x " << x;
            EXPECT_EQ(at(x, 21), 0xFF0000FFu) << "bottom, x " << x;
        }
        ASSERT_TRUE(medium->Play(error)) << error;
        ASSERT_TRUE(reports.WaitForEnds(1, 5s)) << "no end came";
        EXPECT_EQ(reports.ends[0].second, "");
        ASSERT_TRUE(medium->Play(error)) << error;
        ASSERT_TRUE(reports.WaitForEnds(2, 5s)) << "played again, it ends again";
        EXPECT_EQ(reports.ends[1].second, "");
    }
}

namespace {

// Whether a 0xFFRRGGBB pixel is the expected colour, each component within `tolerance`; the
// message names both in hexadecimal, so that red and blue taken for each other show at once.
testing::AssertionResult PixelNear(uint32_t actual, uint32_t expected, int tolerance)
{
    bool near = (actual >> 24) == 0xFFu;
    for (int shift : {16, 8, 0})
        near = near && std::abs(int(actual >> shift & 0xFF) - int(expected >> shift & 0xFF)) <= tolerance;
    if (near)
        return testing::AssertionSuccess();
    char text[64];
    std::snprintf(text, sizeof text, "0x%08X where 0x%08X was expected", unsigned(actual), unsigned(expected));
    return testing::AssertionFailure() << text;
}

// Checks a picture of three bands, red, green and blue from the top down, across its width.
void ExpectBands(const VideoFrame& frame, int tolerance)
{
    ASSERT_EQ(frame.pixels.size(), size_t(frame.width) * size_t(frame.height));
    for (int x : {0, frame.width / 2, frame.width - 1}) {
        auto at = [&](int y) { return frame.pixels[size_t(y) * size_t(frame.width) + size_t(x)]; };
        EXPECT_TRUE(PixelNear(at(frame.height / 6), 0xFFFF0000u, tolerance)) << "red band, x " << x;
        EXPECT_TRUE(PixelNear(at(frame.height / 2), 0xFF00FF00u, tolerance)) << "green band, x " << x;
        EXPECT_TRUE(PixelNear(at(frame.height * 5 / 6), 0xFF0000FFu, tolerance)) << "blue band, x " << x;
    }
}

}  // namespace

// Every path a video takes to the screen ends in the same pixels, red kept red and blue blue, in
// the first picture and in those that come while it plays: 24-bit uncompressed pictures that
// playbin takes as they are, 5-5-5 ones that go through the device's own AVI pipeline, and motion
// JPEG that a decoder turns into YUV first. Decoded JPEG may be off by a step or two; the bands
// are as high as the encoder's blocks, so that no colour bleeds into the next.
TEST(MediaPlay, RedStaysRedAndBlueStaysBlueWhetherThePicturesAreDecodedOrNot)
{
    struct Case {
        const char* name;
        int tolerance;
    };
    for (Case sample : {Case{"rgb24.avi", 0}, Case{"rgb16.avi", 0}, Case{"bands-mjpeg.avi", 8}}) {
        SCOPED_TRACE(sample.name);
        Reports reports;
        std::string error;
        auto medium = Open(Sample(sample.name), reports, error);
        ASSERT_TRUE(medium) << error;
        auto first = medium->TakeFrame();
        ASSERT_TRUE(first) << "the first picture is there once the file is open";
        {
            SCOPED_TRACE("the first picture");
            ExpectBands(*first, sample.tolerance);
        }
        ASSERT_TRUE(medium->Play(error)) << error;
        ASSERT_TRUE(reports.WaitForFrames(1, 3s)) << "no picture came while it played";
        auto played = medium->TakeFrame();
        ASSERT_TRUE(played);
        {
            SCOPED_TRACE("a picture while it played");
            ExpectBands(*played, sample.tolerance);
        }
        ASSERT_TRUE(reports.WaitForEnds(1, 5s)) << "no end came";
        EXPECT_EQ(reports.ends[0].second, "");
    }
}
