#pragma once
// Printing through Qt: to the machine's default printer, one job per print run, named after the
// program and what the run prints, on the printer's default paper in portrait with its own
// margins (at least 6.35 mm on each side); or, where there is no printer (or when told so), to
// one PDF file per print run in the data folder, every EndDoc ending a page of that file, and a
// message box naming the file at the end of the run, with its whole path. A PDF run that fails
// leaves no file behind. The PDF's page is the locale's paper (Letter in the US and Canada, A4
// elsewhere) in portrait with margins of 6.35 mm. The page's drawable area is what lies inside
// the margins. Lines print 0.5 pt wide, dotted grid lines 0.25 pt.

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "platform/forms/Printer.h"

namespace tav {

class FileSystem;
class Operator;
class QtPrinterCanvas;
struct ProgramState;

// The paper of a locale: Letter in the United States and Canada, A4 everywhere else.
QPageSize PaperOfLocale(const QLocale& locale);
// The locale that decides the paper: LC_ALL, else LC_PAPER, else LANG ("C" without any).
QLocale PaperLocale();
// The least margin of a printout on each side, in millimetres (a quarter of an inch).
constexpr double PrintMarginMm = 6.35;
// A printout's margins in millimetres: the printer's own where it has them, none below the least.
QMarginsF PrintMargins(const std::optional<QMarginsF>& printerMarginsMm);
// The name of a printer's job: the program's, then what the run prints.
QString PrintJobName(const std::string& title);

class QtPrinter : public Printer {
public:
    // Pdf: a PDF file as on a machine without a printer, whatever printers the machine has.
    enum class Destination { DefaultPrinterOrPdf, Pdf };

    // A relative data folder is taken from the file system's current folder (without one, from
    // the process's).
    QtPrinter(const ProgramState& state, Operator& op, const FileSystem* fs = nullptr,
              Destination destination = Destination::DefaultPrinterOrPdf);
    ~QtPrinter() override;

    Canvas* BeginRun(const std::string& title) override;
    bool Failed() const override;
    bool EndRun() override;

    // The PDF file of the last run that was written to one ("" when none).
    const std::string& LastPdfFile() const { return lastPdf_; }

private:
    std::string NewPdfPath() const;

    const ProgramState& state_;
    Operator& op_;
    const FileSystem* fs_;
    Destination destination_;
    std::unique_ptr<QtPrinterCanvas> canvas_;
    std::string pdfPath_;
    std::string lastPdf_;
    bool failed_ = false;
};

}  // namespace tav
