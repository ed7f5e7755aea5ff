#include "qt/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace tav {
namespace {

// The reflectance of a green leaf over 400 to 900 nm, as a fraction of the plot: low in the
// blue and red, a bump in the green, the high plateau beyond the red edge.
double Reflectance(double nm) {
    return 0.08 + 0.12 * std::exp(-std::pow((nm - 550) / 30, 2)) + 0.62 / (1 + std::exp(-(nm - 715) / 14));
}

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(IconTileColor));
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);

    // Axes, then the curve over them.
    const QRectF plot(s * 0.18, s * 0.16, s * 0.66, s * 0.64);
    QPen axis(QColor(255, 255, 255, 200), std::max(1.0, s / 24));
    p.setPen(axis);
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    QPainterPath curve;
    for (int i = 0; i <= 50; ++i) {
        const double nm = 400 + i * 10;
        const QPointF at(plot.left() + plot.width() * i / 50, plot.bottom() - plot.height() * Reflectance(nm));
        if (i == 0) curve.moveTo(at);
        else curve.lineTo(at);
    }
    p.setPen(QPen(QColor::fromRgba(IconCurveColor), std::max(2.0, s / 9), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(DrawIcon(size));
    return icon;
}

}  // namespace tav
