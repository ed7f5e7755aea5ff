// Printing to a PDF file where there is no printer: one file per print run in the data folder,
// every ended document a page of it, and a message box naming the file.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "platform/ScriptedOperator.h"
#include "platform/draw/Canvas.h"
#include "qt/QtPrinter.h"
#include "qt_test_app.h"
#include "shared/ProgramState.h"
#include "support/TempDir.h"

namespace tav {
namespace {

int PdfPages(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray pdf = file.readAll();
    return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

// One item in the top (odd count) or bottom (even count) half of the page, as the print
// routines place them.
void PrintHalfPageItem(Canvas& page, int count, const std::string& title) {
    const float h = page.ScaleHeight();
    page.ScaleTop = count % 2 == 1 ? -(0.25f / 11) * h : -(0.5f + 0.25f / 11) * h;
    page.CurrentX = page.ScaleWidth() / 4;
    page.CurrentY = 0;
    page.Print(title);
    page.Box(page.ScaleWidth() * 0.1f, 300, page.ScaleWidth() * 0.9f, 0.4f * h, 0, false);
    if (count % 2 == 0) page.EndDoc();
}

class QtPrinterPdf : public ::testing::Test {
protected:
    test::QtApplicationScope qt;
    test::TempDir dir;
    ProgramState state;
    ScriptedOperator op;
    QtPrinter printer{state, op, QtPrinter::Destination::Pdf};

    void SetUp() override { state.DefaultPath = dir.Path(); }
};

TEST_F(QtPrinterPdf, ThreeHalfPageItemsGiveOneFileOfTwoPages) {
    Canvas* page = printer.BeginRun();
    ASSERT_NE(page, nullptr);
    EXPECT_FLOAT_EQ(page->ScaleWidth(), 8.5f * 1440);  // Letter, in twips
    EXPECT_FLOAT_EQ(page->ScaleHeight(), 11.0f * 1440);
    for (int count = 1; count <= 3; ++count) PrintHalfPageItem(*page, count, "Item " + std::to_string(count));
    page->EndDoc();  // the last, half-filled page
    EXPECT_TRUE(printer.EndRun());
    EXPECT_FALSE(printer.Failed());

    ASSERT_EQ(dir.Names().size(), 1u);
    const std::string pdf = dir.File(dir.Names().front());
    EXPECT_EQ(printer.LastPdfFile(), pdf);
    EXPECT_EQ(PdfPages(pdf), 2);
    ASSERT_EQ(op.Messages().size(), 1u);
    EXPECT_NE(op.Messages()[0].text.find(pdf), std::string::npos) << "the message names the file";
}

TEST_F(QtPrinterPdf, EveryRunHasAFileOfItsOwnAndARunWithoutOutputHasNone) {
    printer.BeginRun();
    EXPECT_TRUE(printer.EndRun());
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_TRUE(op.Messages().empty());

    for (int run = 0; run < 2; ++run) {
        Canvas* page = printer.BeginRun();
        ASSERT_NE(page, nullptr);
        PrintHalfPageItem(*page, 1, "Index");
        page->EndDoc();
        page->EndDoc();  // nothing drawn since: no empty page
        EXPECT_TRUE(printer.EndRun());
    }
    ASSERT_EQ(dir.Names().size(), 2u);
    for (const std::string& name : dir.Names()) EXPECT_EQ(PdfPages(dir.File(name)), 1) << name;
}

TEST_F(QtPrinterPdf, AMissingDataFolderPrintsToTheStartFolder) {
    test::TempDir start;
    state.DefaultPath = dir.File("gone");
    state.StartDir = start.Path();
    Canvas* page = printer.BeginRun();
    ASSERT_NE(page, nullptr);
    PrintHalfPageItem(*page, 1, "Main");
    EXPECT_TRUE(printer.EndRun());
    EXPECT_EQ(start.Names().size(), 1u);
}

}  // namespace
}  // namespace tav
