// A button, check box or option button that has the keyboard focus looks different from one that
// has not, also when the program put the focus there (a window's first focus, a handler) rather
// than a Tab, so the operator sees where Space and Enter will act.

#include <gtest/gtest.h>

#include <QImage>

#include "qt_main_window_app.h"
#include "qt_screen.h"
#include "windows/InstrumentForm.h"

namespace tav {
namespace {

QImage Look(QWidget& widget) {
    test::ProcessEvents();
    return widget.grab().toImage();
}

TEST(QtFocusShown, ButtonsCheckBoxesAndOptionButtonsShowTheFocus) {
    test::ScreenScope screen({1280, 800, 1});
    test::QtMainWindowApp program;
    InstrumentForm& dialog = program.t.app->forms.Get<InstrumentForm>();
    dialog.Show();
    test::ProcessEvents();
    QWidget* window = test::TopLevel("InstrumentForm");
    ASSERT_NE(window, nullptr);

    Control* const shown[] = {&dialog.Command1, &dialog.SimulationOn, &dialog.Option1};
    for (Control* control : shown) {
        SCOPED_TRACE(control->Name());
        QWidget* widget = window->findChild<QWidget*>(QString::fromStdString(control->Name()));
        ASSERT_NE(widget, nullptr);
        dialog.Coeff_A_Box.SetFocus();
        const QImage without = Look(*widget);
        control->SetFocus();
        ASSERT_TRUE(widget->hasFocus());
        EXPECT_TRUE(Look(*widget) != without) << "the focus is not seen";
    }
}

}  // namespace
}  // namespace tav
