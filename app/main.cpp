// tavolin: the spectrometer program. Builds the program and shows its main window; ends when
// the main window is closed, or on SIGTERM, SIGINT or SIGHUP, which close it the same way.

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

#include "qt/TavolinProgram.h"

namespace {

// The termination signalFd, blocked and turned into a readable descriptor (before any thread
// starts, so that every thread inherits the mask); -1 when that is not possible.
int TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, s);
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) return -1;
    return signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

}  // namespace

int main(int argc, char** argv) {
    const int signalFd = TerminationSignals();
    QApplication qt(argc, argv);
    QApplication::setApplicationName("tavolin");

    int code = 0;
    {
        tav::TavolinProgram program;
        std::unique_ptr<QSocketNotifier> notifier;
        if (signalFd >= 0) {
            notifier = std::make_unique<QSocketNotifier>(signalFd, QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, [&program, signalFd] {
                signalfd_siginfo info;
                while (read(signalFd, &info, sizeof info) == sizeof info) {
                }
                program.RequestClose();
            });
        }
        program.Start();
        code = QApplication::exec();
    }
    if (signalFd >= 0) close(signalFd);
    return code;
}
