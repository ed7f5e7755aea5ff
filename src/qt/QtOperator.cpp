#include "qt/QtOperator.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>

#include "platform/MessageButtons.h"
#include "qt/HelpWindow.h"
#include "qt/QtFonts.h"

namespace tav {

namespace {

// Both letter cases of a pattern, since the file system tells them apart and the system does not.
QString BothCases(const QString& pattern) {
    if (pattern == "*.*" || pattern == "*") return "*";
    const QString lower = pattern.toLower(), upper = pattern.toUpper();
    return lower == upper ? pattern : lower + " " + upper;
}

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtButtonOf(MsgResult result) {
    switch (result) {
        case MsgResult::Cancel: return QMessageBox::Cancel;
        case MsgResult::Abort: return QMessageBox::Abort;
        case MsgResult::Retry: return QMessageBox::Retry;
        case MsgResult::Ignore: return QMessageBox::Ignore;
        case MsgResult::Yes: return QMessageBox::Yes;
        case MsgResult::No: return QMessageBox::No;
        case MsgResult::Ok: break;
    }
    return QMessageBox::Ok;
}

// A message box that notes whether Escape or its window's close box ended it.
class NotingMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool Escaped() const { return escaped_; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) escaped_ = true;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (!clickedButton()) escaped_ = true;
        QMessageBox::closeEvent(event);
    }

private:
    bool escaped_ = false;
};

MsgResult ResultOf(int button) {
    switch (button) {
        case QMessageBox::Cancel: return MsgResult::Cancel;
        case QMessageBox::Abort: return MsgResult::Abort;
        case QMessageBox::Retry: return MsgResult::Retry;
        case QMessageBox::Ignore: return MsgResult::Ignore;
        case QMessageBox::Yes: return MsgResult::Yes;
        case QMessageBox::No: return MsgResult::No;
        default: return MsgResult::Ok;
    }
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) patterns << BothCases(p.trimmed());
        // Qt takes the patterns from the last brackets of the text.
        const int bracket = description.lastIndexOf('(');
        if (bracket > 0 && description.endsWith(')')) description = description.left(bracket).trimmed();
        filters << description + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

QtOperator::QtOperator(QString defaultTitle) : defaultTitle_(std::move(defaultTitle)) {}

QtOperator::~QtOperator() = default;

MsgResult QtOperator::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                             const std::string& title, MsgDefault defaultButton) {
    QMessageBox::StandardButtons set;
    for (MsgResult b : ButtonsOf(buttons)) set |= QtButtonOf(b);
    NotingMessageBox box(IconOf(icon), title.empty() ? defaultTitle_ : QString::fromStdString(title),
                         QString::fromStdString(text), set, QApplication::activeWindow());
    box.setEscapeButton(QtButtonOf(EscapeAnswer(buttons)));
    // The default button also takes the focus, so Enter and Space both press it.
    box.setDefaultButton(QtButtonOf(DefaultButtonOf(buttons, defaultButton)));
    lastEscaped_ = false;
    const MsgResult result = ResultOf(box.exec());
    lastEscaped_ = box.Escaped();
    return result;
}

std::string QtOperator::RunFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    QString dir = QString::fromStdString(request.initialDir).replace('\\', '/');
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) dialog.setDirectory(dir);
    const QStringList filters = QtNameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.defaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    const QString proposed = QString::fromStdString(request.fileName).replace('\\', '/');
    if (!proposed.isEmpty() && !proposed.contains('*') && !proposed.contains('?')) dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
    return QDir::cleanPath(dialog.selectedFiles().first()).toStdString();
}

std::string QtOperator::OpenFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, false); }

std::string QtOperator::SaveFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, true); }

void QtOperator::Beep() { QApplication::beep(); }

std::vector<std::string> QtOperator::ScreenFonts() { return ScreenFontList(); }

void QtOperator::ShowHelp(const std::string& /*helpFile*/) {
    if (!help_) help_ = std::make_unique<HelpWindow>();
    // Beside the window the help was asked from: the main window, or failing that the program's
    // largest window on the screen.
    const QWidget* beside = QApplication::activeWindow();
    if (!beside || beside == help_.get()) {
        beside = nullptr;
        for (const QWidget* top : QApplication::topLevelWidgets()) {
            if (top == help_.get() || !top->isVisible()) continue;
            if (!beside || top->width() * top->height() > beside->width() * beside->height()) beside = top;
        }
    }
    help_->ShowFromTop(beside);
}

}  // namespace tav
