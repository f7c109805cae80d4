// Start-up time and memory of z4config beside its peers, in a private Xvfb.
//
// For each program: the time from launching it to its first mapped top-level
// window (taken from the X server's MapNotify event, so there is no polling
// step hiding anything), and its resident memory one second after that.
// Rounds interleave the programs so that a change of load on the machine
// hits all of them alike; the table gives medians and each peer's ratio.
//
//   bench_startup [--rounds N] [--no-peers] [--profile | --frames]
//                 [--variant NAME:VAR=VALUE[,VAR=VALUE...]]...
//
// z4config runs with --virtual-bus against a z4sim started here, so the mouse
// is connected. piper and ckb-next are measured when installed (neither has
// its daemon here: both show their error screen). ckb-next refuses to run as
// root, so as root it runs as "nobody"; it ignores SIGTERM and is killed.
// --variant adds z4config once more with extra environment (for example
// "software:QT_QUICK_BACKEND=software") to compare settings in one run.
// --frames drives z4config through its opening animation, page switches,
// settings panel and closing animation (with xdotool) and prints the frame
// times of each.
// --profile runs z4config only and prints where its start-up time goes,
// from the program's own milestones (Z4_STARTUP_TRACE). Every program
// inherits the environment, so "QT_QUICK_BACKEND=software bench_startup
// --profile" profiles that setting.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <pwd.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWindowTimeoutMs = 20000;
constexpr int kRssDelayMs = 1000;
constexpr int kGraceMs = 1500;

double msSince(Clock::time_point t0, Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(t - t0).count();
}

struct Subject
{
    std::string name;
    std::vector<std::string> argv;
    std::vector<std::string> env; // VAR=VALUE added to the environment
    bool trace = false;           // z4config: collect its start-up milestones
};

struct Sample
{
    bool ok = false;
    double windowMs = 0;
    double rssMb = 0;
    std::vector<std::pair<std::string, double>> trace;
    std::string failure;
};

std::optional<std::string> findInPath(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const fs::path candidate = fs::path(dir) / program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return std::nullopt;
}

// Forks and execs argv in its own process group; stdout and stderr go to
// outFd (or /dev/null when it is -1).
pid_t launch(const std::vector<std::string> &argv, const std::vector<std::string> &env, int outFd,
             int keepFd = -1)
{
    std::vector<char *> args;
    args.reserve(argv.size() + 1);
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    setpgid(0, 0);
    for (const std::string &e : env)
        putenv(const_cast<char *>(e.c_str()));
    const int sink = outFd >= 0 ? outFd : open("/dev/null", O_WRONLY);
    dup2(sink, STDOUT_FILENO);
    dup2(sink, STDERR_FILENO);
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, STDIN_FILENO);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keepFd)
            close(fd);
    execvp(args[0], args.data());
    _exit(127);
}

// Ends a process group: SIGTERM, then SIGKILL for what is left after a grace
// period (ckb-next ignores SIGTERM).
void stopGroup(pid_t pid)
{
    kill(-pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::milliseconds(kGraceMs);
    while (Clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            kill(-pid, SIGKILL); // helpers it may have left
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Resident memory of a process and all its descendants, in MB.
double treeRssMb(pid_t root)
{
    std::map<pid_t, pid_t> parentOf;
    if (DIR *proc = opendir("/proc")) {
        while (dirent *entry = readdir(proc)) {
            const pid_t pid = pid_t(std::atoi(entry->d_name));
            if (pid <= 0)
                continue;
            std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
            std::string line;
            std::getline(stat, line);
            const auto close = line.rfind(')');
            if (close == std::string::npos)
                continue;
            std::istringstream rest(line.substr(close + 2));
            char state = 0;
            pid_t ppid = 0;
            rest >> state >> ppid;
            parentOf[pid] = ppid;
        }
        closedir(proc);
    }
    std::vector<pid_t> tree{root};
    for (std::size_t i = 0; i < tree.size(); ++i)
        for (const auto &[pid, ppid] : parentOf)
            if (ppid == tree[i])
                tree.push_back(pid);
    double kb = 0;
    for (pid_t pid : tree) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("VmRSS:", 0) == 0)
                kb += std::atof(line.c_str() + 6);
    }
    return kb / 1024.0;
}

void drain(int fd, std::string &into)
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        into.append(buffer, std::size_t(n));
    }
}

std::vector<std::pair<std::string, double>> parseTrace(const std::string &text)
{
    std::vector<std::pair<std::string, double>> marks;
    std::istringstream lines(text);
    std::string line;
    const std::string tag = "startup-trace ";
    while (std::getline(lines, line)) {
        if (line.rfind(tag, 0) != 0)
            continue;
        std::istringstream fields(line.substr(tag.size()));
        double ms = 0;
        fields >> ms;
        std::string label;
        std::getline(fields >> std::ws, label);
        marks.emplace_back(label, ms);
    }
    return marks;
}

class XServer
{
public:
    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        const std::string fd = std::to_string(fds[1]);
        pid = launch(
            {"Xvfb", "-displayfd", fd, "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-ac"},
            {}, -1, fds[1]);
        close(fds[1]);
        pollfd p{fds[0], POLLIN, 0};
        std::string number;
        while (poll(&p, 1, 10000) > 0) {
            char c = 0;
            if (read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number += c;
        }
        close(fds[0]);
        if (number.empty())
            return false;
        display = ":" + number;
        return true;
    }
    ~XServer()
    {
        if (pid > 0)
            stopGroup(pid);
    }

    pid_t pid = -1;
    std::string display;
};

// A program started in the X server, up to its first mapped window.
struct Launch
{
    xcb_connection_t *x = nullptr;
    pid_t pid = -1;
    int outFd = -1;
    Clock::time_point t0;
    std::optional<Clock::time_point> mapped;
    xcb_window_t window = 0;
    std::string output; // stdout and stderr
    std::string failure;

    void drainOutput() { drain(outFd, output); }

    // Stops the program and closes everything the launch opened.
    void finish()
    {
        if (pid > 0)
            stopGroup(pid);
        if (outFd >= 0) {
            drainOutput();
            close(outFd);
        }
        if (x)
            xcb_disconnect(x);
        pid = -1;
        outFd = -1;
        x = nullptr;
    }
};

// Launches the subject and waits for the X server to map its first top-level
// window. The Xvfb has no other clients, so that window is the subject's.
bool launchToWindow(const Subject &subject, const std::string &display,
                    const std::vector<std::string> &extraEnv, Launch &l)
{
    l.x = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(l.x)) {
        l.failure = "cannot connect to " + display;
        return false;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(l.x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(l.x, screen->root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(l.x, xcb_get_input_focus(l.x), nullptr)); // round trip

    int out[2] = {-1, -1};
    if (pipe(out) != 0) {
        l.failure = "pipe";
        return false;
    }
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    l.outFd = out[0];

    std::vector<std::string> env = subject.env;
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    env.push_back("DISPLAY=" + display);
    l.t0 = Clock::now();
    if (subject.trace) {
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(l.t0.time_since_epoch()).count();
        env.push_back("Z4_STARTUP_TRACE=" + std::to_string(ns));
    }
    l.pid = launch(subject.argv, env, out[1]);
    close(out[1]);

    const int xfd = xcb_get_file_descriptor(l.x);
    while (!l.mapped) {
        const double left = kWindowTimeoutMs - msSince(l.t0, Clock::now());
        if (left <= 0) {
            l.failure = "no window within " + std::to_string(kWindowTimeoutMs / 1000) + " s";
            return false;
        }
        if (waitpid(l.pid, nullptr, WNOHANG) == l.pid) {
            l.pid = -1;
            l.failure = "exited before showing a window";
            return false;
        }
        pollfd fds[2] = {{xfd, POLLIN, 0}, {l.outFd, POLLIN, 0}};
        poll(fds, 2, std::min(50, int(left)));
        l.drainOutput();
        while (xcb_generic_event_t *event = xcb_poll_for_event(l.x)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (!map->override_redirect && !l.mapped) {
                    l.mapped = Clock::now();
                    l.window = map->window;
                }
            }
            free(event);
        }
        if (xcb_connection_has_error(l.x)) {
            l.failure = "X connection lost";
            return false;
        }
    }
    return true;
}

std::string outputTail(const std::string &output)
{
    return output.empty() ? std::string()
                          : "; its output ends: " +
                                output.substr(output.size() > 400 ? output.size() - 400 : 0);
}

// One launch: time to the first mapped top-level window, RSS a second later.
Sample measure(const Subject &subject, const std::string &display)
{
    Sample sample;
    Launch l;
    if (launchToWindow(subject, display, {}, l)) {
        sample.windowMs = msSince(l.t0, *l.mapped);
        const auto rssAt = *l.mapped + std::chrono::milliseconds(kRssDelayMs);
        while (Clock::now() < rssAt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            l.drainOutput();
        }
        sample.rssMb = treeRssMb(l.pid);
        sample.ok = sample.rssMb > 0;
        if (!sample.ok)
            l.failure = "exited within a second of showing its window";
    }
    l.finish();
    if (subject.trace)
        sample.trace = parseTrace(l.output);
    if (!sample.ok)
        sample.failure = l.failure + outputTail(l.output);
    return sample;
}

// --- Frame times -----------------------------------------------------------

struct Step
{
    const char *name;
    int x, y;   // where to click in the window; negative: no click
    int waitMs; // time the step is given
};

// The opening animation, a page opened, three page switches, the settings
// panel in and out, and the closing animation (which ends the program).
// Positions are those of the 1000 x 600 window: function menu at (8, 180),
// buttons 150 x 37 and 13 apart; top menu buttons at its left.
const Step kSteps[] = {
    {"opening animation", -1, -1, 6000},     {"page KEY slides in", 83, 198, 1500},
    {"KEY -> MACRO", 83, 248, 1500},         {"MACRO -> COLOR", 83, 298, 1500},
    {"COLOR -> SENSOR", 83, 348, 1500},      {"settings panel opens", 28, 21, 1500},
    {"settings panel closes", 28, 21, 1500}, {"closing animation", 83, 21, 3000},
};

struct Frame
{
    double atMs;
    double renderMs;
};

std::vector<Frame> parseFrames(const std::string &text)
{
    std::vector<Frame> frames;
    std::istringstream lines(text);
    std::string line;
    const std::string tag = "frame-trace ";
    while (std::getline(lines, line)) {
        if (line.rfind(tag, 0) != 0)
            continue;
        std::istringstream fields(line.substr(tag.size()));
        Frame f{};
        if (fields >> f.atMs >> f.renderMs)
            frames.push_back(f);
    }
    return frames;
}

void clickAt(const std::string &display, int x, int y)
{
    const pid_t pid =
        launch({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"},
               {"DISPLAY=" + display}, -1);
    waitpid(pid, nullptr, 0);
}

// Drives z4config through kSteps with every frame traced and prints, per
// step, the frames drawn, the longest gap between two frames and the longest
// render. At 60 fps a gap stays near 16.7 ms; 33 ms or more is a lost frame.
int measureFrames(const Subject &subject, const std::string &display)
{
    if (!findInPath("xdotool")) {
        std::fprintf(stderr, "bench_startup: --frames needs xdotool\n");
        return 1;
    }
    Launch l;
    if (!launchToWindow(subject, display, {"Z4_FRAME_TRACE=1"}, l)) {
        std::fprintf(stderr, "bench_startup: %s%s\n", l.failure.c_str(),
                     outputTail(l.output).c_str());
        l.finish();
        return 1;
    }
    int originX = 0, originY = 0;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(l.x)).data;
    if (auto *r = xcb_translate_coordinates_reply(
            l.x, xcb_translate_coordinates(l.x, l.window, screen->root, 0, 0), nullptr)) {
        originX = r->dst_x;
        originY = r->dst_y;
        free(r);
    }

    std::vector<double> stepStart;
    for (const Step &step : kSteps) {
        stepStart.push_back(msSince(l.t0, Clock::now()));
        if (step.x >= 0)
            clickAt(display, originX + step.x, originY + step.y);
        const auto until = Clock::now() + std::chrono::milliseconds(step.waitMs);
        while (Clock::now() < until && waitpid(l.pid, nullptr, WNOHANG) != l.pid) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            l.drainOutput();
        }
    }
    stepStart.push_back(msSince(l.t0, Clock::now()));
    l.finish();

    const std::vector<Frame> frames = parseFrames(l.output);
    const char *backend = std::getenv("QT_QUICK_BACKEND");
    std::printf("\nFrames of z4config (QT_QUICK_BACKEND=%s), ms:\n\n", backend ? backend : "");
    std::printf("| step | frames | first frame after the click | longest gap | longest "
                "render |\n|---|---:|---:|---:|---:|\n");
    double worstGap = 0;
    for (std::size_t i = 0; i < std::size(kSteps); ++i) {
        std::vector<Frame> in;
        for (const Frame &f : frames)
            if (f.atMs >= stepStart[i] && f.atMs < stepStart[i + 1])
                in.push_back(f);
        double gap = 0, render = 0;
        for (std::size_t k = 0; k < in.size(); ++k) {
            render = std::max(render, in[k].renderMs);
            if (k > 0)
                gap = std::max(gap, in[k].atMs - in[k - 1].atMs);
        }
        worstGap = std::max(worstGap, gap);
        const double first = in.empty() ? 0 : in.front().atMs - stepStart[i];
        std::printf("| %s | %zu | %.1f | %.1f | %.1f |\n", kSteps[i].name, in.size(), first, gap,
                    render);
    }
    std::printf("\nLongest gap between two frames of an animation: %.1f ms (60 fps: 16.7)\n",
                worstGap);
    return 0;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Options
{
    int rounds = 5;
    bool peers = true;
    bool profile = false;
    bool frames = false;
    std::vector<std::pair<std::string, std::vector<std::string>>> variants;
};

bool parseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rounds" && i + 1 < argc) {
            options.rounds = std::atoi(argv[++i]);
            if (options.rounds < 1)
                return false;
        } else if (arg == "--no-peers") {
            options.peers = false;
        } else if (arg == "--profile") {
            options.profile = true;
        } else if (arg == "--frames") {
            options.frames = true;
        } else if (arg == "--variant" && i + 1 < argc) {
            const std::string variant = argv[++i];
            const auto colon = variant.find(':');
            if (colon == std::string::npos || colon == 0)
                return false;
            std::vector<std::string> env;
            std::stringstream list(variant.substr(colon + 1));
            std::string item;
            while (std::getline(list, item, ','))
                if (item.find('=') != std::string::npos)
                    env.push_back(item);
                else
                    return false;
            options.variants.emplace_back(variant.substr(0, colon), env);
        } else {
            return false;
        }
    }
    return true;
}

// A home folder that "nobody" may write, for ckb-next's settings.
std::string nobodyHome()
{
    const fs::path home = fs::temp_directory_path() / "z4bench-nobody-home";
    fs::create_directories(home);
    if (const passwd *pw = getpwnam("nobody"))
        if (chown(home.c_str(), pw->pw_uid, pw->pw_gid) != 0)
            std::perror("chown");
    return home.string();
}

void printProfile(const std::vector<Sample> &samples)
{
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> times;
    std::vector<double> window;
    for (const Sample &s : samples) {
        if (!s.ok)
            continue;
        window.push_back(s.windowMs);
        for (const auto &[label, ms] : s.trace) {
            if (!times.count(label))
                order.push_back(label);
            times[label].push_back(ms);
        }
    }
    std::printf("\nWhere z4config's start-up time goes (medians of %zu runs, ms since launch):\n\n",
                window.size());
    std::printf("| milestone | at | step |\n|---|---:|---:|\n");
    double previous = 0;
    for (const std::string &label : order) {
        const double at = median(times[label]);
        std::printf("| %s | %.1f | %+.1f |\n", label.c_str(), at, at - previous);
        previous = at;
    }
    std::printf("| first window mapped (X server) | %.1f | |\n", median(window));
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--rounds N] [--no-peers] [--profile | --frames] "
                     "[--variant NAME:VAR=VALUE[,VAR=VALUE...]]...\n",
                     argv[0]);
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    const fs::path binDir = fs::canonical("/proc/self/exe").parent_path();
    const fs::path z4config = binDir / "z4config";
    const fs::path z4sim = binDir / "z4sim";
    for (const fs::path &p : {z4config, z4sim})
        if (access(p.c_str(), X_OK) != 0) {
            std::fprintf(stderr, "bench_startup: %s is missing (build first)\n", p.c_str());
            return 1;
        }
    if (!findInPath("Xvfb")) {
        std::fprintf(stderr, "bench_startup: Xvfb is not installed\n");
        return 1;
    }

    XServer xserver;
    if (!xserver.start()) {
        std::fprintf(stderr, "bench_startup: Xvfb did not start\n");
        return 1;
    }
    char busTemplate[] = "/tmp/z4bench-bus-XXXXXX";
    const std::string busDir = mkdtemp(busTemplate);
    const pid_t sim = launch({z4sim.string(), "--bus", busDir}, {}, -1);
    const auto simDeadline = Clock::now() + std::chrono::seconds(5);
    while (fs::is_empty(busDir) && Clock::now() < simDeadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (fs::is_empty(busDir)) {
        std::fprintf(stderr, "bench_startup: z4sim did not open its device\n");
        stopGroup(sim);
        return 1;
    }

    std::vector<Subject> subjects;
    subjects.push_back({"z4config --virtual-bus (mouse connected)",
                        {z4config.string(), "--virtual-bus", busDir},
                        {},
                        options.profile || options.frames});
    if (options.frames) {
        const int result = measureFrames(subjects[0], xserver.display);
        stopGroup(sim);
        fs::remove_all(busDir);
        return result;
    }
    if (!options.profile) {
        for (const auto &[name, env] : options.variants)
            subjects.push_back(
                {"z4config " + name, {z4config.string(), "--virtual-bus", busDir}, env, false});
        if (options.peers) {
            if (findInPath("piper"))
                subjects.push_back({"piper (no daemon)", {"piper"}, {}, false});
            else
                std::printf("piper is not installed: skipped\n");
            if (findInPath("ckb-next")) {
                Subject ckb{"ckb-next (no daemon)", {"ckb-next"}, {}, false};
                if (geteuid() == 0) {
                    ckb.argv = {"setpriv", "--reuid=nobody", "--regid=nogroup", "--init-groups",
                                "ckb-next"};
                    ckb.env = {"HOME=" + nobodyHome(), "XDG_RUNTIME_DIR=" + nobodyHome()};
                }
                subjects.push_back(ckb);
            } else {
                std::printf("ckb-next is not installed: skipped\n");
            }
        }
    }

    std::vector<std::vector<Sample>> samples(subjects.size());
    for (int round = 1; round <= options.rounds; ++round) {
        for (std::size_t i = 0; i < subjects.size(); ++i) {
            Sample s = measure(subjects[i], xserver.display);
            if (s.ok)
                std::fprintf(stderr, "round %d  %-42s %7.0f ms %7.1f MB\n", round,
                             subjects[i].name.c_str(), s.windowMs, s.rssMb);
            else
                std::fprintf(stderr, "round %d  %-42s failed: %s\n", round,
                             subjects[i].name.c_str(), s.failure.c_str());
            samples[i].push_back(std::move(s));
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    }
    stopGroup(sim);
    fs::remove_all(busDir);

    if (options.profile) {
        printProfile(samples[0]);
        return 0;
    }

    std::printf("\nMedians of %d interleaved rounds (Xvfb %s):\n\n", options.rounds,
                xserver.display.c_str());
    std::printf("| program | to window | RSS | runs |\n|---|---:|---:|---:|\n");
    std::vector<double> medianMs(subjects.size()), medianMb(subjects.size());
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        std::vector<double> ms, mb;
        for (const Sample &s : samples[i])
            if (s.ok) {
                ms.push_back(s.windowMs);
                mb.push_back(s.rssMb);
            }
        medianMs[i] = median(ms);
        medianMb[i] = median(mb);
        if (ms.empty())
            std::printf("| %s | failed | failed | 0/%d |\n", subjects[i].name.c_str(),
                        options.rounds);
        else
            std::printf("| %s | %.3f s | %.0f MB | %zu/%d |\n", subjects[i].name.c_str(),
                        medianMs[i] / 1000, medianMb[i], ms.size(), options.rounds);
    }
    std::printf("\n");
    for (std::size_t i = 1; i < subjects.size(); ++i)
        if (medianMs[i] > 0 && medianMs[0] > 0)
            std::printf("z4config / %s: time %.2f, RSS %.2f\n", subjects[i].name.c_str(),
                        medianMs[0] / medianMs[i], medianMb[0] / medianMb[i]);
    return 0;
}
