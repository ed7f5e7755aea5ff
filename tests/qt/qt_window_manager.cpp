#include "qt_window_manager.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace tav::test {

namespace {

constexpr int StartTimeoutMs = 15000;

// The program's full path from PATH, "" when it is not installed.
std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

// Starts a program with its output in log; closeFd is closed in the child (every other
// descriptor that is not close-on-exec is inherited). An empty env passes the test's own. The
// program ends with the test, also when the test dies (a crash, a sanitizer's abort).
pid_t Spawn(const std::vector<std::string>& args, const std::string& log, const std::vector<std::string>& env,
            int closeFd) {
    // Everything the child needs is made before the fork: it may only make system calls.
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* const* childEnv = env.empty() ? environ : envp.data();
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);  // the test ended before the line above
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || in < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0 || dup2(in, 0) < 0) _exit(127);
    if (closeFd >= 0) close(closeFd);
    execve(argv[0], argv.data(), childEnv);
    _exit(127);
}

bool Exited(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

void Stop(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (Exited(pid)) {
            pid = -1;
            return;
        }
        usleep(20000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

}  // namespace

WindowManagerScope::WindowManagerScope(int width, int height, int scale) {
    const std::string xvfb = FindProgram("Xvfb");
    const std::string openbox = FindProgram("openbox");
    if (xvfb.empty()) {
        why_ = "Xvfb is not installed (scripts/setup.sh installs it)";
        return;
    }
    if (openbox.empty()) {
        why_ = "openbox is not installed (scripts/setup.sh installs it)";
        return;
    }
    if (!StartDisplay(xvfb, width, height) || !StartWindowManager(openbox)) return;
    Set("QT_QPA_PLATFORM", "xcb");
    Set("DISPLAY", displayName_);
    Set("QT_SCALE_FACTOR", std::to_string(scale));
    // The desktop has no session bus; given no address, the bus library goes looking for one
    // (autolaunch) and keeps what it read there to the end of the process.
    Set("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir_.File("no-session-bus"));
    app_ = std::make_unique<QApplication>(argc_, argv_);
}

bool WindowManagerScope::StartDisplay(const std::string& xvfb, int width, int height) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        why_ = "no pipe for Xvfb's display number";
        return false;
    }
    display_ = Spawn({xvfb, "-displayfd", std::to_string(pipeFds[1]), "-screen", "0",
                      std::to_string(width) + "x" + std::to_string(height) + "x24", "-nolisten", "tcp"},
                     dir_.File("xvfb.log"), {}, pipeFds[0]);
    close(pipeFds[1]);
    std::string number;
    pollfd wait{pipeFds[0], POLLIN, 0};
    QElapsedTimer timer;
    timer.start();
    while (display_ > 0 && number.find('\n') == std::string::npos && timer.elapsed() < StartTimeoutMs) {
        if (poll(&wait, 1, 100) <= 0) continue;
        char buffer[16];
        const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0) break;  // Xvfb ended without a display
        number.append(buffer, static_cast<size_t>(got));
    }
    close(pipeFds[0]);
    if (number.find('\n') == std::string::npos) {
        why_ = "Xvfb did not start a display: " + dir_.Read("xvfb.log");
        Stop(display_);
        return false;
    }
    displayName_ = ":" + number.substr(0, number.find('\n'));
    return true;
}

bool WindowManagerScope::StartWindowManager(const std::string& openbox) {
    // Its own home and configuration: the machine's user settings play no part.
    const std::string ready = dir_.File("ready");
    std::vector<std::string> env;
    const auto replaced = [](const std::string& entry) {
        for (const char* name : {"DISPLAY=", "HOME=", "XDG_CONFIG_HOME=", "XDG_CACHE_HOME=", "XDG_DATA_HOME="}) {
            if (entry.rfind(name, 0) == 0) return true;
        }
        return false;
    };
    for (char** e = environ; *e; ++e) {
        if (!replaced(*e)) env.push_back(*e);
    }
    dir_.MakeDir("home");
    env.push_back("DISPLAY=" + displayName_);
    env.push_back("HOME=" + dir_.File("home"));
    env.push_back("XDG_CONFIG_HOME=" + dir_.File("home/.config"));
    env.push_back("XDG_CACHE_HOME=" + dir_.File("home/.cache"));
    env.push_back("XDG_DATA_HOME=" + dir_.File("home/.local/share"));
    // The start-up command runs once openbox manages the screen.
    manager_ = Spawn({openbox, "--sm-disable", "--startup", "touch " + ready}, dir_.File("openbox.log"), env, -1);
    QElapsedTimer timer;
    timer.start();
    while (manager_ > 0 && !dir_.Exists("ready") && timer.elapsed() < StartTimeoutMs) {
        if (Exited(manager_)) {
            manager_ = -1;
            break;
        }
        usleep(20000);
    }
    if (!dir_.Exists("ready")) {
        why_ = "openbox did not start on " + displayName_ + ": " + dir_.Read("openbox.log");
        Stop(manager_);
        Stop(display_);
        return false;
    }
    return true;
}

void WindowManagerScope::Set(const std::string& name, const std::string& value) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name.c_str(), value.c_str(), 1);
}

WindowManagerScope::~WindowManagerScope() {
    if (app_) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app_.reset();
    }
    for (auto& [name, value] : saved_) {
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }
    Stop(manager_);
    Stop(display_);
}

void Settle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

QWidget* TopWindowAt(QPoint global) { return QApplication::topLevelAt(global); }

}  // namespace tav::test
