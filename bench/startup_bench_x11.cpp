// Start-up time and resident memory of Linux GUI programs on an X display:
// from process creation until the program maps its top-level window, and
// the resident set once the program has gone idle.
//   startup_bench_x11 RUNS PROGRAM REFERENCE "REFERENCE NAME" START-TARGET MEMORY-TARGET
// Runs both programs alternately, RUNS times each, and prints two table rows.
#include "median.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr double START_TIMEOUT_MS = 20000;
constexpr double IDLE_TIMEOUT_MS = 10000;
// Idle: no CPU time spent for this long. The kernel counts it in 10 ms ticks.
constexpr double IDLE_QUIET_MS = 300;
constexpr int IDLE_POLL_MS = 10;
constexpr double END_TIMEOUT_MS = 5000;

struct Sample {
    double startMs;
    double residentKb;
};

double NowMs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// A window can be gone before its property is read; that is no error here.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The process that made a window, as GDK records it on its top-levels.
long WindowProcess(Display* display, Window window) {
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    long process = -1;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
                           XA_CARDINAL, &type, &format, &count, &remaining, &data) == Success &&
        data && format == 32 && count == 1) {
        process = *reinterpret_cast<long*>(data); // Xlib hands 32-bit items as longs
    }
    if (data) {
        XFree(data);
    }
    return process;
}

// Waits for a top-level window of the process to be mapped (on a display
// with no window manager, shown).
bool WaitForMappedWindow(Display* display, pid_t process, double deadline) {
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect &&
                WindowProcess(display, event.xmap.window) == process) {
                return true;
            }
        }
        const double left = deadline - NowMs();
        if (left <= 0) {
            return false;
        }
        pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left) + 1);
    }
}

// User plus system time of the whole process, in clock ticks; -1 once gone.
long CpuTicks(pid_t process) {
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) {
        return -1;
    }
    // After the command name, which may hold spaces: state is field 3,
    // utime and stime are fields 14 and 15.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14) {
            ticks += std::atol(field.c_str());
        }
    }
    return ticks;
}

double ResidentKb(pid_t process) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0) {
            return std::atof(line.c_str() + 6);
        }
    }
    return -1;
}

// The resident set once the process has spent no CPU time for a while.
double ResidentOnceIdle(pid_t process) {
    const double deadline = NowMs() + IDLE_TIMEOUT_MS;
    long ticks = CpuTicks(process);
    double quietSince = NowMs();
    while (ticks >= 0 && NowMs() < deadline) {
        usleep(IDLE_POLL_MS * 1000);
        const long now = CpuTicks(process);
        if (now != ticks) {
            ticks = now;
            quietSince = NowMs();
        } else if (NowMs() - quietSince >= IDLE_QUIET_MS) {
            return ResidentKb(process);
        }
    }
    return -1;
}

void EndProcess(pid_t process) {
    kill(process, SIGTERM);
    const double deadline = NowMs() + END_TIMEOUT_MS;
    while (waitpid(process, nullptr, WNOHANG) == 0) {
        if (NowMs() > deadline) {
            kill(process, SIGKILL);
            waitpid(process, nullptr, 0);
            return;
        }
        usleep(1000);
    }
}

// A negative start time when the window was not shown, a negative size
// when the program did not go idle.
Sample Measure(Display* display, const char* program) {
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* arguments[] = {const_cast<char*>(program), nullptr};
    Sample sample = {-1, -1};
    pid_t process = 0;
    const double begin = NowMs();
    const bool spawned = posix_spawn(&process, program, &quiet, nullptr, arguments, environ) == 0;
    posix_spawn_file_actions_destroy(&quiet);
    if (!spawned) {
        return sample;
    }
    if (WaitForMappedWindow(display, process, begin + START_TIMEOUT_MS)) {
        sample.startMs = NowMs() - begin;
        sample.residentKb = ResidentOnceIdle(process);
    }
    EndProcess(process);
    return sample;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: startup_bench_x11 RUNS PROGRAM REFERENCE NAME START-TARGET "
                             "MEMORY-TARGET\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    // The first GTK program on a display probes OpenGL and leaves what it
    // found on the root window for later ones, as some earlier program has
    // on a desktop; one untimed start of each also warms the file cache.
    Measure(display, argv[2]);
    Measure(display, argv[3]);
    const int runs = std::atoi(argv[1]);
    std::vector<double> programStart, referenceStart, programKb, referenceKb;
    // Alternating, and each pair in turn order, so neither profits from a
    // warm cache the other paid for.
    for (int run = 0; run < runs; ++run) {
        const bool programFirst = run % 2 == 0;
        const Sample first = Measure(display, programFirst ? argv[2] : argv[3]);
        const Sample second = Measure(display, programFirst ? argv[3] : argv[2]);
        if (first.startMs < 0 || second.startMs < 0 || first.residentKb < 0 ||
            second.residentKb < 0) {
            std::fprintf(stderr, "a program did not show its window and go idle\n");
            return 1;
        }
        const Sample& program = programFirst ? first : second;
        const Sample& reference = programFirst ? second : first;
        programStart.push_back(program.startMs);
        referenceStart.push_back(reference.startMs);
        programKb.push_back(program.residentKb);
        referenceKb.push_back(reference.residentKb);
    }
    XCloseDisplay(display);
    const double ps = Median(programStart), rs = Median(referenceStart);
    const double pm = Median(programKb) / 1024, rm = Median(referenceKb) / 1024;
    std::printf("start-up to shown window (Linux, median of %d)|%.1f ms|%.1f ms %s|%.2f|%s\n", runs,
                ps, rs, argv[4], ps / rs, argv[5]);
    std::printf("resident memory once idle (Linux, median of %d)|%.1f MB|%.1f MB %s|%.2f|%s\n",
                runs, pm, rm, argv[4], pm / rm, argv[6]);
    return 0;
}
