// Every control of every window shows its whole text at 96 dpi and at twice the scale: the
// buttons', labels' and frames' captions, the boxes' widest values, the check boxes' and option
// buttons' whole box or circle, a long folder path in the folder read-outs; no control is cut
// by its container or covers a neighbour it does not cover in its design. The main window and
// the dialogs open inside the screen's available area, each dialog wide enough for its title.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Controls.h"
#include "qt_screen.h"
#include "qt_test_app.h"
#include "windows/AboutForm.h"
#include "windows/BandDefsForm.h"
#include "windows/EraseForm.h"
#include "windows/FileAverageForm.h"
#include "windows/GetFileName.h"
#include "windows/IndexForm.h"
#include "windows/InstrumentForm.h"
#include "windows/KineticDefsForm.h"
#include "windows/KineticForms.h"
#include "windows/MainWindowWorld.h"
#include "windows/MenuForm.h"
#include "windows/PrinterForm.h"
#include "windows/PrinterOptionsForm.h"
#include "windows/RefCalFileForm.h"
#include "windows/SetDirectoryForm.h"
#include "windows/SetScaleForm.h"
#include "windows/SettingsForm.h"
#include "windows/TransDlgForm.h"

namespace tav {
namespace {

QString Shown(QString text) { return text.remove(QChar(0x200B)); }

// The widget of a control of the window at root, not looking into the child area of the main
// window (the child windows reuse the main window's control names).
QWidget* ControlWidget(QWidget* root, const QString& name) {
    for (QObject* child : root->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || qobject_cast<QMdiArea*>(widget)) continue;
        if (widget->objectName() == name) return widget;
        if (QWidget* found = ControlWidget(widget, name)) return found;
    }
    return nullptr;
}

// The window that shows a form: the main window, a top-level window, or the client area of a
// child window.
QWidget* WindowOf(const Form& form) {
    const QString name = QString::fromStdString(form.Name());
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        if (top->objectName() == name) return top;
        if (auto* sub = top->findChild<QMdiSubWindow*>(name + "Window"); sub && sub->isVisible()) return sub->widget();
    }
    return nullptr;
}

QString Where(const Form& form, const QWidget& widget) {
    return QString::fromStdString(form.Name()) + "." + widget.objectName();
}

// A line edit scrolls when its text is wider than it: with the caret at the end, the caret's
// distance from where the text starts is then less than the text's own width, which the same
// widget shows when made very wide.
QRect Caret(const QLineEdit& edit) { return edit.inputMethodQuery(Qt::ImCursorRectangle).toRect(); }

int CaretRunFromStart(QLineEdit& edit) {
    edit.setCursorPosition(0);
    edit.grab();
    const int start = Caret(edit).left();
    edit.setCursorPosition(static_cast<int>(edit.text().size()));
    edit.grab();
    return Caret(edit).left() - start;
}

bool LineEditShowsAll(QLineEdit& edit) {
    const QRect design = edit.geometry();
    const int shown = CaretRunFromStart(edit);
    edit.resize(10000, design.height());
    const int whole = CaretRunFromStart(edit);
    edit.setGeometry(design);
    edit.setCursorPosition(0);
    return shown == whole && Caret(edit).right() < edit.width();
}

bool Fits(QSize text, QRect room) { return text.width() <= room.width() && text.height() <= room.height(); }

void ExpectTextFits(const Form& form, QWidget& widget) {
    const QFontMetrics fm = widget.fontMetrics();
    const QString where = Where(form, widget);
    if (auto* button = qobject_cast<QPushButton*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        EXPECT_TRUE(Fits(fm.size(Qt::TextShowMnemonic, button->text()), room)) << where.toStdString();
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        if (label->text().isEmpty()) return;
        const int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop |
                          (label->buddy() ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
        const QRect room = label->contentsRect();
        const QRect used = fm.boundingRect(room, flags, label->text());
        EXPECT_TRUE(room.contains(used)) << where.toStdString() << " \"" << Shown(label->text()).toStdString() << "\"";
    } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        if (edit->parentWidget() && qobject_cast<QComboBox*>(edit->parentWidget())) return;
        EXPECT_TRUE(LineEditShowsAll(*edit)) << where.toStdString() << " \"" << edit->text().toStdString() << "\"";
    } else if (qobject_cast<QCheckBox*>(&widget) || qobject_cast<QRadioButton*>(&widget)) {
        auto& box = static_cast<QAbstractButton&>(widget);
        const bool check = qobject_cast<QCheckBox*>(&widget) != nullptr;
        QStyleOptionButton option;
        option.initFrom(&box);
        option.text = box.text();
        const QRect mark = box.style()->subElementRect(
            check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option, &box);
        const QRect room = box.style()->subElementRect(
            check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, &box);
        EXPECT_TRUE(box.rect().contains(mark)) << where.toStdString() << ": the whole box";
        EXPECT_TRUE(Fits(fm.size(Qt::TextShowMnemonic, box.text()), room)) << where.toStdString();
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        if (group->title().isEmpty()) return;
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.textAlignment = group->alignment();
        option.lineWidth = 1;
        const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        EXPECT_TRUE(group->rect().contains(title)) << where.toStdString();
        EXPECT_LE(fm.horizontalAdvance(group->title()), title.width()) << where.toStdString();
    } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.currentText = combo->currentText();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        EXPECT_TRUE(Fits(QSize(fm.horizontalAdvance(combo->currentText()) + 2, fm.height()), field))
            << where.toStdString() << " \"" << combo->currentText().toStdString() << "\"";
    }
}

bool IsToolStrip(const Control& c) {
    return c.Kind() == ControlKind::PictureBox && !c.Container() && static_cast<const PictureBox&>(c).Align() == align::Top;
}

QRect DesignRect(const Control& c) {
    return QRect(static_cast<int>(c.Left()), static_cast<int>(c.Top()), static_cast<int>(c.Width()),
                 static_cast<int>(c.Height()));
}

// Every visible control: inside its container, its text shown, clear of the neighbours that its
// design keeps clear of.
void ExpectWholeControls(Form& form) {
    QWidget* window = WindowOf(form);
    ASSERT_NE(window, nullptr) << form.Name();
    std::vector<std::pair<const Control*, QWidget*>> shown;
    for (const Control* control : form.Controls()) {
        QWidget* widget = ControlWidget(window, QString::fromStdString(control->Name()));
        if (!widget || !widget->isVisibleTo(window)) continue;
        shown.emplace_back(control, widget);
        if (IsToolStrip(*control)) continue;
        const Control* container = control->Container();
        const QRect room = container ? QRect(0, 0, static_cast<int>(container->Width()), static_cast<int>(container->Height()))
                                     : QRect(0, 0, static_cast<int>(form.ScaleWidth()) + 1,
                                             static_cast<int>(form.ScaleHeight()) + 1);
        if (room.contains(DesignRect(*control))) {  // (the welcome's butterfly starts outside)
            EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
                << Where(form, *widget).toStdString() << " inside its container";
            // A frame's title stands above its border: what the frame holds starts below both.
            if (auto* group = qobject_cast<QGroupBox*>(widget->parentWidget()); group && !group->title().isEmpty()) {
                EXPECT_GT(widget->y(), group->contentsRect().top()) << Where(form, *widget).toStdString() << " below the title";
            }
        }
        ExpectTextFits(form, *widget);
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const auto [a, wa] = shown[i];
            const auto [b, wb] = shown[j];
            // Buttons of one design height keep one height: none stretches beside a wrapping label.
            if (a->Kind() == ControlKind::Button && b->Kind() == ControlKind::Button && a->Height() == b->Height()) {
                EXPECT_EQ(wa->height(), wb->height()) << Where(form, *wa).toStdString() << " and " << Where(form, *wb).toStdString();
            }
            if (wa->parentWidget() != wb->parentWidget() || DesignRect(*a).intersects(DesignRect(*b))) continue;
            EXPECT_FALSE(wa->geometry().intersects(wb->geometry()))
                << Where(form, *wa).toStdString() << " covers " << Where(form, *wb).toStdString();
        }
    }
}

// A label's text on the tool strip ends clear of the control that follows it on its row ("ms"
// and "Aver:", "nm" and the mode box).
void ExpectToolStripTextsApart(QWidget& strip) {
    const auto children = strip.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* w : children) {
        auto* label = qobject_cast<QLabel*>(w);
        if (!label || !label->isVisible() || label->text().isEmpty()) continue;
        const int textEnd = label->x() + label->contentsRect().left() + label->fontMetrics().horizontalAdvance(label->text());
        for (QWidget* next : children) {
            if (next == label || !next->isVisible() || next->x() < label->x() + label->width()) continue;
            const bool sameRow = next->y() < label->y() + label->height() && label->y() < next->y() + next->height();
            if (!sameRow) continue;
            EXPECT_GE(next->x() - textEnd, 3) << label->objectName().toStdString() << " \"" << Shown(label->text()).toStdString()
                                               << "\" runs into " << next->objectName().toStdString();
        }
    }
}

void ExpectInsideScreen(const Form& form) {
    QWidget* window = WindowOf(form);
    ASSERT_NE(window, nullptr) << form.Name();
    window = window->window();
    const QRect area = window->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(window->frameGeometry())) << form.Name();
}

// The window manager's title bar shows the whole caption: beside its text (in bold) come the
// window's icon and its buttons, some 20 pixels each.
void ExpectWholeTitle(const Form& form) {
    QWidget* window = WindowOf(form);
    ASSERT_NE(window, nullptr) << form.Name();
    window = window->window();
    QFont bold = QApplication::font();
    bold.setBold(true);
    const int text = QFontMetrics(bold).horizontalAdvance(QString::fromStdString(form.Caption()));
    EXPECT_GE(window->frameGeometry().width(), text + 80) << form.Name() << " \"" << form.Caption() << "\"";
}

// A folder path longer than any folder read-out, in the start folder.
std::string DeepFolder(const test::TempDir& dir) {
    std::string path;
    for (const char* part : {"spectrometer-measurements", "field-campaign-2026", "site-number-fourteen",
                             "second-week", "afternoon-series"}) {
        path += (path.empty() ? "" : "/") + std::string(part);
    }
    dir.MakeDir(path);
    return dir.File(path);
}

class QtTextFits : public ::testing::TestWithParam<test::TestScreen> {};

TEST_P(QtTextFits, EveryControlOfEveryWindowShowsItsWholeText) {
    test::ScreenScope screen(GetParam());
    test::QtTestApp t;
    test::FlowRecord record;
    App& app = *t.app;
    t.state->WelcomeShown = true;
    MDIForm1& main = app.forms.Get<MDIForm1>();
    main.Contexts().SetFlows(std::make_unique<test::RecordingFlows>(record, t.clock));
    main.Show();
    test::ProcessEvents();
    const std::string deep = DeepFolder(t.dir);

    // The tool strip with the widest values of its boxes, and each text of the mode box.
    const std::pair<TextBox*, const char*> widest[] = {
        {&main.Text3, "3276.7"}, {&main.Text4, "15000"}, {&main.Text1, "500.0"},
        {&main.Text5, "4817"},   {&main.Text6, "1772"},  {&main.Text7, "3276.7"},
    };
    for (auto [box, text] : widest) box->SetText(text);
    for (const char* mode : {" Normal", " WRITE", "  Read", " ERASE"}) {
        main.Text2.SetText(mode);
        test::ProcessEvents();
        ExpectWholeControls(main);
    }
    ExpectToolStripTextsApart(*ControlWidget(WindowOf(main), "Picture1"));
    ExpectInsideScreen(main);

    std::vector<std::pair<const char*, std::function<Form&()>>> windows = {
        {"spectrum", [&]() -> Form& { return app.forms.Get<MainForm>(); }},
        {"quick menu", [&]() -> Form& { return app.forms.Get<MenuForm>(); }},
        {"index", [&]() -> Form& { return app.forms.Get<IndexForm>(); }},
        {"welcome", [&]() -> Form& { return app.forms.Get<WelcomeForm>(); }},
        {"settings", [&]() -> Form& { return app.forms.Get<SettingsForm>(); }},
        {"instrument", [&]() -> Form& { return app.forms.Get<InstrumentForm>(); }},
        {"scale", [&]() -> Form& { return app.forms.Get<SetScaleForm>(); }},
        {"reference file", [&]() -> Form& { return app.forms.Get<RefCalFileForm>(); }},
        {"file average", [&]() -> Form& { return app.forms.Get<FileAverageForm>(); }},
        {"transform", [&]() -> Form& { return app.forms.Get<TransDlgForm>(); }},
        {"bands", [&]() -> Form& { return app.forms.Get<BandDefsForm>(); }},
        {"kinetic definitions", [&]() -> Form& { return app.forms.Get<KineticDefsForm>(); }},
        {"print", [&]() -> Form& { return app.forms.Get<PrinterForm>(); }},
        {"print options", [&]() -> Form& { return app.forms.Get<PrinterOptionsForm>(); }},
        {"erase", [&]() -> Form& { return app.forms.Get<ERASEFORM>(); }},
        {"about", [&]() -> Form& {
             Aboutform& about = app.forms.Get<Aboutform>();
             about.Move(about.Left(), about.Top(), 7500, 5500);
             return about;
         }},
        {"data folder", [&]() -> Form& {
             app.fs.SetCurrentDir(deep);
             return app.forms.Get<SetDirectoryForm>();
         }},
        {"two files", [&]() -> Form& {
             t.state->DefaultPath = deep;
             ShowGetFileName(app, 1);
             return app.forms.Get<GetFileName>();
         }},
    };
    for (int16_t code = slot::Ratio; code <= slot::Diagnostics; ++code) {
        windows.emplace_back("kinetic", [&app, code]() -> Form& { return *KineticWindowForm(app, code); });
    }
    for (auto& [what, open] : windows) {
        SCOPED_TRACE(what);
        Form& form = open();
        form.Show();
        test::ProcessEvents();
        ExpectWholeControls(form);
        if (!form.MDIChild()) {
            ExpectInsideScreen(form);
            ExpectWholeTitle(form);
        }
        form.Unload();
        test::ProcessEvents();
    }

    // The folder read-outs show the whole path.
    app.fs.SetCurrentDir(deep);
    SetDirectoryForm& folder = app.forms.Get<SetDirectoryForm>();
    folder.Show();
    test::ProcessEvents();
    EXPECT_EQ(Shown(static_cast<QLabel*>(ControlWidget(WindowOf(folder), "Label1"))->text()).toStdString(), deep);
    folder.Unload();
    t.state->DefaultPath = deep;
    ShowGetFileName(app, 1);
    test::ProcessEvents();
    GetFileName& files = app.forms.Get<GetFileName>();
    EXPECT_EQ(Shown(static_cast<QLabel*>(ControlWidget(WindowOf(files), "Path"))->text()).toStdString(), deep);
}

INSTANTIATE_TEST_SUITE_P(Screens, QtTextFits,
                         ::testing::Values(test::TestScreen{1280, 800, 1}, test::TestScreen{1600, 1000, 2}),
                         [](const auto& info) { return info.param.scale == 1 ? "At96Dpi" : "AtScale2"; });

}  // namespace
}  // namespace tav
