#include "mainwindow/MDIForm1.h"

namespace tav {

namespace {

struct BarDesign {
    HScrollBar& bar;
    TextBox& box;
    float left, width;
    int16_t min, max, smallChange, largeChange, value;
};

constexpr float BarTop = 0, BarHeight = 255;
constexpr float BoxTop = 300, BoxHeight = 300;

}  // namespace

MDIForm1::MDIForm1(App& app) : MdiForm(app, "MDIForm1") {
    SetCaption("Veradin V2.5");
    Move(0, 0, 12300, 9000);

    Picture1.SetAlign(align::Top);
    Picture1.Move(0, 0, 12060, 615);

    const BarDesign bars[] = {
        {Integrat, Text3, 4000, 1200, 0, 32767, 100, 1000, 0},
        {Averaging, Text4, 5200, 1200, 0, 1000, 1, 10, 1},
        {Source, Text1, 6400, 1200, 0, 500, 1, 10, 0},
        {Integ, Text5, 9000, 1000, 1, 1764, 1, 10, 1},
        {scannumbe, Text6, 10000, 1000, 0, 1772, 1, 10, 0},
        {interva, Text7, 11000, 1000, 0, 32767, 1, 10, 0},
    };
    for (const BarDesign& d : bars) {
        d.bar.SetContainer(Picture1);
        d.bar.Move(d.left, BarTop, d.width, BarHeight);
        d.bar.SetMin(d.min);
        d.bar.SetMax(d.max);
        d.bar.SetSmallChange(d.smallChange);
        d.bar.SetLargeChange(d.largeChange);
        d.bar.SetValue(d.value);
        // The box sits under the right half of its bar; the label goes to its left.
        d.box.SetContainer(Picture1);
        d.box.Move(d.left + d.width / 2, BoxTop, d.width / 2, BoxHeight);
    }
    Text2.SetContainer(Picture1);
    Text2.Move(7600, BoxTop, 700, BoxHeight);

    Timer1.SetEnabled(false);
    Timer1.SetInterval(0);
}

}  // namespace tav
