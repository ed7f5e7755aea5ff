// tavolin needs nothing of its source tree: its pictures and help come inside the binary, a
// copy of it runs from an empty folder with the source and build trees out of reach, and
// `cmake --install` puts it and the simulated instrument into the prefix's bin/ (with the
// sample simulation spectrum beside).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <iostream>

#include "qt/BundledData.h"
#include "qt/HelpWindow.h"
#include "qt_test_app.h"
#include "support/TempDir.h"
#include "windows/WelcomeForm.h"

namespace tav {
namespace {

TEST(QtBundledData, TheWelcomePicturesAndTheHelpComeWithTheProgram) {
    test::QtApplicationScope qt;
    const struct {
        const char* name;
        int width, height;
    } pictures[] = {
        {"picture1.png", 492, 413}, {"picture3.png", 800, 600}, {"picture2.png", 360, 80},
        {"openwings.png", 73, 73},  {"closewings.png", 73, 73},
    };
    for (const auto& p : pictures) {
        const QString path = QString::fromStdString(WelcomePicturePath(p.name));
        EXPECT_TRUE(path.startsWith(":/")) << "from the program's resources: " << path.toStdString();
        const QImage image(path);
        EXPECT_EQ(image.size(), QSize(p.width, p.height)) << p.name;
    }
    EXPECT_TRUE(BundledText(HelpWindow::HelpText).contains("Key commands"));
}

// A sanitizer's suppressions file named in its options is copied into `folder`, since the
// tree it lies in is hidden from the program.
void KeepSuppressions(QProcessEnvironment& env, const QString& folder) {
    static const QRegularExpression file("(?:^|:)suppressions=([^:]+)");
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        QString options = env.value(name);
        const auto m = file.match(options);
        if (!m.hasMatch()) continue;
        const QString copy = QDir(folder).filePath(QString(name) + ".supp");
        QFile::copy(m.captured(1), copy);
        options.replace(m.capturedStart(1), m.capturedLength(1), copy);
        env.insert(name, options);
    }
}

// Runs a program in `folder` with the picture log on, where possible in a mount namespace of
// its own in which the source and build trees are empty; true when they were hidden.
bool StartHidden(QProcess& program, const QString& path, const QString& folder) {
    program.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_LOGGING_RULES", "tavolin.data.debug=true");
    KeepSuppressions(env, QFileInfo(path).absolutePath());
    program.setProcessEnvironment(env);

    // Needs the right to make mount namespaces (root, as in CI); elsewhere the copy runs in
    // plain sight, and its log still shows where each picture came from.
    const QString hide =
        "mount -t tmpfs hidden \"$1\" && { [ ! -d \"$2\" ] || mount -t tmpfs hidden \"$2\"; } && "
        "test ! -e \"$1/CMakeLists.txt\" && exec \"$3\"";
    QProcess probe;
    probe.start("unshare", {"-m", "--propagation", "private", "sh", "-c", "mount -t tmpfs probe \"$1\"", "sh", folder});
    const bool canHide = probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit &&
                         probe.exitCode() == 0;
    if (canHide) {
        program.start("unshare", {"-m", "--propagation", "private", "sh", "-c", hide, "sh", TAVOLIN_SOURCE_DIR,
                                  TAVOLIN_BINARY_DIR, path});
    } else {
        program.start(path, {});
    }
    return canHide;
}

TEST(QtSelfContained, ACopyRunsFromAnEmptyFolderWithItsWelcomePictures) {
    test::TempDir bin, start;
    const QString copy = QString::fromStdString(bin.File("tavolin"));
    ASSERT_TRUE(QFile::copy(TAVOLIN_PATH, copy));
    QProcess program;
    const bool hidden = StartHidden(program, copy, QString::fromStdString(start.Path()));
    if (!hidden) std::cout << "[ note ] the source tree could not be hidden (no mount namespace)\n";
    ASSERT_TRUE(program.waitForStarted(10000));

    // The welcome window shows each of its pictures, in its size, from inside the program.
    const QStringList expected = {":/welcome/picture1.png loaded, 492x413", ":/welcome/picture2.png loaded, 360x80",
                                  ":/welcome/picture3.png loaded, 800x600", ":/welcome/openwings.png loaded, 73x73",
                                  ":/welcome/closewings.png loaded, 73x73"};
    QString log;
    const auto allLoaded = [&] {
        for (const QString& line : expected) {
            if (!log.contains(line)) return false;
        }
        return true;
    };
    for (int wait = 0; wait < 300 && !allLoaded() && program.state() == QProcess::Running; ++wait) {
        program.waitForReadyRead(100);
        log += QString::fromUtf8(program.readAllStandardError());
    }
    EXPECT_TRUE(allLoaded()) << log.toStdString();
    EXPECT_FALSE(log.contains("cannot be loaded")) << log.toStdString();

    ASSERT_EQ(program.state(), QProcess::Running) << log.toStdString();
    // The copy in the namespace is the shell's exec: the process itself.
    ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), SIGTERM), 0);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0) << log.toStdString() << program.readAllStandardError().toStdString();
    // It ran in its start folder: its settings file is there.
    EXPECT_TRUE(start.Exists("Prismel.INI"));
}

TEST(QtSelfContained, InstallPutsBothProgramsIntoThePrefixsBin) {
    test::TempDir prefix;
    QProcess install;
    install.start(CMAKE_COMMAND_PATH, {"--install", TAVOLIN_BINARY_DIR, "--prefix", QString::fromStdString(prefix.Path())});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    for (const char* name : {"tavolin", "instrument-sim"}) {
        const QFileInfo installed(QString::fromStdString(prefix.File(std::string("bin/") + name)));
        EXPECT_TRUE(installed.isFile()) << name;
        EXPECT_TRUE(installed.isExecutable()) << name;
    }
    EXPECT_TRUE(QFileInfo(QString::fromStdString(prefix.File("share/tavolin/simulate.rdg"))).isFile());
    QProcess sim;
    sim.start(QString::fromStdString(prefix.File("bin/instrument-sim")), {"--help"});
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(sim.readAllStandardOutput()).contains("usage: instrument-sim"));
}

}  // namespace
}  // namespace tav
