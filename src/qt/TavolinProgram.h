#pragma once
// The whole program on Qt: the program state, the real services (clock, operator, serial port,
// file system, printer, board library), the Qt front end and the windows. Needs a QApplication.

#include <memory>
#include <string>

#include "platform/BoardLibrary.h"
#include "platform/RealFileSystem.h"
#include "platform/SystemClock.h"
#include "qt/QtHost.h"
#include "qt/QtOperator.h"
#include "qt/QtPrinter.h"
#include "qt/comm/QtCommControl.h"

namespace tav {

class App;
struct ProgramState;

class TavolinProgram {
public:
    // The program starts in startDir (its settings file, data folder and kinetic logs are
    // there); by default in the process's working folder.
    explicit TavolinProgram(const std::string& startDir = "");
    ~TavolinProgram();
    TavolinProgram(const TavolinProgram&) = delete;
    TavolinProgram& operator=(const TavolinProgram&) = delete;

    // Loads the main window, which starts the program, and shows it.
    void Start();
    // Closes the main window as its close box does (the program ends when it unloads);
    // ends the event loop anyway when the window cannot close now.
    void RequestClose();

    App& app() { return *app_; }
    QtHost& host() { return host_; }

private:
    std::unique_ptr<ProgramState> state_;
    SystemClock clock_;
    QtOperator op_;
    QtCommControl comm_;
    NoBoardLibrary board_;
    RealFileSystem fs_;
    QtPrinter printer_;
    QtHost host_;
    std::unique_ptr<App> app_;
};

}  // namespace tav
