// Time from process start to the first painted palette, and peak memory, of
// our program beside a bare Qt window with the same buttons.
//
//   bench_startup OURS BARE [RUNS]
//
// Each run starts the program, watches the X server for its 161x50 window to
// be mapped, then reads one background pixel until it shows the palette's
// colour: that moment is the first paint. The program is then ended and its
// peak resident set taken from the kernel. Runs of the two programs
// alternate, so that both see the same machine.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWindowWidth = 161;
constexpr int kWindowHeight = 50;
// Between the buttons' rows and columns, so only the window background is there.
constexpr int kProbeX = 81;
constexpr int kProbeY = 24;
constexpr unsigned long kBackground = 0x0080FF;
constexpr auto kPollInterval = std::chrono::microseconds(500);
constexpr auto kPaintTimeout = std::chrono::seconds(15);
constexpr auto kExitTimeout = std::chrono::seconds(5);
constexpr int kDefaultRuns = 20;

struct Sample {
    double paintMs;
    long peakKiB;
};

struct Program {
    const char* label;
    const char* path;
    std::vector<Sample> samples;
};

struct Bench {
    Display* display;
    Atom wmPid;
    std::vector<std::string> environment;
};

// A window the program destroys between our looking at it and our reading
// it is expected; Xlib's default would end the benchmark.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

std::vector<std::string> childEnvironment(const std::string& runtimeDir)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "XDG_RUNTIME_DIR=", 16) != 0)
            environment.emplace_back(*entry);
    environment.push_back("XDG_RUNTIME_DIR=" + runtimeDir);
    return environment;
}

pid_t spawn(const char* path, const std::vector<std::string>& environment)
{
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(path), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, path, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::fprintf(stderr, "bench_startup: cannot start %s: %s\n", path, std::strerror(error));
        return -1;
    }
    return pid;
}

bool ownedBy(const Bench& bench, Window window, pid_t pid)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(bench.display, window, bench.wmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                                          &count, &after, &data);
    const bool owned = status == Success && format == 32 && count == 1 &&
                       static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
    if (data)
        XFree(data);
    return owned;
}

bool isPalette(const Bench& bench, Window window, pid_t pid)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(bench.display, window, &attributes))
        return false;
    return attributes.width == kWindowWidth && attributes.height == kWindowHeight && ownedBy(bench, window, pid);
}

// Handles what the X server has sent; the program's palette once it maps.
std::optional<Window> mappedPalette(const Bench& bench, pid_t pid)
{
    std::optional<Window> found;
    while (XPending(bench.display)) {
        XEvent event;
        XNextEvent(bench.display, &event);
        if (event.type == MapNotify && !found && isPalette(bench, event.xmap.window, pid))
            found = event.xmap.window;
    }
    return found;
}

// Scales a channel picked out by its mask to 0-255.
unsigned long channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const int shift = __builtin_ctzl(mask);
    const unsigned long value = (pixel & mask) >> shift;
    const unsigned long top = mask >> shift;
    return value * 0xFF / top;
}

bool showsBackground(const Bench& bench, Window window)
{
    XImage* image = XGetImage(bench.display, window, kProbeX, kProbeY, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    const unsigned long rgb = channel(pixel, image->red_mask) << 16 | channel(pixel, image->green_mask) << 8 |
                              channel(pixel, image->blue_mask);
    XDestroyImage(image);
    return rgb == kBackground;
}

void waitForX(const Bench& bench)
{
    pollfd descriptor{ConnectionNumber(bench.display), POLLIN, 0};
    const timespec interval{0, std::chrono::nanoseconds(kPollInterval).count()};
    ppoll(&descriptor, 1, &interval, nullptr);
}

bool exited(pid_t pid)
{
    int status = 0;
    return waitpid(pid, &status, WNOHANG | WNOWAIT) == pid;
}

// The moment the palette first shows its background, or nothing if the
// program ends or takes too long.
std::optional<Clock::time_point> firstPaint(const Bench& bench, pid_t pid, Clock::time_point start)
{
    std::optional<Window> palette;
    while (Clock::now() - start < kPaintTimeout) {
        if (!palette)
            palette = mappedPalette(bench, pid);
        if (palette && showsBackground(bench, *palette))
            return Clock::now();
        if (exited(pid))
            return std::nullopt;
        waitForX(bench);
    }
    return std::nullopt;
}

// Ends the program and returns its peak resident set in KiB.
long stop(pid_t pid)
{
    kill(pid, SIGTERM);
    rusage usage{};
    int status = 0;
    const auto deadline = Clock::now() + kExitTimeout;
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            break;
        }
        usleep(1000);
    }
    return usage.ru_maxrss;
}

// Drops what is left over from the last run: events about windows now gone.
void settle(const Bench& bench)
{
    XSync(bench.display, False);
    mappedPalette(bench, 0);
}

std::optional<Sample> measure(const Bench& bench, const char* path)
{
    settle(bench);
    const Clock::time_point start = Clock::now();
    const pid_t pid = spawn(path, bench.environment);
    if (pid < 0)
        return std::nullopt;
    const std::optional<Clock::time_point> painted = firstPaint(bench, pid, start);
    const long peakKiB = stop(pid);
    if (!painted) {
        std::fprintf(stderr, "bench_startup: %s did not paint its window\n", path);
        return std::nullopt;
    }
    return Sample{std::chrono::duration<double, std::milli>(*painted - start).count(), peakKiB};
}

// One unrecorded run each first, so that no program pays for a cold disk cache.
bool run(const Bench& bench, std::vector<Program>& programs, int runs)
{
    for (Program& program : programs)
        if (!measure(bench, program.path))
            return false;
    for (int i = 0; i < runs; ++i) {
        for (size_t k = 0; k < programs.size(); ++k) {
            Program& program = programs[(k + i) % programs.size()];
            const std::optional<Sample> sample = measure(bench, program.path);
            if (!sample)
                return false;
            program.samples.push_back(*sample);
        }
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Figures {
    double paintMedian;
    double paintMin;
    double peakMedianMB;
};

Figures figuresOf(const Program& program)
{
    std::vector<double> paint;
    std::vector<double> peak;
    for (const Sample& sample : program.samples) {
        paint.push_back(sample.paintMs);
        peak.push_back(sample.peakKiB / 1024.0);
    }
    return {median(paint), *std::min_element(paint.begin(), paint.end()), median(peak)};
}

void printTable(const std::vector<Program>& programs, int runs)
{
    const Figures ours = figuresOf(programs[0]);
    const Figures bare = figuresOf(programs[1]);
    std::printf("start to first paint and peak RSS, %d runs each\n\n", runs);
    std::printf("%-10s %16s %13s %19s\n", "", "paint median ms", "paint min ms", "peak RSS median MB");
    for (const auto& [label, figures] : {std::pair{programs[0].label, ours}, std::pair{programs[1].label, bare}})
        std::printf("%-10s %16.1f %13.1f %19.1f\n", label, figures.paintMedian, figures.paintMin, figures.peakMedianMB);
    std::printf("%-10s %15.2fx %12.2fx %18.2fx\n", "ours/bare", ours.paintMedian / bare.paintMedian,
                ours.paintMin / bare.paintMin, ours.peakMedianMB / bare.peakMedianMB);
}

std::optional<int> runCount(int argc, char** argv)
{
    if (argc < 4)
        return kDefaultRuns;
    char* end = nullptr;
    const long runs = std::strtol(argv[3], &end, 10);
    if (*end != '\0' || runs < 1 || runs > 10000)
        return std::nullopt;
    return static_cast<int>(runs);
}

Display* openDisplay()
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        std::fprintf(stderr, "bench_startup: DISPLAY is not set; run it under an X server (run.sh starts Xvfb)\n");
        return nullptr;
    }
    Display* display = XOpenDisplay(name);
    if (!display) {
        std::fprintf(stderr, "bench_startup: cannot open display %s\n", name);
        return nullptr;
    }
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(ignoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    return display;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<int> runs = runCount(argc, argv);
    if (argc < 3 || argc > 4 || !runs) {
        std::fprintf(stderr, "usage: bench_startup OURS BARE [RUNS]\n");
        return 2;
    }
    Display* display = openDisplay();
    if (!display)
        return 2;

    char runtimeTemplate[] = "/tmp/bench-startup-XXXXXX";
    if (!mkdtemp(runtimeTemplate)) {
        std::perror("bench_startup: mkdtemp");
        return 2;
    }
    const Bench bench{display, XInternAtom(display, "_NET_WM_PID", False), childEnvironment(runtimeTemplate)};
    std::vector<Program> programs{{"ours", argv[1], {}}, {"bare", argv[2], {}}};
    const bool measured = run(bench, programs, *runs);
    if (measured)
        printTable(programs, *runs);

    XCloseDisplay(display);
    std::error_code ignored;
    std::filesystem::remove_all(runtimeTemplate, ignored);
    return measured ? 0 : 1;
}
