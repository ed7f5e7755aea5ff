#pragma once
// The main window: the frame of the child windows, with the menu bar, the tool strip of
// acquisition parameter boxes and scroll bars, and the timer of timed acquisition. Loading it
// starts the program (MDIForm_Load); unloading it, by Exit or by its close box, ends the program
// with the settings file written first.

#include "mainwindow/ProgramLinks.h"
#include "platform/forms/Controls.h"

namespace tav {

class MDIForm1 : public MdiForm {
public:
    explicit MDIForm1(App& app);
    ~MDIForm1() override;

    // Tool strip along the top edge.
    PictureBox Picture1{*this, "Picture1"};
    HScrollBar Integrat{*this, "Integrat"};    // integration time, tenths of a millisecond
    HScrollBar Averaging{*this, "Averaging"};  // scans to average
    HScrollBar Source{*this, "Source"};        // bin size, nm
    HScrollBar Integ{*this, "Integ"};          // memory read address
    HScrollBar scannumbe{*this, "scannumbe"};  // scan number
    HScrollBar interva{*this, "interva"};      // interval, tenths of a second
    TextBox Text3{*this, "Text3"};  // integration box, under Integrat
    TextBox Text4{*this, "Text4"};  // averaging box, under Averaging
    TextBox Text1{*this, "Text1"};  // bin-size box, under Source
    TextBox Text2{*this, "Text2"};  // memory-mode box
    TextBox Text5{*this, "Text5"};  // read-address box, under Integ
    TextBox Text6{*this, "Text6"};  // scan-number box, under scannumbe
    TextBox Text7{*this, "Text7"};  // interval box, under interva
    Label Label3{*this, "Label3", "Integ:"};
    Label Label4{*this, "Label4", "Aver:"};
    Label Label1{*this, "Label1", "Binsize:"};
    Label Label5{*this, "Label5", "Raddr:"};
    Label Label6{*this, "Label6", "Scan#:"};
    Label Label7{*this, "Label7", "Interv:"};

    Timer Timer1{*this, "Timer1"};  // timed acquisition
    CommonDialog CommonDialog1{*this, "CommonDialog1"};

    // The menu bar.
    MenuItem GetData{*this, "GetData", "&Menu"};
    MenuItem Setup{*this, "Setup", "&Setup"};
    MenuItem ViewMenu{*this, "ViewMenu", "&View"};
    MenuItem Process{*this, "Process", "&Process"};
    MenuItem Index{*this, "Index", "&Index"};
    MenuItem Activate{*this, "Activate", "&Activate"};
    MenuItem save{*this, "save", "Sav&e"};
    MenuItem PrintMenu{*this, "PrintMenu", "P&rint"};
    MenuItem ExitProg{*this, "ExitProg", "E&xit"};
    MenuItem Exit{ExitProg, "Exit", "E&xit", {key::Letter('X'), shift::Ctrl}};
    MenuItem help1{*this, "help1", "&Help"};

    // Takes all parameter boxes at once: limits and stores the values, shows what was accepted
    // and sends the parameter block to the instrument.
    void SetIntegAverIntens();

    ProgramLinks& Links() { return links_; }
    // True from the moment the program began to end.
    bool Exiting() const { return exiting_; }

    // Every way of closing the main window ends the program the same way: back to the start
    // folder and the settings file written, then every window unloaded and the logs closed.
    void Unload() override;

protected:
    void MDIForm_Load() override;
    void MDIForm_Unload(int16_t& Cancel) override;
    void MDIForm_Click() override;

private:
    void Timer1_Timer();
    void Exit_Click();
    void BindParameterBoxes();
    void ShowAcquisitionSettings(const ProgramState& state);
    void ShowScrollValue(HScrollBar& bar);
    void ParameterBox_KeyPress(int16_t& KeyAscii);
    void ScrollBar_KeyPress(int16_t& KeyAscii);
    void FocusSpectrumWindow();

    ProgramLinks links_;
    bool installedKeyCommand_ = false;
    bool loading_ = false;
    bool exiting_ = false;
};

}  // namespace tav
