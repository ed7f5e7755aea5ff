// instrument-sim: the simulated spectrometer on a pseudo-terminal, in real time.
// Prints the terminal's device path as its first line, then answers whatever the program sends
// until SIGINT or SIGTERM, or until nobody reads its standard output any more.
//
// A pseudo-terminal carries no line speed and no time with its bytes: the simulator hears a byte
// at the speed the program's end has, and at the moment, when it reads it. It must therefore read
// promptly: a byte read after the program changed the speed (some 20 ms after its last byte) is
// heard garbled, one read after the program closed the port is lost, and a pause that the
// simulator makes by not running looks like the pause that ends a parameter block. So it runs
// with real-time scheduling where the system grants it (else a higher priority), and when it was
// not run for a while all the same it says so on standard error: a test that fails then names
// the busy machine as the cause.

#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "PseudoTerminal.h"
#include "SimOptions.h"
#include "simulator/SimulatedInstrument.h"

namespace {

using tav::SimulatedInstrument;

// While the program has the port open the simulator looks at the line at least this often, and
// a look that comes this much later than due is noted.
constexpr int WatchMs = 5;
constexpr double LateMs = 15.0;

double MonotonicSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

void LogBytes(bool enabled, double t, const char* direction, const std::string& bytes) {
    if (!enabled || bytes.empty()) return;
    std::string line;
    char buf[8];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, " %02X", c);
        line += buf;
    }
    std::fprintf(stderr, "%10.4f %s%s\n", t, direction, line.c_str());
}

// Blocks SIGINT and SIGTERM and returns a descriptor that becomes readable when one comes.
int SignalDescriptor() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    return signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

class Runner {
public:
    Runner(tav::sim::PseudoTerminal& pty, SimulatedInstrument& instrument, bool log)
        : pty_(pty), instrument_(instrument), log_(log), origin_(MonotonicSeconds()) {}

    int Run(int signalFd) {
        for (;;) {
            double now = Now();
            NoteIfLate(now);
            double next = instrument_.NextEventTime();
            int timeout = 100;
            if (next <= now) timeout = 0;
            else if (next - now < 0.1) timeout = static_cast<int>(std::ceil((next - now) * 1000.0));
            if (!connected_) timeout = std::min(timeout, 10);  // look for a program opening the port
            else timeout = std::min(timeout, WatchMs);

            pollfd fds[3] = {{signalFd, POLLIN, 0}, {STDOUT_FILENO, 0, 0}, {pty_.fd(), POLLIN, 0}};
            lookDue_ = now + timeout / 1000.0;
            int n = poll(fds, connected_ ? 3 : 2, timeout);
            if (n < 0 && errno != EINTR) return 1;
            if (fds[0].revents & POLLIN) return 0;
            if (fds[1].revents & (POLLERR | POLLHUP)) return 0;  // the reader of our output is gone

            if (connected_) {
                if (fds[2].revents & POLLIN) ReadFromProgram();
                if (fds[2].revents & POLLHUP) SetConnected(false);
            } else {
                pollfd probe{pty_.fd(), POLLIN, 0};
                if (poll(&probe, 1, 0) >= 0 && !(probe.revents & POLLHUP)) SetConnected(true);
            }
            WriteToProgram();
            instrument_.ClearLogs();  // a long session must not grow the logs without end
        }
    }

private:
    double Now() const { return MonotonicSeconds() - origin_; }

    // A look at the line that came well after it was due, while the program had the port open.
    void NoteIfLate(double now) {
        const double lateMs = (now - lookDue_) * 1000.0;
        if (!connected_ || lateMs < LateMs) return;
        std::fprintf(stderr,
                     "instrument-sim: at %.3f s the machine did not run the simulator for %.0f ms: a byte "
                     "sent meanwhile may have been heard at a line speed set after it, lost with a closed "
                     "port, or a parameter block taken as two\n",
                     lookDue_, lateMs);
    }

    void SetConnected(bool c) {
        connected_ = c;
        if (log_) std::fprintf(stderr, "%10.4f port %s\n", Now(), c ? "opened" : "closed");
    }

    void ReadFromProgram() {
        char buf[4096];
        ssize_t got = read(pty_.fd(), buf, sizeof buf);
        if (got <= 0) return;
        instrument_.Feed(std::string(buf, static_cast<size_t>(got)), Now(), Baud());
        LogBytes(log_, Now(), "heard", instrument_.Received());
    }

    void WriteToProgram() {
        std::string out = instrument_.TakeOutput(Now(), Baud());
        if (out.empty() || !connected_) return;  // nobody has the port open: the bytes are lost
        ssize_t put = write(pty_.fd(), out.data(), out.size());
        LogBytes(log_, Now(), "sent ", out.substr(0, put > 0 ? static_cast<size_t>(put) : 0));
        if (put < static_cast<ssize_t>(out.size()) && log_)
            std::fprintf(stderr, "%10.4f overrun: %zu bytes lost\n", Now(),
                         out.size() - static_cast<size_t>(std::max<ssize_t>(put, 0)));
    }

    int Baud() const {
        int b = pty_.SlaveBaud();
        return b > 0 ? b : SimulatedInstrument::kFastBaud;
    }

    tav::sim::PseudoTerminal& pty_;
    SimulatedInstrument& instrument_;
    bool log_;
    double origin_;
    bool connected_ = false;
    double lookDue_ = 1e300;  // when the simulator was due to look at the line again
};

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto options = tav::sim::ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(tav::sim::SimUsage().c_str(), stdout);
        return 0;
    }
    signal(SIGPIPE, SIG_IGN);
    // Prompt reads on a busy machine (see the top of this file). The simulator sleeps in poll
    // between its events, so real-time scheduling costs the machine little.
    sched_param realTime{};
    realTime.sched_priority = sched_get_priority_min(SCHED_FIFO);
    if (sched_setscheduler(0, SCHED_FIFO, &realTime) != 0) setpriority(PRIO_PROCESS, 0, -10);
    int signalFd = SignalDescriptor();
    tav::sim::PseudoTerminal pty;
    if (!pty.ok() || signalFd < 0) {
        std::fprintf(stderr, "instrument-sim: %s\n", pty.ok() ? "cannot watch signals" : pty.error().c_str());
        return 1;
    }
    std::printf("%s\n", pty.SlavePath().c_str());
    std::fflush(stdout);

    SimulatedInstrument instrument(options->instrument);
    Runner runner(pty, instrument, options->log);
    int rc = runner.Run(signalFd);
    close(signalFd);
    return rc;
}
