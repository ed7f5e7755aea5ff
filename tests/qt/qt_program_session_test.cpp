// tavolin on the Qt front end against the simulated instrument on a pseudo-terminal, in real
// time: the welcome window closes into the first scan, the spectrum is drawn, the letters typed
// into the spectrum window run their commands, and the ratio window follows the scans.

#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>

#include <cstdlib>

#include "qt/QtWindowCanvas.h"
#include "qt/TavolinProgram.h"
#include "qt_modal_watch.h"
#include "qt_simulator_process.h"
#include "qt_test_app.h"
#include "support/TempDir.h"
#include "windows/KineticForms.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/WelcomeForm.h"

namespace tav {
namespace {

constexpr QRgb DarkBlue = 0xFF000080;  // slot 0's curve and a kinetic window's series

constexpr const char* Settings =
    "[Windows]\r\n"
    "Ratio Window = 0 0 3000 6000 0 -1 \r\n"
    "[Index]\r\n"
    "Number Of Bands=2\r\n"
    "Band Start 1=500\r\nBand End 1=600\r\nBand Start 2=700\r\nBand End 2=800\r\n"
    "Ratio Numerator=1\r\nRatio Denomintor=2\r\nRatio Active=-1\r\n"
    "[Acquisition]\r\n"
    "Integration Time=100\r\nNumber to Average=1\r\nAuto Scan Delay=1\r\n";

using test::ModalWatch;

QWidget* Widget(const char* name) { return test::VisibleWidget(name); }

// A control of one window (the main window and the dialogs share control names).
QWidget* WidgetIn(const char* window, const char* name) {
    QWidget* top = Widget(window);
    return top ? top->findChild<QWidget*>(name) : nullptr;
}

int Pixels(Form& form, QRgb colour) {
    auto* canvas = dynamic_cast<QtWindowCanvas*>(&form.Surface());
    if (!canvas) return -1;
    const QImage image = canvas->Image().copy();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

TEST(QtProgramSession, AgainstTheSimulatorItScansDrawsAndAnswersTheKeys) {
    test::QtApplicationScope qt;
    test::SimulatorProcess sim;
    ASSERT_FALSE(sim.Path().empty());
    setenv("TAVOLIN_COM1", sim.Path().c_str(), 1);
    test::TempDir dir;
    ASSERT_TRUE(dir.Write("Prismel.INI", Settings));
    test::ModalWatch modals;
    {
        TavolinProgram program(dir.Path());
        App& app = program.app();
        ProgramState& s = app.state;
        program.Start();
        test::ProcessEvents();

        // The welcome window is up; CONTINUE closes it into the first scan, which is drawn.
        ASSERT_NE(app.forms.Find<WelcomeForm>(), nullptr);
        auto* button = qobject_cast<QPushButton*>(WidgetIn("WelcomeForm", "Command1"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), "CONTINUE");
        test::Click(button);
        ASSERT_TRUE(test::WaitFor([&] { return s.SlotInfo[0].NumPoints == 256; }));
        EXPECT_EQ(app.forms.Find<WelcomeForm>(), nullptr);
        EXPECT_TRUE(modals.texts.empty()) << modals.texts.front();
        MainForm& spectrum = *app.forms.Find<MainForm>();
        EXPECT_GT(Pixels(spectrum, DarkBlue), 100);
        EXPECT_NEAR(s.Temperature, 25.0f, 0.5f);

        QWidget* keys = Widget("MainForm");
        ASSERT_NE(keys, nullptr);
        const int16_t ratioBefore = s.RatioCount;

        test::Type(keys, "n");
        test::ProcessEvents();
        EXPECT_EQ(s.RatioCount, 1);  // the series restarts with the scan after the welcome
        test::Type(keys, "N");
        test::ProcessEvents();
        EXPECT_EQ(s.RatioCount, 2);

        test::Type(keys, "d");
        test::ProcessEvents();
        EXPECT_EQ(s.SlotInfo[8].NumPoints, 256);
        EXPECT_EQ(s.SlotInfo[9].NumPoints, 256);
        EXPECT_TRUE(s.DarkViewOn);

        const int16_t overlays = s.OverlayCount;
        test::Type(keys, "o");
        test::ProcessEvents();
        EXPECT_EQ(s.OverlayCount, overlays + 1);

        test::Type(keys, "r");
        test::ProcessEvents();
        EXPECT_EQ(s.SlotInfo[10].NumPoints, 256);
        EXPECT_TRUE(s.DarkRefShown);

        // A: a timed series, one scan a second, on the port held open.
        MDIForm1& main = *app.forms.Find<MDIForm1>();
        const int16_t pointsBefore = s.RatioCount;
        test::Type(keys, "a");
        test::ProcessEvents();
        EXPECT_TRUE(main.Timer1.Enabled());
        EXPECT_TRUE(s.PortHeldOpen);
        EXPECT_TRUE(test::WaitFor([&] { return s.RatioCount >= pointsBefore + 2; }, 8000));

        test::SendKey(keys, Qt::Key_Escape, QString(QChar(27)));
        test::ProcessEvents();
        EXPECT_FALSE(main.Timer1.Enabled());
        EXPECT_FALSE(s.PortHeldOpen);
        EXPECT_FALSE(app.comm.PortOpen());
        const int16_t stoppedAt = s.RatioCount;
        test::WaitFor([] { return false; }, 1500);
        EXPECT_EQ(s.RatioCount, stoppedAt);

        // The ratio window shows its series.
        KineticForm* ratio = KineticWindowForm(app, slot::Ratio);
        ASSERT_NE(ratio, nullptr);
        EXPECT_TRUE(ratio->Visible());
        EXPECT_GE(s.SlotInfo[slot::Ratio].NumPoints, 4);
        EXPECT_GT(s.RatioCount, ratioBefore);
        EXPECT_GT(Pixels(*ratio, DarkBlue), 10);
        EXPECT_TRUE(modals.texts.empty()) << modals.texts.front();

        program.RequestClose();
        EXPECT_TRUE(app.forms.Loaded().empty());
    }
    EXPECT_NE(dir.Read("Prismel.INI").find("Ratio Active=-1"), std::string::npos);
    unsetenv("TAVOLIN_COM1");
}

}  // namespace
}  // namespace tav
