// Printing to a PDF file where there is no printer: one file per print run in the data folder,
// every ended document a page of it, on the paper of the default printer or of the locale, and a
// message box naming the file; a run that fails leaves no file.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

#include "doubles/ScriptedOperator.h"
#include "platform/RealFileSystem.h"
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

// Sets environment variables for a test and puts them back afterwards.
class ScopedEnv {
public:
    ScopedEnv(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name);
            kept_[name] = old ? std::optional<std::string>(old) : std::nullopt;
            if (value) setenv(name, value, 1);
            else unsetenv(name);
        }
    }
    ~ScopedEnv() {
        for (const auto& [name, value] : kept_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> kept_;
};

class QtPrinterPdf : public ::testing::Test {
protected:
    test::QtApplicationScope qt;
    test::TempDir dir;
    ProgramState state;
    ScriptedOperator op;
    QtPrinter printer{state, op, nullptr, QtPrinter::Destination::Pdf};

    void SetUp() override { state.DefaultPath = dir.Path(); }
};

TEST_F(QtPrinterPdf, ThreeHalfPageItemsGiveOneFileOfTwoPages) {
    ScopedEnv us{{"LC_ALL", "en_US.UTF-8"}};
    Canvas* page = printer.BeginRun("Main Window");
    ASSERT_NE(page, nullptr);
    EXPECT_FLOAT_EQ(page->ScaleWidth(), 8.0f * 1440);  // Letter less a quarter inch each side, in twips
    EXPECT_FLOAT_EQ(page->ScaleHeight(), 10.5f * 1440);
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
    printer.BeginRun("Main Window");
    EXPECT_TRUE(printer.EndRun());
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_TRUE(op.Messages().empty());

    for (int run = 0; run < 2; ++run) {
        Canvas* page = printer.BeginRun("Main Window");
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
    Canvas* page = printer.BeginRun("Main Window");
    ASSERT_NE(page, nullptr);
    PrintHalfPageItem(*page, 1, "Main");
    EXPECT_TRUE(printer.EndRun());
    EXPECT_EQ(start.Names().size(), 1u);
}

TEST(QtPrinterPaper, TheLocalesLetterOnlyInTheUsAndCanada) {
    const struct {
        const char *lcAll, *lcPaper, *lang;
        QPageSize::PageSizeId paper;
    } cases[] = {
        {nullptr, nullptr, "en_US.UTF-8", QPageSize::Letter},
        {nullptr, nullptr, "en_CA.UTF-8", QPageSize::Letter},
        {nullptr, nullptr, "fr_CA", QPageSize::Letter},
        {nullptr, nullptr, "en_GB.UTF-8", QPageSize::A4},
        {nullptr, nullptr, "de_DE.UTF-8@euro", QPageSize::A4},
        {nullptr, nullptr, "C.UTF-8", QPageSize::A4},
        {nullptr, nullptr, nullptr, QPageSize::A4},
        {nullptr, "en_US.UTF-8", "de_DE.UTF-8", QPageSize::Letter},  // LC_PAPER before LANG
        {"de_DE.UTF-8", "en_US.UTF-8", "en_US.UTF-8", QPageSize::A4},  // LC_ALL before both
        {"POSIX", nullptr, "en_US.UTF-8", QPageSize::A4},
    };
    for (const auto& k : cases) {
        ScopedEnv env{{"LC_ALL", k.lcAll}, {"LC_PAPER", k.lcPaper}, {"LANG", k.lang}};
        const std::string which = std::string(k.lcAll ? k.lcAll : "-") + " " + (k.lcPaper ? k.lcPaper : "-") + " " +
                                  (k.lang ? k.lang : "-");
        EXPECT_EQ(PaperOfLocale(PaperLocale()).id(), k.paper) << which;
    }
}

TEST(QtPrinterMargins, ThePrintersOwnButNoneBelowAQuarterInch) {
    const auto same = [](const QMarginsF& a, const QMarginsF& b) {
        return std::abs(a.left() - b.left()) < 1e-9 && std::abs(a.top() - b.top()) < 1e-9 &&
               std::abs(a.right() - b.right()) < 1e-9 && std::abs(a.bottom() - b.bottom()) < 1e-9;
    };
    EXPECT_TRUE(same(PrintMargins(std::nullopt), QMarginsF(6.35, 6.35, 6.35, 6.35)));
    EXPECT_TRUE(same(PrintMargins(QMarginsF(0, 0, 0, 0)), QMarginsF(6.35, 6.35, 6.35, 6.35)));
    EXPECT_TRUE(same(PrintMargins(QMarginsF(10, 3, 12.5, 20)), QMarginsF(10, 6.35, 12.5, 20)));
}

// A data folder given relative to the current folder: the message names the file whole.
TEST(QtPrinterPdfPath, TheMessageNamesTheWholePathOfARelativeDataFolder) {
    test::QtApplicationScope qt;
    test::TempDir dir;
    dir.MakeDir("DATA");
    RealFileSystem fs(dir.Path());
    ProgramState state;
    state.DefaultPath = "DATA";
    ScriptedOperator op;
    QtPrinter printer{state, op, &fs, QtPrinter::Destination::Pdf};
    Canvas* page = printer.BeginRun("Main Window");
    ASSERT_NE(page, nullptr);
    PrintHalfPageItem(*page, 1, "Main");
    EXPECT_TRUE(printer.EndRun());
    ASSERT_EQ(op.Messages().size(), 1u);
    const std::string whole = dir.Path() + "/DATA/print-";
    EXPECT_NE(op.Messages()[0].text.find("\n" + whole), std::string::npos) << op.Messages()[0].text;
    EXPECT_EQ(printer.LastPdfFile().rfind(whole, 0), 0u) << printer.LastPdfFile();
}

TEST_F(QtPrinterPdf, TheFileIsOnTheLocalesPaper) {
    ScopedEnv germany{{"LC_ALL", "de_DE.UTF-8"}};
    Canvas* page = printer.BeginRun("Main Window");
    ASSERT_NE(page, nullptr);
    EXPECT_NEAR(page->ScaleWidth(), (210 - 12.7) / 25.4 * 1440, 10);  // A4 inside its margins, in twips
    EXPECT_NEAR(page->ScaleHeight(), (297 - 12.7) / 25.4 * 1440, 10);
    PrintHalfPageItem(*page, 1, "A4");
    EXPECT_TRUE(printer.EndRun());
    ASSERT_EQ(dir.Names().size(), 1u);
    const QString pdf = QString::fromLatin1(QByteArray::fromStdString(dir.Read(dir.Names().front())));
    EXPECT_TRUE(pdf.contains(QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+595(\\.0*)?\\s+842(\\.0*)?\\s*\\]")))
        << "A4 is 595 x 842 points: " << pdf.mid(pdf.indexOf("/MediaBox"), 40).toStdString();
}

// A run whose file cannot be written to the end (the disk is full) is a failure, and what was
// written of the file is removed. The run goes on in a child process (the test binary run
// again) whose files may not grow beyond a few kilobytes.
TEST_F(QtPrinterPdf, AFailedRunLeavesNoPartOfItsFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto failingRun = [&] {
        signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of killing
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        Canvas* page = printer.BeginRun("Main Window");
        if (page) {
            for (int count = 1; count <= 8; ++count) PrintHalfPageItem(*page, count, std::string(200, 'x'));
            page->EndDoc();
        }
        const bool ended = printer.EndRun();
        const bool clean = page && !ended && printer.Failed() && op.Messages().empty() && dir.Names().empty();
        std::fputs(clean ? "failed and left nothing\n" : "reported success or left a file\n", stderr);
        rmdir(dir.Path().c_str());  // the child ends without its destructors
        _exit(clean ? 0 : 1);
    };
    EXPECT_EXIT(failingRun(), ::testing::ExitedWithCode(0), "failed and left nothing");
}

}  // namespace
}  // namespace tav
