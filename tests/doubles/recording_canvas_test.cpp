#include <gtest/gtest.h>

#include "doubles/RecordingCanvas.h"

namespace tav {
namespace {

using Kind = CanvasOp::Kind;

TEST(RecordingCanvas, TextMetricsFollowTheFontSize) {
    struct Case {
        float size;
        float height;
        float widthPerChar;
    };
    for (Case c : {Case{12, 288, 120}, Case{8.25f, 198, 83}, Case{10, 240, 100}, Case{5, 120, 50}}) {
        RecordingCanvas canvas;
        canvas.SetFontSize(c.size);
        EXPECT_EQ(canvas.TextHeight("0"), c.height) << c.size;
        EXPECT_EQ(canvas.TextHeight(""), c.height) << c.size;
        EXPECT_EQ(canvas.TextWidth(""), 0) << c.size;
        EXPECT_EQ(canvas.TextWidth("000.0 nm"), 8 * c.widthPerChar) << c.size;
    }
}

TEST(RecordingCanvas, PrintEndsTheLineAndPrintInlineStaysOnIt) {
    RecordingCanvas canvas;
    canvas.SetFontSize(12);
    canvas.CurrentX = 100;
    canvas.CurrentY = 50;
    canvas.PrintInline("ab");
    EXPECT_EQ(canvas.CurrentX, 340);
    EXPECT_EQ(canvas.CurrentY, 50);
    canvas.Print("c");
    EXPECT_EQ(canvas.CurrentX, 0);
    EXPECT_EQ(canvas.CurrentY, 338);
    canvas.Print("");  // an empty print still moves one line down
    EXPECT_EQ(canvas.CurrentY, 626);

    auto prints = canvas.Ops();
    ASSERT_EQ(prints.size(), 4u);  // the font size, then three texts
    EXPECT_EQ(prints[1].kind, Kind::PrintInline);
    EXPECT_EQ(prints[1].x1, 100);
    EXPECT_EQ(prints[1].y1, 50);
    EXPECT_EQ(prints[2].kind, Kind::Print);
    EXPECT_EQ(prints[2].x1, 340);
    EXPECT_EQ(prints[2].y1, 50);
    EXPECT_EQ(canvas.PrintedTexts(), (std::vector<std::string>{"ab", "c", ""}));
}

TEST(RecordingCanvas, DrawingLeavesTheCurrentPointWhereTheSystemExpects) {
    RecordingCanvas canvas;
    canvas.Line(10, 20, 30, 40);
    EXPECT_EQ(canvas.CurrentX, 30);
    EXPECT_EQ(canvas.CurrentY, 40);
    canvas.LineTo(50, 60);
    ASSERT_EQ(canvas.Ops().back().kind, Kind::Line);
    EXPECT_EQ(canvas.Ops().back().x1, 30);
    EXPECT_EQ(canvas.Ops().back().y1, 40);

    canvas.Box(1, 2, 3, 4, 0x00FF00, false);
    EXPECT_EQ(canvas.CurrentX, 3);
    EXPECT_EQ(canvas.CurrentY, 4);
    canvas.Box(5, 6, 7, 8, 0x00FF00, true);
    EXPECT_EQ(canvas.Ops().back().kind, Kind::FilledBox);
    EXPECT_EQ(canvas.CurrentX, 7);

    // A curve starts with a point and goes on from it.
    canvas.PSet(500, 600, 0x0000FF);
    EXPECT_EQ(canvas.CurrentX, 500);
    EXPECT_EQ(canvas.CurrentY, 600);
    canvas.LineTo(510, 610);
    EXPECT_EQ(canvas.Ops().back().x1, 500);

    canvas.BackColor = 0x123456;
    canvas.Cls();
    EXPECT_EQ(canvas.CurrentX, 0);
    EXPECT_EQ(canvas.CurrentY, 0);
    EXPECT_EQ(canvas.Ops().back().kind, Kind::Cls);
    EXPECT_EQ(canvas.Ops().back().color, 0x123456);
}

TEST(RecordingCanvas, EveryOperationRecordsTheStateItUsed) {
    RecordingCanvas canvas;
    canvas.SetFontName("Arial");
    canvas.SetFontSize(9);
    canvas.SetFontBold(true);
    canvas.ForeColor = 0x800000;
    canvas.DrawStyle = draw::Dot;
    canvas.DrawMode = draw::NotXorPen;
    canvas.ScaleTop = -1234;

    canvas.Line(0, 0, 10, 10);
    canvas.Line(0, 0, 10, 10, 0x008000);  // an explicit colour wins over ForeColor
    canvas.Print("x");

    const auto& ops = canvas.Ops();
    ASSERT_EQ(ops.size(), 6u);
    for (size_t i = 3; i < ops.size(); ++i) {
        EXPECT_EQ(ops[i].drawStyle, draw::Dot);
        EXPECT_EQ(ops[i].drawMode, draw::NotXorPen);
        EXPECT_EQ(ops[i].fontName, "Arial");
        EXPECT_EQ(ops[i].fontSize, 9);
        EXPECT_TRUE(ops[i].fontBold);
        EXPECT_EQ(ops[i].scaleTop, -1234);
    }
    EXPECT_EQ(ops[3].color, 0x800000);
    EXPECT_EQ(ops[4].color, 0x008000);
    EXPECT_EQ(ops[5].color, 0x800000);
    EXPECT_EQ(canvas.OpsOfKind(Kind::Line).size(), 2u);
}

TEST(RecordingCanvas, AFontThatIsNotThereKeepsTheCurrentOne) {
    RecordingCanvas canvas;
    EXPECT_EQ(canvas.FontName(), "MS Sans Serif");
    for (const char* name : {"MS Sans Serif", "Arial", "Times New Roman", "Small Fonts", "Courier New"}) {
        EXPECT_TRUE(canvas.SetFontName(name)) << name;
        EXPECT_EQ(canvas.FontName(), name);
    }
    EXPECT_TRUE(canvas.SetFontName("arial"));
    EXPECT_EQ(canvas.FontName(), "Arial");

    EXPECT_FALSE(canvas.SetFontName("Wingdings"));
    EXPECT_EQ(canvas.FontName(), "Arial");
    EXPECT_FALSE(canvas.SetFontName(""));
    EXPECT_EQ(canvas.FontName(), "Arial");
    const CanvasOp& refused = canvas.Ops().back();
    EXPECT_EQ(refused.kind, Kind::Font);
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.fontName, "Arial");

    canvas.SetAvailableFonts({"DejaVu Sans"});
    EXPECT_FALSE(canvas.SetFontName("Small Fonts"));
    EXPECT_TRUE(canvas.SetFontName("DejaVu Sans"));
}

TEST(RecordingCanvas, OuterSizeAddsTheFrame) {
    RecordingCanvas window(9600, 7200, 120, 400);
    EXPECT_EQ(window.ScaleWidth(), 9600);
    EXPECT_EQ(window.Width(), 9720);
    EXPECT_EQ(window.Height(), 7600);
    window.SetSize(3000, 2000);
    EXPECT_EQ(window.Width(), 3120);

    RecordingCanvas page(11520, 15120, 0, 0);
    EXPECT_EQ(page.Height(), 15120);
}

TEST(RecordingCanvas, EndingAPageReturnsToTheTopAndKeepsTheOrigin) {
    RecordingCanvas page(11520, 15120, 0, 0);
    page.ScaleTop = -500;
    page.CurrentX = 700;
    page.CurrentY = 900;
    page.NewPage();
    EXPECT_EQ(page.CurrentX, 0);
    EXPECT_EQ(page.CurrentY, 0);
    page.CurrentY = 900;
    page.EndDoc();
    EXPECT_EQ(page.CurrentY, 0);
    EXPECT_EQ(page.ScaleTop, -500);
    EXPECT_EQ(page.OpsOfKind(Kind::EndDoc).size(), 1u);
    EXPECT_EQ(page.OpsOfKind(Kind::NewPage).size(), 1u);
}

// Draws a cursor-like figure: a vertical line and a mark.
void DrawFigure(Canvas& c, float x, Color color = 0) {
    c.Line(x, 100, x, 900, color);
    c.Line(x - 60, 440, x - 30, 470, color);
    c.PSet(x, 500, color);
}

TEST(RecordingCanvas, NotXorDrawingTwiceCancels) {
    struct Case {
        const char* name;
        void (*draw)(RecordingCanvas&);
        size_t left;
    };
    const Case cases[] = {
        {"drawn once", [](RecordingCanvas& c) { DrawFigure(c, 300); }, 3},
        {"drawn twice", [](RecordingCanvas& c) { DrawFigure(c, 300); DrawFigure(c, 300); }, 0},
        {"moved: erase old, draw new",
         [](RecordingCanvas& c) { DrawFigure(c, 300); DrawFigure(c, 300); DrawFigure(c, 420); }, 3},
        {"drawn three times", [](RecordingCanvas& c) { for (int i = 0; i < 3; ++i) DrawFigure(c, 300); }, 3},
        {"line ends swapped",
         [](RecordingCanvas& c) { c.Line(5, 100, 5, 900); c.Line(5, 900, 5, 100); }, 0},
        {"box corners swapped",
         [](RecordingCanvas& c) { c.Box(0, 0, 50, 60, 0, true); c.Box(50, 60, 0, 0, 0, true); }, 0},
        {"outline and filled box differ",
         [](RecordingCanvas& c) { c.Box(0, 0, 50, 60, 0, true); c.Box(0, 0, 50, 60, 0, false); }, 2},
        {"another colour does not erase",
         [](RecordingCanvas& c) { DrawFigure(c, 300, 0); DrawFigure(c, 300, 0xFFFFFF); }, 6},
        {"another line style does not erase",
         [](RecordingCanvas& c) {
             c.Line(5, 100, 5, 900);
             c.DrawStyle = draw::Dot;
             c.Line(5, 100, 5, 900);
         }, 2},
        {"a copy-pen erase does not count",
         [](RecordingCanvas& c) {
             c.Line(5, 100, 5, 900);
             c.DrawMode = draw::CopyPen;
             c.Line(5, 100, 5, 900);
         }, 1},
        {"cleared in between", [](RecordingCanvas& c) { DrawFigure(c, 300); c.Cls(); }, 0},
        {"drawn once after a clear",
         [](RecordingCanvas& c) { DrawFigure(c, 300); c.Cls(); DrawFigure(c, 300); }, 3},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        canvas.DrawMode = draw::NotXorPen;
        c.draw(canvas);
        EXPECT_EQ(canvas.NotXorResidue().size(), c.left) << c.name;
    }
}

TEST(RecordingCanvas, NotXorResidueNamesWhatIsLeft) {
    RecordingCanvas canvas;
    canvas.Line(0, 0, 100, 100);  // copy pen: the chart itself, never part of the residue
    canvas.DrawMode = draw::NotXorPen;
    DrawFigure(canvas, 300);
    DrawFigure(canvas, 300);
    canvas.Line(420, 100, 420, 900);
    canvas.DrawMode = draw::CopyPen;
    canvas.Print("readout");

    auto left = canvas.NotXorResidue();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].kind, Kind::Line);
    EXPECT_EQ(left[0].x1, 420);
    EXPECT_EQ(left[0].drawMode, draw::NotXorPen);
}

}  // namespace
}  // namespace tav
