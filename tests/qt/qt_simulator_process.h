// The simulated instrument as a child process on a pseudo-terminal, for the Qt tests that talk
// to it through the real serial control. Its first output line is the device path.

#pragma once

#include <QProcess>
#include <QStringList>
#include <string>

namespace tav::test {

class SimulatorProcess {
public:
    explicit SimulatorProcess(const QStringList& args = {}) {
        process_.start(INSTRUMENT_SIM_PATH, args);
        if (!process_.waitForStarted(5000)) return;
        for (int i = 0; i < 50 && !process_.canReadLine(); ++i) process_.waitForReadyRead(100);
        path_ = process_.readLine().trimmed().toStdString();
    }
    ~SimulatorProcess() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    const std::string& Path() const { return path_; }
    qint64 Pid() const { return process_.processId(); }

private:
    QProcess process_;
    std::string path_;
};

}  // namespace tav::test
