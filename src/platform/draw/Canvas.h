#pragma once
// Immediate-mode drawing surface of a window or a printer page.
// Units are twips (1440 per inch), y grows downward, as the chart code expects.
// Every drawing call happens when the logic says so, not only in a paint event.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tav {

// Colours are 0x00BBGGRR: red in the low byte.
using Color = int32_t;

namespace draw {
constexpr int16_t Solid = 0;      // DrawStyle
constexpr int16_t Dot = 2;        // DrawStyle
constexpr int16_t NotXorPen = 10; // DrawMode: drawing twice restores the pixels
constexpr int16_t CopyPen = 13;   // DrawMode
}  // namespace draw

class Canvas {
public:
    virtual ~Canvas() = default;

    // Drawable area in twips (a window's client area, a printer's page).
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    // Outer size of the window in twips (client area plus frame); a page's size for a printer.
    virtual float Width() const { return ScaleWidth(); }
    virtual float Height() const { return ScaleHeight(); }

    // Print position and drawing state; drawing calls read them as they stand.
    float CurrentX = 0;
    float CurrentY = 0;
    Color ForeColor = 0x000000;
    Color BackColor = 0xFFFFFF;
    int16_t DrawStyle = draw::Solid;
    int16_t DrawMode = draw::CopyPen;
    // The y coordinate of the top edge: device y = y - ScaleTop (a printer's half-page origin).
    float ScaleTop = 0;

    // Fonts. Setting a name the machine cannot provide keeps the current font and returns false.
    virtual const std::string& FontName() const = 0;
    virtual bool SetFontName(const std::string& name) = 0;
    virtual float FontSize() const = 0;
    virtual void SetFontSize(float points) = 0;
    virtual bool FontBold() const = 0;
    virtual void SetFontBold(bool bold) = 0;

    virtual float TextWidth(const std::string& text) = 0;
    virtual float TextHeight(const std::string& text) = 0;

    // Text at (CurrentX, CurrentY) in ForeColor. Print ends the line: CurrentX returns to 0 and
    // CurrentY moves down one text height. PrintInline leaves CurrentX after the text.
    virtual void Print(const std::string& text) = 0;
    virtual void PrintInline(const std::string& text) = 0;

    // A line in ForeColor with DrawStyle and DrawMode; leaves CurrentX/CurrentY at its end.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    // A line in an explicit colour.
    virtual void Line(float x1, float y1, float x2, float y2, Color color) = 0;
    // A line from the current point.
    void LineTo(float x2, float y2) { Line(CurrentX, CurrentY, x2, y2); }
    // Lines from the current point through count points in turn, as many LineTo calls would
    // draw them (a curve); leaves the current point at the last one. A surface may draw them
    // in one go.
    virtual void PolylineTo(const float* xs, const float* ys, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) LineTo(xs[i], ys[i]);
    }
    // Outlined or filled box in an explicit colour; leaves the current point at (x2, y2).
    virtual void Box(float x1, float y1, float x2, float y2, Color color, bool filled) = 0;
    // A single point in the given colour, honouring DrawMode; leaves the current point there
    // (a curve starts with a PSet and goes on with LineTo).
    virtual void PSet(float x, float y, Color color) = 0;

    // Blank the surface with BackColor and put the print position at 0, 0.
    virtual void Cls() = 0;

    // Printer only: end the page / the document; both put the print position at 0, 0 and keep
    // ScaleTop, the font and DrawStyle. A window canvas ignores them.
    virtual void NewPage() {}
    virtual void EndDoc() {}
};

// The standard 16-colour palette (index 0 black ... 15 bright white).
Color QBColor(int index);

}  // namespace tav
