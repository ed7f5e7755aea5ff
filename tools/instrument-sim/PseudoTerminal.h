#pragma once
// The master side of a pseudo-terminal whose slave device the program opens as its serial port.

#include <string>

namespace tav::sim {

class PseudoTerminal {
public:
    // Opens a master in raw mode; ok() tells whether it worked, error() why not.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ok() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }
    int fd() const { return fd_; }
    const std::string& SlavePath() const { return slavePath_; }
    // The line speed the program set on its end (the slave's output speed); 0 when unknown.
    int SlaveBaud() const;

private:
    int fd_ = -1;
    std::string slavePath_;
    std::string error_;
};

}  // namespace tav::sim
