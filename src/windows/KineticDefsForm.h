#pragma once
// The kinetic definitions dialog: which bands each band index uses (by band number, 0 for none),
// the three operators of the experimental expression and, for the ratio, the normalized
// difference and the experimental index, band mean or band integral. The dialog works on its own
// copy in its controls: OK stores everything and rewrites the settings file, Cancel and Escape
// store nothing. Enter walks the focus through the boxes to OK. Opened modeless from the main
// window's Index menu:
//
//     app.forms.Get<KineticDefsForm>().Show();

#include <array>
#include <cstdint>

#include "platform/forms/Controls.h"

namespace tav {

class KineticDefsForm : public Form {
public:
    explicit KineticDefsForm(App& app);

    Frame RatioFrame{*this, "RatioFrame", "Ratio"};
    Label NumeratorLbl{*this, "NumeratorLbl", "Numerator"};
    TextBox NumeratorBox{*this, "NumeratorBox"};
    Label DenominatorLbl{*this, "DenominatorLbl", "Denominator"};
    TextBox DenominatorBox{*this, "DenominatorBox"};
    PictureBox PictureBox1{*this, "PictureBox1"};
    OptionButton RatioUseIntegralOpt{*this, "RatioUseIntegralOpt", "Use Integral"};
    OptionButton RatioUseAverageOpt{*this, "RatioUseAverageOpt", "Use Average"};

    Frame NormDiffFrame{*this, "NormDiffFrame", "Normalized Difference"};
    Label BandXLbl{*this, "BandXLbl", "Band X"};
    TextBox BandXBox{*this, "BandXBox"};
    Label BandYLbl{*this, "BandYLbl", "Band Y"};
    TextBox BandYBox{*this, "BandYBox"};
    PictureBox PictureBox2{*this, "PictureBox2"};
    OptionButton NormDiffUseIntegralOpt{*this, "NormDiffUseIntegralOpt", "Use Integral"};
    OptionButton NormDiffUseAverageOpt{*this, "NormDiffUseAverageOpt", "Use Average"};

    Frame ExperimentalFrame{*this, "ExperimentalFrame", "Experimental"};
    Label Band1Lbl{*this, "Band1Lbl", "Band 1"};
    TextBox Band1Box{*this, "Band1Box"};
    ListBox Op1Box{*this, "Op1Box"};
    Label Band2Lbl{*this, "Band2Lbl", "Band 2"};
    TextBox Band2Box{*this, "Band2Box"};
    ListBox Op2Box{*this, "Op2Box"};
    Label Band3Lbl{*this, "Band3Lbl", "Band 3"};
    TextBox Band3Box{*this, "Band3Box"};
    ListBox Op3Box{*this, "Op3Box"};
    Label Band4Lbl{*this, "Band4Lbl", "Band 4"};
    TextBox Band4Box{*this, "Band4Box"};
    PictureBox PictureBox3{*this, "PictureBox3"};
    OptionButton ExpUseIntegralOpt{*this, "ExpUseIntegralOpt", "Use Integral"};
    OptionButton ExpUseAverageOpt{*this, "ExpUseAverageOpt", "Use Average"};

    Frame DerivativeFrame{*this, "DerivativeFrame", "Derivative"};
    Label DerivativeLbl{*this, "DerivativeLbl", "Band"};
    TextBox DerivativeBox{*this, "DerivativeBox"};
    Frame IntegralFrame{*this, "IntegralFrame", "Integral"};
    Label IntegralLbl{*this, "IntegralLbl", "Band"};
    TextBox IntegralBox{*this, "IntegralBox"};
    Frame AverageFrame{*this, "AverageFrame", "Average"};
    Label AverageLbl{*this, "AverageLbl", "Band"};
    TextBox AverageBox{*this, "AverageBox"};

    Button Command1{*this, "Command1", "OK"};
    Button Command2{*this, "Command2", "Cancel"};

protected:
    void Form_Load() override;
    void Form_KeyPress(int16_t& KeyAscii) override;

private:
    void Command1_Click();
    void Command2_Click();

    void PlaceControls();
    // The controls that take the focus, in tab order (tab index 1 first).
    std::array<Control*, 22> TabOrder();
};

}  // namespace tav
