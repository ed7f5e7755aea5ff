#pragma once
// Printing through Qt: to the machine's default printer, where every EndDoc sends one job; or,
// where there is no printer (or when told so), to one PDF file per print run in the data folder,
// every EndDoc ending a page of that file, and a message box naming the file at the end of the
// run. The page is Letter in portrait without margins for the PDF; a printer's own page and
// printable area otherwise.

#include <QPageLayout>
#include <memory>
#include <string>

#include "platform/forms/Printer.h"

namespace tav {

class Operator;
class QtPrinterCanvas;
struct ProgramState;

class QtPrinter : public Printer {
public:
    enum class Destination { DefaultPrinterOrPdf, Pdf };

    QtPrinter(const ProgramState& state, Operator& op, Destination destination = Destination::DefaultPrinterOrPdf);
    ~QtPrinter() override;

    Canvas* BeginRun() override;
    bool Failed() const override;
    bool EndRun() override;

    // The PDF file of the last run that was written to one ("" when none).
    const std::string& LastPdfFile() const { return lastPdf_; }

private:
    std::string NewPdfPath() const;

    const ProgramState& state_;
    Operator& op_;
    Destination destination_;
    std::unique_ptr<QtPrinterCanvas> canvas_;
    std::string pdfPath_;
    std::string lastPdf_;
    bool failed_ = false;
};

}  // namespace tav
