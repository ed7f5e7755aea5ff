#include <gtest/gtest.h>

#include "platform/comm/SerialSettings.h"
#include "simulator/LineSpeed.h"

namespace tav {
namespace {

TEST(CommSettings, ParsesTheControlsSettingsStrings) {
    struct Case {
        const char* text;
        int baud;
        char parity;
        int data;
        int stop;
    };
    const Case good[] = {
        {"115200,N,8,1", 115200, 'N', 8, 1},
        {"9600,N,8,1", 9600, 'N', 8, 1},
        {" 9600 , e , 7 , 2 ", 9600, 'E', 7, 2},
    };
    for (const Case& c : good) {
        SCOPED_TRACE(c.text);
        auto s = ParseSerialSettings(c.text);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->baud, c.baud);
        EXPECT_EQ(s->parity, c.parity);
        EXPECT_EQ(s->dataBits, c.data);
        EXPECT_EQ(s->stopBits, c.stop);
    }
    const char* bad[] = {"",           "115200",       "115200,N,8",   "115200,N,8,1,1",
                         "fast,N,8,1", "115200,X,8,1", "115200,N,9,1", "115200,N,8,3",
                         "0,N,8,1",    "-9600,N,8,1"};
    for (const char* text : bad) EXPECT_FALSE(ParseSerialSettings(text).has_value()) << text;
    EXPECT_DOUBLE_EQ(CharacterSeconds(*ParseSerialSettings("115200,N,8,1")), 10.0 / 115200);
    EXPECT_DOUBLE_EQ(CharacterSeconds(*ParseSerialSettings("9600,E,8,2")), 12.0 / 9600);
}

TEST(CommLineSpeed, EqualSpeedsPassBytesUnchanged) {
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    EXPECT_EQ(HearAtSpeed(all, 115200, 115200), all);
    EXPECT_EQ(HearAtSpeed(all, 9600, 9600), all);
}

TEST(CommLineSpeed, SlowByteAtFastReceiverGivesAZeroPerFallingEdge) {
    // Frame: start 0, data LSB first, stop 1; each 1 -> 0 step starts a framing-error 0.
    struct Case {
        int byte;
        size_t zeros;
    };
    const Case cases[] = {{0x00, 1}, {0xFF, 1}, {0x55, 5}, {0x59, 4}, {0x02, 2}, {0x01, 2}, {0x80, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byte);
        std::string heard = HearAtSpeed(std::string(1, static_cast<char>(c.byte)), 9600, 115200);
        EXPECT_EQ(heard, std::string(c.zeros, '\0'));
    }
}

TEST(CommLineSpeed, FastBytesAtSlowReceiverAreMostlyLost) {
    // A lone fast byte: the slow receiver's start-bit check lands on data bit 5.
    EXPECT_EQ(HearAtSpeed("\x02", 115200, 9600), "\xFF");
    EXPECT_EQ(HearAtSpeed("\x20", 115200, 9600), "");
    std::string block(66, '\x41');
    std::string heard = HearAtSpeed(block, 115200, 9600);
    EXPECT_LE(heard.size(), 66u / 10 + 1);
    EXPECT_EQ(heard.find('\x41'), std::string::npos);
}

}  // namespace
}  // namespace tav
