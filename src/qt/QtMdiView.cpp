#include "qt/QtMdiView.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/forms/App.h"
#include "platform/forms/Controls.h"
#include "qt/ControlLayout.h"
#include "qt/FrameWindow.h"
#include "qt/QtFormView.h"
#include "qt/QtHost.h"

namespace tav {

namespace {

class MainWindowWidget : public FrameWindow<QMainWindow> {
public:
    using FrameWindow::FrameWindow;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && handle()->view) handle()->view->form.UserActivated();
        return FrameWindow::event(event);
    }
};

// The child area: its size is the main window's client area; a click on its empty part is the
// main window's Click.
class ChildArea : public QMdiArea {
public:
    explicit ChildArea(ViewHandle handle) : handle_(std::move(handle)) {}

protected:
    void resizeEvent(QResizeEvent* event) override {
        QMdiArea::resizeEvent(event);
        if (handle_->view) static_cast<QtMdiView*>(handle_->view)->ClientAreaResized();
    }
    bool viewportEvent(QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && handle_->view) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) handle_->view->form.UserClick();
        }
        return QMdiArea::viewportEvent(event);
    }

private:
    ViewHandle handle_;
};

// The strips follow the width of the main window.
class StripWatch : public QObject {
public:
    StripWatch(ViewHandle handle, QObject* parent) : QObject(parent), handle_(std::move(handle)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && handle_->view) static_cast<QtMdiView*>(handle_->view)->LayoutStrips();
        return QObject::eventFilter(watched, event);
    }

private:
    ViewHandle handle_;
};

}  // namespace

QtMdiView::QtMdiView(QtHost& host, MdiForm& form) : QtViewBase(host, form), mdi_(form), canvas_(host.Scale()) {
    window_ = new MainWindowWidget(handle_);
    window_->setObjectName(QString::fromStdString(form.Name()));
    auto* central = new QWidget(window_);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    strips_ = new QWidget(central);
    auto* stripLayout = new QVBoxLayout(strips_);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(0);
    area_ = new ChildArea(handle_);
    area_->setObjectName(QString::fromStdString(form.Name()) + "Area");
    layout->addWidget(strips_);
    layout->addWidget(area_, 1);
    window_->setCentralWidget(central);
    host.SetMdiArea(area_);

    BuildControls([this](Control&) -> QWidget* { return strips_; });
    for (Control* control : form.Controls()) {
        if (ControlLayout::IsStrip(*control)) stripLayout->addWidget(WidgetOf(control));
        // The strip's buttons act as a tool bar's do: they never hold the keyboard focus.
        if (control->Kind() != ControlKind::Button) continue;
        if (auto* button = qobject_cast<QPushButton*>(WidgetOf(control))) {
            button->setFocusPolicy(Qt::NoFocus);
            const ViewHandle handle = handle_;
            QObject::connect(button, &QPushButton::clicked, button, [handle] {
                if (handle->view) static_cast<QtMdiView*>(handle->view)->KeepFocusInChildWindow();
            });
        }
    }
    strips_->installEventFilter(new StripWatch(handle_, strips_));
    menus_ = std::make_unique<QtMenus>(form, handle_, *window_->menuBar());

    const ViewHandle handle = handle_;
    QObject::connect(area_, &QMdiArea::subWindowActivated, area_, [handle, &host](QMdiSubWindow* sub) {
        if (!handle->view || !sub) return;
        if (QtFormView* child = host.ViewOfSubWindow(sub)) child->form.UserActivated();
    });
    window_->setWindowTitle(QString::fromStdString(form.Caption()));
    built_ = true;
    LayoutStrips();
    ApplyGeometry();
}

void QtMdiView::LaidOut(QSize) { LayoutStrips(); }

void QtMdiView::LayoutStrips() { LayoutStripsAt(strips_ ? strips_->width() : 0); }

void QtMdiView::LayoutStripsAt(int width) {
    if (Dead() || !strips_) return;
    ControlLayout layout(host.Scale(), [this](Control* control) { return WidgetOf(control); });
    int oneRow = 0;
    for (Control* control : form.Controls()) {
        QWidget* strip = ControlLayout::IsStrip(*control) ? WidgetOf(control) : nullptr;
        if (!strip) continue;
        const StripPlacement placed = layout.PlaceStrip(*control, form.Controls(), width);
        if (strip->height() != placed.height || strip->minimumHeight() != placed.height) strip->setFixedHeight(placed.height);
        strip->setMinimumWidth(placed.widestColumn);
        oneRow = std::max(oneRow, placed.oneRowWidth);
    }
    if (oneRow == stripWidth_) return;
    stripWidth_ = oneRow;
    if (built_ && !window_->isVisible()) ApplyGeometry();
}

void QtMdiView::KeepFocusInChildWindow() {
    if (Dead() || !area_ || form.app.flow.Running()) return;  // the click itself was dropped
    const QWidget* focus = QApplication::focusWidget();
    if (focus && area_->isAncestorOf(focus)) return;
    Form* child = mdi_.ActiveForm();
    if (child && child->Visible()) child->SetFocus();
}

QtMdiView::~QtMdiView() {
    host.SetMdiArea(nullptr);
    menus_.reset();
    if (window_) {
        window_->hide();
        window_->deleteLater();
    }
}

void QtMdiView::ControlChanged(Control& control) {
    if (control.Kind() == ControlKind::MenuItem) {
        if (menus_ && !Dead()) menus_->Sync(static_cast<MenuItem&>(control));
        return;
    }
    QtViewBase::ControlChanged(control);
}

void QtMdiView::BringToFront() {
    if (Dead() || !window_ || !form.Visible()) return;
    host.Activate(*window_);
}

void QtMdiView::ApplyGeometry() {
    if (form.WindowState() != winstate::Normal) return;
    QRect outer = host.Scale().ToPx(form.Left(), form.Top(), form.Width(), form.Height());
    const QSize frame = window_->frameGeometry().size() - window_->size();
    // Wide enough for the tool strips in one row, as far as the screen allows.
    outer.setWidth(std::max(outer.width(), stripWidth_ + frame.width()));
    outer = OnScreen(outer, *window_);
    const QSize inner = (outer.size() - frame).expandedTo(QSize(1, 1));
    // The strips' rows for the new width first, so that the window's layout does not make
    // room for the rows of a narrower one.
    LayoutStripsAt(inner.width());
    applying_ = true;
    window_->move(outer.topLeft());
    window_->resize(inner);
    applying_ = false;
    // Before the window is shown the child area has no size of its own yet: lay it out now, so
    // that child windows can be placed and tiled from the start.
    if (!window_->isVisible()) {
        window_->layout()->activate();
        if (QLayout* central = window_->centralWidget()->layout()) central->activate();
        ClientAreaResized();
    }
}

void QtMdiView::ApplyVisibility() {
    window_->setVisible(form.Visible());
    if (form.Visible() && form.WindowState() == winstate::Normal) KeepOnScreen(*window_);
}

void QtMdiView::ApplyState() { ApplyWindowState(*window_, form.WindowState()); }

void QtMdiView::ReportGeometry() {
    if (applying_ || Dead() || !window_ || form.WindowState() != winstate::Normal) return;
    const QRect outer = window_->frameGeometry();
    const Twips& twips = host.Scale();
    if (outer == twips.ToPx(form.Left(), form.Top(), form.Width(), form.Height())) return;
    form.UserMoved(twips.FromPx(outer.x()), twips.FromPx(outer.y()));
    form.UserResized(twips.FromPx(outer.width()), twips.FromPx(outer.height()));
}

void QtMdiView::ClientAreaResized() {
    if (Dead() || !area_) return;
    const QSize size = area_->isVisible() ? area_->viewport()->size()
                                          : area_->size() - QSize(2, 2) * area_->frameWidth();
    const Twips& twips = host.Scale();
    mdi_.UserClientArea(twips.FromPx(size.width()), twips.FromPx(size.height()));
    canvas_.Resize(size, 1.0);
    form.UserClientResized();
}

}  // namespace tav
