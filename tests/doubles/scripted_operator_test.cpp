#include <gtest/gtest.h>

#include <algorithm>

#include "doubles/FakeBoardLibrary.h"
#include "doubles/ScriptedOperator.h"

namespace tav {
namespace {

TEST(ScriptedOperator, AnswersInOrderThenAsEnterWouldUnlessToldOtherwise) {
    ScriptedOperator op;
    op.AnswerMessage(MsgResult::No);
    op.AnswerMessage(MsgResult::Cancel);
    EXPECT_EQ(op.MsgBox("first", MsgButtons::YesNo), MsgResult::No);
    EXPECT_EQ(op.MsgBox("second", MsgButtons::YesNoCancel), MsgResult::Cancel);
    EXPECT_EQ(op.UnusedAnswers(), 0u);

    // An unscripted box gets its default button, as the real one does on Enter: a question that
    // defaults to No is never answered Yes behind the test's back.
    struct Case {
        MsgButtons buttons;
        MsgDefault defaultButton;
        MsgResult expected;
    };
    for (Case c : {Case{MsgButtons::OkOnly, MsgDefault::Button1, MsgResult::Ok},
                   Case{MsgButtons::YesNo, MsgDefault::Button1, MsgResult::Yes},
                   Case{MsgButtons::YesNo, MsgDefault::Button2, MsgResult::No},
                   Case{MsgButtons::YesNoCancel, MsgDefault::Button3, MsgResult::Cancel},
                   Case{MsgButtons::OkCancel, MsgDefault::Button2, MsgResult::Cancel},
                   Case{MsgButtons::RetryCancel, MsgDefault::Button1, MsgResult::Retry},
                   Case{MsgButtons::AbortRetryIgnore, MsgDefault::Button1, MsgResult::Abort}}) {
        EXPECT_EQ(op.MsgBox("unscripted", c.buttons, MsgIcon::None, "", c.defaultButton), c.expected)
            << static_cast<int>(c.buttons);
        EXPECT_FALSE(op.LastBoxEscaped());
    }

    op.SetDefaultAnswer(MsgResult::No);
    EXPECT_EQ(op.MsgBox("q", MsgButtons::YesNo), MsgResult::No);
    op.SetDefaultAnswer(MsgResult::Yes);
    EXPECT_EQ(op.MsgBox("q", MsgButtons::YesNo, MsgIcon::None, "", MsgDefault::Button2), MsgResult::Yes);
    EXPECT_EQ(op.MsgBox("q", MsgButtons::OkOnly), MsgResult::Ok);
    op.SetDefaultAnswer(MsgResult::Cancel);
    EXPECT_EQ(op.MsgBox("q", MsgButtons::OkCancel), MsgResult::Cancel);
}

TEST(ScriptedOperator, EnterPressesTheDefaultButtonAndEscapeTheCancellingOne) {
    ScriptedOperator op;
    struct Case {
        MsgButtons buttons;
        MsgDefault defaultButton;
        MsgResult onEnter, onEscape;
    };
    for (Case c : {Case{MsgButtons::YesNo, MsgDefault::Button1, MsgResult::Yes, MsgResult::No},
                   Case{MsgButtons::YesNo, MsgDefault::Button2, MsgResult::No, MsgResult::No},
                   Case{MsgButtons::YesNoCancel, MsgDefault::Button3, MsgResult::Cancel, MsgResult::Cancel},
                   Case{MsgButtons::OkCancel, MsgDefault::Button2, MsgResult::Cancel, MsgResult::Cancel},
                   Case{MsgButtons::OkOnly, MsgDefault::Button2, MsgResult::Ok, MsgResult::Ok},
                   Case{MsgButtons::AbortRetryIgnore, MsgDefault::Button2, MsgResult::Retry, MsgResult::Abort}}) {
        op.PressDefault();
        EXPECT_EQ(op.MsgBox("q", c.buttons, MsgIcon::None, "", c.defaultButton), c.onEnter);
        EXPECT_FALSE(op.LastBoxEscaped());
        op.AnswerEscape();
        EXPECT_EQ(op.MsgBox("q", c.buttons, MsgIcon::None, "", c.defaultButton), c.onEscape);
        EXPECT_TRUE(op.LastBoxEscaped());
        EXPECT_TRUE(op.Messages().back().escaped);
        EXPECT_EQ(op.Messages().back().defaultButton, c.defaultButton);
    }
    op.MsgBox("answered by a button");
    EXPECT_FALSE(op.LastBoxEscaped());
}

TEST(ScriptedOperator, RecordsEveryMessage) {
    ScriptedOperator op;
    op.MsgBox("File not found.");
    op.MsgBox("AutoSave is ON, and files\nwith the same series name exist.\nDo you want to overwrite?",
              MsgButtons::YesNo, MsgIcon::Question, "AutoSave");
    ASSERT_EQ(op.Messages().size(), 2u);
    EXPECT_EQ(op.Messages()[0].text, "File not found.");
    EXPECT_EQ(op.Messages()[0].buttons, MsgButtons::OkOnly);
    EXPECT_EQ(op.Messages()[0].icon, MsgIcon::None);
    EXPECT_EQ(op.Messages()[0].title, "");
    EXPECT_EQ(op.Messages()[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(op.Messages()[1].icon, MsgIcon::Question);
    EXPECT_EQ(op.Messages()[1].title, "AutoSave");
    EXPECT_EQ(op.Messages()[1].answer, MsgResult::Yes);
    EXPECT_EQ(op.MessageTexts().front(), "File not found.");
}

TEST(ScriptedOperator, DialogsTakeScriptedPathsAndCancelWithout) {
    ScriptedOperator op;
    op.AnswerOpen("/data/a.rdg");
    op.AnswerSave("/data/b.rdg");
    FileDialogRequest open;
    open.title = "Open";
    open.initialDir = "/data";
    open.filter = "Quorveld Files (*.rdg)|*.rdg";
    FileDialogRequest save = open;
    save.defaultExt = "rdg";
    save.overwritePrompt = true;

    EXPECT_EQ(op.OpenFileDialog(open), "/data/a.rdg");
    EXPECT_EQ(op.OpenFileDialog(open), "");
    EXPECT_EQ(op.SaveFileDialog(save), "/data/b.rdg");
    EXPECT_EQ(op.SaveFileDialog(save), "");

    ASSERT_EQ(op.OpenRequests().size(), 2u);
    ASSERT_EQ(op.SaveRequests().size(), 2u);
    EXPECT_EQ(op.OpenRequests()[0].initialDir, "/data");
    EXPECT_EQ(op.OpenRequests()[0].filter, "Quorveld Files (*.rdg)|*.rdg");
    EXPECT_TRUE(op.SaveRequests()[0].overwritePrompt);
    EXPECT_EQ(op.SaveRequests()[0].defaultExt, "rdg");
}

TEST(ScriptedOperator, FontsBeepAndHelp) {
    ScriptedOperator op;
    std::vector<std::string> fonts = op.ScreenFonts();
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts[0], "MS Sans Serif");
    for (const char* name : {"Arial", "Times New Roman", "Small Fonts"})
        EXPECT_NE(std::find(fonts.begin(), fonts.end(), name), fonts.end()) << name;
    op.SetFonts({"DejaVu Sans"});
    EXPECT_EQ(op.ScreenFonts(), std::vector<std::string>{"DejaVu Sans"});

    op.Beep();
    op.Beep();
    EXPECT_EQ(op.Beeps(), 2);
    op.ShowHelp("prismel.hlp");
    EXPECT_EQ(op.HelpRequests(), std::vector<std::string>{"prismel.hlp"});
}

TEST(BoardLibrary, NamesItsBoardInTheStartOfABlankBuffer) {
    FakeBoardLibrary library("PCM-DAS16D/12");
    std::string buffer(80, ' ');
    EXPECT_EQ(library.cbGetBoardName(0, buffer), 0);
    ASSERT_EQ(buffer.size(), 80u);
    EXPECT_EQ(buffer.substr(0, 13), "PCM-DAS16D/12");
    EXPECT_EQ(buffer[13], '\0');
    EXPECT_EQ(buffer.substr(14), std::string(66, ' '));

    std::string other(80, ' ');
    EXPECT_NE(library.cbGetBoardName(1, other), 0);
    EXPECT_EQ(other, std::string(80, ' '));
    EXPECT_EQ(library.BoardsAsked(), (std::vector<int16_t>{0, 1}));

    std::string tiny(4, ' ');  // never written past its end
    library.cbGetBoardName(0, tiny);
    EXPECT_EQ(tiny, "PCM-");

    NoBoardLibrary none;
    std::string blank(80, ' ');
    none.cbGetBoardName(0, blank);
    EXPECT_EQ(blank, std::string(80, ' '));
}

}  // namespace
}  // namespace tav
