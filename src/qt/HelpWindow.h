#pragma once
// The program's help in a window of its own beside the main window: the help text bundled with
// the program, with its contexts, in a text browser. It opens beside the main window and inside
// the screen, stays open while the operator works and is brought up again, where the operator
// left it, by the next Help > Help; Escape closes it.

#include <QWidget>

class QTextBrowser;

namespace tav {

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
