// The digits a saved spectrum keeps: processed results (ratios, derivatives, averages) keep five
// significant digits through a save and a read, while a raw scan's whole counts are written
// byte for byte as the row picture "#####.#" always wrote them.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/SpectrumFileReader.h"
#include "files/SpectrumFileWriter.h"
#include "files/SpectrumSave.h"
#include "files/support/FileTestDoubles.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

const CivilTime When{2024, 3, 7, 14, 5, 9, 0};

// The rows of the file text (after the ten header lines).
std::vector<std::string> Rows(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return std::vector<std::string>(lines.begin() + 10, lines.end());
}

struct DigitCase {
    float value;
    const char* channel1;  // the field as written, with its blank
    const char* channel2;  // the same value as the last field
};

TEST(SavedDigits, ValuesThatWouldLoseDigitsKeepFive) {
    const DigitCase cases[] = {
        {0.4567f, ".45670 ", ".45670"},         // a reflectance ratio
        {0.0012f, ".0012000 ", ".0012000"},     // a derivative
        {-0.0012f, "-.0012000 ", "-.0012000"},
        {12.5f, "12.500 ", "12.500"},
        {123.456f, "123.46 ", "123.46"},
        {999.99f, "999.99 ", "999.99"},
        {1234.56f, "1234.6 ", "1234.6"},        // five digits already
        {12345.67f, "12345.7 ", "12345.7"},
        {1.0e-9f, ".0000000 ", ".0000000"},      // at most seven decimals
        {0.0f, "0. ", "0."},
        {7.0f, "7. ", "7."},
        {-40.0f, "-40. ", "-40."},
    };
    auto s = std::make_unique<ProgramState>();
    int i = 0;
    for (const DigitCase& c : cases) {
        s->XData[0][i] = 400.0f + static_cast<float>(i);
        s->Ch1Data[0][i] = c.value;
        s->Ch2Data[0][i] = c.value;
        ++i;
    }
    s->SlotInfo[0].NumPoints = static_cast<int16_t>(i);
    const std::vector<std::string> rows = Rows(SpectrumFileText(*s, 0, SpectrumRowForm::Raw, When));
    ASSERT_EQ(rows.size(), static_cast<size_t>(i));
    for (int k = 0; k < i; ++k) {
        const DigitCase& c = cases[k];
        const std::string x = Format(400.0 + k, "####.# ");
        EXPECT_EQ(rows[k], x + "\t" + c.channel1 + "\t" + c.channel2) << c.value;
    }
}

TEST(SavedDigits, ARatioAndADerivativeReadBackWithTheirDigits) {
    test::FileWorld w;
    ProgramState& s = *w.state;
    const std::vector<float> values = {0.4567f, 0.51234f, 0.0012f, -0.00034567f, 0.98765f};
    for (size_t i = 0; i < values.size(); ++i) {
        s.XData[0][i] = 400.0f + 2.0f * static_cast<float>(i);
        s.Ch1Data[0][i] = values[i];
        s.Ch2Data[0][i] = 1.0f;
    }
    s.SlotInfo[0].NumPoints = static_cast<int16_t>(values.size());
    w.op.AnswerSave(w.P("ratio.rdg"));
    ASSERT_EQ(SaveSpectrumAs(w.ctx, 0), SpectrumSaveResult::Saved);

    s.SlotInfo[3].FileName = w.P("ratio.rdg");
    ASSERT_EQ(ReadSpectrumFile(w.ctx, 3), SpectrumReadResult::Ok);
    ASSERT_EQ(s.SlotInfo[3].NumPoints, static_cast<int16_t>(values.size()));
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_NEAR(s.Ch1Data[3][i], values[i], std::fabs(values[i]) * 1e-4) << i;
    }
}

TEST(SavedDigits, ARawScanIsWrittenByteForByteAsBefore) {
    // Whole counts as a scan brings them, dark-corrected ones below 0 included; each row must be
    // what the row pictures "####.# ", "#####.# " and "#####.#" give.
    auto s = std::make_unique<ProgramState>();
    for (int i = 0; i < PointCount; ++i) {
        s->XData[0][i] = 300.0f + 0.37f * static_cast<float>(i);
        s->Ch1Data[0][i] = static_cast<float>((i * 977) % 65536 - (i % 11 == 0 ? 70000 : 0));
        s->Ch2Data[0][i] = static_cast<float>((i * 131) % 4096);
    }
    s->Ch1Data[0][5] = 0.0f;
    s->SlotInfo[0].NumPoints = PointCount;
    const std::vector<std::string> rows = Rows(SpectrumFileText(*s, 0, SpectrumRowForm::Raw, When));
    ASSERT_EQ(rows.size(), static_cast<size_t>(PointCount));
    auto field = [](float v, bool last) {
        if (v == 0.0f) return std::string(last ? "0." : "0. ");
        return Format(v, last ? "#####.#" : "#####.# ");
    };
    for (int i = 0; i < PointCount; ++i) {
        const std::string expected = Format(s->XData[0][i], "####.# ") + "\t" + field(s->Ch1Data[0][i], false) +
                                     "\t" + field(s->Ch2Data[0][i], true);
        ASSERT_EQ(rows[i], expected) << i;
    }
    EXPECT_EQ(rows[1], "300.4 \t977. \t131.");
    EXPECT_EQ(rows[5], "301.9 \t0. \t655.");
}

}  // namespace
}  // namespace tav
