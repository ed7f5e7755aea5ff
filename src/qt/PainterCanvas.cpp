#include "qt/PainterCanvas.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "qt/QtFonts.h"

namespace tav {

QColor ToQColor(Color color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

QPoint Rounded(QPointF p) { return QPoint(static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))); }

}  // namespace

bool PainterCanvas::SetFontName(const std::string& name) {
    if (!FontAvailable(name)) return false;
    fontName_ = name;
    return true;
}

void PainterCanvas::SetFontSize(float points) {
    if (points > 0 && std::isfinite(points)) fontSize_ = points;
}

void PainterCanvas::SetFontBold(bool bold) { fontBold_ = bold; }

QFont PainterCanvas::CurrentFont() const {
    return MakeFont(fontName_, fontSize_, fontBold_, 20.0 * UnitsPerTwip());
}

float PainterCanvas::TextWidth(const std::string& text) {
    const QFontMetricsF metrics(CurrentFont());
    return static_cast<float>(metrics.horizontalAdvance(ToQString(text)) / UnitsPerTwip());
}

float PainterCanvas::TextHeight(const std::string&) {
    const QFontMetricsF metrics(CurrentFont());
    return static_cast<float>(metrics.height() / UnitsPerTwip());
}

QPointF PainterCanvas::ToDevice(float x, float y) const {
    const double k = UnitsPerTwip();
    return {x * k, (y - ScaleTop) * k};
}

QPainter* PainterCanvas::Begin(Color color, bool rasterOp) {
    QPainter* painter = Painter();
    if (!painter) return nullptr;
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setCompositionMode(rasterOp && DrawMode == draw::NotXorPen
                                    ? QPainter::RasterOp_NotSourceXorDestination
                                    : QPainter::CompositionMode_SourceOver);
    QPen pen(ToQColor(color));
    pen.setWidth(0);  // one device pixel, whatever the scale
    pen.setStyle(DrawStyle == draw::Dot ? Qt::DotLine : Qt::SolidLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    return painter;
}

void PainterCanvas::Text(const std::string& text) {
    QPainter* painter = Begin(ForeColor, false);
    if (!painter) return;
    const QFont font = CurrentFont();
    painter->setFont(font);
    const QFontMetricsF metrics(font);
    const QPointF at = ToDevice(CurrentX, CurrentY);
    painter->drawText(QPointF(at.x(), at.y() + metrics.ascent()), ToQString(text));
    Drawn();
}

void PainterCanvas::Print(const std::string& text) {
    Text(text);
    const float height = TextHeight(text);
    CurrentX = 0;
    CurrentY += height;
}

void PainterCanvas::PrintInline(const std::string& text) {
    Text(text);
    CurrentX += TextWidth(text);
}

void PainterCanvas::Line(float x1, float y1, float x2, float y2) { Line(x1, y1, x2, y2, ForeColor); }

void PainterCanvas::Line(float x1, float y1, float x2, float y2, Color color) {
    if (QPainter* painter = Begin(color, true)) {
        painter->drawLine(Rounded(ToDevice(x1, y1)), Rounded(ToDevice(x2, y2)));
        Drawn();
    }
    CurrentX = x2;
    CurrentY = y2;
}

void PainterCanvas::Box(float x1, float y1, float x2, float y2, Color color, bool filled) {
    if (QPainter* painter = Begin(color, true)) {
        const QRect box = QRect(Rounded(ToDevice(x1, y1)), Rounded(ToDevice(x2, y2))).normalized();
        if (filled) painter->fillRect(box, ToQColor(color));
        else painter->drawRect(box.adjusted(0, 0, -1, -1));
        Drawn();
    }
    CurrentX = x2;
    CurrentY = y2;
}

void PainterCanvas::PSet(float x, float y, Color color) {
    if (QPainter* painter = Begin(color, true)) {
        painter->drawPoint(Rounded(ToDevice(x, y)));
        Drawn();
    }
    CurrentX = x;
    CurrentY = y;
}

void PainterCanvas::Cls() {
    if (QPainter* painter = Painter()) {
        painter->setCompositionMode(QPainter::CompositionMode_Source);
        painter->fillRect(DeviceArea(), ToQColor(BackColor));
        Drawn();
    }
    CurrentX = 0;
    CurrentY = 0;
}

}  // namespace tav
