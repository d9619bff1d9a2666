// The application that the desktop suite associates with its spreadsheet type: a plain X window
// whose picture the suite knows, so that the program's capture of it can be checked pixel by
// pixel. It draws two bands, orange over the left half and teal over the right, with a black
// square in the middle of the orange one, names the document it was started for in its title,
// writes that argument into the file named by ORVANE_TEST_WINDOW_LOG when set, and stays until
// its window is closed, it is killed, or two minutes have passed.
//
// test-window [--geometry WxH+X+Y] DOCUMENT

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

unsigned long Rgb(int red, int green, int blue)
{
    return static_cast<unsigned long>(red) << 16 | static_cast<unsigned long>(green) << 8 |
           static_cast<unsigned long>(blue);
}

void Paint(Display* display, Window window, GC gc, int width, int height)
{
    XSetForeground(display, gc, Rgb(255, 128, 0));
    XFillRectangle(display, window, gc, 0, 0, width / 2, height);
    XSetForeground(display, gc, Rgb(0, 128, 128));
    XFillRectangle(display, window, gc, width / 2, 0, width - width / 2, height);
    XSetForeground(display, gc, Rgb(0, 0, 0));
    XFillRectangle(display, window, gc, width / 4 - 10, height / 2 - 10, 20, 20);
    XFlush(display);
}

}  // namespace

int main(int argc, char** argv)
{
    int width = 240, height = 100, left = 0, top = 0;
    bool placed = false;
    std::string document;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--geometry") == 0 && i + 1 < argc) {
            placed = std::sscanf(argv[++i], "%dx%d+%d+%d", &width, &height, &left, &top) == 4;
        } else {
            document = argv[i];
        }
    }
    if (const char* log = std::getenv("ORVANE_TEST_WINDOW_LOG")) {
        if (FILE* file = std::fopen(log, "a")) {
            std::fprintf(file, "%s\n", document.c_str());
            std::fclose(file);
        }
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "test-window: no display\n");
        return 1;
    }
    int screen = DefaultScreen(display);
    Window window = XCreateSimpleWindow(display, RootWindow(display, screen), left, top,
                                        static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                        BlackPixel(display, screen), Rgb(255, 128, 0));
    std::string title = "Test window - " + document;
    XStoreName(display, window, title.c_str());
    XSizeHints hints{};
    hints.flags = PSize | PMinSize | PMaxSize | (placed ? USPosition : 0);
    hints.x = left;
    hints.y = top;
    hints.width = hints.min_width = hints.max_width = width;
    hints.height = hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display, window, &hints);
    long pid = static_cast<long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XSelectInput(display, window, ExposureMask | StructureNotifyMask);
    GC gc = XCreateGC(display, window, 0, nullptr);
    XMapRaised(display, window);
    XFlush(display);

    std::time_t until = std::time(nullptr) + 120;
    bool open = true;
    while (open && std::time(nullptr) < until) {
        while (open && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == Expose && event.xexpose.count == 0)
                Paint(display, window, gc, width, height);
            else if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
                open = false;
        }
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        poll(&descriptor, 1, 500);
    }
    XFreeGC(display, gc);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
}
