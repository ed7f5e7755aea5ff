#pragma once
// The About box: the program's name and what it is for, on a picture, and OK to close it.

#include "platform/forms/Controls.h"

namespace tav {

class Aboutform : public Form {
public:
    explicit Aboutform(App& app);

    PictureBox Picture1{*this, "Picture1"};  // holds the about text
    Label Title{*this, "Title", "Tavolin"};
    Label Purpose{*this, "Purpose", "operates a hand-held two-channel spectrometer"};
    Label Analysis{*this, "Analysis", "and analyses the spectra it takes"};
    Button Command1{*this, "Command1", "OK"};

private:
    void Command1_Click();
};

}  // namespace tav
