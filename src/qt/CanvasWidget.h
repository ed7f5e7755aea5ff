#pragma once
// The client area of a window: it shows the window's persistent drawing image, holds the
// controls, and passes the mouse, the keys (when the window itself has the focus), its size and,
// as a top-level window, closing, moving, state and activation to the model.

#include <QElapsedTimer>
#include <QWidget>

#include "qt/QtWindowCanvas.h"
#include "qt/Routed.h"

namespace tav {

class CanvasWidget : public Routed<QWidget> {
public:
    CanvasWidget(const ViewHandle& handle, const Twips& twips, bool topLevel);

    QtWindowCanvas& Canvas() { return canvas_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Drawn();

    Twips twips_;
    QtWindowCanvas canvas_;
    bool topLevel_;
    QElapsedTimer sinceRepaint_;
};

}  // namespace tav
