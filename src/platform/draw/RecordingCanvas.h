#pragma once
// A Canvas for tests: it records every operation with the state it used, and measures text with
// fixed metrics so that layout is tested exactly without a display:
//   TextHeight(any text) = round(FontSize * 20 * 1.2)  (twips; 12 pt gives 288)
//   TextWidth(text)      = number of characters * round(FontSize * 20 * 0.5)  (12 pt: 120 each)
// An empty text has width 0 and the full height.

#include <string>
#include <vector>

#include "platform/draw/Canvas.h"

namespace tav {

struct CanvasOp {
    enum class Kind { Print, PrintInline, Line, Box, FilledBox, PSet, Cls, NewPage, EndDoc, Font };
    Kind kind = Kind::Line;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Print: x1, y1 = where the text started
    std::string text;                      // Print; Font: the font name
    Color color = 0;                       // the colour used (ForeColor or the explicit one)
    int16_t drawStyle = 0;
    int16_t drawMode = 13;
    std::string fontName;
    float fontSize = 0;
    bool fontBold = false;
    float scaleTop = 0;
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
    // Convenience for assertions: the texts printed, in order.
    std::vector<std::string> PrintedTexts() const;

private:
    void Record(CanvasOp op);
    std::vector<CanvasOp> ops_;
    float scaleWidth_, scaleHeight_, frameWidth_, frameHeight_;
    std::vector<std::string> fonts_;
    std::string fontName_ = "MS Sans Serif";
    float fontSize_ = 8.25f;
    bool fontBold_ = false;
};

}  // namespace tav
