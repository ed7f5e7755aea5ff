#pragma once
// The front end's side of the system's waits (FormHost::ShowDrawing and KeepAlive).
//
// ShowDrawing paints the windows whose drawing is pending, and nothing else. KeepAlive runs the
// event loop once with every operator input held off: keys, mouse, wheel, touch and close
// requests are swallowed, so none reaches the program in the middle of a flow, while paint,
// expose, resize and the window manager's messages are answered. It notes Escape among the
// swallowed keys, and keeps the other key presses, in order, for ReplayKeys to hand to the
// windows once the flow is done; an Escape drops the keys kept before it. A close request for the
// main window is not lost: it gives the wait up as Escape does and is handed on, to end the
// program once the flow is done; and once the program is ending, every wait is given up at once
// and no key is kept.
//
// TakePendingInput does what KeepAlive does, for the moment before a flow's box comes up: a key
// still queued then would go to a window that the box blocks, and be lost.

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tav {

class QtWaitPump : public QObject {
public:
    void ShowDrawing();
    // True when Escape was pressed or the main window's close was asked for during this call,
    // and on every call once the program is ending.
    bool KeepAlive();
    void TakePendingInput();
    // Escape presses swallowed so far.
    int Escapes() const { return escapes_; }
    // Hands the kept key presses to the windows they were meant for (those still there).
    void ReplayKeys();

    // The window whose close box ends the program.
    void SetMainWindow(QWidget* window) { main_ = window; }
    // Asked to end the program: the main window's close box was used during a wait.
    std::function<void()> onCloseRequest;
    // The program is ending: from now on each wait is given up at once.
    void EndWaits() {
        ending_ = true;
        keys_.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the event loop once with the operator's input held off; false when it cannot run now.
    bool Pump();
    bool IsMainWindow(const QObject* watched) const;

    QPointer<QWidget> main_;
    bool escape_ = false;
    bool closeAsked_ = false;
    bool pumping_ = false;
    bool ending_ = false;
    int escapes_ = 0;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> keys_;
};

}  // namespace tav
