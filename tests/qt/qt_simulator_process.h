// The simulated instrument as a child process on a pseudo-terminal, for the Qt tests that talk
// to it through the real serial control. Its first output line is the device path. A test that
// fails names what the simulator noted on its standard error: on a busy machine, the times it was
// not run promptly enough to hear the program's bytes as they were sent.

#pragma once

#include <gtest/gtest.h>

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
        const std::string notes = Stop();
        if (::testing::Test::HasFailure() && !notes.empty()) ADD_FAILURE() << "The simulator noted:\n" << notes;
    }
    // Ends the simulator; what it noted on its standard error.
    std::string Stop() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(3000)) {
                process_.kill();
                process_.waitForFinished(3000);
            }
        }
        notes_ += process_.readAllStandardError().toStdString();
        return notes_;
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    const std::string& Path() const { return path_; }
    qint64 Pid() const { return process_.processId(); }

private:
    QProcess process_;
    std::string path_;
    std::string notes_;
};

}  // namespace tav::test
