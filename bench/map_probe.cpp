// Times a program from its start until its first top-level window is mapped on the X display,
// then lets it idle and reads its resident memory. Prints "<ms to map> <resident kB>".
//
// Usage: map_probe <idle ms> <program> [arguments...]
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

int fail(const char* what, pid_t child)
{
    std::fprintf(stderr, "map_probe: %s\n", what);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_probe <idle ms> <program> [arguments...]\n");
        return 2;
    }
    const int idleMs = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return fail("no X display", 0);
    // Every window made a child of the root, that is every top-level, reports its mapping here.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[2], nullptr, nullptr, argv + 2, environ) != 0)
        return fail("cannot start the program", 0);

    const auto deadline = start + std::chrono::seconds(20);
    bool mapped = false;
    while (!mapped) {
        while (!mapped && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            mapped = event.type == MapNotify && !event.xmap.override_redirect;
        }
        if (mapped)
            break;
        if (std::chrono::steady_clock::now() > deadline)
            return fail("no window within 20 s", child);
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 50);
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    std::this_thread::sleep_for(std::chrono::milliseconds(idleMs));
    const long rss = residentKb(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    std::printf("%.2f %ld\n", ms, rss);
    return 0;
}
