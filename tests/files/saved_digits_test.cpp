// The digits a saved spectrum keeps: processed results (ratios, derivatives, averages) keep five
// significant digits through a save and a read, while a raw scan's whole counts are written
// byte for byte as the row picture "#####.#" always wrote them.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "files/SpectrumFileReader.h"
#include "files/SpectrumFileWriter.h"
#include "files/SpectrumSave.h"
#include "platform/Numbers.h"
#include "support/FileWorld.h"

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
        {-4.01e-5f, "-.000040100 ", "-.000040100"},  // a reflectance derivative
        {1.0e-9f, ".0000000010000 ", ".0000000010000"},
        {-2.5e-12f, "-.0000000000025000 ", "-.0000000000025000"},
        {0.0f, "0. ", "0."},
        {7.0f, "7. ", "7."},
        {-40.0f, "-40. ", "-40."},
        // An overflow keeps the field's blank.
        {std::numeric_limits<float>::infinity(), "Inf ", "Inf"},
        {-std::numeric_limits<float>::infinity(), "-Inf ", "-Inf"},
        {std::numeric_limits<float>::quiet_NaN(), "NaN ", "NaN"},
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

// Values of every magnitude a single holds, saved from a spectrum slot (raw rows) and from a
// kinetic slot (series rows), read back through the reader: five significant digits, whole
// values exactly, an overflow as what it was.
TEST(SavedDigits, EveryMagnitudeReadsBackAsItself) {
    std::vector<float> values;
    for (int e = -37; e <= 38; ++e) {
        for (double mantissa : {1.0, 1.23456789, 4.01, 9.999951, -7.654321}) {
            const double v = mantissa * std::pow(10.0, e);
            if (std::fabs(v) < FLT_MAX) values.push_back(static_cast<float>(v));
        }
    }
    for (float v : {FLT_MAX, -FLT_MAX, FLT_MIN, 65535.0f, -70000.0f, 0.0f, 0.5f, 16777215.0f})
        values.push_back(v);
    const float inf = std::numeric_limits<float>::infinity();
    for (float v : {inf, -inf, std::numeric_limits<float>::quiet_NaN()}) values.push_back(v);
    ASSERT_LE(values.size(), static_cast<size_t>(PointCount));

    struct FormCase {
        const char* name;
        int16_t slot;
    };
    for (const FormCase form : {FormCase{"raw rows", 0}, FormCase{"series rows", slot::Ratio}}) {
        SCOPED_TRACE(form.name);
        test::FileWorld w;
        ProgramState& s = *w.state;
        for (size_t i = 0; i < values.size(); ++i) {
            s.XData[form.slot][i] = 400.0f + static_cast<float>(i);
            s.Ch1Data[form.slot][i] = values[i];
            s.Ch2Data[form.slot][i] = values[values.size() - 1 - i];
        }
        s.SlotInfo[form.slot].NumPoints = static_cast<int16_t>(values.size());
        w.op.AnswerSave(w.P("magnitudes.rdg"));
        ASSERT_EQ(SaveSpectrumAs(w.ctx, form.slot), SpectrumSaveResult::Saved);

        s.SlotInfo[3].FileName = w.P("magnitudes.rdg");
        ASSERT_EQ(ReadSpectrumFile(w.ctx, 3), SpectrumReadResult::Ok);
        ASSERT_EQ(s.SlotInfo[3].NumPoints, static_cast<int16_t>(values.size()));
        auto same = [](float read, float saved) {
            if (std::isnan(saved)) return std::isnan(read);
            if (!std::isfinite(saved) || std::floor(saved) == saved) return read == saved;
            return std::fabs(static_cast<double>(read) - saved) <= 5.0001e-5 * std::fabs(saved);
        };
        for (size_t i = 0; i < values.size(); ++i) {
            EXPECT_PRED2(same, s.Ch1Data[3][i], values[i]) << "point " << i;
            if (form.slot == 0) {
                EXPECT_PRED2(same, s.Ch2Data[3][i], values[values.size() - 1 - i]) << "point " << i;
            }
        }
    }
}

// The header's Minimum and Maximum are those of the finite values, with the point of each.
TEST(SavedDigits, TheHeaderRangeLeavesOverflowsOut) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct RangeCase {
        const char* name;
        std::vector<float> values;
        const char* minimum;
        const char* maximum;
    };
    const RangeCase cases[] = {
        {"infinity first", {inf, 5.0f, nan, -3.0f, 7.0f}, "\"Minimum:    403.0nm -3\"", "\"Maximum:    404.0nm  7\""},
        {"not a number first", {nan, 2.0f, -inf, 1.5f}, "\"Minimum:    403.0nm  1.5\"", "\"Maximum:    401.0nm  2\""},
        {"nothing finite", {nan, inf}, "\"Minimum:    400.0nm  0\"", "\"Maximum:    400.0nm  0\""},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = std::make_unique<ProgramState>();
        for (size_t i = 0; i < c.values.size(); ++i) {
            s->XData[0][i] = 400.0f + static_cast<float>(i);
            s->Ch1Data[0][i] = c.values[i];
        }
        s->SlotInfo[0].NumPoints = static_cast<int16_t>(c.values.size());
        std::string header;
        WriteSpectrumInfo(*s, 0, When, header);
        EXPECT_NE(header.find(c.minimum), std::string::npos) << header;
        EXPECT_NE(header.find(c.maximum), std::string::npos) << header;
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
