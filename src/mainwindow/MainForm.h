#pragma once
// The spectrum window: a child window of the main window that the chart code draws on.

#include "platform/forms/Controls.h"

namespace tav {

class MainForm : public Form {
public:
    explicit MainForm(App& app);

    CommonDialog CMDialog1{*this, "CMDialog1"};  // the spectrum open and save dialogs
};

}  // namespace tav
