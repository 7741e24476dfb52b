// SPDX-License-Identifier: MIT
// Times a program from launch to its first top-level window being mapped on the X display, by
// watching the display itself rather than polling it, and reads its resident memory once it has
// settled. Each run gets fresh runtime and configuration directories, as a first start would.
// Usage: map_probe RUNS PROGRAM [ARGS...]   (DISPLAY names the display to watch)
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// How long the program may take to set up its sound after the window has appeared.
constexpr auto kSettleTime = std::chrono::seconds(2);
constexpr auto kMostWait = std::chrono::seconds(20);

struct Run {
    double mappedMs = 0;
    long residentKb = 0;
};

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string key; status >> key;) {
        long value = 0;
        if (key == "VmRSS:" && status >> value) return value;
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

std::string TemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "map-probe-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

// Waits for a MapNotify of a top-level window; false when the program ended or took too long.
bool WaitForMap(xcb_connection_t* connection, pid_t pid) {
    const auto deadline = Clock::now() + kMostWait;
    while (Clock::now() < deadline) {
        std::unique_ptr<xcb_generic_event_t, decltype(&free)> event(xcb_poll_for_event(connection),
                                                                    &free);
        if (event) {
            if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY) continue;
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            if (!map->override_redirect) return true;
            continue;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
        if (xcb_connection_has_error(connection) != 0) return false;
        // Waiting on the connection's socket would be exact too; a short sleep keeps this simple
        // and costs at most a tenth of a millisecond of resolution.
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return false;
}

bool ProbeOnce(char** program, Run& run) {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "map_probe: cannot open the display\n");
        return false;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const std::string runtime = TemporaryDirectory();
    const std::string config = TemporaryDirectory();
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        // The program's own output would only interleave with the figures.
        if (std::freopen("/dev/null", "w", stdout) == nullptr ||
            std::freopen("/dev/null", "w", stderr) == nullptr) {
            _exit(126);
        }
        execv(program[0], program);
        _exit(127);
    }
    const bool mapped = pid > 0 && WaitForMap(connection, pid);
    run.mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    xcb_disconnect(connection);
    if (mapped) {
        std::this_thread::sleep_for(kSettleTime);
        run.residentKb = ResidentKb(pid);
    }
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    std::filesystem::remove_all(runtime);
    std::filesystem::remove_all(config);
    if (!mapped) std::fprintf(stderr, "map_probe: %s showed no window\n", program[0]);
    return mapped;
}

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_probe RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> times;
    std::vector<long> memories;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!ProbeOnce(argv + 2, run)) return 1;
        times.push_back(run.mappedMs);
        memories.push_back(run.residentKb);
    }
    std::printf("window mapped in %.1f ms (median of %d; all:", Median(times), runs);
    for (const double t : times) std::printf(" %.0f", t);
    std::printf("), resident memory %ld MB\n", Median(memories) / 1024);
    return 0;
}
