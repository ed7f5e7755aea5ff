#pragma once
// The main window: the frame of the child windows, with the menu bar and the tool strip of
// acquisition parameter boxes and scroll bars, and the timer of timed acquisition.

#include "platform/forms/Controls.h"

namespace tav {

class MDIForm1 : public MdiForm {
public:
    explicit MDIForm1(App& app);

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
    MenuItem help1{*this, "help1", "&Help"};
};

}  // namespace tav
