#include "qt/HelpWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "qt/BundledData.h"

namespace tav {

namespace {

constexpr int WidthEm = 46, HeightLines = 40;

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

void HelpWindow::ShowFromTop() {
    browser_->moveCursor(QTextCursor::Start);
    browser_->ensureCursorVisible();
    show();
    raise();
    activateWindow();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tav
