#pragma once
// The common dialog control of a form: open and save dialogs and help, through the Operator.
// A cancelled dialog leaves FileName and FileTitle empty.

#include <cstdint>
#include <string>

#include "platform/forms/Control.h"

namespace tav {

namespace cdl {
constexpr int32_t OverwritePrompt = 2;
constexpr int32_t HideReadOnly = 4;
}  // namespace cdl

class CommonDialog : public Control {
public:
    CommonDialog(Form& form, std::string name);

    std::string FileName;     // full path chosen, or proposed before Show...
    std::string FileTitle;    // the chosen file's name without folder
    std::string InitDir;
    std::string Filter;       // "Quorveld Files (*.rdg)|*.rdg|All Files (*.*)|*.*"
    std::string DefaultExt;   // "rdg"
    std::string DialogTitle;
    int32_t Flags = 0;        // cdl::OverwritePrompt | cdl::HideReadOnly
    std::string HelpFile;

    void ShowOpen();
    void ShowSave();
    void ShowHelp();

private:
    void Take(const std::string& chosen);
};

}  // namespace tav
