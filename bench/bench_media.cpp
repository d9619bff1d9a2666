// Sound and video: the time from the click on a WAV or MIDI file in the file list to its first
// audio buffer, through the whole program on the real media device with its silent output (the
// click closes what played before, opens the file, and plays it); and the time to open a video
// of 100 MB.

#include "host/HostMedia.h"
#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/Host.h"
#include "platform/Media.h"
#include "tests/TempTree.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"

#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {

// The program's media system, with the first audio buffer of each playing reported to the
// benchmark.
class MeasuredMedia : public tk::IMediaSystem {
public:
    explicit MeasuredMedia(platform::Host& host) : m_host(host) {}

    class Device : public tk::IMediaDevice {
    public:
        explicit Device(std::unique_ptr<platform::IMedium> medium) : m_medium(std::move(medium)) {}
        std::string Play() override
        {
            std::string error;
            m_medium->Play(error);
            return error;
        }
        std::string Stop() override
        {
            std::string error;
            m_medium->Stop(error);
            return error;
        }
        int64_t Length() override { return m_medium->LengthMs(); }
        int64_t Position() override { return m_medium->PositionMs(); }

    private:
        std::unique_ptr<platform::IMedium> m_medium;
    };

    std::unique_ptr<tk::IMediaDevice> OpenMedia(const std::string& dosPath, tk::IMediaEvents&) override
    {
        platform::MediaOptions options;
        options.audio = platform::AudioOutput::Silent;
        platform::MediaSignals reports;
        reports.firstSound = [this] {
            std::lock_guard lock(m_mutex);
            m_sounded = true;
            m_changed.notify_all();
        };
        return std::make_unique<Device>(orvane::OpenHostMedium(m_host, dosPath, options, reports));
    }

    void Reset()
    {
        std::lock_guard lock(m_mutex);
        m_sounded = false;
    }

    bool WaitForSound()
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [this] { return m_sounded; });
    }

private:
    platform::Host& m_host;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_sounded = false;
};

// The whole program without a display, started in a folder that holds the samples.
struct Program {
    Program()
    {
        for (const char* sample : {"tone.wav", "song.mid"})
            std::filesystem::copy_file(std::string(ORVANE_TEST_DATA "/media/") + sample, tree / sample);
        drives.Map('C', root);
        host = std::make_unique<platform::Host>(drives);
        host->SetCurrentDirectory("C:\\");
        application.SetMessageLoop(&loop);
        application.SetClock(&clock);
        application.SetDialogs(&dialogs);
        process = std::make_unique<orvane::Process>(application, *host);
        media = std::make_unique<MeasuredMedia>(*host);
        process->MediaSystem = media.get();
        orvane::RunProcess(*process);
    }
    ~Program()
    {
        process->ImageForm->UnderMediaPlay->Close();
    }

    int Row(const std::string& caption)
    {
        tk::TListView& list = *process->ImageForm->ListView1;
        for (int row = 0; row < list.Items().Count(); ++row)
            if (list.Items()[row].Caption() == caption)
                return row;
        return -1;
    }

    TempTree tree{"bench-media"};
    const std::string root = tree.Root();
    platform::DriveMap drives;
    std::unique_ptr<platform::Host> host;
    tk::ScriptedMessageLoop loop;
    tk::ManualClock clock;
    tk::RecordingDialogs dialogs;
    std::unique_ptr<MeasuredMedia> media;
    tk::TApplication application;
    std::unique_ptr<orvane::Process> process;
};

void ClickToFirstAudioBuffer(benchmark::State& state, const char* file)
{
    Program program;
    tk::TListView& list = *program.process->ImageForm->ListView1;
    int row = program.Row(file);
    if (row < 0) {
        state.SkipWithError("the sample is not listed");
        return;
    }
    for (auto _ : state) {
        program.media->Reset();
        auto started = std::chrono::steady_clock::now();
        list.InputSelect(row);
        list.InputClick();
        if (!program.media->WaitForSound()) {
            state.SkipWithError("no audio came");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        program.loop.posted.RunPending();
    }
    if (!program.dialogs.boxes.empty())
        state.SkipWithError(program.dialogs.boxes.front().text.c_str());
}

void BM_ClickToFirstAudioBuffer_Wav(benchmark::State& state)
{
    ClickToFirstAudioBuffer(state, "tone.wav");
}
BENCHMARK(BM_ClickToFirstAudioBuffer_Wav)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ClickToFirstAudioBuffer_Midi(benchmark::State& state)
{
    ClickToFirstAudioBuffer(state, "song.mid");
}
BENCHMARK(BM_ClickToFirstAudioBuffer_Midi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// An uncompressed AVI of 100 MB (900 pictures of 320 x 240), written once by GStreamer's muxer.
std::string LargeVideo()
{
    static const std::string path = "/tmp/orvane-bench-100mb.avi";
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || status.st_size < 100'000'000)
        std::system(("gst-launch-1.0 -q videotestsrc num-buffers=900 "
                     "! video/x-raw,format=I420,width=320,height=240,framerate=25/1 ! avimux ! filesink location=" +
                     path)
                        .c_str());
    return path;
}

void BM_OpenVideo100MB(benchmark::State& state)
{
    std::string path = LargeVideo();
    platform::MediaOptions options;
    options.audio = platform::AudioOutput::Silent;
    for (auto _ : state) {
        std::string error;
        auto medium = platform::OpenMedium(path, options, {}, error);
        if (!medium) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.PauseTiming();
        medium.reset();
        state.ResumeTiming();
    }
    struct stat status;
    if (stat(path.c_str(), &status) == 0)
        state.counters["MB"] = double(status.st_size) / 1e6;
}
BENCHMARK(BM_OpenVideo100MB)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
