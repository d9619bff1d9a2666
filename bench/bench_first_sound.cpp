// The first sound on a real sound server: from the click on a WAV or MIDI file in the file list to
// its first sample reaching the sound server's output. The benchmark starts PulseAudio itself on a
// socket of its own, with a null sink as its output, and listens to that sink's monitor; the
// program (the whole of it without a display, with its real media device) runs in a child process
// of this program, so that "the first file after the start" is measured in a fresh process each
// time. The child clicks one second after the program has started (a user finds the file first),
// and says on its standard output when it clicks; the sample is taken as reaching the sink when
// the monitor hands it over (within its 5 ms fragments).
//
//   bench_first_sound                 the benchmarks (skipped without PulseAudio: setup.sh bench)
//   ORVANE_BENCH_UNPREPARED=1 bench_first_sound    the same without the media device's
//                                     preparation at the start, for comparison
//   bench_first_sound --child FOLDER FILE CLICKS    one program run (used by the benchmarks)

#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/Host.h"
#include "tests/TempTree.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"

#include <benchmark/benchmark.h>
#include <gst/gst.h>

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// The program in a child process: started in FOLDER (drive C:), it clicks FILE CLICKS times, the
// first one second after its start, the others 700 ms apart (the sound of a short file has ended
// by then), and writes the time of each click.
int RunChild(const std::string& folder, const std::string& file, int clicks)
{
    tk::ScriptedMessageLoop loop;
    tk::ManualClock clock;
    tk::RecordingDialogs dialogs;
    tk::TApplication application;
    platform::DriveMap drives;
    drives.Map('C', folder);
    platform::Host host(drives);
    host.SetCurrentDirectory("C:\\");
    application.SetMessageLoop(&loop);
    application.SetClock(&clock);
    application.SetDialogs(&dialogs);
    orvane::Process process(application, host);
    // As the program's entry does.
    if (!std::getenv("ORVANE_BENCH_UNPREPARED"))
        process.Media.Prepare();
    orvane::RunProcess(process);
    tk::TListView& list = *process.ImageForm->ListView1;
    int row = -1;
    for (int i = 0; i < list.Items().Count(); ++i)
        if (list.Items()[i].Caption() == file)
            row = i;
    if (row < 0) {
        std::fprintf(stderr, "%s is not listed\n", file.c_str());
        return 1;
    }
    auto wait = [&](int ms) {
        const auto until = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < until)
            loop.posted.WaitAndRun(10);
    };
    wait(1000);
    for (int click = 0; click < clicks; ++click) {
        std::printf("click %lld\n", static_cast<long long>(NowNs()));
        std::fflush(stdout);
        list.InputSelect(row);
        list.InputClick();
        wait(700);
    }
    process.ImageForm->UnderMediaPlay->Close();
    if (!dialogs.boxes.empty()) {
        std::fprintf(stderr, "%s\n", dialogs.boxes.front().text.c_str());
        return 1;
    }
    return 0;
}

// PulseAudio on a socket of its own, with a null sink, for the life of the benchmark program.
class SoundServer {
public:
    SoundServer()
    {
        const std::string root = m_folder.Root();
        m_socket = root + "/native";
        std::ofstream(root + "/server.pa") << "load-module module-null-sink sink_name=orvane_bench rate=48000 "
                                              "channels=2 format=s16le\n"
                                           << "load-module module-native-protocol-unix socket=" << m_socket
                                           << " auth-anonymous=1\n"
                                           << "set-default-sink orvane_bench\n";
        // Its state and runtime files go into the folder, not into the user's home.
        std::vector<std::string> environment = {"HOME=" + root, "XDG_RUNTIME_DIR=" + root,
                                                "XDG_CONFIG_HOME=" + root, "PULSE_RUNTIME_PATH=" + root,
                                                "PATH=/usr/bin:/bin"};
        std::vector<std::string> arguments = {"pulseaudio", "--daemonize=no", "-n", "-F", root + "/server.pa",
                                              "--exit-idle-time=-1", "--use-pid-file=no", "--log-level=error"};
        m_pid = Spawn("/usr/bin/pulseaudio", arguments, environment, nullptr);
        for (int tries = 0; m_pid > 0 && tries < 100 && !Accepts(); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        m_ready = m_pid > 0 && Accepts();
    }
    ~SoundServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool Ready() const { return m_ready; }
    std::string Address() const { return "unix:" + m_socket; }

    // Starts a program with the arguments and environment given; its standard output goes to
    // `output` when given.
    static pid_t Spawn(const std::string& path, const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment, int* output)
    {
        std::vector<char*> argv, envp;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        for (const std::string& variable : environment)
            envp.push_back(const_cast<char*>(variable.c_str()));
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        int pipeEnds[2] = {-1, -1};
        if (output) {
            if (pipe(pipeEnds) != 0)
                return -1;
            posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
            posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        }
        pid_t pid = -1;
        if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        if (output) {
            close(pipeEnds[1]);
            *output = pipeEnds[0];
        }
        return pid;
    }

private:
    bool Accepts() const
    {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, m_socket.c_str(), sizeof address.sun_path - 1);
        bool accepted = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        close(fd);
        return accepted;
    }

    TempTree m_folder{"bench-pulse"};
    std::string m_socket;
    pid_t m_pid = -1;
    bool m_ready = false;
};

// Listens to the null sink's monitor and notes when sound begins after silence.
class Listener {
public:
    explicit Listener(const std::string& server)
    {
        setenv("PULSE_SERVER", server.c_str(), 1);
        gst_init(nullptr, nullptr);
        m_pipeline = gst_parse_launch("pulsesrc device=orvane_bench.monitor buffer-time=20000 latency-time=5000 "
                                      "! audio/x-raw,format=S16LE,rate=48000,channels=2 ! fakesink name=ear sync=false",
                                      nullptr);
        if (!m_pipeline)
            return;
        GstElement* ear = gst_bin_get_by_name(GST_BIN(m_pipeline), "ear");
        GstPad* pad = gst_element_get_static_pad(ear, "sink");
        gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, Heard, this, nullptr);
        gst_object_unref(pad);
        gst_object_unref(ear);
        m_listening = gst_element_set_state(m_pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
    }
    ~Listener()
    {
        if (m_pipeline) {
            gst_element_set_state(m_pipeline, GST_STATE_NULL);
            gst_object_unref(m_pipeline);
        }
    }

    bool Listening() const { return m_listening; }

    // Whether the monitor's data comes; the first of it may take a second or two after the start.
    bool Hears()
    {
        const auto until = Clock::now() + std::chrono::seconds(10);
        while (m_buffers < 20 && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return m_buffers >= 20;
    }

    // The first onset at or after `since`, waiting up to five seconds; 0 when none came.
    int64_t OnsetAfter(int64_t since)
    {
        const auto until = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < until) {
            {
                std::lock_guard lock(m_mutex);
                for (int64_t onset : m_onsets)
                    if (onset >= since)
                        return onset;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return 0;
    }

private:
    // A sample louder than this (-40 dB) is sound; 30 ms quieter than it is silence.
    static constexpr int Loud = 330;
    static constexpr int64_t SilenceNs = 30'000'000;
    static constexpr int Rate = 48000;

    static GstPadProbeReturn Heard(GstPad*, GstPadProbeInfo* info, gpointer data)
    {
        auto* self = static_cast<Listener*>(data);
        const int64_t arrived = NowNs();
        ++self->m_buffers;
        GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
        GstMapInfo map;
        if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
            return GST_PAD_PROBE_OK;
        const auto* samples = reinterpret_cast<const int16_t*>(map.data);
        const size_t frames = map.size / 4;
        for (size_t frame = 0; frame < frames; ++frame) {
            // The buffer is handed over when full: its sample `frame` reached the sink this much
            // before the buffer came.
            const int64_t at = arrived - int64_t(frames - frame) * 1'000'000'000 / Rate;
            const bool loud = std::abs(samples[2 * frame]) > Loud || std::abs(samples[2 * frame + 1]) > Loud;
            if (loud) {
                if (at - self->m_lastLoud > SilenceNs) {
                    std::lock_guard lock(self->m_mutex);
                    self->m_onsets.push_back(at);
                }
                self->m_lastLoud = at;
            }
        }
        gst_buffer_unmap(buffer, &map);
        return GST_PAD_PROBE_OK;
    }

    GstElement* m_pipeline = nullptr;
    bool m_listening = false;
    std::atomic<int64_t> m_buffers{0};
    std::mutex m_mutex;
    std::vector<int64_t> m_onsets;
    int64_t m_lastLoud = 0;
};

// The sound server, the listener and the samples, made once for all the benchmarks.
struct Rig {
    Rig()
    {
        for (const char* sample : {"blip.wav", "blip.mid"})
            std::filesystem::copy_file(std::string(ORVANE_TEST_DATA "/media/") + sample, samples / sample);
        if (!server.Ready())
            problem = "PulseAudio does not start (scripts/setup.sh bench installs it)";
        else if (listener = std::make_unique<Listener>(server.Address()); !listener->Listening() || !listener->Hears())
            problem = "the null sink's monitor cannot be recorded";
    }

    // One run of the program that clicks `file` `clicks` times: the latency of each click, in
    // seconds (0 when no sound came).
    std::vector<double> Run(const std::string& file, int clicks)
    {
        std::vector<std::string> environment;
        for (char** variable = environ; *variable; ++variable)
            if (std::strncmp(*variable, "PULSE_SERVER=", 13) != 0)
                environment.push_back(*variable);
        environment.push_back("PULSE_SERVER=" + server.Address());
        char self[4096] = {};
        if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
            return {};
        int output = -1;
        pid_t child = SoundServer::Spawn(self, {self, "--child", samples.Root(), file, std::to_string(clicks)},
                                         environment, &output);
        if (child < 0)
            return {};
        std::vector<int64_t> clickTimes;
        if (FILE* lines = fdopen(output, "r")) {
            long long at = 0;
            while (std::fscanf(lines, "click %lld\n", &at) == 1)
                clickTimes.push_back(at);
            std::fclose(lines);
        }
        int status = 0;
        waitpid(child, &status, 0);
        std::vector<double> latencies;
        for (int64_t click : clickTimes) {
            int64_t onset = listener->OnsetAfter(click);
            latencies.push_back(onset ? double(onset - click) / 1e9 : 0.0);
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || int(latencies.size()) != clicks)
            latencies.clear();
        return latencies;
    }

    TempTree samples{"bench-first-sound"};
    SoundServer server;
    std::unique_ptr<Listener> listener;
    std::string problem;
};

Rig& TheRig()
{
    static Rig rig;
    return rig;
}

// The median and the range of the latencies beside the mean that the time column shows: the
// two cores are shared, and one busy moment weighs on the mean.
void Report(benchmark::State& state, std::vector<double> latencies)
{
    if (latencies.empty())
        return;
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = latencies[latencies.size() / 2] * 1e3;
    state.counters["min_ms"] = latencies.front() * 1e3;
    state.counters["max_ms"] = latencies.back() * 1e3;
}

// Each iteration is a fresh program whose first click is measured.
void FirstFile(benchmark::State& state, const char* file)
{
    Rig& rig = TheRig();
    if (!rig.problem.empty()) {
        state.SkipWithError(rig.problem.c_str());
        return;
    }
    std::vector<double> measured;
    for (auto _ : state) {
        std::vector<double> latencies = rig.Run(file, 1);
        if (latencies.empty() || latencies[0] <= 0) {
            state.SkipWithError("the program failed or no sound came");
            return;
        }
        state.SetIterationTime(latencies[0]);
        measured.push_back(latencies[0]);
    }
    Report(state, measured);
}

// One program clicks the file again and again; the clicks after the first are measured.
void LaterFiles(benchmark::State& state, const char* file)
{
    Rig& rig = TheRig();
    if (!rig.problem.empty()) {
        state.SkipWithError(rig.problem.c_str());
        return;
    }
    std::vector<double> latencies, measured;
    for (auto _ : state) {
        if (latencies.empty()) {
            latencies = rig.Run(file, 11);
            if (latencies.empty()) {
                state.SkipWithError("the program failed");
                return;
            }
            latencies.erase(latencies.begin());
        }
        if (latencies.back() <= 0) {
            state.SkipWithError("no sound came");
            return;
        }
        state.SetIterationTime(latencies.back());
        measured.push_back(latencies.back());
        latencies.pop_back();
    }
    Report(state, measured);
}

void BM_FirstSound_FirstFile_Wav(benchmark::State& state)
{
    FirstFile(state, "blip.wav");
}
void BM_FirstSound_FirstFile_Midi(benchmark::State& state)
{
    FirstFile(state, "blip.mid");
}
void BM_FirstSound_LaterFile_Wav(benchmark::State& state)
{
    LaterFiles(state, "blip.wav");
}
void BM_FirstSound_LaterFile_Midi(benchmark::State& state)
{
    LaterFiles(state, "blip.mid");
}
BENCHMARK(BM_FirstSound_FirstFile_Wav)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(BM_FirstSound_FirstFile_Midi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(BM_FirstSound_LaterFile_Wav)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FirstSound_LaterFile_Midi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == "--child")
        return RunChild(argv[2], argv[3], std::atoi(argv[4]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
