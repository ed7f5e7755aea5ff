#pragma once
// The welcome window, shown once per run while the program comes up. A butterfly crosses it;
// it closes after about thirty seconds, or at once on the operator's first click, key or change
// of window. Its closing takes the first scan of the run and restarts the elapsed-time clock of
// the kinetic series.

#include <string>

#include "platform/forms/Controls.h"

namespace tav {

class WelcomeForm : public Form {
public:
    explicit WelcomeForm(App& app);

    PictureBox Picture3{*this, "Picture3"};      // the background, 800 x 600 pixels
    PictureBox Picture1{*this, "Picture1"};      // 492 x 413 pixels
    PictureBox Picture2{*this, "Picture2"};      // the title
    PictureBox main{*this, "main"};              // the butterfly, animated
    PictureBox openwings{*this, "openwings"};    // the two frames of the animation
    PictureBox closewings{*this, "closewings"};
    Button Command1{*this, "Command1", "CONTINUE"};
    Timer Timer2{*this, "Timer2"};

    // The window system made this the active window: from now on losing the focus closes it.
    void UserActivated() override;

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int16_t& Cancel) override;
    void Form_Click() override;
    void Form_KeyPress(int16_t& KeyAscii) override;
    void Form_LostFocus() override;

private:
    void Timer2_Timer();
    void Close();
    void FocusLost();

    bool wingsClosedNext_ = false;
    bool activated_ = false;
};

// One of the welcome window's pictures. They come with the program (":/" names its bundled
// data, which the front end reads), so that the window shows them wherever the program runs.
std::string WelcomePicturePath(const std::string& name);

}  // namespace tav
