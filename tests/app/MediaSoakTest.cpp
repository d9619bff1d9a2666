// Many files opened and closed through the program's own media path: the media player over the
// program's media system (HostMedia) over GStreamer, with a silent output. 200 rounds of a MIDI,
// a WAV, an AVI (with sound) and an MPEG layer 2 file, each played to its end, stopped, or
// superseded by the next file, must leave the process's memory and threads where the first ten
// rounds left them: what one opening holds (pipelines, GStreamer's threads, the synthesiser and
// its sound font, messages, pictures) is all given back.

#include "host/HostMedia.h"
#include "platform/Host.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"
#include "toolkit/MediaPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// LeakSanitizer's run is slower, and its allocator keeps what is freed for a while, so that the
// memory taken grows by design there: it runs fewer rounds and counts the threads only.
#if defined(__SANITIZE_ADDRESS__)
constexpr int Rounds = 40;
constexpr bool CountsMemory = false;
#else
constexpr int Rounds = 200;
constexpr bool CountsMemory = true;
#endif
constexpr int SettlingRounds = 10;

// The resident memory of the process in kilobytes, as the kernel counts it.
long ResidentKb()
{
    // The kernel's own record of this process: never a pipe, never waits.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

int Threads()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

enum class Ending { PlayedToTheEnd, Stopped, Superseded };

// Of every ten rounds of a file, one plays it to its end, three stop it, the rest leave it to the
// next file's opening; the files take turns so that each ending meets each neighbour.
Ending EndingOf(int round, int file)
{
    const int turn = (round + file) % 10;
    return turn == 0 ? Ending::PlayedToTheEnd : turn <= 3 ? Ending::Stopped : Ending::Superseded;
}

}  // namespace

TEST(MediaSoak, OpeningPlayingAndClosingManyFilesGivesBackMemoryAndThreads)
{
    tk::ScriptedMessageLoop loop;
    tk::TApplication application;
    platform::DriveMap drives;
    drives.Map('C', ORVANE_TEST_DATA "/media");
    platform::Host host(drives);
    platform::MediaOptions silent;
    silent.audio = platform::AudioOutput::Silent;
    orvane::HostMedia media(host, application, silent);
    application.SetMessageLoop(&loop);
    application.SetMediaSystem(&media);
    tk::TForm* form = nullptr;
    application.CreateForm(form);
    auto* player = new tk::TMediaPlayer(form);
    int notices = 0;
    player->OnNotify = [&](tk::TObject*) { ++notices; };

    const char* const files[] = {"C:\\blip.mid", "C:\\blip.wav", "C:\\blip.avi", "C:\\blip.mpa"};
    long settledKb = 0;
    int settledThreads = 0;
    int ends = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int round = 0; round < Rounds; ++round) {
        for (int file = 0; file < 4; ++file) {
            player->SetFileName(files[file]);
            ASSERT_NO_THROW(player->Open()) << files[file];
            player->Play();
            ASSERT_EQ(player->Mode(), tk::TMPModes::mpPlaying) << files[file] << ": " << player->ErrorMessage();
            switch (EndingOf(round, file)) {
            case Ending::PlayedToTheEnd: {
                const int before = notices;
                for (int waited = 0; notices == before && waited < 50; ++waited)
                    loop.posted.WaitAndRun(100);
                ASSERT_EQ(notices, before + 1) << files[file] << " did not end in round " << round;
                EXPECT_EQ(player->ErrorMessage(), "") << files[file];
                ++ends;
                break;
            }
            case Ending::Stopped:
                loop.posted.WaitAndRun(20);
                player->Stop();
                EXPECT_EQ(player->Mode(), tk::TMPModes::mpStopped) << files[file];
                break;
            case Ending::Superseded: break;
            }
            loop.posted.RunPending();
        }
        if (round + 1 == SettlingRounds) {
            settledKb = ResidentKb();
            settledThreads = Threads();
        }
    }
    player->Close();
    loop.posted.RunPending();
    const long endKb = ResidentKb();
    const int endThreads = Threads();
    RecordProperty("rounds", Rounds);
    RecordProperty("settled_kb", int(settledKb));
    RecordProperty("end_kb", int(endKb));
    std::cout << Rounds << " rounds of 4 files in "
              << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started).count()
              << " s; memory " << settledKb << " kB after " << SettlingRounds << " rounds, " << endKb
              << " kB at the end; threads " << settledThreads << ", then " << endThreads << "\n";
    EXPECT_GE(ends, Rounds * 4 / 10) << "every file played to its end now and then";
    EXPECT_LE(endThreads, settledThreads + 2) << "threads are left behind";
    if (CountsMemory) {
        EXPECT_LE(endKb - settledKb, 3 * 1024) << "memory is left behind";
    }
}
