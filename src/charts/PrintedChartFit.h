#pragma once
// Where a printed chart lands before it is printed. The chart's proportions come from the scale
// percentage, but its titles, labels and information lines have sizes and offsets of their own,
// so at the larger scales the chart would run out of its half of the page. A trial drawing on
// an ExtentCanvas (which prints nothing) finds out, and the chart is made smaller until it fits.

#include <functional>

#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

// A rectangle on the page in page coordinates (y measured from the page's top edge, not from
// the origin that ScaleTop moves).
struct PageArea {
    float left = 0, top = 0, right = 0, bottom = 0;
};

// A canvas that draws nothing and keeps the extent of every drawing on it: text (its whole
// height and width), lines, boxes and points. Fonts and text measures are the printer's, so
// setting a font here sets it on the printer.
class ExtentCanvas : public Canvas {
public:
    explicit ExtentCanvas(Canvas& printer);

    // What was drawn, in page coordinates; `drawn` is false while nothing was.
    bool Drawn() const { return drawn_; }
    const PageArea& Extent() const { return extent_; }

    float ScaleWidth() const override { return printer_.ScaleWidth(); }
    float ScaleHeight() const override { return printer_.ScaleHeight(); }
    float Width() const override { return printer_.Width(); }
    float Height() const override { return printer_.Height(); }
    const std::string& FontName() const override { return printer_.FontName(); }
    bool SetFontName(const std::string& name) override { return printer_.SetFontName(name); }
    float FontSize() const override { return printer_.FontSize(); }
    void SetFontSize(float points) override { printer_.SetFontSize(points); }
    bool FontBold() const override { return printer_.FontBold(); }
    void SetFontBold(bool bold) override { printer_.SetFontBold(bold); }
    float TextWidth(const std::string& text) override { return printer_.TextWidth(text); }
    float TextHeight(const std::string& text) override { return printer_.TextHeight(text); }

    void Print(const std::string& text) override;
    void PrintInline(const std::string& text) override;
    void Line(float x1, float y1, float x2, float y2) override { Line(x1, y1, x2, y2, ForeColor); }
    void Line(float x1, float y1, float x2, float y2, Color color) override;
    void Box(float x1, float y1, float x2, float y2, Color color, bool filled) override;
    void PSet(float x, float y, Color color) override;
    void Cls() override;

private:
    void Take(float x, float y);

    Canvas& printer_;
    PageArea extent_;
    bool drawn_ = false;
};

// The half of the printable area that a printed item of this count takes: the upper half for
// an odd count, the lower half for an even one.
PageArea HalfOfPage(const Canvas& printer, int16_t count);

// Draws the chart on trial with drawChart and, while it reaches beyond `area`, lowers
// PrintHeightFrac (for the lower edge) and PrintWidthFrac (for the sides, the chart staying
// centred), with PrintChartWidth and PrintChartHeight to match. The printer's ScaleTop is the
// one the chart is drawn with.
void FitPrintedChart(ProgramState& state, Canvas& printer, const PageArea& area,
                     const std::function<void(Canvas&)>& drawChart);

}  // namespace tav
