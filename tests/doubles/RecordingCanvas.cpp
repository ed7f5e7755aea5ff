#include "doubles/RecordingCanvas.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <tuple>
#include <utility>

namespace tav {

namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsNotXorDrawing(const CanvasOp& op) {
    if (op.drawMode != draw::NotXorPen) return false;
    switch (op.kind) {
        case CanvasOp::Kind::Line:
        case CanvasOp::Kind::Box:
        case CanvasOp::Kind::FilledBox:
        case CanvasOp::Kind::PSet: return true;
        default: return false;
    }
}

// The pixels an op touches do not depend on the order of its two points.
using GeometryKey = std::tuple<CanvasOp::Kind, Color, int16_t, float, float, float, float>;

GeometryKey KeyOf(const CanvasOp& op) {
    float x1 = op.x1, y1 = op.y1, x2 = op.x2, y2 = op.y2;
    if (op.kind == CanvasOp::Kind::Line) {
        if (std::tie(x2, y2) < std::tie(x1, y1)) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
    } else if (op.kind == CanvasOp::Kind::Box || op.kind == CanvasOp::Kind::FilledBox) {
        if (x2 < x1) std::swap(x1, x2);
        if (y2 < y1) std::swap(y1, y2);
    }
    return {op.kind, op.color, op.drawStyle, x1, y1, x2, y2};
}

}  // namespace

RecordingCanvas::RecordingCanvas(float scaleWidth, float scaleHeight, float frameWidth, float frameHeight)
    : scaleWidth_(scaleWidth), scaleHeight_(scaleHeight), frameWidth_(frameWidth), frameHeight_(frameHeight),
      fonts_{"MS Sans Serif", "Arial", "Times New Roman", "Small Fonts", "Courier New"} {}

void RecordingCanvas::SetSize(float scaleWidth, float scaleHeight) {
    scaleWidth_ = scaleWidth;
    scaleHeight_ = scaleHeight;
}

void RecordingCanvas::SetAvailableFonts(std::vector<std::string> fonts) { fonts_ = std::move(fonts); }

float RecordingCanvas::ScaleWidth() const { return scaleWidth_; }
float RecordingCanvas::ScaleHeight() const { return scaleHeight_; }
float RecordingCanvas::Width() const { return scaleWidth_ + frameWidth_; }
float RecordingCanvas::Height() const { return scaleHeight_ + frameHeight_; }

const std::string& RecordingCanvas::FontName() const { return fontName_; }

bool RecordingCanvas::SetFontName(const std::string& name) {
    auto found = std::find_if(fonts_.begin(), fonts_.end(),
                              [&](const std::string& f) { return SameNameIgnoringCase(f, name); });
    bool accepted = found != fonts_.end();
    if (accepted) fontName_ = *found;
    CanvasOp op = StateOp(CanvasOp::Kind::Font);
    op.text = name;
    op.accepted = accepted;
    Record(std::move(op));
    return accepted;
}

float RecordingCanvas::FontSize() const { return fontSize_; }

void RecordingCanvas::SetFontSize(float points) {
    fontSize_ = points;
    Record(StateOp(CanvasOp::Kind::Font));
}

bool RecordingCanvas::FontBold() const { return fontBold_; }

void RecordingCanvas::SetFontBold(bool bold) {
    fontBold_ = bold;
    Record(StateOp(CanvasOp::Kind::Font));
}

float RecordingCanvas::TextWidth(const std::string& text) {
    return static_cast<float>(text.size()) * static_cast<float>(std::lround(fontSize_ * 20 * 0.5));
}

float RecordingCanvas::TextHeight(const std::string&) {
    return static_cast<float>(std::lround(fontSize_ * 20 * 1.2));
}

void RecordingCanvas::Print(const std::string& text) {
    CanvasOp op = StateOp(CanvasOp::Kind::Print);
    op.x1 = CurrentX;
    op.y1 = CurrentY;
    op.text = text;
    Record(std::move(op));
    CurrentX = 0;
    CurrentY += TextHeight(text);
}

void RecordingCanvas::PrintInline(const std::string& text) {
    CanvasOp op = StateOp(CanvasOp::Kind::PrintInline);
    op.x1 = CurrentX;
    op.y1 = CurrentY;
    op.text = text;
    Record(std::move(op));
    CurrentX += TextWidth(text);
}

void RecordingCanvas::Line(float x1, float y1, float x2, float y2) { Line(x1, y1, x2, y2, ForeColor); }

void RecordingCanvas::Line(float x1, float y1, float x2, float y2, Color color) {
    RecordShape(CanvasOp::Kind::Line, x1, y1, x2, y2, color);
}

void RecordingCanvas::Box(float x1, float y1, float x2, float y2, Color color, bool filled) {
    RecordShape(filled ? CanvasOp::Kind::FilledBox : CanvasOp::Kind::Box, x1, y1, x2, y2, color);
}

void RecordingCanvas::PSet(float x, float y, Color color) { RecordShape(CanvasOp::Kind::PSet, x, y, x, y, color); }

void RecordingCanvas::RecordShape(CanvasOp::Kind kind, float x1, float y1, float x2, float y2, Color color) {
    CanvasOp op = StateOp(kind);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
    Record(std::move(op));
    CurrentX = x2;
    CurrentY = y2;
}

void RecordingCanvas::Cls() {
    CanvasOp op = StateOp(CanvasOp::Kind::Cls);
    op.color = BackColor;
    Record(std::move(op));
    CurrentX = 0;
    CurrentY = 0;
}

void RecordingCanvas::NewPage() {
    Record(StateOp(CanvasOp::Kind::NewPage));
    CurrentX = 0;
    CurrentY = 0;
}

void RecordingCanvas::EndDoc() {
    Record(StateOp(CanvasOp::Kind::EndDoc));
    CurrentX = 0;
    CurrentY = 0;
}

std::vector<std::string> RecordingCanvas::PrintedTexts() const {
    std::vector<std::string> texts;
    for (const CanvasOp& op : ops_)
        if (op.kind == CanvasOp::Kind::Print || op.kind == CanvasOp::Kind::PrintInline) texts.push_back(op.text);
    return texts;
}

std::vector<CanvasOp> RecordingCanvas::OpsOfKind(CanvasOp::Kind kind) const {
    std::vector<CanvasOp> found;
    for (const CanvasOp& op : ops_)
        if (op.kind == kind) found.push_back(op);
    return found;
}

std::vector<CanvasOp> RecordingCanvas::NotXorResidue() const {
    auto start = ops_.begin();
    for (auto it = ops_.begin(); it != ops_.end(); ++it)
        if (it->kind == CanvasOp::Kind::Cls || it->kind == CanvasOp::Kind::NewPage) start = it + 1;

    // Each geometry toggles between drawn and not drawn; keep the first op that drew it.
    std::vector<std::pair<GeometryKey, CanvasOp>> drawn;
    for (auto it = start; it != ops_.end(); ++it) {
        if (!IsNotXorDrawing(*it)) continue;
        GeometryKey key = KeyOf(*it);
        auto same = std::find_if(drawn.begin(), drawn.end(), [&](const auto& d) { return d.first == key; });
        if (same != drawn.end())
            drawn.erase(same);
        else
            drawn.emplace_back(key, *it);
    }
    std::vector<CanvasOp> residue;
    for (auto& d : drawn) residue.push_back(std::move(d.second));
    return residue;
}

CanvasOp RecordingCanvas::StateOp(CanvasOp::Kind kind) const {
    CanvasOp op;
    op.kind = kind;
    op.color = ForeColor;
    op.drawStyle = DrawStyle;
    op.drawMode = DrawMode;
    op.fontName = fontName_;
    op.fontSize = fontSize_;
    op.fontBold = fontBold_;
    op.scaleTop = ScaleTop;
    return op;
}

void RecordingCanvas::Record(CanvasOp op) { ops_.push_back(std::move(op)); }

}  // namespace tav
