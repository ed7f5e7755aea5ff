#pragma once
// The Operator on Qt's dialogs: message boxes, the open and save dialogs, the beep, the screen's
// font list and help. Every dialog is modal and waits for the operator; the help window does
// not.

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/Operator.h"

namespace tav {

class HelpWindow;

// "Quorveld Files (*.rdg)|*.rdg|All Files (*.*)|*.*" as Qt's name filters: the description with
// the patterns in brackets ("*.*" taken as every file, letter case ignored).
QStringList QtNameFilters(const std::string& filter);

class QtOperator : public Operator {
public:
    // title: the message boxes' title when a call gives none.
    explicit QtOperator(QString defaultTitle = "Veradin");
    ~QtOperator() override;

    MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OkOnly,
                     MsgIcon icon = MsgIcon::None, const std::string& title = "",
                     MsgDefault defaultButton = MsgDefault::Button1) override;
    bool LastBoxEscaped() const override { return lastEscaped_; }
    std::string OpenFileDialog(const FileDialogRequest& request) override;
    std::string SaveFileDialog(const FileDialogRequest& request) override;
    void Beep() override;
    std::vector<std::string> ScreenFonts() override;
    // The program's help is built in: whatever name the common dialog gives, the help window
    // shows it.
    void ShowHelp(const std::string& helpFile) override;
    // The help window once it has been shown (nullptr before).
    HelpWindow* Help() const { return help_.get(); }

private:
    std::string RunFileDialog(const FileDialogRequest& request, bool save);
    QString defaultTitle_;
    std::unique_ptr<HelpWindow> help_;
    bool lastEscaped_ = false;
};

}  // namespace tav
