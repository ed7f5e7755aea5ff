// What the tests of the whole program on the Qt front end share: a watch that notes and closes
// every message box, so that no test waits on one, and the look-up of a visible widget by name.

#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <string>
#include <vector>

namespace tav::test {

class ModalWatch {
public:
    ModalWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text().toStdString());
                box->close();
            }
        });
        timer_.start(50);
    }
    std::vector<std::string> texts;

private:
    QTimer timer_;
};

// A visible top-level window, or a visible widget inside one, by its object name.
inline QWidget* VisibleWidget(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == name && top->isVisible()) return top;
        if (auto* w = top->findChild<QWidget*>(name); w && w->isVisible()) return w;
    }
    return nullptr;
}

}  // namespace tav::test
