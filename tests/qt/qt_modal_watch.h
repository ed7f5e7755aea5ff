// What the Qt program tests share to drive the real windows: every message box that comes up is
// noted and answered, and a window or control is found by its object name among the visible ones.

#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <string>
#include <vector>

namespace tav::test {

// Notes each message box and presses `answer` on it; a box without that button (or with no
// answer given) is closed, so that a test never waits on one.
class ModalWatch {
public:
    explicit ModalWatch(QMessageBox::StandardButton answer = QMessageBox::NoButton) {
        QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            texts.push_back(box->text().toStdString());
            QAbstractButton* button = answer == QMessageBox::NoButton ? nullptr : box->button(answer);
            if (button) {
                button->click();
            } else {
                box->close();
            }
        });
        timer_.start(50);
    }
    std::vector<std::string> texts;

private:
    QTimer timer_;
};

// A visible top-level window of that name, or a visible control of that name in one.
inline QWidget* VisibleWidget(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == name && top->isVisible()) return top;
        if (auto* w = top->findChild<QWidget*>(name); w && w->isVisible()) return w;
    }
    return nullptr;
}

}  // namespace tav::test
