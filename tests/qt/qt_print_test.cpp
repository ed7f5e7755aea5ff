// A print run of the spectrum, the index block and a kinetic chart through the Qt printer
// where there is no printer: one PDF file for the run, two items to a page.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "charts/ChartFixtures.h"
#include "charts/PrintJob.h"
#include "platform/ScriptedOperator.h"
#include "qt/QtPrinter.h"
#include "qt_test_app.h"
#include "support/TempDir.h"

namespace tav {
namespace {

using namespace charttest;

int PdfPages(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

TEST(QtPrint, ThreeItemsGiveOnePdfOfTwoPages) {
    test::QtApplicationScope qt;
    test::TempDir dir;
    std::unique_ptr<ProgramState> s = MakeState();
    s->DefaultPath = dir.Path();
    s->ChartFontName = "Arial";
    FillScan256(*s, 0);
    FillKinetic(*s, 11, 20);
    s->RatioValue = 1.5f;
    s->Menu.ActivateRatio = true;
    ScriptedOperator op;
    QtPrinter printer(*s, op, QtPrinter::Destination::Pdf);

    PrintChoices choices;
    choices.index = true;
    choices.kinetic[0] = true;
    ASSERT_EQ(RunPrintJob(*s, printer, op, {"", White}, choices), PrintOutcome::Printed);

    ASSERT_EQ(dir.Names().size(), 1u);
    const std::string pdf = dir.File(dir.Names().front());
    EXPECT_EQ(PdfPages(pdf), 2);
    EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 2000) << "charts, not blank pages";
    ASSERT_EQ(op.Messages().size(), 1u);
    EXPECT_NE(op.Messages()[0].text.find(pdf), std::string::npos);
}

}  // namespace
}  // namespace tav
