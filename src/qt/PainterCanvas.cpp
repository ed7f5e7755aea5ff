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
    auto known = available_.find(name);
    if (known == available_.end()) known = available_.emplace(name, FontAvailable(name)).first;
    if (!known->second) return false;
    if (name != fontName_) {
        fontName_ = name;
        font_.reset();
    }
    return true;
}

void PainterCanvas::SetFontSize(float points) {
    if (points > 0 && std::isfinite(points) && points != fontSize_) {
        fontSize_ = points;
        font_.reset();
    }
}

void PainterCanvas::SetFontBold(bool bold) {
    if (bold != fontBold_) {
        fontBold_ = bold;
        font_.reset();
    }
}

QFont PainterCanvas::CurrentFont() const {
    const double scale = 20.0 * UnitsPerTwip();
    if (!font_ || scale != fontScale_) {
        font_ = MakeFont(fontName_, std::max(fontSize_, MinimumFontPoints()), fontBold_, scale);
        metrics_.emplace(*font_);
        fontScale_ = scale;
    }
    return *font_;
}

const QFontMetricsF& PainterCanvas::Metrics() const {
    CurrentFont();
    return *metrics_;
}

float PainterCanvas::TextWidth(const std::string& text) {
    return static_cast<float>(Metrics().horizontalAdvance(ToQString(text)) / UnitsPerTwip());
}

float PainterCanvas::TextHeight(const std::string&) {
    return static_cast<float>(Metrics().height() / UnitsPerTwip());
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
    const bool dotted = DrawStyle == draw::Dot;
    const double width = PenWidth(dotted);
    pen.setWidthF(width);
    pen.setStyle(dotted ? Qt::DotLine : Qt::SolidLine);
    if (width > 0) {
        // Round ends join the segments of a curve; the dots of a grid line stay dots.
        pen.setCapStyle(dotted ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    return painter;
}

void PainterCanvas::Text(const std::string& text) {
    QPainter* painter = Begin(ForeColor, false);
    if (!painter) return;
    painter->setFont(CurrentFont());
    // On the pixel where a box or line from the same place begins, so that a box which clears
    // the text (a cursor read-out) leaves none of it; unrounded, small text lands a pixel left.
    const QPoint at = Rounded(ToDevice(CurrentX, CurrentY));
    painter->drawText(QPointF(at.x(), at.y() + Metrics().ascent()), ToQString(text));
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

void PainterCanvas::PolylineTo(const float* xs, const float* ys, std::size_t count) {
    // In the not-xor pen every segment must be its own line: a polyline draws shared end
    // points once, so drawing it twice would not restore the same pixels as separate lines.
    if (count == 0 || DrawMode == draw::NotXorPen) {
        Canvas::PolylineTo(xs, ys, count);
        return;
    }
    if (QPainter* painter = Begin(ForeColor, true)) {
        QPolygon points;
        points.reserve(static_cast<int>(count) + 1);
        points.append(Rounded(ToDevice(CurrentX, CurrentY)));
        for (std::size_t i = 0; i < count; ++i) points.append(Rounded(ToDevice(xs[i], ys[i])));
        painter->drawPolyline(points);
        Drawn();
    }
    CurrentX = xs[count - 1];
    CurrentY = ys[count - 1];
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
