#include "qt/QtOperator.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

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

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape;
};

ButtonSet ButtonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OkCancel: return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
        case MsgButtons::AbortRetryIgnore:
            return {QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Abort};
        case MsgButtons::YesNoCancel:
            return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel};
        case MsgButtons::YesNo: return {QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
        case MsgButtons::RetryCancel: return {QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel};
        case MsgButtons::OkOnly: break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok};
}

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
                             const std::string& title) {
    const ButtonSet set = ButtonsOf(buttons);
    QMessageBox box(IconOf(icon), title.empty() ? defaultTitle_ : QString::fromStdString(title),
                    QString::fromStdString(text), set.buttons, QApplication::activeWindow());
    box.setEscapeButton(set.escape);
    return ResultOf(box.exec());
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
    help_->ShowFromTop();
}

}  // namespace tav
