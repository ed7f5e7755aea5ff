#pragma once
// The program's help in a window of its own beside the main window: the help text bundled with
// the program, with its links, in a text browser. It opens beside the main window and inside
// the screen, stays open while the operator works and is brought up again, where the operator
// left it, by the next Help > Help; Escape closes it.

#include <QRect>
#include <QWidget>

class QTextBrowser;

namespace tav {

// Where a window of the given outer size opens beside `main` and inside `screen`: to its right,
// else to its left, as wide as the room there allows down to minWidth; where neither side has
// that room, at the screen's right edge over the main window. Its top is the main window's,
// moved up as far as the screen needs.
QRect BesideWindow(const QRect& main, QSize size, const QRect& screen, int minWidth);

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // The help text of the program's resources.
    static constexpr const char* HelpText = ":/help/tavolin-help.html";

    HelpWindow();

    // Shows the window at the top of the help and brings it to the front; the first time (or
    // after it was closed) beside the window `beside` (may be nullptr).
    void ShowFromTop(const QWidget* beside);
    QTextBrowser* Browser() const { return browser_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* browser_;
};

}  // namespace tav
