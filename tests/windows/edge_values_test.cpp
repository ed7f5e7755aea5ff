// Values at the edge of the single range, through the operator's commands: a file that another
// program wrote with "inf" and "nan" reads as infinity and NaN and saves them back; a file
// average of values near the largest single does not overflow; a two-file result keeps its true
// value (infinity, NaN), which Save File then writes.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "MainWindowWorld.h"
#include "windows/FileAverageForm.h"
#include "windows/GetFileName.h"
#include "windows/two_file_fixtures.h"

namespace tav {
namespace {

constexpr float Inf = std::numeric_limits<float>::infinity();
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

struct EdgeValues : ::testing::Test {
    test::MainWindowWorld w{false};
    ProgramState& s = *w.state;

    void SetUp() override {
        w.dir.MakeDir("DATA");
        w.Start(true);
        s.DefaultPath = w.dir.File("DATA");
        s.AutoScaleOn.fill(-1);
        w.PastWelcome();
    }
    std::string InData(const std::string& name) const { return w.dir.File("DATA") + "/" + name; }
    void Write(const std::string& name, const std::string& text) { ASSERT_TRUE(w.dir.Write("DATA/" + name, text)); }
    std::vector<float> Channel(const std::array<float, PointCount>& data, int points) const {
        return {data.begin(), data.begin() + points};
    }
    // The rows of a file saved with Save File, after its ten header lines.
    std::vector<std::string> SavedRows(const std::string& name) {
        w.op.AnswerSave(InData(name));
        w.Mdi().SaveFileMenu.UserClick();
        std::istringstream in(w.dir.Read("DATA/" + name));
        std::vector<std::string> rows;
        std::string line;
        for (int i = 0; std::getline(in, line); ++i) {
            if (i >= 10) rows.push_back(line);
        }
        return rows;
    }
    void EnterName(GetFileName& d, const std::string& name) {
        d.FileNameBox.SetFocus();
        d.FileNameBox.UserEdit(name);
        d.UserKeyPress(&d.FileNameBox, 13);
    }
};

// Equal, NaN equal to NaN.
void ExpectValues(const std::vector<float>& got, const std::vector<float>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        if (std::isnan(expected[i])) {
            EXPECT_TRUE(std::isnan(got[i])) << "point " << i << ": " << got[i];
        } else {
            EXPECT_EQ(got[i], expected[i]) << "point " << i;
        }
    }
}

TEST_F(EdgeValues, InfinityAndNaNOfOtherProgramsReadAndSaveBack) {
    Write("other.rdg", test::SpectrumFileText({}) +
                           "400\tinf\t1\r\n401\t-inf\t2\r\n402\tnan\t3\r\n403\t5\tINF\r\n404\t6\t+Infinity\r\n"
                           "405\t-nan\t-Infinity\r\n406\t7\t8\r\n");
    w.op.AnswerOpen(InData("other.rdg"));
    w.Type('F');
    ASSERT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;
    ASSERT_EQ(s.SlotInfo[0].NumPoints, 7);
    ExpectValues(Channel(s.Ch1Data[0], 7), {Inf, -Inf, NaN, 5, 6, NaN, 7});
    ExpectValues(Channel(s.Ch2Data[0], 7), {1, 2, 3, Inf, Inf, -Inf, 8});

    EXPECT_EQ(SavedRows("back.rdg"),
              (std::vector<std::string>{"400. \tInf \t1.\r", "401. \t-Inf \t2.\r", "402. \tNaN \t3.\r",
                                        "403. \t5. \tInf\r", "404. \t6. \tInf\r", "405. \tNaN \t-Inf\r",
                                        "406. \t7. \t8.\r"}));
    w.op.AnswerOpen(InData("back.rdg"));
    w.Type('F');
    ExpectValues(Channel(s.Ch1Data[0], 7), {Inf, -Inf, NaN, 5, 6, NaN, 7});
    ExpectValues(Channel(s.Ch2Data[0], 7), {1, 2, 3, Inf, Inf, -Inf, 8});
}

TEST_F(EdgeValues, TheFileAverageOfLargeValuesDoesNotOverflow) {
    Write("a.rdg", test::SpectrumFileText({{400, 3e38f, 1}, {401, -3e38f, 1}, {402, 1, 4}}));
    Write("b.rdg", test::SpectrumFileText({{400, 3.4e38f, 1}, {401, -3.4e38f, 1}, {402, 2, 4}}));
    w.Mdi().Average.UserClick();
    FileAverageForm& d = w.app.forms.Get<FileAverageForm>();
    for (const char* name : {"a.rdg", "b.rdg"}) {
        d.FileNameBox.SetFocus();
        d.FileNameBox.UserEdit(name);
        d.UserKeyPress(&d.FileNameBox, 13);
    }
    d.Command1.UserClick();
    ASSERT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;
    ASSERT_EQ(s.SlotInfo[0].NumPoints, 3);
    const float mean = static_cast<float>((3e38 + 3.4e38) / 2);
    ExpectValues(Channel(s.Ch1Data[0], 3), {mean, -mean, 0.375f});
    EXPECT_TRUE(std::isfinite(mean));
}

TEST_F(EdgeValues, ATwoFileResultKeepsItsTrueValue) {
    Write("one.rdg", test::SpectrumFileText({{400, 3e38f, 1}, {401, Inf, 1}, {402, 1, 1}, {403, 2e38f, 1}}));
    Write("two.rdg", test::SpectrumFileText({{400, 3e38f, 1}, {401, -Inf, 1}, {402, 2, 1}, {403, 2e38f, 1}}));
    w.Mdi().Add.UserClick();
    GetFileName& d = w.app.forms.Get<GetFileName>();
    d.RawData.UserClick();
    EnterName(d, "one.rdg");
    EnterName(d, "two.rdg");
    ASSERT_TRUE(w.op.Messages().empty()) << w.op.Messages()[0].text;
    ASSERT_EQ(s.SlotInfo[0].NumPoints, 4);
    ExpectValues(Channel(s.Ch1Data[0], 4), {Inf, NaN, 3, Inf});

    const std::vector<std::string> rows = SavedRows("sum.rdg");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], "400. \tInf \t1.\r");
    EXPECT_EQ(rows[1], "401. \tNaN \t1.\r");
    EXPECT_EQ(rows[3], "403. \tInf \t1.\r");
}

}  // namespace
}  // namespace tav
