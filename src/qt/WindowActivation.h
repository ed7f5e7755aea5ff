#pragma once
// Brings the program's top-level windows to the front and gives them the focus, as the models
// ask. A window that is not on the screen yet is activated once it is there; under a window
// manager that comes later, when the program may meanwhile have asked for another window. Only
// the last request counts, so a request carried out late never takes the focus from the window
// asked for after it (at start-up the main window's would close the welcome window).

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace tav {

class WindowActivation : public QObject {
public:
    void Activate(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QWindow* handle);

    QPointer<QWidget> wanted_;
    QPointer<QWindow> watched_;
};

}  // namespace tav
