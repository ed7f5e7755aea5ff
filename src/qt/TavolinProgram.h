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

// The operator of the program: Qt's dialogs until the program is told to end; from then on no
// dialog waits: each takes its cancelling answer at once, so that a running flow can finish.
class ProgramOperator : public Operator {
public:
    explicit ProgramOperator(Operator& dialogs) : dialogs_(dialogs) {}
    void SetEnding() { ending_ = true; }
    bool Ending() const { return ending_; }

    MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OkOnly,
                     MsgIcon icon = MsgIcon::None, const std::string& title = "",
                     MsgDefault defaultButton = MsgDefault::Button1) override;
    // A box answered for the operator while the program ends counts as Escape.
    bool LastBoxEscaped() const override { return ending_ || dialogs_.LastBoxEscaped(); }
    std::string OpenFileDialog(const FileDialogRequest& request) override;
    std::string SaveFileDialog(const FileDialogRequest& request) override;
    void Beep() override { dialogs_.Beep(); }
    std::vector<std::string> ScreenFonts() override { return dialogs_.ScreenFonts(); }
    void ShowHelp(const std::string& helpFile) override { dialogs_.ShowHelp(helpFile); }

private:
    Operator& dialogs_;
    bool ending_ = false;
};

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
    // Ends the program as closing the main window does, with the settings file written: a flow
    // that is running is let finish first, its waits given up and its dialogs answered at once.
    // The main window's close box during a wait, and the termination signals, come here.
    void RequestClose();

    App& app() { return *app_; }
    QtHost& host() { return host_; }

private:
    std::unique_ptr<ProgramState> state_;
    SystemClock clock_;
    QtOperator dialogs_;
    ProgramOperator op_{dialogs_};
    QtCommControl comm_;
    NoBoardLibrary board_;
    RealFileSystem fs_;
    QtPrinter printer_;
    QtHost host_;
    std::unique_ptr<App> app_;
};

}  // namespace tav
