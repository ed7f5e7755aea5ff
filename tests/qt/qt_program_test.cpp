// tavolin starts with its main window and the spectrum window inside, and ends cleanly when the
// main window is closed or the program is told to terminate.

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>

#include <csignal>
#include <fstream>
#include <string>

#include "platform/forms/App.h"
#include "qt/TavolinProgram.h"
#include "qt_test_app.h"
#include "support/TempDir.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {
namespace {

QMainWindow* MainWindowNamed(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == name && top->isVisible()) return qobject_cast<QMainWindow*>(top);
    }
    return nullptr;
}

TEST(QtProgram, StartsWithTheSpectrumWindowInsideTheMainWindowAndClosesCleanly) {
    test::QtApplicationScope qt;
    test::TempDir dir;
    TavolinProgram program(dir.Path());
    program.Start();
    test::ProcessEvents();

    QMainWindow* window = MainWindowNamed("MDIForm1");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Veradin V2.5");
    auto* area = window->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    // The spectrum window and, as the settings have it without a settings file, the quick menu.
    ASSERT_EQ(area->subWindowList().size(), 2);
    QMdiSubWindow* spectrum = area->subWindowList().first();
    EXPECT_EQ(spectrum->windowTitle(), "Main");
    EXPECT_TRUE(spectrum->isVisible());
    EXPECT_EQ(area->subWindowList().last()->windowTitle(), "Menu");
    EXPECT_EQ(program.app().forms.Mdi()->ActiveForm(), program.app().forms.Find<MainForm>());

    // The shell's tool strip carries the parameter boxes and scroll bars with their ranges.
    auto& main = *program.app().forms.Find<MDIForm1>();
    EXPECT_EQ(main.Integrat.Max(), 32767);
    EXPECT_EQ(main.Integ.Min(), 1);
    EXPECT_EQ(main.scannumbe.Max(), 1772);
    EXPECT_FALSE(main.Timer1.Running());
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Integrat", "interva"}) {
        EXPECT_NE(window->findChild<QWidget*>(name), nullptr) << name;
    }

    window->close();
    EXPECT_TRUE(program.app().forms.Loaded().empty());
    EXPECT_EQ(program.host().Quits(), 1);
}

// Whether the process has SIGTERM blocked, which the program does first thing in main(). Before
// that, while the libraries load, no program of its own can take a signal.
bool TerminationBlocked(qint64 pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigBlk:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}

// The signal as soon as the program can take it (before its handler is watched, so it waits
// blocked until then), and once it has run for a moment.
TEST(QtProgram, TheProgramEndsCleanlyWhenToldToTerminate) {
    for (int runningMs : {0, 1000}) {
        SCOPED_TRACE(runningMs);
        test::QtApplicationScope qt;
        test::TempDir dir;
        QProcess tavolin;
        tavolin.setWorkingDirectory(QString::fromStdString(dir.Path()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        tavolin.setProcessEnvironment(env);
        tavolin.start(TAVOLIN_PATH, QStringList());
        ASSERT_TRUE(tavolin.waitForStarted(10000));
        const qint64 pid = tavolin.processId();
        ASSERT_TRUE(test::WaitFor([&] { return TerminationBlocked(pid) || tavolin.state() == QProcess::NotRunning; },
                                  30000));
        // Running (not crashed at start-up) after a moment.
        if (runningMs > 0) {
            EXPECT_FALSE(tavolin.waitForFinished(runningMs));
        }
        ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGTERM), 0);
        ASSERT_TRUE(tavolin.waitForFinished(30000));
        EXPECT_EQ(tavolin.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(tavolin.exitCode(), 0) << tavolin.readAllStandardError().toStdString();
    }
}

}  // namespace
}  // namespace tav
