// What the open panel costs: processor time of this (host) process and of the X server while the
// plug-in runs in real time (blocks of 512 frames at 48 kHz, the host's editor idle at 30 per second)
// with its editor open and two sources moving, with the editor open and nothing moving (transport
// stopped, silence), and with the editor closed, each as a share of one core. The three run in turns,
// several rounds, and the medians are printed with the open cases' cost over the closed one. Needs an
// X display (run under xvfb-run); the server's times are read from /proc when it is a local Xvfb or
// Xorg, and left out otherwise.
#include <X11/Xlib.h>
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "plugin/sdk/aeffect.h"
#include "plugin/vst/PluginFactory.h"

namespace {

constexpr int kFrames = 512;
constexpr double kSampleRate = 48000;
constexpr int kIdlesPerSecond = 30;
constexpr double kSegmentSeconds = 3;
constexpr int kRounds = 5;

VstTimeInfo transport{};

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&transport);
    return 0;
}

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

double ownProcessSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The X server of DISPLAY when it runs on this machine: the process named Xvfb or Xorg whose arguments
// hold the display's ":N". 0 when there is none.
int serverPid() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr) return 0;
    std::string name(display);
    const size_t dot = name.find('.', name.find(':'));
    if (dot != std::string::npos) name.resize(dot);
    if (name.empty() || name[0] != ':') return 0;
    DIR* processes = opendir("/proc");
    if (processes == nullptr) return 0;
    int found = 0;
    while (dirent* entry = readdir(processes)) {
        const int pid = std::atoi(entry->d_name);
        if (pid <= 0) continue;
        std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
        if (!file) continue;
        std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::vector<std::string> args;
        std::stringstream parts(all);
        for (std::string arg; std::getline(parts, arg, '\0');) args.push_back(arg);
        if (args.empty()) continue;
        const std::string program = args[0].substr(args[0].rfind('/') + 1);
        if (program != "Xvfb" && program != "Xorg") continue;
        if (std::find(args.begin(), args.end(), name) != args.end()) {
            found = pid;
            break;
        }
    }
    closedir(processes);
    return found;
}

// User and system time of a process from /proc/PID/stat, in seconds; -1 when unreadable.
double processSeconds(int pid) {
    if (pid <= 0) return -1;
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!std::getline(file, stat)) return -1;
    // The fields after the command's closing parenthesis: state is field 3, utime 14, stime 15.
    std::istringstream rest(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int n = 3; n <= 15 && rest >> field; ++n) {
        if (n >= 14) ticks += std::stod(field);
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct Share {
    double host = 0;
    double server = 0;
};

class Session {
  public:
    explicit Session(Display* display) : display_(display) {
        transport.flags = kVstTransportPlaying;
        effect_ = createOrbitoneInstance(host);
        // Two inputs, Rotate on the first and Cruise on the second, at the default speed.
        effect_->setParameter(effect_, 9, 1.0f);
        effect_->setParameter(effect_, 11, 0.25f);
        effect_->setParameter(effect_, 17, 0.5f);
        effect_->dispatcher(effect_, effOpen, 0, 0, nullptr, 0);
        effect_->dispatcher(effect_, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kSampleRate));
        effect_->dispatcher(effect_, effSetBlockSize, 0, kFrames, nullptr, 0);
        effect_->dispatcher(effect_, effMainsChanged, 0, 1, nullptr, 0);
        for (int k = 0; k < 6; ++k) {
            in_[k].assign(kFrames, 0.0f);
            out_[k].assign(kFrames, 0.0f);
            inPtr_[k] = in_[k].data();
            outPtr_[k] = out_[k].data();
        }
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1130, 540, 0, 0, 0);
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    ~Session() {
        close();
        effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0);
        XDestroyWindow(display_, window_);
        XSync(display_, False);
    }

    void open() {
        if (open_) return;
        open_ = effect_->dispatcher(effect_, effEditOpen, 0, 0, reinterpret_cast<void*>(window_), 0) != 0;
    }
    void close() {
        if (open_) effect_->dispatcher(effect_, effEditClose, 0, 0, nullptr, 0);
        open_ = false;
    }
    bool isOpen() const { return open_; }

    // Runs for the segment's time in real time: the blocks a second holds and 30 idles, evenly.
    Share run(bool moving, int server) {
        transport.flags = moving ? kVstTransportPlaying : 0;
        setSignal(moving);
        const auto start = std::chrono::steady_clock::now();
        const double ownStart = ownProcessSeconds();
        const double serverStart = processSeconds(server);
        const int idles = static_cast<int>(kSegmentSeconds * kIdlesPerSecond);
        const double blocksPerIdle = kSampleRate / kFrames / kIdlesPerSecond;
        double blocksDue = 0;
        for (int i = 0; i < idles; ++i) {
            for (blocksDue += blocksPerIdle; blocksDue >= 1; blocksDue -= 1)
                effect_->processReplacing(effect_, inPtr_, outPtr_, kFrames);
            if (open_) effect_->dispatcher(effect_, effEditIdle, 0, 0, nullptr, 0);
            std::this_thread::sleep_until(
                start + std::chrono::microseconds(static_cast<int64_t>((i + 1) * 1e6 / kIdlesPerSecond)));
        }
        XSync(display_, False);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        Share share;
        share.host = (ownProcessSeconds() - ownStart) / wall * 100;
        const double serverEnd = processSeconds(server);
        share.server = serverStart < 0 || serverEnd < 0 ? -1 : (serverEnd - serverStart) / wall * 100;
        return share;
    }

  private:
    void setSignal(bool sounding) {
        for (int j = 0; j < kFrames; ++j) {
            in_[0][j] = sounding ? 0.5f * static_cast<float>((j % 100) - 50) / 50.0f : 0.0f;
            in_[1][j] = sounding ? 0.25f * static_cast<float>((j % 77) - 38) / 38.0f : 0.0f;
        }
    }

    Display* display_;
    Window window_ = 0;
    AEffect* effect_ = nullptr;
    bool open_ = false;
    std::vector<float> in_[6], out_[6];
    float* inPtr_[6];
    float* outPtr_[6];
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::printf("editor_bench: no X display (run it under xvfb-run); nothing measured\n");
        return 0;
    }
    const int server = serverPid();
    if (server == 0)
        std::printf("editor_bench: the X server is not a local Xvfb or Xorg; its time is left out\n");
    std::vector<double> host[3], xserver[3];
    const char* const names[3] = {"editor closed", "editor open, two sources moving",
                                  "editor open, nothing moving"};
    {
        Session session(display);
        for (int round = 0; round < kRounds; ++round) {
            for (int c = 0; c < 3; ++c) {
                if (c == 0) session.close();
                if (c > 0) session.open();
                if (c > 0 && !session.isOpen()) {
                    std::printf("editor_bench: the editor does not open; nothing measured\n");
                    return 0;
                }
                const Share share = session.run(c != 2, server);
                host[c].push_back(share.host);
                xserver[c].push_back(share.server);
            }
        }
    }
    XCloseDisplay(display);
    std::printf("%d rounds of %.0f s per case, medians, %% of one core (30 idles a second, 48 kHz)\n\n",
                kRounds, kSegmentSeconds);
    std::printf("%-34s %8s %8s %8s %12s %10s\n", "case", "host", "X", "sum", "over closed", "x closed");
    const double closed = median(host[0]) + std::max(0.0, median(xserver[0]));
    for (int c = 0; c < 3; ++c) {
        const double h = median(host[c]);
        const double x = median(xserver[c]);
        const double sum = h + std::max(0.0, x);
        std::printf("%-34s %8.2f %8.2f %8.2f %12.2f %10.2f\n", names[c], h, x, sum, sum - closed,
                    closed > 0 ? sum / closed : 0.0);
    }
    return 0;
}
