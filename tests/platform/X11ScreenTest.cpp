// The screen and the wait for a program's window on a real X server (run under Xvfb with a
// screen of 800 x 600, without a window manager). Windows come from x11-window-helper, a
// program of these tests, or are made here.

#include "platform/DriveMap.h"
#include "platform/Processes.h"
#include "platform/Screen.h"

// GoogleTest before Xlib, whose macros (None) would break it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

using namespace platform;

namespace {
std::optional<long> WindowPid(Display* display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type,
                       &format, &count, &remaining, &data);
    std::optional<long> pid;
    if (data && count == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return pid;
}

// How many pixels differ from the colour, and the first one that does.
std::string Mismatches(const std::vector<uint32_t>& pixels, uint32_t colour)
{
    size_t count = 0;
    size_t first = 0;
    for (size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] != colour && count++ == 0)
            first = i;
    if (count == 0)
        return "none";
    char text[80];
    std::snprintf(text, sizeof text, "%zu, the first at %zu: %08X", count, first, pixels[first]);
    return text;
}
}  // namespace

class OnX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
            GTEST_SKIP() << "no X display (run this under Xvfb)";
    }

    void TearDown() override
    {
        for (int pid : m_helpers) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        if (m_display) {
            XDeleteProperty(m_display, DefaultRootWindow(m_display), XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False));
            XCloseDisplay(m_display);
        }
    }

    // Starts a helper window and waits until it is shown.
    StartedProcess ShowWindow(const std::string& arguments)
    {
        StartedProcess process = m_processes.CreateProcess("\"" WINDOW_HELPER "\" " + arguments);
        EXPECT_TRUE(process.started) << process.error;
        if (process.started)
            m_helpers.push_back(process.pid);
        return process;
    }

    // The foreground window once the helper of that process has taken the focus.
    std::optional<WindowId> ForegroundOf(int pid)
    {
        for (int i = 0; i < 200; ++i) {
            auto window = m_screen.ForegroundWindow();
            if (window && WindowPid(m_display, *window) == pid)
                return window;
            usleep(10000);
        }
        return std::nullopt;
    }

    Display* m_display = nullptr;
    DriveMap m_drives;
    Processes m_processes{m_drives};
    X11Screen m_screen;
    std::vector<int> m_helpers;
};

TEST_F(OnX11, TheDesktopIsTheWholeScreen)
{
    EXPECT_EQ(m_screen.DesktopRect(), (ScreenRect{0, 0, 800, 600}));
}

TEST_F(OnX11, WaitingEndsWhenTheProgramShowsAWindow)
{
    StartedProcess process = ShowWindow("120 80 ff0000 10 10");
    EXPECT_EQ(m_processes.WaitForInputIdle(process, 5000), IdleWait::WindowShown);

    // A window of a process that the started program started counts as well.
    StartedProcess parent = ShowWindow("120 80 00ff00 10 200 --child");
    EXPECT_EQ(m_processes.WaitForInputIdle(parent, 5000), IdleWait::WindowShown);

    // A program without a window keeps the wait going until the bound.
    StartedProcess quiet = m_processes.CreateProcess("sleep 5");
    ASSERT_TRUE(quiet.started);
    m_helpers.push_back(quiet.pid);
    EXPECT_EQ(m_processes.WaitForInputIdle(quiet, 200), IdleWait::TimedOut);
}

TEST_F(OnX11, TheFocusedWindowIsForegroundAndItsPixelsAreCaptured)
{
    StartedProcess process = ShowWindow("200 100 3366cc 40 30");
    ASSERT_EQ(m_processes.WaitForInputIdle(process, 5000), IdleWait::WindowShown);
    auto window = ForegroundOf(process.pid);
    ASSERT_TRUE(window) << "the helper's window never became the foreground window";
    EXPECT_EQ(m_screen.WindowRect(*window), (ScreenRect{40, 30, 240, 130}));

    auto pixels = m_screen.CaptureWindow(*window, 200, 100);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 200);
    EXPECT_EQ(pixels->height, 100);
    ASSERT_EQ(pixels->pixels.size(), 200u * 100u);
    EXPECT_EQ(Mismatches(pixels->pixels, 0xFF3366CC), "none");

    auto part = m_screen.CaptureWindow(*window, 50, 20);
    ASSERT_TRUE(part);
    ASSERT_EQ(part->pixels.size(), 50u * 20u);
    EXPECT_EQ(Mismatches(part->pixels, 0xFF3366CC), "none");
}

TEST_F(OnX11, PartsBeyondTheScreenAreBlack)
{
    StartedProcess process = ShowWindow("200 100 ffcc00 700 550");
    ASSERT_EQ(m_processes.WaitForInputIdle(process, 5000), IdleWait::WindowShown);
    auto window = ForegroundOf(process.pid);
    ASSERT_TRUE(window);
    auto pixels = m_screen.CaptureWindow(*window, 200, 100);
    ASSERT_TRUE(pixels);
    ASSERT_EQ(pixels->pixels.size(), 200u * 100u);
    auto at = [&](int x, int y) { return pixels->pixels[static_cast<size_t>(y) * 200 + x]; };
    EXPECT_EQ(at(0, 0), 0xFFFFCC00u);
    EXPECT_EQ(at(99, 49), 0xFFFFCC00u);
    EXPECT_EQ(at(100, 0), 0xFF000000u);
    EXPECT_EQ(at(0, 50), 0xFF000000u);
    EXPECT_EQ(at(199, 99), 0xFF000000u);
}

TEST_F(OnX11, TheWindowManagersActiveWindowAndFrameAreHonoured)
{
    Window root = DefaultRootWindow(m_display);
    Window window = XCreateSimpleWindow(m_display, root, 300, 300, 100, 50, 0, 0, 0x00FF00);
    XMapWindow(m_display, window);
    long active = static_cast<long>(window);
    XChangeProperty(m_display, root, XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False), XA_WINDOW, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&active), 1);
    long extents[4] = {5, 6, 20, 7};  // left, right, top, bottom
    XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_FRAME_EXTENTS", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(extents), 4);
    XSync(m_display, False);

    EXPECT_EQ(m_screen.ForegroundWindow(), std::optional<WindowId>(window));
    EXPECT_EQ(m_screen.WindowRect(window), (ScreenRect{295, 280, 406, 357}));

    // Without an active window and without a focused one, there is no foreground window.
    XDeleteProperty(m_display, root, XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False));
    XSetInputFocus(m_display, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
    EXPECT_EQ(m_screen.ForegroundWindow(), std::nullopt);

    XDestroyWindow(m_display, window);
    XSync(m_display, False);
    EXPECT_EQ(m_screen.WindowRect(window), std::nullopt) << "a window that is gone";
    EXPECT_EQ(m_screen.CaptureWindow(window, 10, 10).has_value(), false);
}
