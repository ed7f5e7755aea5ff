#include "windows/WelcomeForm.h"

#include <algorithm>

#include "charts/ChartFonts.h"
#include "platform/Operator.h"
#include "shared/ProgramState.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/MenuForm.h"

namespace tav {

namespace {

constexpr int32_t AnimationStepMs = 400;
constexpr float StepRight = 20, StepUp = 2;
constexpr float LastLeft = 500;  // once the butterfly is past it, the window closes

// The pictures' places in the window's design, which the window scales down to a smaller
// client area (a screen that cannot hold the whole window).
constexpr float DesignWidth = 12000, DesignHeight = 9000;
constexpr float WidthSlack = 30;  // twips: two pixels
struct PicturePlace {
    PictureBox WelcomeForm::*picture;
    float left, top, width, height;
};
constexpr PicturePlace Pictures[] = {
    {&WelcomeForm::Picture3, 0, 0, DesignWidth, DesignHeight},
    {&WelcomeForm::Picture1, 4200, 1350, 7380, 6195},
    {&WelcomeForm::Picture2, 1200, 300, 5400, 1200},
};

// A first run: the windows shown are tiled, but for the quick menu, a small window that keeps
// its design size beside the spectrum window (tiled, it would fill the client area behind it).
void ArrangeFirstRun(App& app, const MainForm& spectrum) {
    MdiForm* mdi = app.forms.Mdi();
    if (!mdi) return;
    MenuForm* menu = app.forms.Find<MenuForm>();
    const bool beside = menu && menu->Visible() && menu->WindowState() == winstate::Normal;
    if (beside) menu->Hide();
    mdi->Arrange(arrange::TileHorizontal);
    if (!beside) return;
    const float right = spectrum.Left() + spectrum.Width();
    menu->Move(std::max(0.0f, std::min(right, mdi->ClientWidth() - menu->Width())), spectrum.Top());
    menu->Show();
}

}  // namespace

std::string WelcomePicturePath(const std::string& name) { return ":/welcome/" + name; }

WelcomeForm::WelcomeForm(App& app) : Form(app, "WelcomeForm") {
    SetCaption("Welcome to Veradin");
    SetBorderStyle(border::FixedDialog);
    SetKeyPreview(true);
    SetClientSize(DesignWidth, DesignHeight);
    Move(1200, 600);

    for (const PicturePlace& p : Pictures) (this->*p.picture).Move(p.left, p.top, p.width, p.height);
    Picture3.SetPicture(WelcomePicturePath("picture3.png"));
    Picture1.SetPicture(WelcomePicturePath("picture1.png"));
    Picture2.SetPicture(WelcomePicturePath("picture2.png"));
    main.Move(-960, 2280, 1095, 1095);
    main.SetPicture(WelcomePicturePath("openwings.png"));
    openwings.SetVisible(false);
    openwings.Move(0, 0, 1095, 1095);
    openwings.SetPicture(WelcomePicturePath("openwings.png"));
    closewings.SetVisible(false);
    closewings.Move(0, 0, 1095, 1095);
    closewings.SetPicture(WelcomePicturePath("closewings.png"));

    Timer2.SetInterval(AnimationStepMs);
    Timer2.SetEnabled(true);
    Timer2.Tick = [this] { Timer2_Timer(); };

    Command1.Click = [this] { Close(); };
    Command1.LostFocus = [this] { FocusLost(); };
    for (PictureBox* picture : {&Picture3, &Picture1, &Picture2, &main}) picture->Click = [this] { Close(); };
}

void WelcomeForm::Form_Load() {
    Command1.Move(10, 10, 1215, 390);
    SelectChartFonts(app.state, app.op.ScreenFonts());
    if (MDIForm1* mdi = app.forms.Find<MDIForm1>()) mdi->Timer1.SetEnabled(false);
    MainForm& spectrum = app.forms.Get<MainForm>();
    spectrum.Hide();
    app.state.Menu.Viewmainform = false;
    // The places the settings file holds are kept; only a first run has the windows arranged.
    if (!app.state.WindowPlacesRead) ArrangeFirstRun(app, spectrum);
    app.state.Menu.Viewmainform = true;
    spectrum.Show();
}

// A window smaller than its design (on a screen that cannot hold it) shows its pictures whole,
// scaled down in proportion.
void WelcomeForm::Form_Resize() {
    const float scale = std::min({1.0f, ScaleWidth() / DesignWidth, ScaleHeight() / DesignHeight});
    if (!(scale > 0)) return;
    for (const PicturePlace& p : Pictures) {
        (this->*p.picture).Move(p.left * scale, p.top * scale, p.width * scale, p.height * scale);
    }
    // The window takes the pictures' width, so that no blank band stands beside them.
    const float width = DesignWidth * scale;
    if (scale < 1 && ScaleWidth() > width + WidthSlack) SetClientSize(width, ScaleHeight());
}

void WelcomeForm::Timer2_Timer() {
    if (main.Left() <= LastLeft) {
        main.Move(main.Left() + StepRight, main.Top() - StepUp);
        main.SetPicture(wingsClosedNext_ ? closewings.Picture() : openwings.Picture());
        wingsClosedNext_ = !wingsClosedNext_;
        return;
    }
    Timer2.SetEnabled(false);
    Close();
}

void WelcomeForm::Close() { Unload(); }

void WelcomeForm::Form_Click() { Close(); }

void WelcomeForm::Form_KeyPress(int16_t& /*KeyAscii*/) { Close(); }

void WelcomeForm::Form_LostFocus() { FocusLost(); }

void WelcomeForm::UserActivated() {
    if (Loaded()) activated_ = true;
    Form::UserActivated();
}

// The focus moves between windows while the program comes up, before the window system has
// given this window the focus; only losing it after that is the operator's doing.
void WelcomeForm::FocusLost() {
    if (activated_) Close();
}

void WelcomeForm::Form_Unload(int16_t& /*Cancel*/) {
    ProgramState& s = app.state;
    s.IniLoaded = false;
    // The first scan of the run; not when the welcome goes because the program ends. The window
    // is gone first, so that what the scan shows (a firmware download's progress) can be seen.
    MDIForm1* mdi = app.forms.Find<MDIForm1>();
    if (mdi && !mdi->Exiting()) {
        Hide();
        FlowScope flow(app.flow);
        mdi->Contexts().Flows().NextScan();
    }
    s.ResetTimer = true;
}

}  // namespace tav
