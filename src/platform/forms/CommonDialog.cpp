#include "platform/forms/CommonDialog.h"

#include "platform/Operator.h"
#include "platform/forms/App.h"

namespace tav {

namespace {

FileDialogRequest RequestOf(const CommonDialog& d) {
    FileDialogRequest request;
    request.title = d.DialogTitle;
    request.initialDir = d.InitDir;
    request.fileName = d.FileName;
    request.filter = d.Filter;
    request.defaultExt = d.DefaultExt;
    request.overwritePrompt = (d.Flags & cdl::OverwritePrompt) != 0;
    request.hideReadOnly = (d.Flags & cdl::HideReadOnly) != 0;
    return request;
}

}  // namespace

CommonDialog::CommonDialog(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::CommonDialog) {
    SetVisible(false);
}

void CommonDialog::ShowOpen() { Take(app().op.OpenFileDialog(RequestOf(*this))); }

void CommonDialog::ShowSave() { Take(app().op.SaveFileDialog(RequestOf(*this))); }

void CommonDialog::ShowHelp() { app().op.ShowHelp(HelpFile); }

void CommonDialog::Take(const std::string& chosen) {
    FileName = chosen;
    const size_t slash = chosen.find_last_of("/\\");
    FileTitle = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
}

}  // namespace tav
