#pragma once
// Twips (1440 per inch) to the screen's device-independent pixels and back, at the screen's
// logical DPI, so that a layout keeps its proportions on any screen and scale factor.

#include <QRect>
#include <cmath>

namespace tav {

class Twips {
public:
    explicit Twips(double logicalDpi = 96.0) : pxPerTwip_(logicalDpi / 1440.0) {}

    double PxPerTwip() const { return pxPerTwip_; }
    int ToPx(float twips) const { return static_cast<int>(std::lround(twips * pxPerTwip_)); }
    float FromPx(double px) const { return static_cast<float>(px / pxPerTwip_); }
    QRect ToPx(float left, float top, float width, float height) const {
        return {ToPx(left), ToPx(top), ToPx(width), ToPx(height)};
    }

private:
    double pxPerTwip_;
};

}  // namespace tav
