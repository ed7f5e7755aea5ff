#pragma once
// A Canvas for tests: it records every operation with the state it used, and measures text with
// fixed metrics so that layout is tested exactly without a display:
//   TextHeight(any text) = round(FontSize * 20 * 1.2)  (twips; 12 pt gives 288)
//   TextWidth(text)      = number of characters * round(FontSize * 20 * 0.5)  (12 pt: 120 each)
// (round: to the nearest, halves away from zero; the default 8.25 pt gives 198 and 83).
// An empty text has width 0 and the full height.
// Font names are matched without regard to case against the available fonts (by default
// "MS Sans Serif", "Arial", "Times New Roman", "Small Fonts", "Courier New"); any size is taken.

#include <string>
#include <vector>

#include "platform/draw/Canvas.h"

namespace tav {

struct CanvasOp {
    enum class Kind { Print, PrintInline, Line, Box, FilledBox, PSet, Cls, NewPage, EndDoc, Font };
    Kind kind = Kind::Line;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Print: x1, y1 = where the text started
    std::string text;                      // Print: the text; Font: the name asked for (or "")
    Color color = 0;                       // the colour used (ForeColor or the explicit one)
    int16_t drawStyle = 0;
    int16_t drawMode = 13;
    std::string fontName;
    float fontSize = 0;
    bool fontBold = false;
    float scaleTop = 0;
    bool accepted = true;                  // Font: false when the name asked for was refused
};

class RecordingCanvas : public Canvas {
public:
    // Client area and outer size in twips.
    RecordingCanvas(float scaleWidth = 9600, float scaleHeight = 7200, float frameWidth = 120,
                    float frameHeight = 400);

    void SetSize(float scaleWidth, float scaleHeight);
    // Fonts that "exist" on this canvas; SetFontName of any other keeps the current font.
    void SetAvailableFonts(std::vector<std::string> fonts);

    float ScaleWidth() const override;
    float ScaleHeight() const override;
    float Width() const override;
    float Height() const override;

    const std::string& FontName() const override;
    bool SetFontName(const std::string& name) override;
    float FontSize() const override;
    void SetFontSize(float points) override;
    bool FontBold() const override;
    void SetFontBold(bool bold) override;
    float TextWidth(const std::string& text) override;
    float TextHeight(const std::string& text) override;

    void Print(const std::string& text) override;
    void PrintInline(const std::string& text) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Color color) override;
    void Box(float x1, float y1, float x2, float y2, Color color, bool filled) override;
    void PSet(float x, float y, Color color) override;
    void Cls() override;
    void NewPage() override;
    void EndDoc() override;

    // The operations since construction or the last ClearRecord().
    const std::vector<CanvasOp>& Ops() const { return ops_; }
    void ClearRecord() { ops_.clear(); }
    // Convenience for assertions: the texts printed (Print and PrintInline), in order.
    std::vector<std::string> PrintedTexts() const;
    std::vector<CanvasOp> OpsOfKind(CanvasOp::Kind kind) const;

    // What the not-xor pen has left on the surface since the last Cls or NewPage: the Line,
    // Box, FilledBox and PSet operations drawn in DrawMode 10, after pairs of identical ones
    // (same kind, colour, DrawStyle and geometry; a line's ends and a box's corners in either
    // order) have cancelled out. Empty when everything drawn in not-xor was drawn twice, as
    // moving or erasing the cursor does. One entry per geometry left, in first-drawn order.
    std::vector<CanvasOp> NotXorResidue() const;

private:
    CanvasOp StateOp(CanvasOp::Kind kind) const;
    // Records a drawing and leaves the current point at (x2, y2).
    void RecordShape(CanvasOp::Kind kind, float x1, float y1, float x2, float y2, Color color);
    void Record(CanvasOp op);
    std::vector<CanvasOp> ops_;
    float scaleWidth_, scaleHeight_, frameWidth_, frameHeight_;
    std::vector<std::string> fonts_;
    std::string fontName_ = "MS Sans Serif";
    float fontSize_ = 8.25f;
    bool fontBold_ = false;
};

}  // namespace tav
