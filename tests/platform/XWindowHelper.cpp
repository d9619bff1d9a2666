// A program that shows one window of a given size, colour and place on the X display, names its
// process (_NET_WM_PID), takes the input focus and stays until it is killed (or for 20 seconds).
//
//   x11-window-helper WIDTH HEIGHT RRGGBB X Y [--child]
//
// With --child the window belongs to a child process that the program starts and waits for.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT RRGGBB X Y [--child]\n", argv[0]);
        return 2;
    }
    alarm(20);
    if (argc > 6 && std::strcmp(argv[6], "--child") == 0) {
        pid_t child = fork();
        if (child < 0)
            return 1;
        if (child > 0) {
            int status = 0;
            waitpid(child, &status, 0);
            return 0;
        }
        // The window goes when the process that was started goes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
    }
    int width = std::atoi(argv[1]);
    int height = std::atoi(argv[2]);
    unsigned long rgb = std::strtoul(argv[3], nullptr, 16);
    int x = std::atoi(argv[4]);
    int y = std::atoi(argv[5]);

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    int screen = DefaultScreen(display);
    XColor colour{};
    colour.red = static_cast<unsigned short>(((rgb >> 16) & 0xFF) * 257);
    colour.green = static_cast<unsigned short>(((rgb >> 8) & 0xFF) * 257);
    colour.blue = static_cast<unsigned short>((rgb & 0xFF) * 257);
    XAllocColor(display, DefaultColormap(display, screen), &colour);
    Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, width, height, 0,
                                        BlackPixel(display, screen), colour.pixel);
    XStoreName(display, window, "x11-window-helper");
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = x;
    hints.y = y;
    hints.width = width;
    hints.height = height;
    XSetWMNormalHints(display, window, &hints);
    long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pid), 1);
    XSelectInput(display, window, StructureNotifyMask | ExposureMask);
    XMapWindow(display, window);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
            XSync(display, False);
        }
    }
}
