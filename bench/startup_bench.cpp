// Start-up and peak memory of each program against a reference window (the floor), under an Xvfb
// of its own: the time from fork to the first MapNotify of a top-level window, and the peak resident
// set once the process has gone idle after mapping. Program and floor alternate run by run.
#include "character_store.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what);
}

class Xvfb {
public:
    Xvfb()
    {
        int fds[2];
        if (::pipe(fds) != 0)
            fail("pipe: " + std::string(std::strerror(errno)));
        serverPid = ::fork();
        if (serverPid < 0)
            fail("fork: " + std::string(std::strerror(errno)));
        if (serverPid == 0) {
            ::close(fds[0]);
            const int devnull = ::open("/dev/null", O_RDWR);
            ::dup2(devnull, STDIN_FILENO);
            ::dup2(devnull, STDOUT_FILENO);
            ::dup2(devnull, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                     "-noreset", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        std::string number;
        char c = 0;
        while (::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (number.empty()) {
            stop();
            fail("Xvfb did not start (is it installed? scripts/setup.sh bench)");
        }
        displayName = ":" + number;
    }
    ~Xvfb() { stop(); }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    const std::string& display() const { return displayName; }

private:
    void stop()
    {
        if (serverPid > 0) {
            ::kill(serverPid, SIGTERM);
            ::waitpid(serverPid, nullptr, 0);
            serverPid = -1;
        }
    }
    pid_t serverPid = -1;
    std::string displayName;
};

struct Program {
    std::string name;
    std::string path;
    enum class Store { None, Empty, Filled } store = Store::None;
};

struct Sample {
    double startupMs = 0;
    double peakMiB = 0;
};

class Launcher {
public:
    Launcher(const std::string& display, fs::path workDir) : displayName(display), workFolder(std::move(workDir))
    {
        xcbConnection = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(xcbConnection))
            fail("cannot connect to " + display);
        rootWindow = xcb_setup_roots_iterator(xcb_get_setup(xcbConnection)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(xcbConnection, rootWindow, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(xcbConnection);
        fillStore(workFolder / "filled");
        runtimeDir = workFolder / "runtime";
        fs::create_directories(runtimeDir);
        fs::permissions(runtimeDir, fs::perms::owner_all, fs::perm_options::replace);
    }
    ~Launcher() { xcb_disconnect(xcbConnection); }
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    Sample run(const Program& program)
    {
        std::optional<fs::path> config;
        if (program.store == Program::Store::Empty) {
            config = workFolder / "empty";
            fs::remove_all(*config);
            fs::create_directories(*config);
        } else if (program.store == Program::Store::Filled) {
            config = workFolder / "filled";
        }
        drain();

        const Clock::time_point start = Clock::now();
        const pid_t pid = ::fork();
        if (pid < 0)
            fail("fork: " + std::string(std::strerror(errno)));
        if (pid == 0) {
            ::setenv("DISPLAY", displayName.c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "xcb", 1);
            ::unsetenv("WAYLAND_DISPLAY");
            ::unsetenv("SESSION_MANAGER");
            ::setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
            if (config)
                ::setenv("XDG_CONFIG_HOME", config->c_str(), 1);
            const int devnull = ::open("/dev/null", O_RDWR);
            ::dup2(devnull, STDIN_FILENO);
            ::dup2(devnull, STDOUT_FILENO);
            ::execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }

        Sample sample;
        const bool mapped = waitForMap(pid, start, sample.startupMs);
        if (mapped)
            waitUntilIdle(pid);
        ::kill(pid, SIGKILL);
        int status = 0;
        rusage usage{};
        ::wait4(pid, &status, 0, &usage);
        if (!mapped)
            fail(program.name + " exited or showed no window within 20 s");
        sample.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
        return sample;
    }

private:
    void drain()
    {
        xcb_flush(xcbConnection);
        while (xcb_generic_event_t* event = xcb_poll_for_event(xcbConnection))
            std::free(event);
    }

    bool waitForMap(pid_t pid, Clock::time_point start, double& startupMs)
    {
        const Clock::time_point deadline = start + std::chrono::seconds(20);
        const int fd = xcb_get_file_descriptor(xcbConnection);
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(xcbConnection)) {
                const bool isMap = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                const bool topLevel = isMap && map->event == rootWindow && !map->override_redirect;
                std::free(event);
                if (topLevel) {
                    startupMs = milliseconds(Clock::now() - start);
                    return true;
                }
            }
            if (xcb_connection_has_error(xcbConnection))
                fail("lost the connection to the X server");
            if (::waitpid(pid, nullptr, WNOHANG) == pid || Clock::now() > deadline)
                return false;
            pollfd wait{fd, POLLIN, 0};
            ::poll(&wait, 1, 50);
        }
    }

    // Memory is judged once the program has finished what it does after its first window is up.
    static void waitUntilIdle(pid_t pid)
    {
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(3);
        long last = -1;
        int quiet = 0;
        while (quiet < 3 && Clock::now() < deadline) {
            ::usleep(30000);
            const long ticks = cpuTicks(pid);
            quiet = ticks == last ? quiet + 1 : 0;
            last = ticks;
        }
    }

    static long cpuTicks(pid_t pid)
    {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const std::size_t close = text.rfind(')');
        if (close == std::string::npos)
            return -1;
        std::istringstream fields(text.substr(close + 2));
        std::string field;
        long utime = 0;
        long stime = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i) {
            if (i == 14)
                utime = std::stol(field);
            if (i == 15)
                stime = std::stol(field);
        }
        return utime + stime;
    }

    // Three characters, each with every school and percentage set, as a player's store holds them.
    static void fillStore(const fs::path& folder)
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
        const char* previous = std::getenv("XDG_CONFIG_HOME");
        const std::optional<std::string> saved = previous ? std::optional<std::string>(previous) : std::nullopt;
        ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        sorvex::CharacterStore store;
        const sorvex::PlayerNames names = {"Arwen", "Brannoc", "Cilla"};
        for (std::int32_t slot = 1; slot <= 3; ++slot) {
            sorvex::CharacterSheet sheet;
            for (int school = 0; school < sorvex::schoolCount; ++school)
                sorvex::schoolLevel(sheet, school) = (school + slot) % 6 + 1;
            sheet.spellCount = 2;
            sheet.currentIntel = 150 + 17 * slot;
            sheet.spellP0 = 40 + slot;
            sheet.spellP1 = 60 + slot;
            sheet.spellP2 = 80 + slot;
            const sorvex::SaveResult result = store.save(slot, sheet, names);
            if (!result.messages.keyFailures.empty())
                fail(result.messages.keyFailures.front());
            if (result.messages.notice)
                fail(*result.messages.notice);
            if (!result.saved)
                fail("the filled store could not be saved in " + folder.string());
        }
        if (saved)
            ::setenv("XDG_CONFIG_HOME", saved->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }

    std::string displayName;
    fs::path workFolder;
    fs::path runtimeDir;
    xcb_connection_t* xcbConnection = nullptr;
    xcb_window_t rootWindow = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void usage()
{
    std::fprintf(stderr,
                 "usage: startup_bench [--runs N] [--work-dir DIR] --baseline PATH [--baseline-name NAME]\n"
                 "                     [--program NAME PATH]... [--sorvex PATH]\n"
                 "Prints one table row per program and measure: median, the baseline's median (the floor),\n"
                 "ratio.\n");
    std::exit(2);
}

struct Series {
    std::vector<double> startup, peak, baseStartup, basePeak;
};

void printRow(const std::string& what, double value, double floor, const char* unit, double target,
              const std::string& floorName)
{
    const double ratio = value / floor;
    std::printf("| %s | %.1f %s | %.1f %s | %.2f | ≤ %.2f × %s | %s |\n", what.c_str(), value, unit, floor, unit, ratio,
                target, floorName.c_str(), ratio <= target ? "yes" : "no");
}

}  // namespace

int main(int argc, char* argv[])
{
    int runs = 15;
    std::string baseline;
    std::string baselineName = "bare window";
    fs::path workDir;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--work-dir" && i + 1 < argc)
            workDir = argv[++i];
        else if (arg == "--baseline" && i + 1 < argc)
            baseline = argv[++i];
        else if (arg == "--baseline-name" && i + 1 < argc)
            baselineName = argv[++i];
        else if (arg == "--program" && i + 2 < argc) {
            programs.push_back({argv[i + 1], argv[i + 2]});
            i += 2;
        } else if (arg == "--sorvex" && i + 1 < argc) {
            programs.push_back({"sorvex, empty store", argv[i + 1], Program::Store::Empty});
            programs.push_back({"sorvex, filled store", argv[i + 1], Program::Store::Filled});
            ++i;
        } else
            usage();
    }
    if (baseline.empty() || programs.empty())
        usage();

    try {
        const bool ownWorkDir = workDir.empty();
        if (ownWorkDir) {
            std::string pattern = (fs::temp_directory_path() / "startup-bench-XXXXXX").string();
            if (!::mkdtemp(pattern.data()))
                fail("mkdtemp: " + std::string(std::strerror(errno)));
            workDir = pattern;
        } else {
            fs::create_directories(workDir);
        }

        std::vector<Series> series(programs.size());
        {
            Xvfb server;
            Launcher launcher(server.display(), workDir);
            const Program floor{baselineName, baseline};
            // Warm the page cache and the font cache before anything is counted.
            launcher.run(floor);
            for (const Program& program : programs)
                launcher.run(program);

            for (int run = 0; run < runs; ++run) {
                for (std::size_t p = 0; p < programs.size(); ++p) {
                    Series& s = series[p];
                    // Which of the two goes first changes every run, so drift does not favour either.
                    const bool baselineFirst = (run + static_cast<int>(p)) % 2 == 0;
                    const Sample first = launcher.run(baselineFirst ? floor : programs[p]);
                    const Sample second = launcher.run(baselineFirst ? programs[p] : floor);
                    const Sample& base = baselineFirst ? first : second;
                    const Sample& measured = baselineFirst ? second : first;
                    s.startup.push_back(measured.startupMs);
                    s.peak.push_back(measured.peakMiB);
                    s.baseStartup.push_back(base.startupMs);
                    s.basePeak.push_back(base.peakMiB);
                }
                std::fprintf(stderr, "start-up run %d of %d done\n", run + 1, runs);
            }
        }
        if (ownWorkDir)
            fs::remove_all(workDir);

        for (std::size_t p = 0; p < programs.size(); ++p) {
            const Series& s = series[p];
            printRow("start-up, " + programs[p].name, median(s.startup), median(s.baseStartup), "ms", 1.15,
                     baselineName);
            printRow("peak memory, " + programs[p].name, median(s.peak), median(s.basePeak), "MiB", 1.10, baselineName);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
