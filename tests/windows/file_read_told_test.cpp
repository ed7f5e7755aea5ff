// A file read with F, L or the Read File menu that finds no spectrum in the file: the operator is
// told which file and why, and the spectrum window keeps what it showed, also when it is painted
// again (no curve of the file's slot, no other name in its header, no new index point).

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "MainWindowWorld.h"
#include "charts/ChartFixtures.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

using namespace std::string_literals;

struct Junk {
    const char* name;
    std::string contents;
    const char* why;
};

const Junk JunkFiles[] = {
    {"empty.rdg", "", "it is empty."},
    {"photo.rdg", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x02\x80\0\0\x01\xe0\x08\x06"s, "it is not a text file."},
    {"notes.rdg", "Leaf 12, upper side\r\nwhite tile 03/07\r\n", "it has neither the header nor the rows of a spectrum file."},
    {"readout.rdg", test::SpectrumFileText({}) + "Scan#:\t 1 \tRef-\t 2 \tRef-\r\nTemp.:\t23.4 \tspec\t23.4\tspec\r\n\r\n"
                    "300.5 \t100. \t200. \t300. \t400.\r\n", "it holds several scans of a memory read-out."},
};

struct Command {
    const char* name;
    std::function<void(test::MainWindowWorld&)> run;
};

const Command Commands[] = {
    {"F", [](test::MainWindowWorld& w) { w.Type('F'); }},
    {"L", [](test::MainWindowWorld& w) { w.Type('L'); }},
    {"Read File", [](test::MainWindowWorld& w) { w.Mdi().ReadFileMenu.UserClick(); }},
};

// Everything a paint of the window draws, as text.
std::vector<std::string> Drawing(const RecordingCanvas& canvas) {
    std::vector<std::string> ops;
    for (const CanvasOp& op : canvas.Ops()) {
        std::ostringstream line;
        line << static_cast<int>(op.kind) << ' ' << op.x1 << ' ' << op.y1 << ' ' << op.x2 << ' ' << op.y2 << ' '
             << op.color << ' ' << op.text;
        ops.push_back(line.str());
    }
    return ops;
}

TEST(FileReadTold, AFileWithoutSpectrumIsToldAndTheWindowKeepsWhatItShowed) {
    test::MainWindowWorld w{false};
    w.dir.MakeDir("DATA");
    w.dir.Write("DATA/leaf.rdg", test::SpectrumFileText({{400, 8, 2}, {401, 6, 4}, {402, 5, 5}}));
    for (const Junk& j : JunkFiles) ASSERT_TRUE(w.dir.Write("DATA/" + std::string(j.name), j.contents));
    w.Start(true);
    ProgramState& s = *w.state;
    s.DefaultPath = w.dir.File("DATA");
    s.AutoScaleOn.fill(-1);
    w.PastWelcome();

    w.op.AnswerOpen(w.dir.File("DATA/leaf.rdg"));
    w.Mdi().ReadFileMenu.UserClick();
    ASSERT_EQ(s.SlotInfo[0].NumPoints, 3);
    charttest::FillScan256(s, 1);  // a curve of an earlier ring, next in the ring
    s.SlotInfo[1].FileName = "earlier.rdg";
    w.MainCanvas().ClearRecord();
    w.Main().Form_Paint();
    const std::vector<std::string> shown = Drawing(w.MainCanvas());
    ASSERT_FALSE(shown.empty());

    for (const Command& command : Commands) {
        for (const Junk& j : JunkFiles) {
            SCOPED_TRACE(std::string(command.name) + " " + j.name);
            const std::string path = w.dir.File("DATA/" + std::string(j.name));
            const auto told = static_cast<long>(w.op.Messages().size());
            w.flows.calls.clear();
            w.MainCanvas().ClearRecord();
            w.op.AnswerOpen(path);
            command.run(w);

            const std::vector<std::string> texts = w.op.MessageTexts();
            EXPECT_EQ(std::vector<std::string>(texts.begin() + told, texts.end()),
                      std::vector<std::string>{"The file\n" + path + "\nholds no spectrum: " + j.why});
            EXPECT_TRUE(w.MainCanvas().Ops().empty()) << "nothing drawn";
            EXPECT_EQ(w.flows.calls, std::vector<std::string>(command.name == "L"s ? 1 : 0, "OverlayFile"))
                << "no index pass";
            EXPECT_EQ(s.CurrentSlot, 0);
            EXPECT_EQ(s.OverlayCount, 1);
            EXPECT_EQ(s.SlotInfo[0].NumPoints, 3);
            EXPECT_EQ(s.SlotInfo[0].FileName, w.dir.File("DATA/leaf.rdg"));
            EXPECT_EQ(s.SlotInfo[1].FileName, "earlier.rdg");

            w.Main().Form_Paint();
            EXPECT_EQ(Drawing(w.MainCanvas()), shown) << "painted again, the window shows the same";
        }
    }
}

}  // namespace
}  // namespace tav
