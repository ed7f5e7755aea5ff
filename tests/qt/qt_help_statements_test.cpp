// What the help says of Enter and Escape in each dialog is what the dialog does, pressed on
// its widgets; keys typed in the quick menu window run no commands, as the help says.

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "qt/BundledData.h"
#include "qt/HelpWindow.h"
#include "qt_main_window_app.h"
#include "windows/AboutForm.h"
#include "windows/BandDefsForm.h"
#include "windows/EraseForm.h"
#include "windows/FileAverageForm.h"
#include "windows/GetFileName.h"
#include "windows/InstrumentForm.h"
#include "windows/KineticDefsForm.h"
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

// The help's row for a dialog in its table of Enter and Escape: the row's cells as plain text.
std::vector<QString> HelpRow(const QString& dialog) {
    const QString html = BundledText(HelpWindow::HelpText);
    const int start = html.indexOf("name=\"dialogs\"");
    const int end = html.indexOf("</table>", start);
    if (start < 0 || end < 0) return {};
    static const QRegularExpression tags("<[^>]*>");
    for (const QString& row : html.mid(start, end - start).split("<tr>")) {
        std::vector<QString> cells;
        for (QString cell : row.split("<td>").mid(1)) {
            cells.push_back(cell.replace(tags, "").replace("&gt;", ">").simplified());
        }
        if (cells.size() == 3 && cells[0].startsWith(dialog)) return cells;
    }
    return {};
}

QWidget* WidgetOf(const std::string& form, const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != QString::fromStdString(form) || !top->isVisible()) continue;
        if (!name) return top;
        for (QWidget* w : top->findChildren<QWidget*>(name)) {
            if (w->isVisible()) return w;
        }
    }
    return nullptr;
}

class QtHelpStatements : public ::testing::Test {
protected:
    test::QtMainWindowApp program;
    test::QtTestApp& t = program.t;
    App& app = *t.app;
};

TEST_F(QtHelpStatements, EnterAndEscapeInEachDialogAreAsTheHelpSays) {
    ProgramState& s = *t.state;
    s.DataAvailable = true;
    s.SlotInfo[0].NumPoints = 10;  // something to print
    s.CurrentSlot = 0;
    struct Case {
        const char* dialog;            // the help's name of it
        const char* enterSays;         // what the help says Enter does
        const char* escapeSays;        // and Escape
        std::function<Form&()> open;   // shows it
        const char* focus;             // the widget that has the focus (nullptr: as it opens)
        std::function<bool()> enterDid;  // Enter did what the help says (with the dialog's state)
        bool openAfterEnter, openAfterEscape;
    };
    const auto none = [] { return true; };
    std::string focusedAfterEnter;
    const auto focusIs = [&](const char* name) {
        return [&focusedAfterEnter, name] { return focusedAfterEnter == name; };
    };
    const Case cases[] = {
        {"Erase", "Does nothing, on purpose", "nothing is erased", [&]() -> Form& { ShowEraseForm(app); return app.forms.Get<ERASEFORM>(); },
         nullptr, [&] { return s.SlotInfo[0].NumPoints == 10; }, true, false},
        {"About", "Does nothing", "Does nothing", [&]() -> Form& { return app.forms.Get<Aboutform>(); }, nullptr, none, true, true},
        {"Set Scale", "writes the settings file and closes", "not written", [&]() -> Form& { return app.forms.Get<SetScaleForm>(); },
         nullptr, [&] { return t.dir.Exists("Prismel.INI"); }, false, false},
        {"Print", "Prints the ticked windows", "nothing is printed", [&]() -> Form& { return app.forms.Get<PrinterForm>(); },
         nullptr, [&] { return t.printer.Runs() == 1; }, false, false},
        {"Printer Options", "takes it (1 to 125) and closes", "the percentage stays",
         [&]() -> Form& { return app.forms.Get<PrinterOptionsForm>(); }, "PrinterScaleBox", none, false, false},
        {"Settings", "takes the settings, as OK", "as Cancel", [&]() -> Form& { return app.forms.Get<SettingsForm>(); },
         "AutoScanDelayBox", none, false, false},
        {"Instrument Parameters", "does not press OK", "as Cancel", [&]() -> Form& { return app.forms.Get<InstrumentForm>(); },
         "Coeff_D_Box", focusIs("Coeff_E_Box"), true, false},
        {"Instrument Parameters", "does not press OK", "as Cancel", [&]() -> Form& { return app.forms.Get<InstrumentForm>(); },
         "Command1", focusIs("Command1"), true, false},
        {"Transform", "Moves on from A to B to C", "as Cancel", [&]() -> Form& { return app.forms.Get<TransDlgForm>(); },
         "ABox", focusIs("BBox"), true, false},
        {"Add, Subtract, Multiply, Divide", "a pattern such as *.* lists those files", "nothing is combined",
         [&]() -> Form& { ShowGetFileName(app, 1); return app.forms.Get<GetFileName>(); }, "FileNameBox", none, true, false},
        {"Files to Average", "in the name box: adds the name", "nothing is averaged",
         [&]() -> Form& { return app.forms.Get<FileAverageForm>(); }, "FileNameBox",
         [&] { return app.forms.Get<FileAverageForm>().List1.ListCount() == 1; }, true, false},
        {"Reference Calibration File", "puts the file's name into the box", "as Cancel",
         [&]() -> Form& { return app.forms.Get<RefCalFileForm>(); }, nullptr, none, true, false},
        {"Default Data Directory", "makes the highlighted folder the current folder", "as Cancel",
         [&]() -> Form& { return app.forms.Get<SetDirectoryForm>(); }, nullptr, none, true, false},
        {"Band Definitions", "Closes; every entry is kept", "The same as Enter",
         [&]() -> Form& { return app.forms.Get<BandDefsForm>(); }, nullptr, none, false, false},
        {"Kinetic Definitions", "Moves on to the next box", "as Cancel", [&]() -> Form& { return app.forms.Get<KineticDefsForm>(); },
         "NumeratorBox", focusIs("DenominatorBox"), true, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.dialog) + (k.focus ? std::string(" in ") + k.focus : ""));
        const std::vector<QString> help = HelpRow(k.dialog);
        ASSERT_EQ(help.size(), 3u) << "the help has a row for it";
        EXPECT_TRUE(help[1].contains(k.enterSays)) << help[1].toStdString();
        EXPECT_TRUE(help[2].contains(k.escapeSays)) << help[2].toStdString();

        for (bool escape : {false, true}) {
            std::remove(t.dir.File("Prismel.INI").c_str());
            Form& form = k.open();
            form.Show();
            test::ProcessEvents();
            const std::string name = form.Name();  // an unloaded window is freed
            if (k.focus) {
                QWidget* target = WidgetOf(name, k.focus);
                ASSERT_NE(target, nullptr);
                target->setFocus(Qt::OtherFocusReason);
                if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->setText(k.dialog[0] == 'P' ? "110" : "*.*");
                test::ProcessEvents();
            }
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            if (escape) test::SendKey(focused, Qt::Key_Escape, QString(QChar(27)));
            else test::SendKey(focused, Qt::Key_Return, "\r");
            test::ProcessEvents();
            const bool open = WidgetOf(name, nullptr) != nullptr;
            EXPECT_EQ(open, escape ? k.openAfterEscape : k.openAfterEnter) << (escape ? "Escape" : "Enter");
            if (!escape) {
                focusedAfterEnter = QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "";
                EXPECT_TRUE(k.enterDid()) << "Enter; the focus in " << focusedAfterEnter;
            } else if (std::string(k.dialog) == "Set Scale") {
                EXPECT_FALSE(t.dir.Exists("Prismel.INI")) << "Escape writes no settings file";
            }
            if (open) form.Unload();  // still loaded, since it is shown
            test::ProcessEvents();
        }
    }
    EXPECT_EQ(t.printer.Runs(), 1) << "only Enter printed";
}

TEST_F(QtHelpStatements, KeysTypedInTheQuickMenuWindowRunNoCommands) {
    MenuForm& menu = app.forms.Get<MenuForm>();
    menu.Show();
    menu.SetFocus();
    test::ProcessEvents();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    for (const char* letter : {"n", "d", "a", "o", "e", "i"}) test::Type(QApplication::focusWidget(), letter);
    test::ProcessEvents();
    EXPECT_TRUE(program.record.calls.empty());
    EXPECT_FALSE(program.main->Timer1.Enabled());
}

}  // namespace
}  // namespace tav
