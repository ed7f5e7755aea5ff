#pragma once
// The scale dialog: for each of the eight chart windows, automatic y scale or a fixed minimum and
// maximum. Every edit goes straight into AutoScaleOn, MinGridValue and MaxGridValue (the charts
// read them at their next drawing); OK and Enter also rewrite the settings file, Escape only
// closes. Opened modeless from the main window's Set Scale menu:
//
//     app.forms.Get<SetScaleForm>().Show();

#include <cstdint>
#include <string>

#include "platform/forms/Controls.h"

namespace tav {

class SetScaleForm : public Form {
public:
    explicit SetScaleForm(App& app);

    ListBox List1{*this, "List1"};  // the chart windows, in chart-window index order
    Frame Frame2{*this, "Frame2"};
    Label MinValLbl{*this, "MinValLbl", "Minimum Value"};
    TextBox MinValBox{*this, "MinValBox"};
    Label MaxValLbl{*this, "MaxValLbl", "Maximum Value"};
    TextBox MaxValBox{*this, "MaxValBox"};
    PictureBox Picture1{*this, "Picture1"};
    OptionButton AutoScale{*this, "AutoScale", "Auto Scale"};
    OptionButton ManualScale{*this, "ManualScale", "Manual Scale"};
    Button Command1{*this, "Command1", "OK"};

protected:
    void Form_Load() override;
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void List1_Click();
    void AutoScale_Click();
    void ManualScale_Click();
    void MinValBox_Change();
    void MaxValBox_Change();
    void Command1_Click();

    void ShowWindowScale(int window);
    // The window whose settings the dialog edits; -1 when none is selected.
    int SelectedWindow() const;
    void StoreScaleMode();
    void WriteAndClose();
};

// A manual limit as the dialog shows it: the shortest text that reads back as the same single,
// with a 0 before the point of a value below 1 ("0.5", "-0.25", "1E-07").
std::string ScaleLimitText(float value);

}  // namespace tav
