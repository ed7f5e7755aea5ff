#pragma once
// A named pipe for tests of code that must never wait on one. Should the code under test open it
// and wait for its other end after all, that end is opened for a moment after a grace time of
// some seconds and closed again, so that the wait ends and the test fails instead of hanging.

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace tav::test {

class Fifo {
public:
    explicit Fifo(std::string path);
    ~Fifo();
    Fifo(const Fifo&) = delete;
    Fifo& operator=(const Fifo&) = delete;

    bool Made() const { return made_; }
    const std::string& Path() const { return path_; }

private:
    void Release();

    std::string path_;
    bool made_ = false;
    std::mutex mutex_;
    std::condition_variable done_;
    bool stopping_ = false;
    std::thread releaser_;
};

}  // namespace tav::test
