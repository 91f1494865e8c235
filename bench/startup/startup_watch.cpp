// Times a program's start on the X server of $DISPLAY from outside it, without
// polling: starts the command, then waits for the server to report the first
// window it maps and the first window title ending in the given text.
// Usage: startup_watch TITLE_END COMMAND [ARGS...]; prints two lines in ms.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

std::string titleOf(Display* display, Window window)
{
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    for (const Atom property : {XInternAtom(display, "_NET_WM_NAME", False), XA_WM_NAME}) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 1024, False,
                               property == XA_WM_NAME ? AnyPropertyType : utf8, &type, &format, &count, &after,
                               &data) == Success && data) {
            std::string title(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (!title.empty())
                return title;
        }
    }
    return {};
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE_END COMMAND [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    // Top-level windows are children of the root (no window manager runs).
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const std::string titleEnd = argv[1];
    const double start = now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1;
    double titled = -1;
    while (titled < 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify)
            XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask | StructureNotifyMask);
        Window window = 0;
        if (event.type == MapNotify) {
            window = event.xmap.window;
            if (mapped < 0)
                mapped = now() - start;
        } else if (event.type == PropertyNotify) {
            window = event.xproperty.window;
        }
        if (window && mapped >= 0 && endsWith(titleOf(display, window), titleEnd)) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
                titled = now() - start;
        }
    }
    std::printf("window %.0f ms\nproject %.0f ms\n", mapped, titled);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
