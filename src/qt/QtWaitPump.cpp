#include "qt/QtWaitPump.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

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

bool QtWaitPump::Pump() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || pumping_) return false;
    pumping_ = true;
    escape_ = closeAsked_ = false;
    app->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(this);
    pumping_ = false;
    // Handed on outside the event delivery: ending the program closes the dialogs and stops the
    // waits.
    if (closeAsked_ && onCloseRequest) onCloseRequest();
    return true;
}

bool QtWaitPump::KeepAlive() {
    if (ending_) return true;
    if (!Pump()) return false;
    return escape_ || closeAsked_ || ending_;
}

void QtWaitPump::TakePendingInput() {
    if (!ending_) Pump();
}

void QtWaitPump::ReplayKeys() {
    if (pumping_) return;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> keys;
    keys.swap(keys_);
    for (auto& [target, key] : keys) {
        if (target) QCoreApplication::postEvent(target, key.release());
    }
}

bool QtWaitPump::IsMainWindow(const QObject* watched) const {
    if (!main_) return false;
    return watched == main_ || watched == main_->windowHandle();
}

bool QtWaitPump::eventFilter(QObject* watched, QEvent* event) {
    if (!IsOperatorInput(event)) return false;
    if (event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            escape_ = true;
            ++escapes_;
            keys_.clear();
        } else if (!ending_) {
            keys_.emplace_back(watched, event->clone());
        }
    }
    if (event->type() == QEvent::Close && IsMainWindow(watched)) closeAsked_ = true;
    return true;
}

}  // namespace tav
