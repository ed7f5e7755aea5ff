#pragma once
// Everything that waits for the operator: message boxes, the common file dialogs, the beep,
// the screen's font list and help. Real one in src/qt, scripted one for tests.

#include <string>
#include <vector>

namespace tav {

enum class MsgButtons { OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
// The button that Enter and Space press: the first, second or third of the set, as the toolkit's
// default-button flags number them. A question whose Yes or Ok destroys or sends something
// defaults to its safe answer.
enum class MsgDefault { Button1 = 0, Button2 = 256, Button3 = 512 };

struct FileDialogRequest {
    std::string title;
    std::string initialDir;
    std::string fileName;     // proposed name
    std::string filter;       // "Quorveld Files (*.rdg)|*.rdg"
    std::string defaultExt;   // "rdg", appended when the chosen name has none
    bool overwritePrompt = false;
    bool hideReadOnly = true;
};

class Operator {
public:
    virtual ~Operator() = default;
    // Lines of text are separated by "\n".
    virtual MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::OkOnly,
                             MsgIcon icon = MsgIcon::None, const std::string& title = "",
                             MsgDefault defaultButton = MsgDefault::Button1) = 0;
    // Whether the operator closed the last message box with Escape (or its window's close box)
    // rather than with one of its buttons: a timed series stops on it.
    virtual bool LastBoxEscaped() const = 0;
    // The chosen full path, or "" when the operator cancels.
    virtual std::string OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::string SaveFileDialog(const FileDialogRequest& request) = 0;
    virtual void Beep() = 0;
    // The screen's installed font families; element 0 is the default font.
    virtual std::vector<std::string> ScreenFonts() = 0;
    // Shows the program's help, which comes with the program; helpFile is the name the common
    // dialog holds for it. Does not wait for the operator.
    virtual void ShowHelp(const std::string& helpFile) = 0;
};

}  // namespace tav
