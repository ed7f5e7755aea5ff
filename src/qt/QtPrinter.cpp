#include "qt/QtPrinter.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/FileSystem.h"
#include "platform/Operator.h"
#include "qt/PainterCanvas.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

constexpr const char* ProgramName = "tavolin";

// Pen widths on paper, in points: a hairline of one device dot is invisible at 1200 dpi.
constexpr double LinePenPoints = 0.5;
constexpr double GridPenPoints = 0.25;

// A PDF file that the writer finished: it ends with its end-of-file marker. A disk that
// filled up leaves a file cut short.
bool CompletePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8) return false;
    file.seek(std::max<qint64>(0, file.size() - 32));
    return file.readAll().trimmed().endsWith("%%EOF");
}

}  // namespace

QPageSize PaperOfLocale(const QLocale& locale) {
    const QLocale::Territory territory = locale.territory();
    const bool letter = territory == QLocale::UnitedStates || territory == QLocale::Canada;
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

QLocale PaperLocale() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const QString name = qEnvironmentVariable(variable);
        if (name.isEmpty()) continue;
        // The C and POSIX locales print on A4, as the C library has them.
        if (name == "C" || name.startsWith("C.") || name == "POSIX") return QLocale::c();
        return QLocale(name.section('.', 0, 0).section('@', 0, 0));
    }
    return QLocale::c();
}

QMarginsF PrintMargins(const std::optional<QMarginsF>& printerMarginsMm) {
    const QMarginsF printer = printerMarginsMm.value_or(QMarginsF());
    return QMarginsF(std::max(printer.left(), PrintMarginMm), std::max(printer.top(), PrintMarginMm),
                     std::max(printer.right(), PrintMarginMm), std::max(printer.bottom(), PrintMarginMm));
}

QString PrintJobName(const std::string& title) {
    const QString program = ProgramName;
    return title.empty() ? program : program + ": " + QString::fromStdString(title);
}

// A print run's page: painted on a QPrinter or a QPdfWriter, begun at the first drawing.
class QtPrinterCanvas : public PainterCanvas {
public:
    // Takes the device; a PDF run keeps one document for all its pages.
    QtPrinterCanvas(std::unique_ptr<QPagedPaintDevice> device, bool toFile)
        : device_(std::move(device)), toFile_(toFile) {
        CurrentX = CurrentY = 0;
    }
    ~QtPrinterCanvas() override { Finish(); }

    float ScaleWidth() const override { return static_cast<float>(device_->width() / UnitsPerTwip()); }
    float ScaleHeight() const override { return static_cast<float>(device_->height() / UnitsPerTwip()); }

    void NewPage() override {
        if (pageUsed_) newPagePending_ = true;
        pageUsed_ = false;
        CurrentX = CurrentY = 0;
    }

    void EndDoc() override {
        if (toFile_) {
            NewPage();
            return;
        }
        // Each document goes to the printer as a job of its own.
        if (painter_.isActive() && !painter_.end()) failed_ = true;
        pageUsed_ = newPagePending_ = false;
        CurrentX = CurrentY = 0;
    }

    // Ends the output; true when anything was printed.
    bool Finish() {
        const bool printed = everUsed_;
        if (painter_.isActive() && !painter_.end()) failed_ = true;
        return printed;
    }

    bool failed_ = false;

protected:
    QPainter* Painter() override {
        if (failed_) return nullptr;
        if (!painter_.isActive()) {
            if (!painter_.begin(device_.get())) {
                failed_ = true;
                return nullptr;
            }
            newPagePending_ = false;
        }
        if (newPagePending_) {
            newPagePending_ = false;
            if (!device_->newPage()) {
                failed_ = true;
                return nullptr;
            }
        }
        return &painter_;
    }
    double UnitsPerTwip() const override { return device_->logicalDpiX() / 1440.0; }
    double PenWidth(bool dotted) const override {
        return (dotted ? GridPenPoints : LinePenPoints) * device_->logicalDpiX() / 72.0;
    }
    QRectF DeviceArea() const override { return QRectF(0, 0, device_->width(), device_->height()); }
    void Drawn() override { pageUsed_ = everUsed_ = true; }

private:
    std::unique_ptr<QPagedPaintDevice> device_;
    bool toFile_;
    QPainter painter_;
    bool pageUsed_ = false;
    bool everUsed_ = false;
    bool newPagePending_ = false;
};

QtPrinter::QtPrinter(const ProgramState& state, Operator& op, const FileSystem* fs, Destination destination)
    : state_(state), op_(op), fs_(fs), destination_(destination) {}

QtPrinter::~QtPrinter() = default;

Canvas* QtPrinter::BeginRun(const std::string& title) {
    canvas_.reset();
    failed_ = false;
    pdfPath_.clear();
    const QPrinterInfo printer =
        destination_ == Destination::DefaultPrinterOrPdf ? QPrinterInfo::defaultPrinter() : QPrinterInfo();
    if (!printer.isNull()) {
        auto device = std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
        device->setDocName(PrintJobName(title));
        // Qt keeps the paper it started with (the locale's) wherever the printer takes it; the
        // printer's own default goes first. Setting the paper sets the printer's margins for it.
        device->setPageOrientation(QPageLayout::Portrait);
        if (printer.defaultPageSize().isValid()) device->setPageSize(printer.defaultPageSize());
        device->setPageMargins(PrintMargins(device->pageLayout().margins(QPageLayout::Millimeter)),
                               QPageLayout::Millimeter);
        canvas_ = std::make_unique<QtPrinterCanvas>(std::move(device), false);
        return canvas_.get();
    }
    pdfPath_ = NewPdfPath();
    auto writer = std::make_unique<QPdfWriter>(QString::fromStdString(pdfPath_));
    writer->setResolution(600);
    writer->setPageLayout(QPageLayout(PaperOfLocale(PaperLocale()), QPageLayout::Portrait,
                                      PrintMargins(std::nullopt), QPageLayout::Millimeter));
    writer->setCreator(ProgramName);
    canvas_ = std::make_unique<QtPrinterCanvas>(std::move(writer), true);
    return canvas_.get();
}

bool QtPrinter::Failed() const { return failed_ || (canvas_ && canvas_->failed_); }

bool QtPrinter::EndRun() {
    if (!canvas_) return !failed_;
    const bool printed = canvas_->Finish();
    failed_ = failed_ || canvas_->failed_;
    canvas_.reset();  // closes the PDF file
    if (pdfPath_.empty()) return !failed_;
    const QString path = QString::fromStdString(pdfPath_);
    if (printed && !CompletePdf(path)) failed_ = true;
    // A run that printed nothing leaves no file, and one that failed leaves no part of one.
    if (!printed || failed_) {
        QFile::remove(path);
        return !failed_;
    }
    lastPdf_ = pdfPath_;
    op_.MsgBox("There is no printer; the printout was saved as\n" + pdfPath_, MsgButtons::OkOnly,
               MsgIcon::Information);
    return true;
}

std::string QtPrinter::NewPdfPath() const {
    // The message names the file whole, wherever the data folder was given from.
    const auto whole = [this](const std::string& path) {
        if (path.empty()) return QString();
        const QString folder = QString::fromStdString(fs_ ? fs_->Resolve(path) : path).replace('\\', '/');
        return QFileInfo(folder).absoluteFilePath();
    };
    QString folder = whole(state_.DefaultPath);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = whole(state_.StartDir);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::currentPath();
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    QDir dir(folder);
    QString name = "print-" + stamp + ".pdf";
    for (int n = 2; dir.exists(name); ++n) name = "print-" + stamp + "-" + QString::number(n) + ".pdf";
    return dir.filePath(name).toStdString();
}

}  // namespace tav
