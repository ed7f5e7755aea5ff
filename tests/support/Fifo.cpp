#include "support/Fifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

namespace tav::test {
namespace {

constexpr auto Grace = std::chrono::seconds(20);

}  // namespace

Fifo::Fifo(std::string path) : path_(std::move(path)) {
    made_ = ::mkfifo(path_.c_str(), 0644) == 0;
    if (made_) releaser_ = std::thread([this] { Release(); });
}

Fifo::~Fifo() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    done_.notify_all();
    if (releaser_.joinable()) releaser_.join();
}

void Fifo::Release() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!done_.wait_for(lock, Grace, [this] { return stopping_; })) {
        // Both ends at once: a blocked reader and a blocked writer both go on, and the reader
        // finds the end of the pipe once this end is closed.
        const int fd = ::open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        done_.wait_for(lock, std::chrono::milliseconds(200), [this] { return stopping_; });
        if (fd >= 0) ::close(fd);
    }
}

}  // namespace tav::test
