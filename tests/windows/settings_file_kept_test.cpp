// The settings file is the operator's: one that start-up could not read is kept under a name of
// its own before the first settings write puts a new file in its place, and a settings file that
// is a symbolic link stays a link, the file it leads to taking the new settings.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "MainWindowWorld.h"
#include "windows/SettingsForm.h"

namespace tav {
namespace {

using test::MainWindowWorld;

// Over 1 MiB: its first lines are read, and then it is refused.
std::string OversizedSettings() {
    std::string text = "[Acquisition]\r\nSerialport=2\r\n";
    while (text.size() <= 1100 * 1024) text += "; a note that someone kept in the settings file, line after line\r\n";
    return text;
}

// What a link names, or "" for no link.
std::string LinkText(const std::string& path) {
    char text[4096];
    const ssize_t n = ::readlink(path.c_str(), text, sizeof text);
    return n > 0 ? std::string(text, static_cast<size_t>(n)) : "";
}

// The settings dialog's OK: a settings write the operator asks for.
void SettingsOk(MainWindowWorld& w) {
    SettingsForm& form = w.app.forms.Get<SettingsForm>();
    form.Show();
    form.Command1.UserClick();
}

bool HasLine(const std::string& text, const std::string& line) { return text.find(line + "\r\n") != std::string::npos; }

TEST(SettingsFileKept, AFileRefusedAtStartIsKeptAsideBeforeTheFirstWrite) {
    MainWindowWorld w{false};
    const std::string original = OversizedSettings();
    ASSERT_TRUE(w.dir.Write("Prismel.INI", original));
    ASSERT_TRUE(w.dir.Write("Prismel.INI.unread", "kept by an earlier run"));
    w.Start();
    w.comm.AttachInstrumentTo(2);  // the port the file names
    const std::string path = w.dir.File("Prismel.INI");
    ASSERT_EQ(w.op.MessageTexts(),
              std::vector<std::string>{"The file\n" + path + "\ncould not be read: it is larger than 1 MiB.\n"
                                       "It is not overwritten: before the settings are written, it is kept under "
                                       "another name."});
    EXPECT_EQ(w.state->CommPortNumber, 2) << "what was read before the limit holds";
    EXPECT_EQ(w.dir.Read("Prismel.INI"), original) << "untouched until a write";

    w.PastWelcome();
    SettingsOk(w);
    const std::string aside = w.dir.File("Prismel.INI.unread-2");
    ASSERT_EQ(w.op.Messages().size(), 2u);
    EXPECT_EQ(w.op.Messages()[1].text, "The settings file\n" + path + "\ncould not be read at start. It is kept as\n" +
                                           aside + "\nand the settings are written to a new file.");
    EXPECT_EQ(w.dir.Read("Prismel.INI.unread-2"), original);
    EXPECT_EQ(w.dir.Read("Prismel.INI.unread"), "kept by an earlier run");
    EXPECT_TRUE(HasLine(w.dir.Read("Prismel.INI"), "Serialport=2"));

    // The new file is the program's own: later writes replace it without a word.
    w.Mdi().Exit.UserClick();
    EXPECT_EQ(w.op.Messages().size(), 2u);
    EXPECT_FALSE(w.dir.Exists("Prismel.INI.unread-3"));
    EXPECT_TRUE(HasLine(w.dir.Read("Prismel.INI"), "Serialport=2"));
}

TEST(SettingsFileKept, AFileThatCannotBeKeptAsideIsNotOverwritten) {
    MainWindowWorld w{false};
    ASSERT_TRUE(w.dir.Write("Prismel.INI", "Serialport=2\r\n"));
    w.faulty.FailPath(FsOp::Read, w.dir.File("Prismel.INI"), FsError::ReadError);
    w.faulty.FailPath(FsOp::Rename, w.dir.File("Prismel.INI"), FsError::NoPermission, 1);
    w.Start();
    w.PastWelcome();
    const std::string path = w.dir.File("Prismel.INI");

    SettingsOk(w);
    ASSERT_EQ(w.op.Messages().size(), 2u);
    EXPECT_EQ(w.op.Messages()[1].text, "The settings file\n" + path +
                                           "\ncould not be read at start, nor be kept under another name: permission "
                                           "denied.\nThe settings are not written, so that it is not overwritten.");
    EXPECT_EQ(w.dir.Read("Prismel.INI"), "Serialport=2\r\n");

    // The next write tries again; the program ends as usual.
    w.Mdi().Exit.UserClick();
    EXPECT_EQ(w.dir.Read("Prismel.INI.unread"), "Serialport=2\r\n");
    EXPECT_TRUE(HasLine(w.dir.Read("Prismel.INI"), "Serialport=1"));
    EXPECT_EQ(w.host.Quits(), 1);
}

TEST(SettingsFileKept, ALinkedSettingsFileStaysALink) {
    const struct {
        const char* name;
        std::string contents;
        const char* keptAs;  // "" when the file is read
    } cases[] = {
        {"read", "[Acquisition]\r\nSerialport=2\r\n", ""},
        {"refused", OversizedSettings(), "conf/tavolin.ini.unread"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowWorld w{false};
        ASSERT_TRUE(w.dir.Write("conf/tavolin.ini", c.contents));
        ASSERT_EQ(::symlink("conf/tavolin.ini", w.dir.File("Prismel.INI").c_str()), 0);
        w.Start();
        w.PastWelcome();
        EXPECT_EQ(w.state->CommPortNumber, 2);
        w.state->IntegrationTime = 777;
        SettingsOk(w);

        EXPECT_EQ(LinkText(w.dir.File("Prismel.INI")), "conf/tavolin.ini");
        const std::string settings = w.dir.Read("conf/tavolin.ini");
        EXPECT_TRUE(HasLine(settings, "Serialport=2")) << settings.substr(0, 200);
        EXPECT_TRUE(HasLine(settings, "Integration Time=777"));
        if (*c.keptAs) {
            EXPECT_EQ(w.dir.Read(c.keptAs), c.contents);
            EXPECT_EQ(w.dir.Names("conf"), (std::vector<std::string>{"tavolin.ini", "tavolin.ini.unread"}));
        } else {
            EXPECT_EQ(w.dir.Names("conf"), std::vector<std::string>{"tavolin.ini"}) << "no temporary left";
        }
    }
}

}  // namespace
}  // namespace tav
