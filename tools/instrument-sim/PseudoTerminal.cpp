#include "PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace tav::sim {

namespace {

int SpeedValue(speed_t s) {
    switch (s) {
        case B1200: return 1200;
        case B2400: return 2400;
        case B4800: return 4800;
        case B9600: return 9600;
        case B19200: return 19200;
        case B38400: return 38400;
        case B57600: return 57600;
        case B115200: return 115200;
        case B230400: return 230400;
        default: return 0;
    }
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) {
        error_ = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        return;
    }
    const char* name = ptsname(fd_);
    slavePath_ = name ? name : "";
    // Raw from the start, so nothing is echoed or translated before the program sets its mode.
    int slave = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    if (slave >= 0) {
        termios t{};
        if (tcgetattr(slave, &t) == 0) {
            cfmakeraw(&t);
            cfsetspeed(&t, B115200);
            tcsetattr(slave, TCSANOW, &t);
        }
        close(slave);
    }
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
    if (fd_ >= 0) close(fd_);
}

int PseudoTerminal::SlaveBaud() const {
    // On the master, the terminal attribute calls reach the slave's settings.
    termios t{};
    if (tcgetattr(fd_, &t) != 0) return 0;
    return SpeedValue(cfgetospeed(&t));
}

}  // namespace tav::sim
