#pragma once
// A window's drawing surface: a persistent image the size of the client area, drawn on whenever
// the program says so and copied to the screen by the widget's paint event. A new size keeps
// what is drawn (the new part is blank) until the window redraws.

#include <QImage>
#include <QPainter>
#include <QSize>
#include <functional>
#include <memory>

#include "qt/PainterCanvas.h"
#include "qt/Twips.h"

namespace tav {

class QtWindowCanvas : public PainterCanvas {
public:
    // The smallest text a window draws: the charts' font sizes go down to 1 point for small
    // windows, which no screen font shows legibly; the chart layout measures the text it draws.
    static constexpr float LegibleFontPoints = 9;

    explicit QtWindowCanvas(const Twips& twips);
    ~QtWindowCanvas() override;

    float ScaleWidth() const override;
    float ScaleHeight() const override;
    // The outer size when the owner knows its frame; the client size otherwise.
    float Width() const override { return outerWidth_ > 0 ? outerWidth_ : ScaleWidth(); }
    float Height() const override { return outerHeight_ > 0 ? outerHeight_ : ScaleHeight(); }
    void SetOuterSize(float width, float height) {
        outerWidth_ = width;
        outerHeight_ = height;
    }
    // The part of the client area that the front end added for the controls' text: the
    // window's drawing units cover the rest, its design size.
    void SetGrowth(QSize growth) { growth_ = growth; }

    // The client area's new size in logical pixels, at the screen's pixel ratio.
    void Resize(QSize logicalSize, qreal pixelRatio);
    // The image as drawn so far (ends the painting in progress; the next drawing starts anew).
    const QImage& Image();
    QSize LogicalSize() const { return logicalSize_; }

    // Told after each drawing (the widget schedules a repaint).
    std::function<void()> onDrawn;

protected:
    QPainter* Painter() override;
    double UnitsPerTwip() const override { return twips_.PxPerTwip(); }
    QRectF DeviceArea() const override { return QRectF(QPointF(0, 0), QSizeF(logicalSize_)); }
    void Drawn() override;
    float MinimumFontPoints() const override { return LegibleFontPoints; }

private:
    Twips twips_;
    QSize logicalSize_{0, 0};
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    float outerWidth_ = 0, outerHeight_ = 0;
    QSize growth_{0, 0};
};

}  // namespace tav
