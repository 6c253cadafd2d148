// window-start RUNS PROGRAM [ARGS...]: starts PROGRAM RUNS times on the X display in $DISPLAY and prints,
// for each run, the wall-clock time from its start to its first top-level window mapped, and the CPU time
// its main thread had used by then (from /proc/PID/schedstat), in milliseconds; the program is ended with
// SIGTERM once its window is mapped. Used by scripts/measure-start.sh.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Free {
    void operator()(void* p) const { std::free(p); }
};

// The CPU time the process's main thread has run, in milliseconds; -1 when it cannot be read.
double MainThreadCpuMs(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/schedstat");
    long long runNs = -1;
    if (!(stat >> runNs)) return -1;
    return static_cast<double>(runNs) / 1e6;
}

pid_t Start(char** argv) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return pid;
}

// Waits for the first top-level, non-override-redirect window mapped; false when the connection fails.
bool WaitForMap(xcb_connection_t* connection) {
    while (auto* event = xcb_wait_for_event(connection)) {
        const std::unique_ptr<xcb_generic_event_t, Free> owned(event);
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
        if (!reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window-start RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "window-start: cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point started = Clock::now();
        const pid_t pid = Start(argv + 2);
        if (!WaitForMap(connection)) return 1;
        const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        const double cpuMs = MainThreadCpuMs(pid);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        std::printf("%.1f %.1f\n", wallMs, cpuMs);
        std::fflush(stdout);
    }
    xcb_disconnect(connection);
}
