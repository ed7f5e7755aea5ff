#include "qt/QtFormView.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QWindow>

#include "platform/forms/Controls.h"
#include "qt/FrameWindow.h"
#include "qt/QtHost.h"
#include "qt/WidgetFit.h"

namespace tav {

QtFormView::QtFormView(QtHost& host, Form& form, QMdiArea* area) : QtViewBase(host, form), area_(area) {
    canvas_ = new CanvasWidget(handle_, host.Scale(), area == nullptr);
    canvas_->setObjectName(QString::fromStdString(form.Name()));
    if (area) {
        sub_ = new FrameWindow<QMdiSubWindow>(handle_);
        sub_->setAttribute(Qt::WA_DeleteOnClose, false);
        sub_->setWidget(canvas_);
        sub_->setObjectName(QString::fromStdString(form.Name()) + "Window");
        area->addSubWindow(sub_);
        sub_->hide();
        host.RegisterSubWindow(sub_, this);
    }
    BuildControls([this](Control&) -> QWidget* { return canvas_; });
    bool focusable = false;
    for (Control* control : form.Controls()) focusable = focusable || control->CanFocus();
    // The window takes the focus itself only when no control can (as the spectrum window).
    canvas_->setFocusPolicy(focusable ? Qt::ClickFocus : Qt::StrongFocus);
    Window()->setWindowTitle(QString::fromStdString(form.Caption()));
    // A top-level window is a dialog: the window system keeps it above the window it belongs to.
    const Qt::WindowFlags kind = sub_ ? Qt::SubWindow : Qt::Dialog;
    if (form.BorderStyle() != border::Sizable) {
        Qt::WindowFlags flags = kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        if (form.BorderStyle() == border::FixedSingle) flags |= Qt::WindowMinimizeButtonHint;
        if (form.BorderStyle() == border::None) flags = kind | Qt::FramelessWindowHint;
        Window()->setWindowFlags(flags);
    } else if (!sub_) {
        Window()->setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    }
    built_ = true;
    ApplyGeometry();
}

void QtFormView::LaidOut(QSize growth) {
    if (growth == growth_) return;
    growth_ = growth;
    canvas_->Canvas().SetGrowth(growth);
    if (built_) ApplyGeometry();
}

QtFormView::~QtFormView() {
    if (sub_) {
        host.UnregisterSubWindow(sub_);
        sub_->hide();
        sub_->deleteLater();
    } else if (canvas_) {
        canvas_->hide();
        canvas_->deleteLater();
    }
}

QWidget* QtFormView::Window() const {
    if (sub_) return sub_;
    return canvas_;
}

void QtFormView::ApplyVisibility() {
    if (form.Visible()) {
        ApplyState();
        if (!Window()->isVisible()) {
            if (!sub_ && !placed_) OpenOverOwner();
            Window()->show();
            if (!sub_ && form.WindowState() == winstate::Normal) KeepOnScreen(*canvas_);
        }
    } else {
        Window()->hide();
    }
}

void QtFormView::ApplyGeometry() {
    if (form.WindowState() != winstate::Normal) return;
    QRect outer = host.Scale().ToPx(form.Left(), form.Top(), form.Width(), form.Height());
    outer.setSize(outer.size() + growth_);
    const bool fixed = form.BorderStyle() != border::Sizable;
    applying_ = true;
    if (sub_) {
        if (fixed) sub_->setFixedSize(outer.size());
        sub_->setGeometry(outer);
        // A hidden sub-window lays out its client area only when shown: size it now.
        if (!sub_->isVisible()) canvas_->resize((outer.size() - SubWindowFrame()).expandedTo(QSize(1, 1)));
    } else {
        // The window manager's title bar shows the whole caption.
        outer.setWidth(std::max(outer.width(), TitleBarWidth(form.Caption())));
        outer = OnScreen(outer, *canvas_);
        const QSize client = (outer.size() - (canvas_->frameGeometry().size() - canvas_->size())).expandedTo(QSize(1, 1));
        canvas_->move(outer.topLeft());
        if (fixed) canvas_->setFixedSize(client);
        canvas_->resize(client);
    }
    if (!Window()->isVisible()) canvas_->Canvas().Resize(canvas_->size(), canvas_->devicePixelRatioF());
    applying_ = false;
    ReportGeometry();  // what the window system made of it, in the model's units
}

void QtFormView::FormChanged(FormAspect aspect) {
    QtViewBase::FormChanged(aspect);
    if (aspect == FormAspect::Caption && !sub_ && built_ && !Dead()) ApplyGeometry();
}

void QtFormView::OpenOverOwner() {
    placed_ = true;
    QWidget* owner = host.OwnerFor(form);
    if (!owner || owner == canvas_ || !owner->windowHandle()) return;
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen && form.WindowState() == winstate::Normal) {
        const QRect ownerFrame = owner->frameGeometry();
        QRect outer = canvas_->frameGeometry();
        if (host.IsMainWindow(owner)) {
            outer.moveCenter(ownerFrame.center());
        } else {
            // Beside the dialog it belongs to, which stays in sight.
            outer = BesideWindow(ownerFrame, outer.size(), screen->availableGeometry(), outer.width());
        }
        // Moved before its native window is made, the place is that of its frame.
        canvas_->move(OnScreen(outer, *canvas_).topLeft());
        ReportGeometry();
    }
    canvas_->winId();  // the native window, to carry its owner from the start
    if (QWindow* handle = canvas_->windowHandle()) handle->setTransientParent(owner->windowHandle());
}

QSize QtFormView::SubWindowFrame() const {
    if (sub_->widget() && sub_->isVisible()) return sub_->size() - sub_->widget()->size();
    const QStyle* style = sub_->style();
    QStyleOptionTitleBar bar;
    bar.initFrom(sub_);
    const int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub_);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, &bar, sub_);
    return QSize(2 * frame, title + frame);
}

void QtFormView::ApplyState() {
    applying_ = true;
    ApplyWindowState(*Window(), form.WindowState());
    applying_ = false;
}

void QtFormView::BringToFront() {
    if (Dead() || !form.Visible()) return;
    if (sub_ && area_) {
        if (area_->activeSubWindow() != sub_) area_->setActiveSubWindow(sub_);
        sub_->raise();
    } else if (canvas_) {
        host.Activate(*canvas_);
    }
}

void QtFormView::ClientResized() {
    if (Dead()) return;
    ReportGeometry();
    form.UserClientResized();
}

void QtFormView::ReportGeometry() {
    if (applying_ || Dead()) return;
    QWidget* window = Window();
    if (!window || WindowStateOf(window->windowState()) != form.WindowState()) return;
    QRect outer = sub_ ? sub_->geometry() : canvas_->frameGeometry();
    outer.setSize(outer.size() - growth_);
    const Twips& twips = host.Scale();
    // Unchanged pixels keep the model's exact twips (no rounding drift).
    if (form.WindowState() == winstate::Normal &&
        outer != twips.ToPx(form.Left(), form.Top(), form.Width(), form.Height())) {
        form.UserMoved(twips.FromPx(outer.x()), twips.FromPx(outer.y()));
        form.UserResized(twips.FromPx(outer.width()), twips.FromPx(outer.height()));
    }
    canvas_->Canvas().SetOuterSize(twips.FromPx(outer.width()), twips.FromPx(outer.height()));
}

}  // namespace tav
