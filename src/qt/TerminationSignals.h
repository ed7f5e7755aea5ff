#pragma once
// SIGTERM, SIGINT and SIGHUP as a request to end the program: blocked, and read from a
// descriptor that the event loop watches. A long wait runs the event loop, so a signal that comes
// in the middle of one ends that wait at once, as Escape does, instead of after the exchange.

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace tav {

// Blocks the three signals for the calling thread; called before any other thread starts, every
// thread inherits the mask. False when they cannot be blocked.
bool BlockTerminationSignals();

class TerminationSignals {
public:
    // Watches the blocked signals; onSignal runs in the event loop when one or more came.
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool Watching() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tav
