#include "qt/ControlWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <cstdint>

#include "platform/forms/Controls.h"
#include "qt/BundledData.h"
#include "qt/QtFonts.h"
#include "qt/WidgetFit.h"

namespace tav {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Runs an action on the model while the window still exists.
template <class Action>
void IfAlive(const ViewHandle& handle, Action action) {
    if (handle->view) action();
}

// Labels and picture boxes take clicks but not the focus.
template <class Base>
class Clickable : public Base {
public:
    Clickable(ViewHandle handle, std::function<void()> click, std::function<void()> dblClick, QWidget* parent)
        : Base(parent), handle_(std::move(handle)), click_(std::move(click)), dblClick_(std::move(dblClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && this->rect().contains(event->position().toPoint())) {
            IfAlive(handle_, click_);
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && dblClick_) IfAlive(handle_, dblClick_);
    }

private:
    ViewHandle handle_;
    std::function<void()> click_, dblClick_;
};

// A button, check box or option button shows the keyboard focus whenever it has it, as desktop
// programs do; the style alone shows it only once the focus has been moved with Tab.
template <class Base, QStyle::ControlElement Element>
class ShowsFocus : public Base {
public:
    using Base::Base;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        this->initStyleOption(&option);
        if (option.state & QStyle::State_HasFocus) option.state |= QStyle::State_KeyboardFocusChange;
        painter.drawControl(Element, option);
    }
};

// A check box or option button takes a click anywhere in its rectangle, as the toolkit's do.
template <class Base>
class WholeAreaButton : public Routed<Base> {
public:
    using Routed<Base>::Routed;

protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

// A scroll bar the keyboard moves: arrows by the small change, page keys by the large one,
// Home and End to the ends.
class KeyScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Left:
            case Qt::Key_Up: triggerAction(SliderSingleStepSub); break;
            case Qt::Key_Right:
            case Qt::Key_Down: triggerAction(SliderSingleStepAdd); break;
            case Qt::Key_PageUp: triggerAction(SliderPageStepSub); break;
            case Qt::Key_PageDown: triggerAction(SliderPageStepAdd); break;
            case Qt::Key_Home: triggerAction(SliderToMinimum); break;
            case Qt::Key_End: triggerAction(SliderToMaximum); break;
            default: QScrollBar::keyPressEvent(event); return;
        }
        event->accept();
    }
};

// An editable drop-down list types into its own line edit: its keys are routed there, once.
class ComboWidget : public Routed<QComboBox> {
public:
    ComboWidget(const ViewHandle& handle, ComboBox& combo, QWidget* parent) : Routed(handle, &combo, parent) {
        setEditable(combo.Style() == combo::DropDownCombo);
        if (lineEdit()) lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != lineEdit() || event->type() != QEvent::KeyPress) return Routed::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const ViewHandle handle = ViewHandleOf();
        QLineEdit* edit = lineEdit();
        bool delivered = false;
        if (handle->view) {
            RouteKeyToModel(*handle->view, ControlOf(), key, [&](QKeyEvent* k) {
                if (k == key) delivered = true;       // the line edit takes it as it is
                else if (!k->text().isEmpty()) edit->insert(k->text());
            });
        }
        return !delivered;
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (isEditable()) {
            QComboBox::keyPressEvent(event);  // routed in the line edit already
            event->accept();
            return;
        }
        Routed::keyPressEvent(event);
    }
};

void SyncRows(QListWidget& list, const ListControl& model) {
    const std::vector<std::string> rows = model.Rows();
    bool same = list.count() == static_cast<int>(rows.size());
    for (int i = 0; same && i < list.count(); ++i) {
        same = list.item(i)->data(Qt::UserRole).toString() == Q(rows[i]);
    }
    if (!same) {
        list.clear();
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            auto* item = new QListWidgetItem(QString(model.RowDepth(i) * 2, ' ') + Q(rows[i]), &list);
            item->setData(Qt::UserRole, Q(rows[i]));
        }
    }
    const int row = model.ListIndex() - model.FirstRowIndex();
    const bool selected = model.ListIndex() != -1 || model.Kind() == ControlKind::DirListBox;
    if (selected && row >= 0 && row < list.count()) {
        list.setCurrentRow(row);
    } else {
        list.setCurrentRow(-1);
        list.clearSelection();
    }
    list.verticalScrollBar()->setValue(model.TopIndex());
}

void SyncComboRows(QComboBox& box, const ListControl& model) {
    const std::vector<std::string> rows = model.Rows();
    bool same = box.count() == static_cast<int>(rows.size());
    for (int i = 0; same && i < box.count(); ++i) same = box.itemText(i) == Q(rows[i]);
    if (!same) {
        box.clear();
        for (const std::string& row : rows) box.addItem(Q(row));
    }
    box.setCurrentIndex(model.ListIndex());
}

QWidget* MakeListWidget(ListControl& list, const ViewHandle& handle, QWidget* parent) {
    auto* widget = new Routed<QListWidget>(handle, &list, parent);
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(widget, &QListWidget::currentRowChanged, widget, [handle, &list](int row) {
        if (row >= 0) IfAlive(handle, [&] { list.UserSelect(row + list.FirstRowIndex()); });
    });
    QObject::connect(widget, &QListWidget::itemDoubleClicked, widget,
                     [handle, &list](QListWidgetItem*) { IfAlive(handle, [&] { list.UserDblClick(); }); });
    QObject::connect(widget->verticalScrollBar(), &QScrollBar::valueChanged, widget,
                     [handle, &list](int top) { IfAlive(handle, [&] { list.UserTopIndex(top); }); });
    return widget;
}

}  // namespace

QWidget* MakeControlWidget(Control& control, const ViewHandle& handle, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (control.Kind()) {
        case ControlKind::Button: {
            auto& button = static_cast<Button&>(control);
            auto* w = new Routed<ShowsFocus<QPushButton, QStyle::CE_PushButton>>(handle, &control, parent);
            w->setAutoDefault(false);
            QObject::connect(w, &QPushButton::clicked, w, [handle, &button] { IfAlive(handle, [&] { button.UserClick(); }); });
            widget = w;
            break;
        }
        case ControlKind::Label: {
            auto& label = static_cast<Label&>(control);
            auto* w = new Clickable<QLabel>(handle, [&label] { label.UserClick(); }, [&label] { label.UserDblClick(); }, parent);
            w->setWordWrap(true);
            w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = w;
            break;
        }
        case ControlKind::TextBox: {
            auto& box = static_cast<TextBox&>(control);
            auto* w = new Routed<QLineEdit>(handle, &control, parent);
            w->setProperty("tavSelection", -1);
            QObject::connect(w, &QLineEdit::textEdited, w, [handle, &box](const QString& text) {
                IfAlive(handle, [&] { box.UserEdit(text.toStdString()); });
            });
            QObject::connect(w, &QLineEdit::selectionChanged, w, [handle, &box, w] {
                IfAlive(handle, [&] {
                    const int start = w->hasSelectedText() ? w->selectionStart() : w->cursorPosition();
                    box.UserSelect(start, static_cast<int>(w->selectedText().size()));
                });
            });
            QObject::connect(w, &QLineEdit::cursorPositionChanged, w, [handle, &box, w](int, int position) {
                IfAlive(handle, [&] { if (!w->hasSelectedText()) box.UserSelect(position, 0); });
            });
            widget = w;
            break;
        }
        case ControlKind::CheckBox: {
            auto& check = static_cast<CheckBox&>(control);
            auto* w = new WholeAreaButton<ShowsFocus<QCheckBox, QStyle::CE_CheckBox>>(handle, &control, parent);
            QObject::connect(w, &QCheckBox::clicked, w, [handle, &check] { IfAlive(handle, [&] { check.UserClick(); }); });
            widget = w;
            break;
        }
        case ControlKind::OptionButton: {
            auto& option = static_cast<OptionButton&>(control);
            auto* w = new WholeAreaButton<ShowsFocus<QRadioButton, QStyle::CE_RadioButton>>(handle, &control, parent);
            w->setAutoExclusive(false);  // the model keeps the options of a container exclusive
            QObject::connect(w, &QRadioButton::clicked, w, [handle, &option] { IfAlive(handle, [&] { option.UserClick(); }); });
            widget = w;
            break;
        }
        case ControlKind::HScrollBar: {
            auto& bar = static_cast<HScrollBar&>(control);
            auto* w = new Routed<KeyScrollBar>(handle, &control, Qt::Horizontal, parent);
            w->setTracking(false);  // Change when the bar stops, not while it is dragged
            w->setFocusPolicy(Qt::StrongFocus);
            QObject::connect(w, &QScrollBar::valueChanged, w, [handle, &bar](int value) {
                IfAlive(handle, [&] { bar.UserScroll(value); });
            });
            widget = w;
            break;
        }
        case ControlKind::ListBox:
        case ControlKind::DirListBox:
        case ControlKind::FileListBox:
            widget = MakeListWidget(static_cast<ListControl&>(control), handle, parent);
            break;
        case ControlKind::ComboBox:
        case ControlKind::DriveListBox: {
            auto& list = static_cast<ListControl&>(control);
            QComboBox* w = nullptr;
            if (control.Kind() == ControlKind::ComboBox) {
                auto& combo = static_cast<ComboBox&>(control);
                w = new ComboWidget(handle, combo, parent);
                if (QLineEdit* edit = w->lineEdit()) {
                    QObject::connect(edit, &QLineEdit::textEdited, w, [handle, &combo](const QString& text) {
                        IfAlive(handle, [&] { combo.UserEdit(text.toStdString()); });
                    });
                }
            } else {
                w = new Routed<QComboBox>(handle, &control, parent);
            }
            QObject::connect(w, &QComboBox::activated, w, [handle, &list](int index) {
                IfAlive(handle, [&] { list.UserSelect(index); });
            });
            widget = w;
            break;
        }
        case ControlKind::Frame:
            widget = new QGroupBox(parent);
            break;
        case ControlKind::PictureBox: {
            auto& picture = static_cast<PictureBox&>(control);
            widget = new Clickable<QLabel>(handle, [&picture] { picture.UserClick(); }, nullptr, parent);
            break;
        }
        case ControlKind::Timer:
        case ControlKind::MenuItem:
        case ControlKind::CommonDialog:
            return nullptr;
    }
    widget->setObjectName(Q(control.Name()));
    return widget;
}

void SyncControlWidget(Control& control, QWidget& widget) {
    const QSignalBlocker blocker(&widget);
    widget.setEnabled(control.Enabled());
    widget.setFont(WidgetFont(control.FontName(), control.FontSize(), control.FontBold()));
    if (widget.isVisibleTo(widget.parentWidget()) != control.Visible()) widget.setVisible(control.Visible());

    switch (control.Kind()) {
        case ControlKind::Button:
            static_cast<QPushButton&>(widget).setText(Q(static_cast<Button&>(control).Caption()));
            break;
        case ControlKind::Label: {
            auto& label = static_cast<QLabel&>(widget);
            label.setText(LabelText(static_cast<Label&>(control).Caption(), label.buddy() != nullptr));
            break;
        }
        case ControlKind::TextBox: {
            auto& box = static_cast<TextBox&>(control);
            auto& edit = static_cast<QLineEdit&>(widget);
            // Setting the length or the text sets the text anew, which forgets what Ctrl+Z undoes.
            const int maxLength = box.MaxLength() > 0 ? box.MaxLength() : 32767;
            if (edit.maxLength() != maxLength) edit.setMaxLength(maxLength);
            if (edit.text() != Q(box.Text())) edit.setText(Q(box.Text()));
            if (edit.property("tavSelection").toInt() != box.SelectionRevision()) {
                edit.setProperty("tavSelection", box.SelectionRevision());
                if (box.SelLength() > 0) edit.setSelection(box.SelStart(), box.SelLength());
                else edit.setCursorPosition(box.SelStart());
            }
            break;
        }
        case ControlKind::CheckBox: {
            auto& check = static_cast<CheckBox&>(control);
            static_cast<QCheckBox&>(widget).setText(Q(check.Caption()));
            static_cast<QCheckBox&>(widget).setChecked(check.Value() != 0);
            break;
        }
        case ControlKind::OptionButton: {
            auto& option = static_cast<OptionButton&>(control);
            static_cast<QRadioButton&>(widget).setText(Q(option.Caption()));
            static_cast<QRadioButton&>(widget).setChecked(option.Value());
            break;
        }
        case ControlKind::HScrollBar: {
            auto& bar = static_cast<HScrollBar&>(control);
            auto& w = static_cast<QScrollBar&>(widget);
            w.setRange(std::min(bar.Min(), bar.Max()), std::max(bar.Min(), bar.Max()));
            w.setSingleStep(bar.SmallChange());
            w.setPageStep(bar.LargeChange());
            w.setValue(bar.Value());
            break;
        }
        case ControlKind::ListBox:
        case ControlKind::DirListBox:
        case ControlKind::FileListBox:
            SyncRows(static_cast<QListWidget&>(widget), static_cast<ListControl&>(control));
            break;
        case ControlKind::ComboBox: {
            auto& combo = static_cast<ComboBox&>(control);
            auto& box = static_cast<QComboBox&>(widget);
            SyncComboRows(box, combo);
            if (box.isEditable() && box.currentText() != Q(combo.Text())) box.setEditText(Q(combo.Text()));
            break;
        }
        case ControlKind::DriveListBox:
            SyncComboRows(static_cast<QComboBox&>(widget), static_cast<ListControl&>(control));
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox&>(widget).setTitle(LabelText(static_cast<Frame&>(control).Caption(), false));
            break;
        case ControlKind::PictureBox: {
            auto& picture = static_cast<PictureBox&>(control);
            auto& label = static_cast<QLabel&>(widget);
            if (label.property("tavPicture").toString() != Q(picture.Picture())) {
                label.setProperty("tavPicture", Q(picture.Picture()));
                label.setPixmap(picture.Picture().empty() ? QPixmap() : LoadPicture(Q(picture.Picture())));
                // A picture fills its box, which its window may have made smaller than the picture.
                label.setScaledContents(!picture.Picture().empty());
            }
            break;
        }
        case ControlKind::Timer:
        case ControlKind::MenuItem:
        case ControlKind::CommonDialog:
            break;
    }
}

std::string LayoutKey(const Control& control) {
    std::string key;
    for (float v : {control.Left(), control.Top(), control.Width(), control.Height(), control.FontSize()}) {
        key += std::to_string(v) + ',';
    }
    key += control.FontName() + (control.FontBold() ? ",b" : ",") + (control.Visible() ? ",v," : ",,");
    key += std::to_string(reinterpret_cast<std::uintptr_t>(control.Container())) + ',';
    const auto join = [&key](const std::vector<std::string>& texts) {
        for (const std::string& text : texts) key += text + '\n';
    };
    switch (control.Kind()) {
        case ControlKind::Button: key += static_cast<const Button&>(control).Caption(); break;
        case ControlKind::Label: key += static_cast<const Label&>(control).Caption(); break;
        case ControlKind::CheckBox: key += static_cast<const CheckBox&>(control).Caption(); break;
        case ControlKind::OptionButton: key += static_cast<const OptionButton&>(control).Caption(); break;
        case ControlKind::Frame: key += static_cast<const Frame&>(control).Caption(); break;
        case ControlKind::TextBox: join(static_cast<const TextBox&>(control).WidestTexts()); break;
        case ControlKind::ComboBox:
        case ControlKind::DriveListBox: join(static_cast<const ListControl&>(control).Rows()); break;
        default: break;
    }
    return key;
}

}  // namespace tav
