// Random and mutated spectrum and settings files: the readers must neither crash nor hang nor
// read out of bounds, and whatever they accept must stay inside the slot store's bounds.

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "files/SettingsFile.h"
#include "files/SpectrumFileParser.h"
#include "files/SpectrumFileReader.h"
#include "support/FileWorld.h"

namespace tav {
namespace {

using test::FileWorld;
using test::Fixture;

const char Alphabet[] = "0123456789.-+eEdD ,\t\r\n\"File:=[]Band Start End Window#$%&'()/\\\x01\x7f\xff";

std::string RandomText(std::mt19937& rng, size_t maxLength) {
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> pick(0, sizeof(Alphabet) - 2);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::string text(length(rng), ' ');
    for (char& c : text) c = rng() % 8 == 0 ? static_cast<char>(anyByte(rng)) : Alphabet[pick(rng)];
    return text;
}

std::string Mutate(std::string text, std::mt19937& rng) {
    std::uniform_int_distribution<int> kind(0, 6);
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        const size_t at = text.empty() ? 0 : rng() % text.size();
        switch (kind(rng)) {
        case 0: if (!text.empty()) text[at] = static_cast<char>(rng() % 256); break;
        case 1: text.insert(at, RandomText(rng, 12)); break;
        case 2: if (!text.empty()) text.erase(at, 1 + rng() % 20); break;
        case 3: text.resize(at); break;
        case 4: text.insert(at, "1E+308"); break;
        case 5: {  // repeat a stretch many times, so that bounds are reached
            const std::string piece = text.substr(at, 1 + rng() % 40);
            std::string repeated;
            for (int i = 0; i < 200; ++i) repeated += piece;
            text.insert(at, repeated);
            break;
        }
        case 6: text.insert(at, std::string(1 + rng() % 300, "9.\t\r\n"[rng() % 5])); break;
        }
    }
    return text;
}

void ExpectBounded(const ParsedSpectrum& p) {
    ASSERT_LE(p.x.size(), static_cast<size_t>(MaxFilePoints));
    ASSERT_EQ(p.x.size(), p.ch1.size());
    ASSERT_EQ(p.x.size(), p.ch2.size());
    for (size_t i = 0; i < p.x.size(); ++i) {
        ASSERT_TRUE(std::isfinite(p.x[i]) && std::isfinite(p.ch1[i]) && std::isfinite(p.ch2[i]));
        ASSERT_NE(p.x[i], 0.0f);
    }
}

TEST(FileReadersFuzz, SpectrumFiles) {
    std::mt19937 rng(20240307);
    const std::vector<std::string> seeds = {Fixture("header_raw.rdg"), Fixture("series.rdg"),
                                            Fixture("multiscan.rdg"), Fixture("headerless_tabs.rdg")};
    FileWorld w;
    const int16_t slots[] = {0, 7, slot::Reference, slot::Work, slot::Ratio};
    for (int n = 0; n < 6000; ++n) {
        const std::string text = n % 3 == 0 ? RandomText(rng, 3000) : Mutate(seeds[n % seeds.size()], rng);
        ParsedSpectrum p;
        ParseSpectrumText(text, p);
        ExpectBounded(p);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "case " << n;
            return;
        }
        if (n % 4 != 0) continue;
        // The whole read, committing to a slot.
        w.dir.Write("f.rdg", text);
        const int16_t slot = slots[n % 5];
        w.state->SlotInfo[slot].FileName = "f.rdg";
        ReadSpectrumFile(w.ctx, slot);
        const SlotRecord& r = w.state->SlotInfo[slot];
        ASSERT_GE(r.NumPoints, 0);
        ASSERT_LE(r.NumPoints, MaxFilePoints) << "case " << n;
    }
}

TEST(FileReadersFuzz, SettingsFiles) {
    std::mt19937 rng(7031924);
    const std::string seed = Fixture("Prismel.INI");
    FileWorld w, again;
    for (int n = 0; n < 1500; ++n) {
        w.Reset();
        again.Reset();
        w.dir.Write("Prismel.INI", n % 4 == 0 ? RandomText(rng, 3000) : Mutate(seed, rng));
        ReadSettingsFile(w.ctx);
        const ProgramState& s = *w.state;
        ASSERT_GE(s.NumOfBands, 0);
        ASSERT_LE(s.NumOfBands, MaxBands);
        ASSERT_EQ(s.BandStart.size(), static_cast<size_t>(s.NumOfBands) + 1) << "case " << n;
        ASSERT_EQ(s.BandEnd.size(), static_cast<size_t>(s.NumOfBands) + 1) << "case " << n;
        ASSERT_NE(s.NumToAverage, 0);
        // Whatever was read writes out again and reads back to the same bands.
        ASSERT_TRUE(WriteSettingsFile(w.ctx));
        again.dir.Write("Prismel.INI", w.dir.Read("Prismel.INI"));
        ReadSettingsFile(again.ctx);
        ASSERT_EQ(again.state->NumOfBands, s.NumOfBands) << "case " << n;
    }
}

}  // namespace
}  // namespace tav
