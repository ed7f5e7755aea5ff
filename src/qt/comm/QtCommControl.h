#pragma once
// The real serial control on QSerialPort, synchronous: Output returns when its bytes are on the
// line (written and drained), Input and InBufferCount take what the driver holds without
// waiting, and nothing here runs the event loop. Port n is the device named by TAVOLIN_COM<n>,
// else /dev/ttyS<n-1>; an open that fails names the port, the device and the reason (no such
// device, permission denied, device busy).

#include <memory>
#include <string>

#include "platform/comm/CommControl.h"
#include "platform/comm/SerialSettings.h"

class QSerialPort;

namespace tav {

class QtCommControl : public CommControl {
public:
    QtCommControl();
    ~QtCommControl() override;

    CommResult SetSettings(const std::string& settings) override;
    const std::string& Settings() const override { return settingsText_; }
    CommResult SetPortOpen(bool open) override;
    bool PortOpen() const override;
    CommResult Output(const std::string& bytes) override;
    std::string Input() override;
    int InBufferCount() override;
    void ClearInBuffer() override;
    CommResult LastReadResult() const override { return lastRead_; }
    CommResult PortFault() const override { return fault_; }

    // The device of port n: the environment variable TAVOLIN_COM<n> when set, else /dev/ttyS<n-1>.
    static std::string DevicePath(int port);
    // "COMn is <device> (from TAVOLIN_COMn)", or with a hint at the variable when it is unset.
    static std::string DeviceName(int port);

private:
    CommResult Apply(const SerialSettings& s);
    CommResult OpenDevice();
    bool ReadableNow();
    std::string PortName() const;
    // Notes the first failure that leaves the open port unusable, and returns it.
    CommResult Fault(CommResult failure);

    std::unique_ptr<QSerialPort> port_;
    std::string settingsText_ = "9600,N,8,1";
    SerialSettings settings_;
    std::string openPath_;
    int openNumber_ = 0;
    CommResult lastRead_;
    CommResult fault_;  // kept until the port is closed or opened again
};

}  // namespace tav
