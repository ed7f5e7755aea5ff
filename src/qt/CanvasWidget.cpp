#include "qt/CanvasWidget.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/forms/App.h"
#include "platform/forms/Form.h"
#include "qt/QtFormView.h"
#include "qt/QtKeys.h"

namespace tav {

namespace {

Form* FormOf(const ViewHandle& handle) { return handle->view ? &handle->view->form : nullptr; }

}  // namespace

CanvasWidget::CanvasWidget(const ViewHandle& handle, const Twips& twips, bool topLevel)
    : Routed(handle, nullptr, nullptr, topLevel ? Qt::Window : Qt::Widget),
      twips_(twips),
      canvas_(twips),
      topLevel_(topLevel) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.onDrawn = [this] { Drawn(); };
    sinceRepaint_.start();
}

void CanvasWidget::Drawn() {
    update();
    // While a flow of the system holds the event loop, show its drawing now and then anyway.
    Form* form = FormOf(ViewHandleOf());
    if (form && form->app.flow.Running() && isVisible() && sinceRepaint_.elapsed() >= 40) {
        repaint();
        sinceRepaint_.restart();
    }
}

bool CanvasWidget::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // The window itself has the focus: Tab is a key of the window, not a move of the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    if (event->type() == QEvent::WindowActivate && topLevel_) {
        if (Form* form = FormOf(ViewHandleOf())) form->UserActivated();
    }
    return Routed::event(event);
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), canvas_.Image());
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    Routed::resizeEvent(event);
    canvas_.Resize(size(), devicePixelRatioF());
    if (ViewHandleOf()->view) static_cast<QtFormView*>(ViewHandleOf()->view)->ClientResized();
}

void CanvasWidget::moveEvent(QMoveEvent* event) {
    Routed::moveEvent(event);
    if (topLevel_ && ViewHandleOf()->view) static_cast<QtFormView*>(ViewHandleOf()->view)->ReportGeometry();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (Form* form = FormOf(ViewHandleOf())) {
        const QPointF p = event->position();
        form->UserMouseDown(MouseButtons(event->button()), ShiftState(event->modifiers()), twips_.FromPx(p.x()),
                            twips_.FromPx(p.y()));
    }
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (Form* form = FormOf(ViewHandleOf())) {
        const QPointF p = event->position();
        form->UserMouseMove(MouseButtons(event->buttons()), ShiftState(event->modifiers()), twips_.FromPx(p.x()),
                            twips_.FromPx(p.y()));
    }
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    const ViewHandle handle = ViewHandleOf();
    Form* form = FormOf(handle);
    if (!form) return;
    const QPointF p = event->position();
    form->UserMouseUp(MouseButtons(event->button()), ShiftState(event->modifiers()), twips_.FromPx(p.x()),
                      twips_.FromPx(p.y()));
    if (handle->view && event->button() == Qt::LeftButton && rect().contains(p.toPoint())) form->UserClick();
}

void CanvasWidget::closeEvent(QCloseEvent* event) {
    event->ignore();  // the model decides: its Unload handler may refuse
    if (Form* form = FormOf(ViewHandleOf())) form->UserClose();
}

void CanvasWidget::changeEvent(QEvent* event) {
    Routed::changeEvent(event);
    if (topLevel_ && event->type() == QEvent::WindowStateChange) {
        if (Form* form = FormOf(ViewHandleOf())) form->UserWindowState(WindowStateOf(windowState()));
    }
}

}  // namespace tav
