#include "qt/comm/QtCommControl.h"

#include <QSerialPort>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>

namespace tav {

namespace {

// A write that the driver has not taken after this long is a dead port.
constexpr int kWriteTimeoutMs = 2000;
// Reads taken in one poll at most, so a chattering line cannot hold a poll forever.
constexpr int kReadsPerPoll = 16;

QSerialPort::Parity ParityOf(char p) {
    switch (p) {
        case 'E': return QSerialPort::EvenParity;
        case 'O': return QSerialPort::OddParity;
        case 'M': return QSerialPort::MarkParity;
        case 'S': return QSerialPort::SpaceParity;
        default: return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits StopBitsOf(int s) {
    if (s == 2) return QSerialPort::TwoStop;
    if (s == 15) return QSerialPort::OneAndHalfStop;
    return QSerialPort::OneStop;
}

std::string Text(const QString& s) { return s.toLocal8Bit().toStdString(); }

std::string VariableOf(int port) { return "TAVOLIN_COM" + std::to_string(port); }

// Waits until the driver has put every byte on the line: its queue empty (TIOCOUTQ), then the
// hardware's own (tcdrain). Bounded, so that a line that never drains cannot hold the program.
bool DrainLine(int fd, int timeoutMs) {
    if (fd < 0) return true;
    QElapsedTimer waited;
    waited.start();
    for (int queued = 1; queued > 0;) {
        if (ioctl(fd, TIOCOUTQ, &queued) != 0) break;  // not a terminal: nothing to wait for
        if (queued <= 0) break;
        if (waited.elapsed() > timeoutMs) return false;
        usleep(50);
    }
    return tcdrain(fd) == 0 || errno == ENOTTY || errno == EINVAL;
}

}  // namespace

QtCommControl::QtCommControl()
    : port_(std::make_unique<QSerialPort>()), settings_(*ParseSerialSettings(settingsText_)) {}

QtCommControl::~QtCommControl() {
    if (port_->isOpen()) port_->close();
}

std::string QtCommControl::DevicePath(int port) {
    const char* env = std::getenv(VariableOf(port).c_str());
    if (env && *env) return env;
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::string QtCommControl::DeviceName(int port) {
    const char* env = std::getenv(VariableOf(port).c_str());
    const std::string path = DevicePath(port);
    return "COM" + std::to_string(port) + " is " + path +
           (env && *env ? " (from " + VariableOf(port) + ")" : " (set " + VariableOf(port) + " for another device)");
}

std::string QtCommControl::PortName() const {
    return "COM" + std::to_string(port_->isOpen() ? openNumber_ : CommPort);
}

bool QtCommControl::PortOpen() const { return port_->isOpen(); }

CommResult QtCommControl::Fault(CommResult failure) {
    if (fault_) fault_ = failure;
    return failure;
}

CommResult QtCommControl::Apply(const SerialSettings& s) {
    bool ok = port_->setBaudRate(s.baud) &&
              port_->setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) &&
              port_->setParity(ParityOf(s.parity)) && port_->setStopBits(StopBitsOf(s.stopBits)) &&
              port_->setFlowControl(QSerialPort::NoFlowControl);
    if (ok) return CommResult::Ok();
    // A device that has gone refuses every setting too, but that is not what is wrong with it.
    const QSerialPort::SerialPortError e = port_->error();
    const bool gone = e == QSerialPort::ResourceError || e == QSerialPort::DeviceNotFoundError;
    CommResult r = CommResult::Fail(PortName() + (gone ? ": the device stopped working (" : ": the device refused the settings (") +
                                    Text(port_->errorString()) + ").");
    port_->clearError();
    return r;
}

CommResult QtCommControl::SetSettings(const std::string& settings) {
    auto parsed = ParseSerialSettings(settings);
    if (!parsed) return CommResult::Fail("Invalid port settings \"" + settings + "\".");
    if (port_->isOpen()) {
        CommResult applied = Apply(*parsed);
        if (!applied) {
            Apply(settings_);  // keep the line as it was
            return Fault(applied);
        }
    }
    settings_ = *parsed;
    settingsText_ = settings;
    return CommResult::Ok();
}

CommResult QtCommControl::OpenDevice() {
    const std::string path = DevicePath(CommPort);
    const std::string device = DeviceName(CommPort);
    const std::string missing = device + ":\nno such device.";
    const std::string denied = device + ":\npermission denied. Join the \"dialout\" group "
                                        "(sudo usermod -aG dialout $USER), then log out and in again.";
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return CommResult::Fail(missing);
    if (access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES) return CommResult::Fail(denied);
    port_->setPortName(QString::fromStdString(path));
    if (!port_->open(QIODevice::ReadWrite)) {
        QSerialPort::SerialPortError e = port_->error();
        std::string why = Text(port_->errorString());
        port_->clearError();
        if (e == QSerialPort::DeviceNotFoundError) return CommResult::Fail(missing);
        if (e == QSerialPort::PermissionError)  // readable and writable, so someone holds it
            return CommResult::Fail(device + ":\ndevice busy: in use by another program (" + why + ").");
        return CommResult::Fail(device + ":\n" + why + ".");
    }
    openPath_ = path;
    openNumber_ = CommPort;
    fault_ = CommResult::Ok();
    CommResult applied = Apply(settings_);
    if (!applied) port_->close();
    return applied;
}

CommResult QtCommControl::SetPortOpen(bool open) {
    if (open) {
        if (port_->isOpen()) return CommResult::Fail(PortName() + ": port already open.");
        return OpenDevice();
    }
    fault_ = CommResult::Ok();
    if (!port_->isOpen()) return CommResult::Fail(PortName() + ": port not open.");
    port_->close();
    port_->clearError();
    return CommResult::Ok();
}

CommResult QtCommControl::Output(const std::string& bytes) {
    if (!port_->isOpen()) return CommResult::Fail(PortName() + ": port not open.");
    if (bytes.empty()) return CommResult::Ok();
    qint64 taken = port_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (taken != static_cast<qint64>(bytes.size())) {
        CommResult r = CommResult::Fail(PortName() + ": write failed (" + Text(port_->errorString()) + ").");
        port_->clearError();
        return Fault(r);
    }
    while (port_->bytesToWrite() > 0) {
        if (!port_->waitForBytesWritten(kWriteTimeoutMs)) {
            CommResult r = CommResult::Fail(PortName() + ": write failed (" +
                                            Text(port_->errorString()) + ").");
            port_->clearError();
            port_->clear(QSerialPort::Output);
            return Fault(r);
        }
    }
    // Handed to the driver is not yet on the line: the firmware loader takes its characters one
    // at a time and must have each before the next.
    if (!DrainLine(static_cast<int>(port_->handle()), kWriteTimeoutMs))
        return Fault(CommResult::Fail(PortName() + ": the line does not take the bytes written."));
    return CommResult::Ok();
}

bool QtCommControl::ReadableNow() {
    if (!port_->isOpen()) {
        lastRead_ = CommResult::Fail(PortName() + ": port not open.");
        return false;
    }
    // Takes what the driver holds into the port's buffer without waiting.
    for (int i = 0; i < kReadsPerPoll && port_->waitForReadyRead(0); ++i) {
    }
    QSerialPort::SerialPortError e = port_->error();
    if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) {
        lastRead_ = Fault(CommResult::Fail(PortName() + ": the device stopped working (" +
                                           Text(port_->errorString()) + ")."));
        return port_->bytesAvailable() > 0;
    }
    if (e != QSerialPort::NoError) port_->clearError();  // the zero wait ends as a time-out
    lastRead_ = CommResult::Ok();
    return true;
}

std::string QtCommControl::Input() {
    if (!ReadableNow()) return {};
    qint64 n = port_->bytesAvailable();
    if (InputLen > 0) n = std::min<qint64>(n, InputLen);
    QByteArray data = port_->read(n);
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

int QtCommControl::InBufferCount() {
    if (!ReadableNow()) return 0;
    return static_cast<int>(port_->bytesAvailable());
}

void QtCommControl::ClearInBuffer() {
    if (!ReadableNow()) return;
    port_->readAll();
    port_->clear(QSerialPort::Input);
}

}  // namespace tav
