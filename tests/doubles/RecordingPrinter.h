#pragma once
// A Printer for tests: every run draws on one RecordingCanvas the size of a page (Letter in
// twips by default), so a test reads what was printed, EndDoc and NewPage included, from Ops().

#include "doubles/RecordingCanvas.h"
#include "platform/forms/Printer.h"

namespace tav {

class RecordingPrinter : public Printer {
public:
    explicit RecordingPrinter(float pageWidth = 12240, float pageHeight = 15840);

    Canvas* BeginRun(const std::string& title) override;
    bool Failed() const override { return failed_; }
    bool EndRun() override;

    // A printer that cannot be used: BeginRun gives nullptr and counts as a failure.
    void SetUnavailable(bool unavailable) { unavailable_ = unavailable; }
    // Makes the current run fail from now on (as a printer that jams).
    void Fail() { failed_ = true; }

    RecordingCanvas& Page() { return page_; }
    int Runs() const { return runs_; }
    // The title of the last run begun.
    const std::string& Title() const { return title_; }
    bool InRun() const { return inRun_; }

private:
    RecordingCanvas page_;
    bool unavailable_ = false;
    bool failed_ = false;
    bool inRun_ = false;
    int runs_ = 0;
    std::string title_;
};

}  // namespace tav
