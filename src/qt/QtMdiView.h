#pragma once
// The view of the main window: a QMainWindow with the menu bar, the tool strips (picture boxes
// aligned to the top) above a QMdiArea that holds the child windows.

#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <memory>

#include "qt/QtMenus.h"
#include "qt/QtViewBase.h"
#include "qt/QtWindowCanvas.h"

namespace tav {

class MdiForm;

class QtMdiView : public QtViewBase {
public:
    QtMdiView(QtHost& host, MdiForm& form);
    ~QtMdiView() override;

    Canvas& Surface() override { return canvas_; }
    void ControlChanged(Control& control) override;

    QMdiArea* Area() const { return area_; }
    QMainWindow* MainWindow() const { return window_; }

    // Called by the widgets.
    void ClientAreaResized();
    void ReportGeometry() override;
    // Places the tool strips' controls in rows of the window's width (or of the given one).
    void LayoutStrips();
    void LayoutStripsAt(int width);

protected:
    QWidget* Window() const override { return window_; }
    QWidget* FormFocusWidget() const override { return area_; }
    void BringToFront() override;
    void ApplyGeometry() override;
    void ApplyVisibility() override;
    void ApplyState() override;
    void LaidOut(QSize growth) override;

private:
    // A click on a tool-strip button leaves the keyboard focus in the active child window.
    void KeepFocusInChildWindow();

    MdiForm& mdi_;
    QPointer<QMainWindow> window_;
    QPointer<QMdiArea> area_;
    QPointer<QWidget> strips_;
    // The main window draws nothing; its surface is the size of the child area.
    QtWindowCanvas canvas_;
    std::unique_ptr<QtMenus> menus_;
    bool applying_ = false;
    bool built_ = false;
    int stripWidth_ = 0;  // the main window's width that holds each tool strip in one row
};

}  // namespace tav
