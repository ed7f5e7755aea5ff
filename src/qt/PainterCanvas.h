#pragma once
// The Canvas semantics on a QPainter: twips with y downward (less ScaleTop), the print position,
// text measured in the current font, lines in solid or dotted style, boxes and points in the
// copy pen or the not-xor pen (a raster operation, so drawing twice restores the pixels).
// Subclasses give the device: a window's persistent image or a printer page.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <map>
#include <optional>
#include <string>

#include "platform/draw/Canvas.h"

namespace tav {

QColor ToQColor(Color color);

class PainterCanvas : public Canvas {
public:
    const std::string& FontName() const override { return fontName_; }
    bool SetFontName(const std::string& name) override;
    float FontSize() const override { return fontSize_; }
    void SetFontSize(float points) override;
    bool FontBold() const override { return fontBold_; }
    void SetFontBold(bool bold) override;
    float TextWidth(const std::string& text) override;
    float TextHeight(const std::string& text) override;

    void Print(const std::string& text) override;
    void PrintInline(const std::string& text) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Color color) override;
    void PolylineTo(const float* xs, const float* ys, std::size_t count) override;
    void Box(float x1, float y1, float x2, float y2, Color color, bool filled) override;
    void PSet(float x, float y, Color color) override;
    void Cls() override;

protected:
    // An active painter on the device, or nullptr when the device cannot be painted.
    virtual QPainter* Painter() = 0;
    // Device units (a window's logical pixels, a printer's dots) per twip.
    virtual double UnitsPerTwip() const = 0;
    // The whole drawable area in device units, for Cls.
    virtual QRectF DeviceArea() const = 0;
    // Called after every drawing operation.
    virtual void Drawn() {}
    // Text is drawn and measured at no less than this size in points (0: any size).
    virtual float MinimumFontPoints() const { return 0; }
    // The width of lines, box outlines and points in device units; 0 draws one device pixel
    // whatever the scale (a window's hairline).
    virtual double PenWidth(bool dotted) const {
        (void)dotted;
        return 0;
    }

    QPointF ToDevice(float x, float y) const;
    QFont CurrentFont() const;

private:
    QPainter* Begin(Color color, bool rasterOp);
    void Text(const std::string& text);
    // The current font and its metrics, built once per font change: charts measure text
    // for every label, and asking the font database each time dominated a redraw.
    const QFontMetricsF& Metrics() const;

    mutable std::optional<QFont> font_;
    mutable std::optional<QFontMetricsF> metrics_;
    mutable double fontScale_ = 0;
    std::map<std::string, bool> available_;

    std::string fontName_ = "MS Sans Serif";
    float fontSize_ = 8.25f;
    bool fontBold_ = false;
};

}  // namespace tav
