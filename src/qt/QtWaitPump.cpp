#include "qt/QtWaitPump.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tav {

namespace {

bool IsOperatorInput(const QEvent* event) {
    if (event->isInputEvent()) return true;  // keys, mouse, wheel, touch, tablet, context menu
    switch (event->type()) {
        case QEvent::Close:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

}  // namespace

void QtWaitPump::ShowDrawing() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

bool QtWaitPump::KeepAlive() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || pumping_) return false;
    pumping_ = true;
    escape_ = false;
    app->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(this);
    pumping_ = false;
    return escape_;
}

bool QtWaitPump::eventFilter(QObject*, QEvent* event) {
    if (!IsOperatorInput(event)) return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        escape_ = true;
    return true;
}

}  // namespace tav
