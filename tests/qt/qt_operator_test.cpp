// The real message box: the key the operator presses decides the answer as on the desktop, so a
// question whose default is its safe answer cannot be lost to a stray Enter or Space, and a box
// closed with Escape is told apart from one answered with its Ok.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include "qt/QtOperator.h"
#include "qt_test_app.h"

namespace tav {
namespace {

// Does `act` on the box once it is up.
void OnceTheBoxIsUp(std::function<void(QMessageBox*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer->stop();
        timer->deleteLater();
        act(box);
    });
    timer->start(10);
}

// The key goes where the box's window would deliver it: to the box's focus widget, which is set
// before the window manager has made the box active.
void PressKey(QMessageBox* box, int key) {
    QWidget* target = box->focusWidget() ? box->focusWidget() : box;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "");
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "");
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

TEST(QtOperatorBox, EnterAndSpacePressTheNamedDefaultAndEscapeIsNoted) {
    test::QtApplicationScope qt;
    QtOperator op;
    struct Case {
        MsgButtons buttons;
        MsgDefault defaultButton;
        int key;
        MsgResult expected;
        bool escaped;
    };
    const Case cases[] = {
        {MsgButtons::YesNo, MsgDefault::Button2, Qt::Key_Return, MsgResult::No, false},
        {MsgButtons::YesNo, MsgDefault::Button2, Qt::Key_Enter, MsgResult::No, false},
        {MsgButtons::YesNo, MsgDefault::Button2, Qt::Key_Space, MsgResult::No, false},
        {MsgButtons::YesNo, MsgDefault::Button1, Qt::Key_Return, MsgResult::Yes, false},
        {MsgButtons::YesNo, MsgDefault::Button1, Qt::Key_Escape, MsgResult::No, true},
        {MsgButtons::OkCancel, MsgDefault::Button2, Qt::Key_Space, MsgResult::Cancel, false},
        {MsgButtons::OkOnly, MsgDefault::Button1, Qt::Key_Return, MsgResult::Ok, false},
        {MsgButtons::OkOnly, MsgDefault::Button1, Qt::Key_Escape, MsgResult::Ok, true},
    };
    for (const Case& c : cases) {
        OnceTheBoxIsUp([key = c.key](QMessageBox* box) { PressKey(box, key); });
        EXPECT_EQ(op.MsgBox("Overwrite?", c.buttons, MsgIcon::Exclamation, "", c.defaultButton), c.expected)
            << "key " << c.key << " default " << static_cast<int>(c.defaultButton);
        EXPECT_EQ(op.LastBoxEscaped(), c.escaped) << "key " << c.key;
    }
}

TEST(QtOperatorBox, TheCloseBoxCountsAsEscapeAndAClickDoesNot) {
    test::QtApplicationScope qt;
    QtOperator op;
    OnceTheBoxIsUp([](QMessageBox* box) { box->close(); });
    EXPECT_EQ(op.MsgBox("NO DATA TRANSMITTED"), MsgResult::Ok);
    EXPECT_TRUE(op.LastBoxEscaped());
    OnceTheBoxIsUp([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(op.MsgBox("NO DATA TRANSMITTED"), MsgResult::Ok);
    EXPECT_FALSE(op.LastBoxEscaped());
}

}  // namespace
}  // namespace tav
