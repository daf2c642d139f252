// startup-probe: how long a desktop program takes until its window is on the screen and painted
// and until it has ended after a close request, and how much memory it holds once painted and
// needed at its peak; what the teacher waits for between starting Verdane and being able to use
// it, and between closing it and getting the desktop back.
//
//   startup-probe [--runs N] [--warmup N] [--size WxH] PROGRAM [ARGS...]
//                 [--then PROGRAM [ARGS...]]...
//
// Each run forks and starts PROGRAM with a fresh XDG_RUNTIME_DIR (Verdane refuses to start a
// second time per runtime folder), waits for its window to be mapped on the root of the display
// named by DISPLAY and then for its first paint, reads the program's resident memory, sends that
// window WM_DELETE_WINDOW as a window manager's close box does, and reaps the program with
// wait4() for its peak resident memory. The warm-up runs (1 unless told) are not counted.
// Several programs take turns, one run each in the order given, so that a machine that is
// slower for a while is slower for all of them. One line of JSON per program, in that order, on
// standard output gives the medians:
//
//   {"program": "...", "runs": 9, "shown_ms": ..., "painted_ms": ..., "exit_ms": ...,
//    "rss_kib": ..., "peak_kib": ..., ...}
//
// Times are wall clock from fork. "Shown" is the moment the X server reports the window mapped;
// "painted" the moment the X server reports, through its DAMAGE extension, that the drawing into
// the window has covered all of it: a toolkit draws a window it shows as a whole, so this is the
// first paint as the teacher sees it. Every top-level window is watched from its creation on, so
// no paint can come before the watch. "rss" is VmRSS of the program just after that paint.
// The program's window is the first top-level window mapped by its process (_NET_WM_PID, where
// set) that is as large as --size (989x660 unless told: Verdane's main window) or whose WM_CLASS
// names the program; a helper window the toolkit maps first is passed over. The program's own
// standard output goes to standard error, so that standard output holds the JSON lines only.

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <strings.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kTimeout(30);

struct Options {
    int runs = 9;
    int warmup = 1;
    int width = 989;
    int height = 660;
    std::vector<char*> command; // ends with a null pointer, for execvp
    std::string name;           // the program's file name, as WM_CLASS would give it
};

struct Run {
    double shownMs = 0;
    double paintedMs = 0;
    double exitMs = 0;
    long rssKib = 0;
    long peakKib = 0;
    int width = 0;
    int height = 0;
};

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "startup-probe: %s\n", message.c_str());
    std::exit(1);
}

int usage()
{
    std::fprintf(stderr,
                 "usage: startup-probe [--runs N] [--warmup N] [--size WxH] PROGRAM [ARGS...] "
                 "[--then PROGRAM [ARGS...]]...\n");
    return 2;
}

bool parseInt(std::string_view text, int& value, int least)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= least;
}

std::optional<std::vector<Options>> parseOptions(int argc, char** argv)
{
    Options options;
    int i = 1;
    for (; i < argc && std::string_view(argv[i]).starts_with("--"); ++i) {
        const std::string_view option = argv[i];
        if (option == "--")
            break;
        if (i + 1 >= argc)
            return std::nullopt;
        const std::string_view value = argv[++i];
        if (option == "--runs" && parseInt(value, options.runs, 1))
            continue;
        if (option == "--warmup" && parseInt(value, options.warmup, 0))
            continue;
        const std::size_t x = value.find('x');
        if (option == "--size" && x != std::string_view::npos &&
            parseInt(value.substr(0, x), options.width, 1) &&
            parseInt(value.substr(x + 1), options.height, 1))
            continue;
        return std::nullopt;
    }
    if (i < argc && std::string_view(argv[i]) == "--")
        ++i;
    // One program, or several joined by --then: each gets the same settings.
    std::vector<Options> programs;
    while (i < argc) {
        const int first = i;
        while (i < argc && std::string_view(argv[i]) != "--then")
            ++i;
        if (i == first)
            return std::nullopt;
        Options& program = programs.emplace_back(options);
        program.command.assign(argv + first, argv + i);
        program.command.push_back(nullptr);
        program.name = std::filesystem::path(argv[first]).filename().string();
        if (i < argc && ++i == argc) // a --then with nothing after it
            return std::nullopt;
    }
    if (programs.empty())
        return std::nullopt;
    return programs;
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

// A window can be destroyed between its MapNotify and our questions about it (a short-lived
// helper window); such a window is simply not the program's.
bool windowVanished = false;

int noteXError(Display*, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable)
        windowVanished = true;
    else
        std::fprintf(stderr, "startup-probe: X error %d\n", error->error_code);
    return 0;
}

class XConnection {
public:
    XConnection()
    {
        if (!std::getenv("DISPLAY"))
            fail("DISPLAY is not set");
        display = XOpenDisplay(nullptr);
        if (!display)
            fail(std::string("cannot open display ") + std::getenv("DISPLAY"));
        // The program must not inherit our connection.
        fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
        XSetErrorHandler(noteXError);
        root = DefaultRootWindow(display);
        wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
        wmDeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        netWmPid = XInternAtom(display, "_NET_WM_PID", False);
        // Every window created or mapped as a child of the root is reported to us from here on.
        XSelectInput(display, root, SubstructureNotifyMask);
        startDamage();
        XSync(display, False);
    }
    ~XConnection() { XCloseDisplay(display); }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    int fd() const { return ConnectionNumber(display); }

    // Forgets the events of earlier runs.
    void discardEvents() { XSync(display, True); }

    // The top-level window just mapped, if it is the program's main window: that window, or
    // (under a reparenting window manager, where the root's child is the frame) the client
    // window inside it. Its size goes into run.
    std::optional<Window> programWindow(Window mapped, pid_t pid, const Options& options, Run& run,
                                        int depth = 0)
    {
        windowVanished = false;
        XWindowAttributes attributes{};
        const bool known = XGetWindowAttributes(display, mapped, &attributes) && !windowVanished;
        if (!known || attributes.override_redirect) // menus and tooltips are not the window
            return std::nullopt;
        const std::optional<pid_t> owner = windowPid(mapped);
        const bool ours = !owner || *owner == pid; // a window of another client never is
        if (ours && ((attributes.width == options.width && attributes.height == options.height) ||
                     classNames(mapped, options.name))) {
            run.width = attributes.width;
            run.height = attributes.height;
            return mapped;
        }
        if (depth > 0)
            return std::nullopt;
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, mapped, &rootReturn, &parent, &children, &count) || windowVanished)
            return std::nullopt;
        std::optional<Window> found;
        for (unsigned int i = 0; i < count && !found; ++i)
            found = programWindow(children[i], pid, options, run, depth + 1);
        if (children)
            XFree(children);
        return found;
    }

    // From here on, drawing into window is reported as a damage event.
    void watchPaints(Window window)
    {
        XDamageCreate(display, window, XDamageReportBoundingBox);
        XFlush(display);
    }

    int damageEventType() const { return damageEventBase + XDamageNotify; }

    void sendCloseRequest(Window window)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = wmProtocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(wmDeleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }

    Display* display = nullptr;
    Window root = 0;

private:
    // The DAMAGE extension, in the version that reports bounding boxes; the probe cannot see a
    // paint without it.
    void startDamage()
    {
        int errorBase = 0, major = 0, minor = 0;
        if (!XDamageQueryExtension(display, &damageEventBase, &errorBase))
            fail("the X server has no DAMAGE extension, so no paint can be seen");
        if (!XDamageQueryVersion(display, &major, &minor))
            fail("the X server's DAMAGE extension does not answer");
    }

    std::optional<pid_t> windowPid(Window window)
    {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::optional<pid_t> pid;
        if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            type == XA_CARDINAL && format == 32 && count == 1)
            pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
        if (data)
            XFree(data);
        return pid;
    }

    bool classNames(Window window, const std::string& name)
    {
        XClassHint hint{};
        if (!XGetClassHint(display, window, &hint))
            return false;
        const bool match = (hint.res_name && strcasecmp(hint.res_name, name.c_str()) == 0) ||
                           (hint.res_class && strcasecmp(hint.res_class, name.c_str()) == 0);
        XFree(hint.res_name);
        XFree(hint.res_class);
        return match;
    }

    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
    Atom netWmPid = 0;
    int damageEventBase = 0;
};

// Tells of the child's end as a readable file descriptor, so that one poll() waits for the X
// server and for the child together.
class ChildSignal {
public:
    ChildSignal()
    {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGCHLD);
        sigprocmask(SIG_BLOCK, &set, &original);
        fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
        if (fd < 0)
            fail(std::string("signalfd: ") + std::strerror(errno));
    }
    ~ChildSignal() { close(fd); }
    ChildSignal(const ChildSignal&) = delete;
    ChildSignal& operator=(const ChildSignal&) = delete;

    void drain()
    {
        signalfd_siginfo info;
        while (read(fd, &info, sizeof info) == sizeof info) {
        }
    }

    int fd = -1;
    sigset_t original; // what the program gets: it must not start with SIGCHLD blocked
};

std::string describeStatus(int status)
{
    if (WIFEXITED(status))
        return "exit code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return std::string("signal ") + strsignal(WTERMSIG(status));
    return "status " + std::to_string(status);
}

class Probe {
public:
    // One run of program, from its start to its end.
    Run runOnce(const Options& program)
    {
        options = &program;
        std::string folder =
            (std::filesystem::temp_directory_path() / "startup-probe-XXXXXX").string();
        if (!mkdtemp(folder.data()))
            fail(std::string("mkdtemp: ") + std::strerror(errno));
        x.discardEvents();
        childSignal.drain();

        const Clock::time_point start = Clock::now();
        pid = fork();
        if (pid < 0)
            fail(std::string("fork: ") + std::strerror(errno));
        if (pid == 0)
            startProgram(folder);

        Run run;
        const Window window = waitForWindow(start, run);
        waitForPaint(start, window, run);
        run.rssKib = residentKib(pid);
        x.sendCloseRequest(window);
        rusage usage{};
        const int status = waitForExit(start, run, usage);
        pid = -1;
        std::filesystem::remove_all(folder);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            fail(options->name + " ended with " + describeStatus(status) +
                 " after the close request to its window of " + std::to_string(run.width) + "x" +
                 std::to_string(run.height));
        run.peakKib = usage.ru_maxrss; // KiB on Linux
        return run;
    }

private:
    [[noreturn]] void startProgram(const std::string& folder)
    {
        sigprocmask(SIG_SETMASK, &childSignal.original, nullptr);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(options->command[0], options->command.data());
        std::fprintf(stderr, "startup-probe: cannot start %s: %s\n", options->command[0],
                     std::strerror(errno));
        _exit(127);
    }

    [[noreturn]] void giveUp(const std::string& message)
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        fail(message);
    }

    // Reads the display's events, each with the moment it was seen, until onEvent(event, seen)
    // says the wait is over. The program must not end first, nor the wait last past kTimeout;
    // `awaited` says what was waited for in the message that gives up.
    template <typename OnEvent>
    void awaitEvent(Clock::time_point start, const std::string& awaited, OnEvent onEvent)
    {
        const Clock::time_point deadline = start + kTimeout;
        for (;;) {
            while (XPending(x.display)) {
                XEvent event;
                XNextEvent(x.display, &event);
                if (onEvent(event, Clock::now()))
                    return;
            }
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                giveUp(options->name + " ended with " + describeStatus(status) +
                       " before it could " + awaited);
            }
            pollfd waits[] = {{x.fd(), POLLIN, 0}, {childSignal.fd, POLLIN, 0}};
            const int left = millisecondsUntil(deadline);
            if (left == 0 || (poll(waits, 2, left) == 0 && Clock::now() >= deadline))
                giveUp(options->name + " did not " + awaited + " within " +
                       std::to_string(kTimeout.count()) + " s");
            childSignal.drain();
        }
    }

    // Waits until the program's window is mapped and returns it.
    Window waitForWindow(Clock::time_point start, Run& run)
    {
        Window shown = None;
        const std::string awaited = "show a window of " + std::to_string(options->width) + "x" +
                                    std::to_string(options->height) + " or of WM_CLASS " +
                                    options->name;
        awaitEvent(start, awaited, [&](const XEvent& event, Clock::time_point seen) {
            if (event.type == CreateNotify && event.xcreatewindow.parent == x.root &&
                !event.xcreatewindow.override_redirect) {
                x.watchPaints(event.xcreatewindow.window);
                watched.push_back(event.xcreatewindow.window);
            }
            if (event.type != MapNotify || event.xmap.event != x.root ||
                event.xmap.override_redirect)
                return false;
            const auto window = x.programWindow(event.xmap.window, pid, *options, run);
            if (!window)
                return false;
            run.shownMs = millisecondsBetween(start, seen);
            // Inside a window manager's frame the window was not created on the root.
            if (std::find(watched.begin(), watched.end(), *window) == watched.end())
                x.watchPaints(*window);
            watched.clear();
            shown = *window;
            return true;
        });
        return shown;
    }

    // Waits until what was drawn into the window covers all of it.
    void waitForPaint(Clock::time_point start, Window window, Run& run)
    {
        awaitEvent(start, "paint its window", [&](const XEvent& event, Clock::time_point seen) {
            if (event.type != x.damageEventType())
                return false;
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            const XRectangle& drawn = damage.area; // all drawn since the window was watched
            if (damage.drawable != window || drawn.x > 0 || drawn.y > 0 ||
                drawn.x + drawn.width < damage.geometry.width ||
                drawn.y + drawn.height < damage.geometry.height)
                return false;
            run.paintedMs = millisecondsBetween(start, seen);
            return true;
        });
    }

    // The program's resident memory now, from /proc; 0 where it cannot be read.
    static long residentKib(pid_t program)
    {
        FILE* status = std::fopen(("/proc/" + std::to_string(program) + "/status").c_str(), "r");
        if (!status)
            return 0;
        long kib = 0;
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            if (std::sscanf(line, "VmRSS: %ld kB", &kib) == 1)
                break;
        }
        std::fclose(status);
        return kib;
    }

    int waitForExit(Clock::time_point start, Run& run, rusage& usage)
    {
        const Clock::time_point deadline = Clock::now() + kTimeout;
        for (;;) {
            int status = 0;
            const pid_t ended = wait4(pid, &status, WNOHANG, &usage);
            if (ended == pid) {
                run.exitMs = millisecondsBetween(start, Clock::now());
                return status;
            }
            if (ended < 0)
                fail(std::string("wait4: ") + std::strerror(errno));
            pollfd wait = {childSignal.fd, POLLIN, 0};
            const int left = millisecondsUntil(deadline);
            if (left == 0 || (poll(&wait, 1, left) == 0 && Clock::now() >= deadline))
                giveUp(options->name + " did not end within " + std::to_string(kTimeout.count()) +
                       " s of the close request");
            childSignal.drain();
        }
    }

    const Options* options = nullptr; // the program of the current run
    XConnection x;
    ChildSignal childSignal;
    pid_t pid = -1;
    std::vector<Window> watched; // top-level windows created in this run
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

template <typename T, typename Field>
std::string jsonList(const std::vector<Run>& runs, Field field, const char* format)
{
    std::string out = "[";
    for (const Run& run : runs) {
        char number[32];
        std::snprintf(number, sizeof number, format, static_cast<T>(run.*field));
        out += (out.size() > 1 ? ", " : "") + std::string(number);
    }
    return out + "]";
}

// The medians and every run's figures of one program, as one line of JSON.
void printSummary(const Options& program, const std::vector<Run>& runs)
{
    std::vector<double> shown, painted, ended, resident, peak;
    for (const Run& run : runs) {
        shown.push_back(run.shownMs);
        painted.push_back(run.paintedMs);
        ended.push_back(run.exitMs);
        resident.push_back(static_cast<double>(run.rssKib));
        peak.push_back(static_cast<double>(run.peakKib));
    }
    std::string command;
    for (const char* word : program.command)
        if (word)
            command += (command.empty() ? "" : " ") + std::string(word);
    std::printf("{\"program\": %s, \"runs\": %d, \"warmup\": %d, \"shown_ms\": %.3f, "
                "\"painted_ms\": %.3f, \"exit_ms\": %.3f, \"rss_kib\": %.0f, "
                "\"peak_kib\": %.0f, \"window\": \"%dx%d\", \"shown_ms_each\": %s, "
                "\"painted_ms_each\": %s, \"exit_ms_each\": %s, \"rss_kib_each\": %s, "
                "\"peak_kib_each\": %s}\n",
                jsonString(command).c_str(), program.runs, program.warmup, median(shown),
                median(painted), median(ended), median(resident), median(peak), runs.front().width,
                runs.front().height, jsonList<double>(runs, &Run::shownMs, "%.3f").c_str(),
                jsonList<double>(runs, &Run::paintedMs, "%.3f").c_str(),
                jsonList<double>(runs, &Run::exitMs, "%.3f").c_str(),
                jsonList<long>(runs, &Run::rssKib, "%ld").c_str(),
                jsonList<long>(runs, &Run::peakKib, "%ld").c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<std::vector<Options>> programs = parseOptions(argc, argv);
    if (!programs)
        return usage();
    // The programs take turns run by run, so that whatever else the machine does in the
    // meantime falls on all of them alike and their ratios hold.
    const Options& settings = programs->front();
    Probe probe;
    for (int i = 0; i < settings.warmup; ++i) {
        for (const Options& program : *programs)
            probe.runOnce(program);
    }
    std::vector<std::vector<Run>> runs(programs->size());
    for (int i = 0; i < settings.runs; ++i) {
        for (std::size_t k = 0; k < programs->size(); ++k) {
            const Run& run = runs[k].emplace_back(probe.runOnce((*programs)[k]));
            std::fprintf(stderr,
                         "%s run %d: shown %.1f ms, painted %.1f ms, ended %.1f ms, resident "
                         "%ld KiB, peak %ld KiB\n",
                         (*programs)[k].name.c_str(), i + 1, run.shownMs, run.paintedMs, run.exitMs,
                         run.rssKib, run.peakKib);
        }
    }
    for (std::size_t k = 0; k < programs->size(); ++k)
        printSummary((*programs)[k], runs[k]);
    return 0;
}
