// tavolin on the Qt front end against the simulated instrument, with AutoSave on and the files
// TST00001.rdg and TST00002.rdg already in the data folder: the operator answers No to the
// overwrite question, takes two more scans, and neither file changes.

#include <gtest/gtest.h>

#include <QPushButton>

#include <cstdlib>
#include <string>
#include <vector>

#include "qt/TavolinProgram.h"
#include "qt_modal_watch.h"
#include "qt_simulator_process.h"
#include "qt_test_app.h"
#include "support/TempDir.h"
#include "windows/WelcomeForm.h"

namespace tav {
namespace {

const char* OverwriteQuestion =
    "AutoSave is ON, and files\nwith the same series name exist.\nDo you want to overwrite?";

TEST(QtAutoSaveRefused, NoKeepsBothFilesThroughTwoMoreScans) {
    test::QtApplicationScope qt;
    test::SimulatorProcess sim;
    ASSERT_FALSE(sim.Path().empty());
    setenv("TAVOLIN_COM1", sim.Path().c_str(), 1);
    test::TempDir dir;
    ASSERT_TRUE(dir.Write("DATA/TST00001.rdg", "the first file of the series\r\n"));
    ASSERT_TRUE(dir.Write("DATA/TST00002.rdg", "the second file of the series\r\n"));
    ASSERT_TRUE(dir.Write("Prismel.INI", "[Acquisition]\r\nIntegration Time=100\r\nNumber to Average=1\r\n"
                                         "Default Path=" + dir.File("DATA") + "\r\nAuto Save On=-1\r\n"
                                         "User Supplied Name=0\r\nAuto Save Name=TST\r\n"));
    test::ModalWatch answers(QMessageBox::No);
    {
        TavolinProgram program(dir.Path());
        App& app = program.app();
        ProgramState& s = app.state;
        program.Start();
        test::ProcessEvents();

        // The welcome window closes into the first scan, whose save asks first.
        ASSERT_NE(app.forms.Find<WelcomeForm>(), nullptr);
        QWidget* welcome = test::VisibleWidget("WelcomeForm");
        ASSERT_NE(welcome, nullptr);
        auto* proceed = welcome->findChild<QPushButton*>("Command1");
        ASSERT_NE(proceed, nullptr);
        test::Click(proceed);
        ASSERT_TRUE(test::WaitFor([&] { return s.SlotInfo[0].NumPoints == 256 && !answers.texts.empty(); }));

        QWidget* keys = test::VisibleWidget("MainForm");
        ASSERT_NE(keys, nullptr);
        test::Type(keys, "n");
        test::ProcessEvents();
        test::Type(keys, "n");
        test::ProcessEvents();

        EXPECT_EQ(answers.texts, (std::vector<std::string>(3, OverwriteQuestion)));
        EXPECT_EQ(s.SlotInfo[0].NumPoints, 256);
        program.RequestClose();
    }
    EXPECT_EQ(dir.Read("DATA/TST00001.rdg"), "the first file of the series\r\n");
    EXPECT_EQ(dir.Read("DATA/TST00002.rdg"), "the second file of the series\r\n");
    EXPECT_EQ(dir.Names("DATA"), (std::vector<std::string>{"TST00001.rdg", "TST00002.rdg"}));
    unsetenv("TAVOLIN_COM1");
}

}  // namespace
}  // namespace tav
