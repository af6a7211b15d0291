// From process start to the first frame on screen: a 1127 x 740 borderless window that draws
// a full-size picture and a few lines of text through our platform layer, against a minimal
// Xlib program that maps a window of the same size and fills it. Both run as fresh child
// processes of this executable (chosen by VEXMO_STARTUP_PROBE before main), each iteration
// measures both, and the counters report the mean times and their ratio (aim: <= 1.5).
// Needs no display of its own: without DISPLAY it starts an Xvfb for the run.
//   build/<dir>/bin/startup_bench --benchmark_repetitions=1
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/core/Canvas.h"
#include "platform/core/WindowSystem.h"
#include "platform/core/Wnd.h"
#include "settings/AtomicFile.h"

extern char** environ;

namespace {

constexpr int kWidth = 1127;
constexpr int kHeight = 740;
constexpr char kProbeVariable[] = "VEXMO_STARTUP_PROBE";
constexpr char kPictureVariable[] = "VEXMO_STARTUP_PICTURE";
constexpr char kSignalFd = 3; // the child's end of the pipe

void SignalFirstFrame() {
    const char done = 1;
    [[maybe_unused]] ssize_t n = write(kSignalFd, &done, 1);
}

int RunXlibProbe() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const int s = DefaultScreen(d);
    Window w = XCreateSimpleWindow(d, RootWindow(d, s), 0, 0, kWidth, kHeight, 0, 0, 0);
    const Atom motif = XInternAtom(d, "_MOTIF_WM_HINTS", False);
    const long hints[5] = {2, 0, 0, 0, 0};
    XChangeProperty(d, w, motif, motif, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(hints), 5);
    XSelectInput(d, w, ExposureMask);
    XMapWindow(d, w);
    GC gc = XCreateGC(d, w, 0, nullptr);
    XSetForeground(d, gc, 0x1E2228);
    while (true) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == Expose) break;
    }
    XFillRectangle(d, w, gc, 0, 0, kWidth, kHeight);
    XSync(d, False);
    SignalFirstFrame();
    pause();
    return 0;
}

class MainWindow : public vexmo::CWnd {
public:
    explicit MainWindow(const char* picturePath) : picture_(vexmo::LoadImageFile(picturePath)) {}
    void OnPaint(vexmo::CCanvas& dc) override {
        vexmo::CCanvas memory(kWidth, kHeight);
        memory.DrawImage(picture_, {0, 0, kWidth, kHeight}, {0, 0, kWidth, kHeight});
        vexmo::CFont font(vexmo::FontSpec{16, 0, 0, false, 1, "Tahoma"});
        memory.SelectFont(&font);
        memory.SetBkMode(vexmo::TRANSPARENT);
        memory.SetTextColor(vexmo::RGB(0xB4, 0xB4, 0xB4));
        const char* lines[] = {"Profile 1", "DPI 1600", "Report rate 500Hz", "Battery 80%"};
        int y = 40;
        for (const char* line : lines) {
            vexmo::Rect r{40, y, 400, y + 24};
            memory.DrawText(line, r, vexmo::DT_SINGLELINE | vexmo::DT_VCENTER | vexmo::DT_WORD_ELLIPSIS);
            y += 30;
        }
        dc.BitBlt(0, 0, kWidth, kHeight, memory, 0, 0);
        painted = true;
    }
    bool painted = false;

private:
    vexmo::Image picture_;
};

int RunVexmoProbe() {
    if (!vexmo::InitWindowSystem(vexmo::WindowSystemKind::X11)) return 1;
    const char* picture = std::getenv(kPictureVariable);
    MainWindow window(picture ? picture : "");
    if (!window.CreateEx(vexmo::WS_EX_APPWINDOW, "Vexmo", vexmo::WS_POPUP | vexmo::WS_VISIBLE, {0, 0, kWidth, kHeight}))
        return 1;
    while (!window.painted) {
        if (!vexmo::PumpMessage()) return 1;
    }
    vexmo::SyncWindowSystem();
    SignalFirstFrame();
    pause();
    return 0;
}

// Runs before main() when this executable was started as a probe.
[[maybe_unused]] const bool kRanAsProbe = [] {
    const char* probe = std::getenv(kProbeVariable);
    if (!probe) return false;
    _exit(std::strcmp(probe, "xlib") == 0 ? RunXlibProbe() : RunVexmoProbe());
}();

pid_t Spawn(const char* const argv[], int keepFd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (keepFd >= 0) posix_spawn_file_actions_adddup2(&actions, keepFd, kSignalFd);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Milliseconds from spawning `probe` to its first frame; negative on failure.
double TimeProbe(const char* probe) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return -1;
    setenv(kProbeVariable, probe, 1);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const char* argv[] = {self.c_str(), nullptr};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = Spawn(argv, fds[1]);
    unsetenv(kProbeVariable);
    close(fds[1]);
    char byte = 0;
    const bool ok = pid > 0 && read(fds[0], &byte, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    close(fds[0]);
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    return ok ? std::chrono::duration<double, std::milli>(end - start).count() : -1;
}

class Display {
public:
    Display() {
        const char* d = std::getenv("DISPLAY");
        if (d && *d) return;
        int fds[2];
        if (pipe(fds) != 0) return;
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1080x24", "-nolisten", "tcp", nullptr};
        xvfb_ = Spawn(argv, -1);
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
        close(fds[0]);
        if (!number.empty()) setenv("DISPLAY", (":" + number).c_str(), 1);
    }
    ~Display() {
        if (xvfb_ <= 0) return;
        kill(xvfb_, SIGTERM);
        waitpid(xvfb_, nullptr, 0);
    }

private:
    pid_t xvfb_ = 0;
};

// The main window's background is a 24-bit bitmap resource; the picture here is one too.
std::filesystem::path MakePicture() {
    const uint32_t stride = (kWidth * 3 + 3) & ~3u;
    std::string bmp(54 + static_cast<size_t>(stride) * kHeight, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, kWidth);
    put32(22, kHeight);
    put32(26, 1 | (24 << 16));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const size_t at = 54 + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3;
            bmp[at] = 0x40;
            bmp[at + 1] = static_cast<char>(y * 255 / kHeight);
            bmp[at + 2] = static_cast<char>(x * 255 / kWidth);
        }
    const auto path = std::filesystem::temp_directory_path() / "vexmo_startup_picture.bmp";
    vexmo::WriteFileAtomically(path, bmp);
    return path;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    static Display display;
    static const std::filesystem::path picture = MakePicture();
    setenv(kPictureVariable, picture.c_str(), 1);
    double vexmoTotal = 0, xlibTotal = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        const double xlib = TimeProbe("xlib");
        const double vexmo = TimeProbe("vexmo");
        if (xlib < 0 || vexmo < 0) {
            state.SkipWithError("a probe failed to show its first frame (no X display?)");
            break;
        }
        xlibTotal += xlib;
        vexmoTotal += vexmo;
        ++runs;
    }
    if (runs == 0) return;
    state.counters["vexmo_ms"] = vexmoTotal / static_cast<double>(runs);
    state.counters["xlib_ms"] = xlibTotal / static_cast<double>(runs);
    state.counters["ratio"] = vexmoTotal / xlibTotal;
}
BENCHMARK(BM_StartupToFirstFrame)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
