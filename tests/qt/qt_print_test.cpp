// Print runs through the Qt printer where there is no printer: one PDF file for the run, two
// items to a page, each item inside its half of the page at every scale the options dialog
// offers, read back from the PDF with pdftotext; and lines that have a width on paper.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <set>

#include "charts/ChartFixtures.h"
#include "charts/PrintJob.h"
#include "doubles/ScriptedOperator.h"
#include "qt/QtPrinter.h"
#include "qt_test_app.h"
#include "support/TempDir.h"

namespace tav {
namespace {

using namespace charttest;

QByteArray ReadAll(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int PdfPages(const std::string& path) {
    return static_cast<int>(QString::fromLatin1(ReadAll(path)).count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;
};
struct PdfText {
    double width = 0, height = 0;  // of the first page, in points
    std::vector<std::vector<Word>> pages;
};

// The words of every page in the order they were drawn, with their boxes (pdftotext -bbox -raw).
PdfText ReadWords(const std::string& pdf) {
    QProcess tool;
    tool.start("pdftotext", {"-bbox", "-raw", QString::fromStdString(pdf), "-"});
    PdfText out;
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils, installed by scripts/setup.sh) did not run: "
                      << tool.readAllStandardError().toStdString();
        return out;
    }
    const QString xml = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    static const QRegularExpression word(
        R"re(<word xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>|<page )re");
    if (const auto m = page.match(xml); m.hasMatch()) {
        out.width = m.captured(1).toDouble();
        out.height = m.captured(2).toDouble();
    }
    for (auto it = word.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0) == "<page ") {
            out.pages.emplace_back();
            continue;
        }
        if (out.pages.empty()) out.pages.emplace_back();
        out.pages.back().push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                                    m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return out;
}

// The decompressed streams of a PDF (page contents among them).
std::vector<QByteArray> Streams(const QByteArray& pdf) {
    std::vector<QByteArray> out;
    static const QRegularExpression stream("stream\\r?\\n");
    for (qsizetype at = 0;;) {
        const auto m = stream.match(QString::fromLatin1(pdf), at);
        if (!m.hasMatch()) break;
        const qsizetype start = m.capturedEnd();
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) break;
        // qUncompress wants the zlib data behind a 4-byte length (a guess is enough).
        QByteArray data = QByteArray("\x00\x01\x00\x00", 4) + pdf.mid(start, end - start);
        const QByteArray plain = qUncompress(data);
        if (!plain.isEmpty()) out.push_back(plain);
        at = end + 9;
    }
    return out;
}

struct QtPrintRun : ::testing::Test {
    test::QtApplicationScope qt;
    std::unique_ptr<ProgramState> s = MakeState();
    ScriptedOperator op;

    QtPrintRun() {
        FillScan256(*s, 0);
        FillKinetic(*s, 11, 20);
        s->AutoSaveOn = true;
        s->CurrentFileName = "File: /home/operator/tavolin/DATA/a-rather-long-series-name-0001.rdg";
        s->Temperature = 23.5f;
        s->AutoScanTimerOn = true;  // the ratio chart with its grid and values
        s->Menu.ActivateTimeStamp = true;
    }

    // The PDF file of one run, "" when it made none.
    std::string Run(const PrintChoices& choices, test::TempDir& dir) {
        s->DefaultPath = dir.Path();
        QtPrinter printer(*s, op, nullptr, QtPrinter::Destination::Pdf);
        EXPECT_EQ(RunPrintJob(*s, printer, op, {"", White}, choices), PrintOutcome::Printed);
        const auto names = dir.Names();
        return names.size() == 1 ? dir.File(names.front()) : std::string();
    }
};

TEST_F(QtPrintRun, ThreeItemsGiveOnePdfOfTwoPages) {
    test::TempDir dir;
    s->RatioValue = 1.5f;
    s->Menu.ActivateRatio = true;
    PrintChoices choices;
    choices.index = true;
    choices.kinetic[0] = true;
    const std::string pdf = Run(choices, dir);
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PdfPages(pdf), 2);
    EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 2000) << "charts, not blank pages";
    ASSERT_EQ(op.Messages().size(), 1u);
    EXPECT_NE(op.Messages()[0].text.find(pdf), std::string::npos);
}

// The margin a printer needs on each side of the page: a quarter of an inch, in points.
constexpr double Margin = 18;

// Where a word of the upper (lower) item may lie: inside the margins and inside its half of
// what they leave.
void ExpectInsideItsHalf(const Word& w, const PdfText& page, bool lower, const std::string& which) {
    const double middle = Margin + (page.height - 2 * Margin) / 2;
    EXPECT_GE(w.xMin, Margin) << which;
    EXPECT_LE(w.xMax, page.width - Margin) << which;
    EXPECT_GE(w.yMin, lower ? middle : Margin) << which;
    EXPECT_LE(w.yMax, lower ? page.height - Margin : middle) << which;
}

// The spectrum chart in the top half and the ratio chart in the bottom half of one page: every
// word of each lies inside the page's margins and inside its half of what they leave, at 75,
// 100 and 125 %. The words of each chart are known from a run that prints it alone.
TEST_F(QtPrintRun, TwoChartsToAPageEachInsideItsHalfAtEveryScale) {
    for (int16_t pct : {75, 100, 125}) {
        s->PrintScalePct = pct;
        const std::string at = std::to_string(pct) + " %: ";
        PrintChoices spectrum, ratio, both;  // the spectrum chart is ticked by default
        ratio.spectrum = false;
        ratio.kinetic[0] = true;
        both.kinetic[0] = true;
        std::size_t alone[2] = {0, 0};
        int k = 0;
        for (const PrintChoices& one : {spectrum, ratio}) {
            test::TempDir dir;
            const PdfText text = ReadWords(Run(one, dir));
            ASSERT_EQ(text.pages.size(), 1u) << at;
            alone[k++] = text.pages[0].size();
            for (const Word& w : text.pages[0]) ExpectInsideItsHalf(w, text, false, at + w.text.toStdString());
        }
        ASSERT_GT(alone[0], 20u) << at << "the spectrum chart's titles, labels and information";
        ASSERT_GT(alone[1], 10u) << at;

        test::TempDir dir;
        const std::string pdf = Run(both, dir);
        ASSERT_EQ(PdfPages(pdf), 1) << at;
        const PdfText text = ReadWords(pdf);
        ASSERT_EQ(text.pages.size(), 1u);
        const std::vector<Word>& words = text.pages[0];
        EXPECT_EQ(words.size(), alone[0] + alone[1]) << at << "every word of both charts is on the page";
        for (std::size_t i = 0; i < words.size(); ++i) {
            const bool lower = i >= alone[0];  // the ratio chart's words come after the spectrum's
            ExpectInsideItsHalf(words[i], text, lower, at + (lower ? "lower " : "upper ") + words[i].text.toStdString());
        }
    }
}

// The index block starts at the top of its half, inside the margins: alone at the top of the
// page, after a chart at the middle of the printable height.
TEST_F(QtPrintRun, TheIndexBlockStartsInsideTheMargins) {
    s->RatioValue = 1.5f;
    s->Menu.ActivateRatio = true;
    PrintChoices alone, afterChart;
    alone.spectrum = false;
    alone.index = afterChart.index = true;
    for (bool lower : {false, true}) {
        test::TempDir dir;
        const PdfText text = ReadWords(Run(lower ? afterChart : alone, dir));
        ASSERT_EQ(text.pages.size(), 1u);
        const std::vector<Word>& words = text.pages[0];
        const auto index = std::find_if(words.begin(), words.end(), [](const Word& w) { return w.text == "Index"; });
        ASSERT_NE(index, words.end());
        for (auto w = index; w != words.end(); ++w) ExpectInsideItsHalf(*w, text, lower, w->text.toStdString());
        EXPECT_LT(index->yMin, (lower ? text.height / 2 : Margin) + 20) << "at the top of its half";
    }
}

// Frames and curves are 0.5 pt wide, dotted grid lines 0.25 pt: no line is a hairline of one
// device dot. A curve of a single point shows as a dot.
TEST_F(QtPrintRun, LinesHaveAWidthOnPaper) {
    FillKinetic(*s, 12, 1);
    PrintChoices choices;  // the spectrum and the normalized difference
    choices.kinetic[1] = true;
    test::TempDir dir;
    const std::string pdf = Run(choices, dir);
    ASSERT_FALSE(pdf.empty());

    // Each page's content in points: its user space is scaled from the 600-dpi device.
    struct Page {
        QString content;
        double unit;  // points per unit
    };
    std::vector<Page> pages;
    static const QRegularExpression scale("([\\d.]+) 0 0 -[\\d.]+ [\\d.]+ [\\d.]+ cm");
    for (const QByteArray& stream : Streams(ReadAll(pdf))) {
        const QString content = QString::fromLatin1(stream);
        if (const auto cm = scale.match(content); cm.hasMatch()) pages.push_back({content, cm.captured(1).toDouble()});
    }
    ASSERT_EQ(pages.size(), 1u);

    std::set<double> widths;
    static const QRegularExpression width("(?:^|\\s)([\\d.]+) w(?=\\s)");
    for (auto it = width.globalMatch(pages[0].content); it.hasNext();) {
        widths.insert(std::round(it.next().captured(1).toDouble() * pages[0].unit * 100) / 100);
    }
    EXPECT_EQ(widths, (std::set<double>{0.25, 0.5}));

    // The single point of the normalized difference is a filled square of 2 pt.
    bool dot = false;
    static const QRegularExpression square("(?:^|\\s)([\\d.-]+) ([\\d.-]+) ([\\d.]+) ([\\d.]+) re\\s+f");
    for (auto it = square.globalMatch(pages[0].content); it.hasNext();) {
        const auto m = it.next();
        const double w = m.captured(3).toDouble() * pages[0].unit, h = m.captured(4).toDouble() * pages[0].unit;
        dot = dot || (std::fabs(w - 2) < 0.3 && std::fabs(h - 2) < 0.3);  // on whole device dots
    }
    EXPECT_TRUE(dot) << "a 2-pt square for the single point";
}

}  // namespace
}  // namespace tav
