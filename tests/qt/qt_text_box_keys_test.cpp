// A text box with the focus keeps the desktop's editing keys: Ctrl+A selects its text, Ctrl+C
// copies, Ctrl+X cuts, Ctrl+V pastes and Ctrl+Z undoes, in the tool strip's boxes and in the
// dialogs' boxes alike, and no menu shortcut runs (Ctrl+A is "A&verage", Ctrl+X "E&xit"
// elsewhere). Outside a text box the menu shortcuts work.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

#include "qt_main_window_app.h"
#include "windows/BandDefsForm.h"
#include "windows/FileAverageForm.h"
#include "windows/GetFileName.h"
#include "windows/InstrumentForm.h"
#include "windows/KineticDefsForm.h"
#include "windows/PrinterOptionsForm.h"
#include "windows/SetScaleForm.h"
#include "windows/SettingsForm.h"
#include "windows/TransDlgForm.h"

namespace tav {
namespace {

QLineEdit* BoxOf(const Form& form, const char* box) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QString::fromStdString(form.Name()) || !top->isVisible()) continue;
        for (auto* edit : top->findChildren<QLineEdit*>(box)) {
            if (edit->isVisible()) return edit;
        }
    }
    return nullptr;
}

void Ctrl(QWidget* widget, int key, char letter) {
    test::SendKey(widget, key, QString(QChar(letter - 'A' + 1)), Qt::ControlModifier);
    test::ProcessEvents();
}

class QtTextBoxKeys : public ::testing::Test {
protected:
    void SetUp() override {
        t.app->forms.Get<MainForm>().Show();
        test::ProcessEvents();
    }

    test::QtMainWindowApp program;
    test::QtTestApp& t = program.t;
    test::FlowRecord& record = program.record;
    MDIForm1* main = program.main;
};

TEST_F(QtTextBoxKeys, CtrlACXVZEditTheBoxThatHasTheFocus) {
    App& app = *t.app;
    const std::vector<std::tuple<const char*, const char*, std::function<Form&()>>> boxes = {
        {"tool strip", "Text6", [&]() -> Form& { return *main; }},
        {"tool strip", "Text3", [&]() -> Form& { return *main; }},
        {"scale", "MinValBox", [&]() -> Form& { return app.forms.Get<SetScaleForm>(); }},
        {"print options", "PrinterScaleBox", [&]() -> Form& { return app.forms.Get<PrinterOptionsForm>(); }},
        {"transform", "ABox", [&]() -> Form& { return app.forms.Get<TransDlgForm>(); }},
        {"settings", "AutoScanDelayBox", [&]() -> Form& { return app.forms.Get<SettingsForm>(); }},
        {"instrument", "Coeff_A_Box", [&]() -> Form& { return app.forms.Get<InstrumentForm>(); }},
        {"file average", "FileNameBox", [&]() -> Form& { return app.forms.Get<FileAverageForm>(); }},
        {"bands", "BandStartBox", [&]() -> Form& { return app.forms.Get<BandDefsForm>(); }},
        {"kinetic definitions", "NumeratorBox", [&]() -> Form& { return app.forms.Get<KineticDefsForm>(); }},
        {"two files", "FileNameBox", [&]() -> Form& {
             ShowGetFileName(app, 1);
             return app.forms.Get<GetFileName>();
         }},
    };
    for (const auto& [window, name, open] : boxes) {
        SCOPED_TRACE(std::string(window) + " " + name);
        Form& form = open();
        form.Show();
        test::ProcessEvents();
        QLineEdit* box = BoxOf(form, name);
        ASSERT_NE(box, nullptr);
        test::ClickThroughWindow(box);
        test::ProcessEvents();
        ASSERT_EQ(QApplication::focusWidget(), box);
        box->selectAll();
        test::Type(box, "12");
        box->end(false);
        test::Type(box, "7");
        ASSERT_EQ(box->text(), "127");
        QGuiApplication::clipboard()->clear();

        Ctrl(box, Qt::Key_A, 'A');
        EXPECT_EQ(box->selectedText(), "127") << "Ctrl+A selects the box's text";
        Ctrl(box, Qt::Key_C, 'C');
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "127") << "Ctrl+C copies it";
        Ctrl(box, Qt::Key_X, 'X');
        EXPECT_EQ(box->text(), "") << "Ctrl+X cuts it";
        Ctrl(box, Qt::Key_V, 'V');
        EXPECT_EQ(box->text(), "127") << "Ctrl+V pastes it";
        Ctrl(box, Qt::Key_Z, 'Z');
        EXPECT_EQ(box->text(), "") << "Ctrl+Z undoes the paste";

        EXPECT_TRUE(record.calls.empty());
        EXPECT_TRUE(main->Loaded()) << "Ctrl+X is no Exit here";
        if (std::string(window) != "file average") {
            EXPECT_EQ(app.forms.Find<FileAverageForm>(), nullptr) << "Ctrl+A is no Average here";
        }
        if (&form != main) form.Unload();
        test::ProcessEvents();
    }
    EXPECT_EQ(main->Text6.Text(), "") << "the model has what the box shows";
}

TEST_F(QtTextBoxKeys, OutsideTextBoxesTheMenuShortcutsWork) {
    Form& spectrum = t.app->forms.Get<MainForm>();
    spectrum.SetFocus();
    test::ProcessEvents();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    Ctrl(QApplication::focusWidget(), Qt::Key_A, 'A');
    FileAverageForm* average = t.app->forms.Find<FileAverageForm>();
    ASSERT_NE(average, nullptr) << "Ctrl+A is A&verage";
    EXPECT_TRUE(average->Visible());
}

}  // namespace
}  // namespace tav
