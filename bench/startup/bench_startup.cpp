// Start-up time and memory of z4config beside its peers, in a private Xvfb.
//
// For each program: the time from launching it to its first mapped top-level
// window (taken from the X server's MapNotify event, so there is no polling
// step hiding anything), and its resident memory one second after that.
// Rounds interleave the programs so that a change of load on the machine
// hits all of them alike; the table gives medians and each peer's ratio.
//
//   bench_startup [--rounds N] [--no-peers] [--profile]
//                 [--variant NAME:VAR=VALUE[,VAR=VALUE...]]...
//
// z4config runs with --virtual-bus against a z4sim started here, so the mouse
// is connected. piper and ckb-next are measured when installed (neither has
// its daemon here: both show their error screen). ckb-next refuses to run as
// root, so as root it runs as "nobody"; it ignores SIGTERM and is killed.
// --variant adds z4config once more with extra environment (for example
// "software:QT_QUICK_BACKEND=software") to compare settings in one run.
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

// One launch: time to the first mapped top-level window, RSS a second later.
Sample measure(const Subject &subject, const std::string &display)
{
    Sample sample;
    xcb_connection_t *x = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(x)) {
        sample.failure = "cannot connect to " + display;
        xcb_disconnect(x);
        return sample;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr)); // round trip

    int out[2] = {-1, -1};
    if (pipe(out) != 0) {
        sample.failure = "pipe";
        xcb_disconnect(x);
        return sample;
    }
    fcntl(out[0], F_SETFL, O_NONBLOCK);

    std::vector<std::string> env = subject.env;
    env.push_back("DISPLAY=" + display);
    const Clock::time_point t0 = Clock::now();
    if (subject.trace) {
        const auto ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(t0.time_since_epoch()).count();
        env.push_back("Z4_STARTUP_TRACE=" + std::to_string(ns));
    }
    const pid_t pid = launch(subject.argv, env, out[1]);
    close(out[1]);

    std::string output;
    std::optional<Clock::time_point> mapped;
    const int xfd = xcb_get_file_descriptor(x);
    while (!mapped) {
        const double left = kWindowTimeoutMs - msSince(t0, Clock::now());
        if (left <= 0) {
            sample.failure = "no window within " + std::to_string(kWindowTimeoutMs / 1000) + " s";
            break;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            sample.failure = "exited before showing a window";
            break;
        }
        pollfd fds[2] = {{xfd, POLLIN, 0}, {out[0], POLLIN, 0}};
        poll(fds, 2, std::min(50, int(left)));
        drain(out[0], output);
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (!map->override_redirect && !mapped)
                    mapped = Clock::now();
            }
            free(event);
        }
        if (xcb_connection_has_error(x)) {
            sample.failure = "X connection lost";
            break;
        }
    }
    if (mapped) {
        sample.windowMs = msSince(t0, *mapped);
        const auto rssAt = *mapped + std::chrono::milliseconds(kRssDelayMs);
        while (Clock::now() < rssAt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            drain(out[0], output);
        }
        sample.rssMb = treeRssMb(pid);
        sample.ok = sample.rssMb > 0;
        if (!sample.ok)
            sample.failure = "exited within a second of showing its window";
    }
    stopGroup(pid);
    drain(out[0], output);
    close(out[0]);
    xcb_disconnect(x);
    if (subject.trace)
        sample.trace = parseTrace(output);
    if (!sample.ok && !output.empty())
        sample.failure +=
            "; its output ends: " + output.substr(output.size() > 400 ? output.size() - 400 : 0);
    return sample;
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
        } else if (arg == "--variant" && i + 1 < argc) {
            const std::string spec = argv[++i];
            const auto colon = spec.find(':');
            if (colon == std::string::npos || colon == 0)
                return false;
            std::vector<std::string> env;
            std::stringstream list(spec.substr(colon + 1));
            std::string item;
            while (std::getline(list, item, ','))
                if (item.find('=') != std::string::npos)
                    env.push_back(item);
                else
                    return false;
            options.variants.emplace_back(spec.substr(0, colon), env);
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
                     "usage: %s [--rounds N] [--no-peers] [--profile] "
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
                        options.profile});
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
