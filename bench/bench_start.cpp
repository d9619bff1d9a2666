// The real program (main/orvane) started as a user starts it, in its start folder, until its main
// window is on the screen with its first paint: in an empty folder and in a folder of 100,000
// entries of a thousand types, with plain readdir and stat of the big folder (its floor) run
// between the two starts, so that the big folder's extra time stands beside its floor measured
// under the same load. Then the window in the big folder is closed, as its close box does, and the
// time until the program has ended is taken. Needs an X display without a window manager (bench.sh
// runs it under Xvfb); the program's windows are watched through the X server itself: a window is
// shown when the server has mapped it and the program has drawn into it. ORVANE_PROGRAM, when set,
// names another build of the program to start instead.

#include "bench/BenchFolders.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <benchmark/benchmark.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int EntryCount = 100000;
constexpr int TypeCount = 1000;

std::string g_empty;
std::string g_big;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The program's peak of resident memory so far, in megabytes (VmHWM); 0 when unknown.
double PeakMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// The program this build made, or the one ORVANE_PROGRAM names (another build to compare with).
const char* Program()
{
    const char* other = std::getenv("ORVANE_PROGRAM");
    return other && *other ? other : ORVANE_PROGRAM;
}

// One run of the program, watched through the X server.
class ProgramRun {
public:
    explicit ProgramRun(Display* display, int damageEvents) : m_display(display), m_damageEvents(damageEvents) {}
    ~ProgramRun()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    // Starts the program in `folder`; false when it cannot be started.
    bool Start(const std::string& folder)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        char* arguments[] = {const_cast<char*>(Program()), nullptr};
        m_started = Clock::now();
        const bool started = posix_spawn(&m_pid, Program(), &actions, nullptr, arguments, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        if (!started)
            m_pid = 0;
        return started;
    }

    // Milliseconds from the start until the main window ("Orvane - " and its folder) is mapped and
    // drawn into; a negative number when that does not happen within `boundMs`.
    double WaitShown(int boundMs = 60000)
    {
        while (MillisecondsSince(m_started) < boundMs) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type == CreateNotify) {
                    // Watched from its creation, so that no drawing can come before the watch.
                    XDamageCreate(m_display, event.xcreatewindow.window, XDamageReportNonEmpty);
                } else if (event.type == MapNotify && IsMainWindow(event.xmap.window)) {
                    m_window = event.xmap.window;
                } else if (event.type == m_damageEvents + XDamageNotify) {
                    const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                    if (m_window && damage.drawable == m_window)
                        return MillisecondsSince(m_started);
                }
            }
            pollfd connection{ConnectionNumber(m_display), POLLIN, 0};
            poll(&connection, 1, 20);
        }
        return -1;
    }

    double PeakMegabytes() const { return ::PeakMegabytes(m_pid); }

    // Asks the main window to close, as a click on its close box does, and returns the milliseconds
    // until the program has ended; a negative number when it has not ended within `boundMs`.
    double CloseAndWait(int boundMs = 30000)
    {
        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = m_window;
        close.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
        close.xclient.data.l[1] = CurrentTime;
        const Clock::time_point asked = Clock::now();
        XSendEvent(m_display, m_window, False, NoEventMask, &close);
        XFlush(m_display);
        while (MillisecondsSince(asked) < boundMs) {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = 0;
                return MillisecondsSince(asked);
            }
            usleep(1000);
        }
        return -1;
    }

private:
    bool IsMainWindow(Window window) const
    {
        char* name = nullptr;
        if (!XFetchName(m_display, window, &name) || !name)
            return false;
        const bool main = std::strncmp(name, "Orvane - ", 9) == 0;
        XFree(name);
        return main;
    }

    Display* m_display;
    int m_damageEvents;
    pid_t m_pid = 0;
    Clock::time_point m_started;
    Window m_window = 0;
};

Display* g_display = nullptr;
int g_damageEvents = 0;

// What the program leaves in its start folder (its window positions, its cache folder) goes, so
// that every start finds the folder as the first one did.
void Tidy(const std::string& folder)
{
    unlink((folder + "/TavoCust2.cnf").c_str());
    rmdir((folder + "/View").c_str());
}

// Lets `ms` pass and drains the events of that time (windows gone, paints after the first).
void Settle(int ms = 100)
{
    usleep(ms * 1000);
    while (XPending(g_display)) {
        XEvent event;
        XNextEvent(g_display, &event);
    }
}

// The middle one of the values (the mean of the middle two of an even count); 0 of none. The
// machine is shared, so a start now and then meets other work: medians keep such a start from
// moving the figures.
double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Each iteration starts the program in the empty folder, runs the floor, then starts it in the
// big folder; its time is the big folder's start. Counters, each the median of the iterations:
// empty_ms and floor_ms, extra_ms (the big folder's start less the empty folder's), x_floor
// (that difference as a multiple of the floor of the same iteration), close_ms (from the close
// request in the big folder until the program has ended), close_empty_ms, and peak_MB (the
// program's peak of resident memory in the big folder).
void StartToShown(benchmark::State& state)
{
    std::vector<double> empties, floors, extras, ratios, closes, emptyCloses, peaks;
    for (auto _ : state) {
        double empty = -1;
        {
            ProgramRun run(g_display, g_damageEvents);
            empty = run.Start(g_empty) ? run.WaitShown() : -1;
            const double closed = empty >= 0 ? run.CloseAndWait() : -1;
            if (empty < 0 || closed < 0) {
                state.SkipWithError("the program in the empty folder did not show its window or did not end");
                break;
            }
            emptyCloses.push_back(closed);
        }
        Tidy(g_empty);
        Settle();

        const Clock::time_point floorStart = Clock::now();
        benchmark::DoNotOptimize(bench::ReaddirStat(g_big));
        const double floor = MillisecondsSince(floorStart);

        ProgramRun run(g_display, g_damageEvents);
        const double shown = run.Start(g_big) ? run.WaitShown() : -1;
        if (shown < 0) {
            state.SkipWithError("the program in the big folder did not show its window");
            break;
        }
        state.SetIterationTime(shown / 1000.0);
        Settle(500);  // the window as the user finds it on closing: the start's work done
        peaks.push_back(run.PeakMegabytes());
        const double closed = run.CloseAndWait();
        if (closed < 0) {
            state.SkipWithError("the program in the big folder did not end after its window closed");
            break;
        }
        empties.push_back(empty);
        floors.push_back(floor);
        extras.push_back(shown - empty);
        ratios.push_back((shown - empty) / floor);
        closes.push_back(closed);
        Tidy(g_big);
        Settle();
    }
    state.counters["empty_ms"] = Median(empties);
    state.counters["floor_ms"] = Median(floors);
    state.counters["extra_ms"] = Median(extras);
    state.counters["x_floor"] = Median(ratios);
    state.counters["close_ms"] = Median(closes);
    state.counters["close_empty_ms"] = Median(emptyCloses);
    state.counters["peak_MB"] = Median(peaks);
}

}  // namespace

BENCHMARK(StartToShown)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(7);

int main(int argc, char** argv)
{
    g_display = XOpenDisplay(nullptr);
    int errors = 0;
    if (!g_display || !XDamageQueryExtension(g_display, &g_damageEvents, &errors)) {
        std::printf("skipped: bench_start needs an X display with the DAMAGE extension (bench.sh gives it Xvfb)\n");
        return 0;
    }
    XSelectInput(g_display, DefaultRootWindow(g_display), SubstructureNotifyMask);
    XSync(g_display, False);

    const std::string root = bench::TemporaryFolder();
    g_empty = root + "/empty";
    g_big = root + "/big";
    bench::FillTypedFolder(g_empty, 0, {"txt"});
    bench::FillTypedFolder(g_big, EntryCount, bench::DesktopExtensions(TypeCount));
    // The folders' last changes lie well behind every start, as a folder's usually do.
    sleep(1);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    XCloseDisplay(g_display);
    return 0;
}
