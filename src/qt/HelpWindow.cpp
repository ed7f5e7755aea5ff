#include "qt/HelpWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "qt/BundledData.h"
#include "qt/QtViewBase.h"

namespace tav {

namespace {

constexpr int WidthEm = 46, HeightLines = 40;
// Beside the main window the help may be narrower, down to this (its tables then wrap).
constexpr int MinWidthEm = 24;

}  // namespace

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName("HelpWindow");
    setWindowTitle("tavolin Help");
    browser_->setObjectName("HelpText");
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    browser_->setHtml(BundledText(HelpText));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);

    // Wide enough for the tables of the help, but never beyond the screen.
    const QFontMetrics metrics(browser_->font());
    QSize size(metrics.averageCharWidth() * WidthEm * 2, metrics.lineSpacing() * HeightLines);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    resize(size);
}

void HelpWindow::ShowFromTop(const QWidget* beside) {
    browser_->moveCursor(QTextCursor::Start);
    browser_->ensureCursorVisible();
    if (!isVisible() && beside) {
        const QScreen* screen = beside->screen() ? beside->screen() : QGuiApplication::primaryScreen();
        // The frame is the window system's; until it is there, take the main window's.
        const QSize frame = beside->frameGeometry().size() - beside->size();
        const int minWidth = QFontMetrics(browser_->font()).averageCharWidth() * MinWidthEm * 2;
        const QRect outer = BesideWindow(beside->frameGeometry(), size() + frame,
                                         screen ? screen->availableGeometry() : beside->frameGeometry(), minWidth);
        resize(outer.size() - frame);
        move(outer.topLeft());
    }
    show();
    raise();
    activateWindow();
    KeepOnScreen(*this);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tav
