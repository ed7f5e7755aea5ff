#include "windows/AboutForm.h"

namespace tav {

namespace {

constexpr float PictureLeft = 240, PictureTop = 240, PictureWidth = 6900, PictureHeight = 4000;
constexpr float LineHeight = 375;
constexpr float TextLeft = 600;

}  // namespace

Aboutform::Aboutform(App& app) : Form(app, "Aboutform") {
    SetCaption("About Tavolin");
    SetBorderStyle(border::FixedDialog);
    Move(2400, 1200, 7500, 5500);

    Picture1.Move(PictureLeft, PictureTop, PictureWidth, PictureHeight);
    Title.SetContainer(Picture1);
    Title.Move(TextLeft, 1080, PictureWidth - TextLeft, 2 * LineHeight);
    Title.SetFontName("Times New Roman");
    Title.SetFontSize(24);
    Title.SetFontBold(true);
    Purpose.SetContainer(Picture1);
    Purpose.Move(TextLeft, 2160, PictureWidth - TextLeft, LineHeight);
    Analysis.SetContainer(Picture1);
    Analysis.Move(TextLeft, 2160 + LineHeight, PictureWidth - TextLeft, LineHeight);

    Command1.Move(3120, 4440, 1215, 375);
    Command1.Click = [this] { Command1_Click(); };
}

void Aboutform::Command1_Click() { Unload(); }

}  // namespace tav
