#pragma once
// The front end's side of the system's waits (FormHost::ShowDrawing and KeepAlive).
//
// ShowDrawing paints the windows whose drawing is pending, and nothing else. KeepAlive runs the
// event loop once with every operator input held off: keys, mouse, wheel, touch and close
// requests are swallowed, so none reaches the program in the middle of a flow, while paint,
// expose and the window manager's messages are answered. It notes Escape among the swallowed
// keys.

#include <QObject>

namespace tav {

class QtWaitPump : public QObject {
public:
    void ShowDrawing();
    // True when Escape was pressed during this call.
    bool KeepAlive();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool escape_ = false;
    bool pumping_ = false;
};

}  // namespace tav
