// A desktop for one test: an Xvfb display of its own with the openbox window manager on it, and
// the test's QApplication on that display (Qt's xcb platform), for the faults that show only
// where a window manager places, stacks, decorates and activates the windows. Openbox runs with
// a private home and configuration folder. Where Xvfb or openbox is missing or cannot start,
// Ready() is false and Why() says why, so that the test can skip with that reason.

#pragma once

#include <QApplication>
#include <QWidget>

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/TempDir.h"

namespace tav::test {

class WindowManagerScope {
public:
    // A screen of this many device pixels at this scale factor (QT_SCALE_FACTOR).
    explicit WindowManagerScope(int width = 1280, int height = 1024, int scale = 1);
    ~WindowManagerScope();
    WindowManagerScope(const WindowManagerScope&) = delete;
    WindowManagerScope& operator=(const WindowManagerScope&) = delete;

    bool Ready() const { return why_.empty(); }
    const std::string& Why() const { return why_; }

private:
    bool StartDisplay(const std::string& xvfb, int width, int height);
    bool StartWindowManager(const std::string& openbox);
    void Set(const std::string& name, const std::string& value);

    TempDir dir_;
    pid_t display_ = -1, manager_ = -1;
    std::string displayName_;
    std::string why_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    int argc_ = 1;
    char name_[8] = "test_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

// Runs the event loop for this long, so that the window manager's answers arrive.
void Settle(int milliseconds);

// The window the operator sees at this point of the screen: the top one there, as the X server
// stacks them (nullptr: none of the program's).
QWidget* TopWindowAt(QPoint global);

}  // namespace tav::test
