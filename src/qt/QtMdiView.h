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

protected:
    QWidget* Window() const override { return window_; }
    QWidget* FormFocusWidget() const override { return area_; }
    void BringToFront() override;
    void ApplyGeometry() override;
    void ApplyVisibility() override;
    void ApplyState() override;

private:

    MdiForm& mdi_;
    QPointer<QMainWindow> window_;
    QPointer<QMdiArea> area_;
    QPointer<QWidget> strips_;
    // The main window draws nothing; its surface is the size of the child area.
    QtWindowCanvas canvas_;
    std::unique_ptr<QtMenus> menus_;
    bool applying_ = false;
};

}  // namespace tav
