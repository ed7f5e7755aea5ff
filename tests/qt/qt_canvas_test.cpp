// The window canvas on its persistent image (the not-xor pen, resizing, fonts, text), the key
// translation and the file-dialog filters.

#include <gtest/gtest.h>

#include <QKeyEvent>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>

#include "platform/draw/Canvas.h"
#include "qt/QtKeys.h"
#include "qt/QtOperator.h"
#include "qt/QtWindowCanvas.h"
#include "qt_test_app.h"

namespace tav {
namespace {

class QtCanvas : public ::testing::Test {
protected:
    test::QtApplicationScope qt;
    Twips twips{96};  // 15 twips per pixel
    QtWindowCanvas canvas{twips};

    void SetUp() override {
        canvas.Resize(QSize(200, 100), 1.0);
        canvas.Cls();
    }
    QImage Snapshot() { return canvas.Image().copy(); }
};

TEST_F(QtCanvas, SizeIsTheClientAreaInTwips) {
    EXPECT_EQ(canvas.ScaleWidth(), 3000);
    EXPECT_EQ(canvas.ScaleHeight(), 1500);
}

TEST_F(QtCanvas, DrawingTwiceInTheNotXorPenRestoresThePixels) {
    canvas.ForeColor = QBColor(4);
    canvas.Line(0, 0, 3000, 1500);  // something under the cursor, in the copy pen
    canvas.Box(150, 150, 900, 600, QBColor(2), true);
    const QImage before = Snapshot();

    struct Shape {
        const char* what;
        void (*draw)(Canvas&);
    };
    const Shape shapes[] = {
        {"line", [](Canvas& c) { c.Line(1500, 0, 1500, 1500, QBColor(12)); }},
        {"dotted line", [](Canvas& c) {
             c.DrawStyle = draw::Dot;
             c.Line(0, 750, 3000, 750, QBColor(9));
             c.DrawStyle = draw::Solid;
         }},
        {"box", [](Canvas& c) { c.Box(300, 300, 1200, 1200, QBColor(1), false); }},
        {"filled box", [](Canvas& c) { c.Box(600, 300, 1800, 900, QBColor(14), true); }},
        {"point", [](Canvas& c) { c.PSet(450, 450, QBColor(0)); }},
    };
    canvas.DrawMode = draw::NotXorPen;
    for (const Shape& shape : shapes) {
        shape.draw(canvas);
        EXPECT_NE(Snapshot(), before) << shape.what << " drawn once shows";
        shape.draw(canvas);
        EXPECT_EQ(Snapshot(), before) << shape.what << " drawn twice is gone";
    }
}

TEST_F(QtCanvas, ANewSizeKeepsTheDrawingAndBlanksTheNewPart) {
    canvas.BackColor = 0xFFFFFF;
    canvas.Line(0, 0, 2985, 0, 0x0000FF);  // a red line along the top row
    canvas.Resize(QSize(300, 150), 1.0);
    const QImage image = Snapshot();
    EXPECT_EQ(image.width(), 300);
    EXPECT_EQ(image.pixelColor(100, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(250, 0), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(250, 140), QColor(255, 255, 255));
    EXPECT_EQ(canvas.ScaleWidth(), 4500);

    canvas.Resize(QSize(50, 20), 2.0);  // a smaller one, at a high-DPI pixel ratio
    EXPECT_EQ(canvas.ScaleWidth(), 750);
    EXPECT_EQ(Snapshot().width(), 100);
    EXPECT_EQ(Snapshot().pixelColor(20, 0), QColor(255, 0, 0));
}

TEST_F(QtCanvas, FontsOfTheSystemAreMappedAndAMissingFontKeepsTheCurrentOne) {
    for (const char* name : {"Arial", "Times New Roman", "MS Sans Serif", "Small Fonts"}) {
        EXPECT_TRUE(canvas.SetFontName(name)) << name;
        EXPECT_EQ(canvas.FontName(), name);
    }
    EXPECT_FALSE(canvas.SetFontName("No Such Font"));
    EXPECT_EQ(canvas.FontName(), "Small Fonts");

    canvas.SetFontName("Arial");
    canvas.SetFontSize(12);
    const float height = canvas.TextHeight("Ag");
    EXPECT_GT(height, 200);  // about 12 points (240 twips) with its leading
    EXPECT_LT(height, 400);
    EXPECT_FLOAT_EQ(canvas.TextWidth("MMMM"), 2 * canvas.TextWidth("MM"));
    canvas.SetFontSize(24);
    EXPECT_GT(canvas.TextHeight("Ag"), 1.7f * height);
}

TEST_F(QtCanvas, PrintMovesToTheNextLineAndInlineTextStaysOnIt) {
    canvas.CurrentX = 300;
    canvas.CurrentY = 150;
    const float width = canvas.TextWidth("Ratio = ");
    canvas.PrintInline("Ratio = ");
    EXPECT_FLOAT_EQ(canvas.CurrentX, 300 + width);
    EXPECT_FLOAT_EQ(canvas.CurrentY, 150);
    canvas.Print(" 1.5 ");
    EXPECT_EQ(canvas.CurrentX, 0);
    EXPECT_FLOAT_EQ(canvas.CurrentY, 150 + canvas.TextHeight(" 1.5 "));
    EXPECT_NE(Snapshot().pixelColor(20, 10), QColor()) << "something was printed";

    canvas.Cls();
    EXPECT_EQ(canvas.CurrentX, 0);
    EXPECT_EQ(canvas.CurrentY, 0);
}

// A text and a box begun at the same place begin at the same pixel, wherever that place falls
// between two pixels: a box that clears a line of text (a cursor read-out) leaves none of it.
TEST_F(QtCanvas, ABoxFromWhereATextBeginsCoversItsFirstColumn) {
    canvas.BackColor = 0xFFFFFF;
    for (const auto& [font, size, ratio] : {std::tuple{"Small Fonts", 6.0f, 1.0}, {"Arial", 9.0f, 1.0}, {"Arial", 11.0f, 1.0},
                                            {"Small Fonts", 6.0f, 2.0}, {"Small Fonts", 9.0f, 2.0}, {"Arial", 11.0f, 2.0}}) {
        canvas.Resize(QSize(200, 100), ratio);
        canvas.SetFontName(font);
        canvas.SetFontSize(size);
        for (int tenth = 0; tenth < 10; ++tenth) {
            SCOPED_TRACE(std::string(font) + " " + std::to_string(size) + " at " + std::to_string(tenth) +
                         " tenths of a pixel, pixel ratio " + std::to_string(ratio));
            canvas.Cls();
            const float x = 300 + 1.5f * static_cast<float>(tenth), y = 10 + 1.5f * static_cast<float>(tenth);
            canvas.ForeColor = 0;
            canvas.CurrentX = x;
            canvas.CurrentY = y;
            canvas.PrintInline("000.0 Seconds, .03176");
            ASSERT_NE(Snapshot(), QImage()) << "printed";
            canvas.Box(x, y, canvas.ScaleWidth(), y + std::round(canvas.TextHeight("0")), 0xFFFFFF, true);
            const QImage image = Snapshot();
            int ink = 0;
            for (int py = 0; py < image.height(); ++py) {
                for (int px = 0; px < image.width(); ++px) ink += image.pixelColor(px, py) != QColor(255, 255, 255);
            }
            EXPECT_EQ(ink, 0);
        }
    }
}

TEST(QtKeys, QtKeysInTheToolkitsCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        int16_t keyCode, shiftState, ascii;
    };
    const Case cases[] = {
        {Qt::Key_A, {}, "a", 65, 0, 97},
        {Qt::Key_A, Qt::ShiftModifier, "A", 65, 1, 65},
        {Qt::Key_I, Qt::ControlModifier, "", 73, 2, 9},
        {Qt::Key_5, {}, "5", 53, 0, 53},
        {Qt::Key_5, Qt::KeypadModifier, "5", 101, 0, 53},
        {Qt::Key_Tab, {}, "\t", 9, 0, 9},
        {Qt::Key_Backtab, Qt::ShiftModifier, "", 9, 1, 9},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", 13, 0, 13},
        {Qt::Key_Escape, {}, "", 27, 0, 27},
        {Qt::Key_Backspace, {}, "", 8, 0, 8},
        {Qt::Key_PageUp, {}, "", 33, 0, 0},
        {Qt::Key_PageDown, {}, "", 34, 0, 0},
        {Qt::Key_Home, {}, "", 36, 0, 0},
        {Qt::Key_Up, {}, "", 38, 0, 0},
        {Qt::Key_Right, {}, "", 39, 0, 0},
        {Qt::Key_F2, {}, "", 113, 0, 0},
        {Qt::Key_F9, Qt::ControlModifier | Qt::ShiftModifier, "", 120, 3, 0},
        {Qt::Key_Delete, {}, "", 46, 0, 0},
        {Qt::Key_Space, {}, " ", 32, 0, 32},
        {Qt::Key_Comma, {}, ",", 188, 0, 44},
        {Qt::Key_unknown, {}, QString(QChar(0x20AC)), 0, 0, 0},
    };
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
        EXPECT_EQ(VirtualKeyCode(event), c.keyCode) << c.key;
        EXPECT_EQ(ShiftState(event.modifiers() & ~Qt::KeypadModifier), c.shiftState) << c.key;
        EXPECT_EQ(AsciiCode(event), c.ascii) << c.key;
    }
    EXPECT_EQ(MouseButtons(Qt::LeftButton | Qt::RightButton), 3);
    EXPECT_EQ(MouseButtons(Qt::MiddleButton), 4);
}

TEST(QtFileFilters, TheSystemsFiltersBecomeQtNameFilters) {
    EXPECT_EQ(QtNameFilters("Quorveld Files (*.rdg)|*.rdg"), QStringList({"Quorveld Files (*.rdg *.RDG)"}));
    EXPECT_EQ(QtNameFilters("Kinetic Files (*.dat)|*.dat|All Files (*.*)|*.*"),
              QStringList({"Kinetic Files (*.dat *.DAT)", "All Files (*)"}));
    EXPECT_EQ(QtNameFilters("Spectra|*.rdg;*.txt"), QStringList({"Spectra (*.rdg *.RDG *.txt *.TXT)"}));
    EXPECT_TRUE(QtNameFilters("").isEmpty());
    EXPECT_TRUE(QtNameFilters("no pattern").isEmpty());
}

}  // namespace
}  // namespace tav
