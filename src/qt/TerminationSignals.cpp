#include "qt/TerminationSignals.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tav {

namespace {

sigset_t TerminationSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, s);
    return set;
}

}  // namespace

bool BlockTerminationSignals() {
    const sigset_t set = TerminationSet();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

TerminationSignals::TerminationSignals(std::function<void()> onSignal) {
    const sigset_t set = TerminationSet();
    fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd_ < 0) {
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);  // unwatched, they end the program as by default
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [fd = fd_, onSignal = std::move(onSignal)] {
        signalfd_siginfo info;
        while (read(fd, &info, sizeof info) == sizeof info) {
        }
        if (onSignal) onSignal();
    });
}

TerminationSignals::~TerminationSignals() {
    notifier_.reset();
    if (fd_ >= 0) close(fd_);
}

}  // namespace tav
