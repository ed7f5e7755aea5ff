#pragma once
// The view of a plain window: a sub-window of the main window's child area for a child window,
// a top-level window otherwise (modeless). Its client area is a CanvasWidget.
//
// A top-level window is a dialog of the window it belongs to (the main window, or the dialog
// the operator worked in when it opened): the window manager keeps it above that window. It
// opens over the main window, or beside the dialog it belongs to, inside the screen, and at
// least as wide as its title needs.

#include <QMdiSubWindow>
#include <QPointer>

#include "qt/CanvasWidget.h"
#include "qt/QtViewBase.h"

class QMdiArea;

namespace tav {

class QtFormView : public QtViewBase {
public:
    // area: the main window's child area for a child window, nullptr for a top-level window.
    QtFormView(QtHost& host, Form& form, QMdiArea* area);
    ~QtFormView() override;

    Canvas& Surface() override { return canvas_->Canvas(); }
    void FormChanged(FormAspect aspect) override;

    // Called by the widgets.
    void ClientResized();
    void ReportGeometry() override;
    QMdiSubWindow* SubWindow() const { return sub_; }

protected:
    QWidget* Window() const override;
    QWidget* FormFocusWidget() const override { return canvas_; }
    void BringToFront() override;
    void ApplyGeometry() override;
    void ApplyVisibility() override;
    void ApplyState() override;
    void LaidOut(QSize growth) override;

private:
    // The frame of a sub-window around its client area, in pixels.
    QSize SubWindowFrame() const;
    // Before a top-level window first shows: whose dialog it is, and where it opens.
    void OpenOverOwner();

    QPointer<CanvasWidget> canvas_;
    QPointer<QMdiSubWindow> sub_;
    QPointer<QMdiArea> area_;
    bool applying_ = false;
    bool built_ = false;
    bool placed_ = false;  // a top-level window opened over its owner once
    QSize growth_{0, 0};  // what the controls' text added to the design size
};

}  // namespace tav
