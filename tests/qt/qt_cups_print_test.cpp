// A print run to a real CUPS queue: a scheduler of the test's own (cupsd from Debian) in a
// private folder, with one queue of the CUPS-PDF driver whose default paper is Letter, made the
// default printer of this process through CUPS_SERVER. The queue is stopped, so the job stays in
// the private spool, where the test reads its name and the document it carries; nothing is
// printed and nothing leaves the folder. Skipped, with the reason, where cupsd cannot start.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "charts/ChartFixtures.h"
#include "charts/PrintJob.h"
#include "doubles/ScriptedOperator.h"
#include "qt/QtPrinter.h"
#include "qt_test_app.h"
#include "support/TempDir.h"

namespace tav {
namespace {

constexpr const char* Queue = "TavolinLetter";
constexpr const char* CupsPdfPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

struct ToolRun {
    bool ok = false;
    QString output;
};

ToolRun RunTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    const bool finished = tool.waitForFinished(20000);
    return {finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0,
            QString::fromLocal8Bit(tool.readAll())};
}

// The value of a text attribute in a job's control file (IPP encoding: value tag, name length,
// name, value length, value; lengths high byte first).
std::optional<std::string> IppText(const QByteArray& control, const QByteArray& name) {
    QByteArray key(2, '\0');
    key[0] = static_cast<char>(name.size() >> 8);
    key[1] = static_cast<char>(name.size() & 0xFF);
    key += name;
    const qsizetype at = control.indexOf(key);
    if (at < 0 || at + key.size() + 2 > control.size()) return std::nullopt;
    const qsizetype start = at + key.size();
    const int length = (static_cast<uint8_t>(control[start]) << 8) | static_cast<uint8_t>(control[start + 1]);
    return control.mid(start + 2, length).toStdString();
}

class PrivateCupsQueue : public ::testing::Test {
protected:
    void SetUp() override {
        const QString cupsd = QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/usr/local/sbin"});
        const QString lpadmin = QStandardPaths::findExecutable("lpadmin", {"/usr/sbin", "/usr/bin"});
        if (cupsd.isEmpty() || lpadmin.isEmpty() || !QFile::exists(CupsPdfPpd)) {
            GTEST_SKIP() << "cupsd, lpadmin or the CUPS-PDF driver is not installed (scripts/setup.sh installs "
                            "cups-daemon, cups-client and printer-driver-cups-pdf)";
        }
        // One socket for every scheduler of this process: libcups keeps the first server it
        // was told of.
        socket_ = "/tmp/tavolin-cups-" + std::to_string(getpid()) + ".sock";
        for (const char* folder : {"spool/tmp", "cache", "state", "log", "ppd"}) dir_.MakeDir(folder);
        std::string files = "ServerRoot " + dir_.Path() + "\nRequestRoot " + dir_.File("spool") +
                            "\nTempDir " + dir_.File("spool/tmp") + "\nCacheDir " + dir_.File("cache") +
                            "\nStateDir " + dir_.File("state") + "\nErrorLog " + dir_.File("log/error_log") +
                            "\nAccessLog " + dir_.File("log/access_log") + "\nPageLog " +
                            dir_.File("log/page_log") + "\nPrintcap " + dir_.File("printcap") +
                            "\nDataDir /usr/share/cups\nServerBin /usr/lib/cups\nFileDevice Yes\n";
        if (geteuid() != 0) {
            // A scheduler that is not root runs as its user, who is also its administrator.
            const QString user = qEnvironmentVariable("USER", "nobody");
            const ToolRun group = RunTool("id", {"-gn"});
            files += "User " + user.toStdString() + "\nGroup " + group.output.trimmed().toStdString() +
                     "\nSystemGroup " + group.output.trimmed().toStdString() + "\n";
        }
        dir_.Write("cups-files.conf", files);
        dir_.Write("cupsd.conf", "Listen " + socket_ +
                                     "\nBrowsing No\nLogLevel info\nPreserveJobFiles Yes\n"
                                     "<Location />\nOrder allow,deny\nAllow all\n</Location>\n");

        cupsd_.setProcessChannelMode(QProcess::MergedChannels);
        cupsd_.start(cupsd, {"-f", "-c", QString::fromStdString(dir_.File("cupsd.conf")), "-s",
                             QString::fromStdString(dir_.File("cups-files.conf"))});
        if (!cupsd_.waitForStarted(10000)) GTEST_SKIP() << "cupsd could not be started: " << cupsd_.errorString().toStdString();
        QElapsedTimer waited;
        waited.start();
        // lpstat -r succeeds either way; only its words tell.
        while (Lp("lpstat", {"-r"}).output.trimmed() != "scheduler is running") {
            if (cupsd_.state() == QProcess::NotRunning || waited.elapsed() > 15000) {
                GTEST_SKIP() << "cupsd did not start: " << QString::fromLocal8Bit(cupsd_.readAll()).toStdString()
                             << dir_.Read("log/error_log");
            }
            QThread::msleep(50);
        }
        // The queue never prints, so it needs no backend of its own (cups-pdf's runs only under
        // a scheduler started as root): the driver gives the paper.
        const ToolRun made = Lp("lpadmin", {"-p", Queue, "-E", "-v", "file:///dev/null", "-P", CupsPdfPpd,
                                            "-o", "PageSize=Letter"});
        ASSERT_TRUE(made.ok) << made.output.toStdString() << dir_.Read("log/error_log");
        ASSERT_TRUE(Lp("lpadmin", {"-d", Queue}).ok);
        ASSERT_TRUE(Lp("cupsdisable", {Queue}).ok) << "the queue holds its jobs";
        setenv("CUPS_SERVER", socket_.c_str(), 1);
        if (QPrinterInfo::defaultPrinter().printerName() != Queue) {
            GTEST_SKIP() << "this process already talks to another print server: run the test alone "
                            "(ctest runs each test in a process of its own)";
        }
    }

    void TearDown() override {
        unsetenv("CUPS_SERVER");
        StopScheduler();
        unlink(socket_.c_str());
    }

    // A scheduler that stops writes the jobs it holds to its spool.
    void StopScheduler() {
        if (cupsd_.state() == QProcess::NotRunning) return;
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) cupsd_.kill();
        cupsd_.waitForFinished(5000);
    }

    ToolRun Lp(const char* tool, QStringList arguments) {
        arguments.prepend(QString::fromStdString(socket_));
        arguments.prepend("-h");
        return RunTool(tool, arguments);
    }

    // The control files (cNNNNN) of the jobs in the spool.
    QStringList Jobs() {
        return QDir(QString::fromStdString(dir_.File("spool"))).entryList({"c*"}, QDir::Files);
    }

    QByteArray Spooled(const QString& name) {
        QFile file(QString::fromStdString(dir_.File("spool")) + "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    test::QtApplicationScope qt_;
    test::TempDir dir_;
    std::string socket_;
    QProcess cupsd_;
};

// A run to the default printer goes out as one job, on the queue's Letter paper inside margins
// of at least a quarter inch, named after the program and what it prints; no PDF file is made.
TEST_F(PrivateCupsQueue, ARunIsOneJobOnThePrintersPaperNamedAfterTheProgramAndTheCharts) {
    std::unique_ptr<ProgramState> s = charttest::MakeState();
    charttest::FillScan256(*s, 0);
    charttest::FillKinetic(*s, 11, 20);
    test::TempDir data;
    s->DefaultPath = data.Path();
    ScriptedOperator op;
    QtPrinter printer(*s, op);

    // Letter less 6.35 mm on each side (the driver claims the whole sheet), in twips.
    Canvas* page = printer.BeginRun("Main Window");
    ASSERT_NE(page, nullptr);
    EXPECT_NEAR(page->ScaleWidth(), 8.0 * 1440, 15);
    EXPECT_NEAR(page->ScaleHeight(), 10.5 * 1440, 15);
    EXPECT_TRUE(printer.EndRun());
    const ToolRun none = Lp("lpstat", {"-W", "all", "-o"});
    EXPECT_TRUE(none.ok && none.output.isEmpty()) << "a run that drew nothing sends nothing: " << none.output.toStdString();

    PrintChoices choices;
    choices.index = true;
    choices.kinetic[0] = true;
    ASSERT_EQ(RunPrintJob(*s, printer, op, {"", charttest::White}, choices), PrintOutcome::Printed);
    EXPECT_TRUE(data.Names().empty()) << "no PDF file beside a printer";
    EXPECT_TRUE(op.Messages().empty());

    StopScheduler();
    const QStringList jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1) << "one run, one job: " << jobs.join(' ').toStdString();
    const QByteArray control = Spooled(jobs.front());
    EXPECT_EQ(IppText(control, "job-name"), "tavolin: Main Window, Index Data Window, Ratio Window");
    EXPECT_EQ(IppText(control, "media"), "Letter");

    const QString id = jobs.front().mid(1);
    const QString document = QString::fromLatin1(Spooled("d" + id + "-001"));
    ASSERT_FALSE(document.isEmpty());
    EXPECT_EQ(document.count(QRegularExpression("/Type\\s*/Page(?!s)")), 2) << "two pages in the one job";
    EXPECT_TRUE(document.contains(QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+612(\\.0*)?\\s+792(\\.0*)?\\s*\\]")))
        << "Letter is 612 x 792 points: " << document.mid(document.indexOf("/MediaBox"), 40).toStdString();
}

// A test that asks for a PDF file gets one on the locale's paper, whatever printer the machine
// has: the suite passes beside a default queue as without one.
TEST_F(PrivateCupsQueue, APdfRunTakesNoPaperFromTheDefaultPrinter) {
    const char* kept = std::getenv("LC_ALL");
    const std::optional<std::string> lcAll = kept ? std::optional<std::string>(kept) : std::nullopt;
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    ProgramState state;
    test::TempDir data;
    state.DefaultPath = data.Path();
    ScriptedOperator op;
    QtPrinter printer(state, op, nullptr, QtPrinter::Destination::Pdf);
    Canvas* page = printer.BeginRun("Main Window");
    ASSERT_NE(page, nullptr);
    EXPECT_NEAR(page->ScaleWidth(), (210 - 12.7) / 25.4 * 1440, 10);  // A4 inside its margins
    page->Print("A4");
    EXPECT_TRUE(printer.EndRun());
    if (lcAll) setenv("LC_ALL", lcAll->c_str(), 1);
    else unsetenv("LC_ALL");
    EXPECT_EQ(data.Names().size(), 1u);
    const ToolRun jobs = Lp("lpstat", {"-W", "all", "-o"});
    EXPECT_TRUE(jobs.ok && jobs.output.isEmpty()) << jobs.output.toStdString();
}

}  // namespace
}  // namespace tav
