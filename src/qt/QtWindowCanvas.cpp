#include "qt/QtWindowCanvas.h"

#include <algorithm>

namespace tav {

QtWindowCanvas::QtWindowCanvas(const Twips& twips) : twips_(twips) { Resize(QSize(1, 1), 1.0); }

QtWindowCanvas::~QtWindowCanvas() {
    if (painter_) painter_->end();
}

float QtWindowCanvas::ScaleWidth() const { return twips_.FromPx(std::max(1, logicalSize_.width() - growth_.width())); }
float QtWindowCanvas::ScaleHeight() const {
    return twips_.FromPx(std::max(1, logicalSize_.height() - growth_.height()));
}

void QtWindowCanvas::Resize(QSize logicalSize, qreal pixelRatio) {
    logicalSize = logicalSize.expandedTo(QSize(1, 1));
    pixelRatio = std::max<qreal>(pixelRatio, 1.0);
    if (logicalSize == logicalSize_ && !image_.isNull() && image_.devicePixelRatio() == pixelRatio) return;
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
    QImage next(logicalSize * pixelRatio, QImage::Format_RGB32);
    next.setDevicePixelRatio(pixelRatio);
    next.fill(ToQColor(BackColor));
    if (!image_.isNull()) {
        QPainter copy(&next);
        copy.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(next);
    logicalSize_ = logicalSize;
}

const QImage& QtWindowCanvas::Image() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
    return image_;
}

QPainter* QtWindowCanvas::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&image_)) {
            painter_.reset();
            return nullptr;
        }
    }
    return painter_.get();
}

void QtWindowCanvas::Drawn() {
    if (onDrawn) onDrawn();
}

}  // namespace tav
