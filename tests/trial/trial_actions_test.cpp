// A failure of the trial is reported as a line of actions that a test pastes and replays: every
// sequence the trial draws prints as a line that reads back as the same sequence, and a line
// that holds no action is refused with the token that is wrong.

#include <gtest/gtest.h>

#include <stdexcept>

#include "trial/TrialAction.h"

namespace tav::trial {
namespace {

TEST(TrialActions, EveryDrawnSequenceReadsBackFromItsText) {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        const std::vector<Action> sequence = RandomSequence(seed, 40);
        const std::string text = ToText(sequence);
        ASSERT_EQ(ParseSequence(text), sequence) << text;
    }
    EXPECT_EQ(RandomSequence(7, 30), RandomSequence(7, 30));
    EXPECT_NE(RandomSequence(7, 30), RandomSequence(8, 30));
}

TEST(TrialActions, ALineThatHoldsNoActionIsRefusedWithItsToken) {
    EXPECT_EQ(ToText(ParseSequence("N@2[YE] Scan=3 SetOK=30.0,2,1,1 Wait=5 Short=16")),
              "N@2[YE] Scan=3 SetOK=30.0,2,1,1 Wait=5 Short=16");
    for (const char* wrong : {"Q", "Scan", "N=3", "N[Z]", "N@x", "Wait="}) {
        try {
            ParseSequence(std::string("N ") + wrong);
            ADD_FAILURE() << wrong << " was read as an action";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(wrong), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace tav::trial
