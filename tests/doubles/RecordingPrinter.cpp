#include "doubles/RecordingPrinter.h"

namespace tav {

RecordingPrinter::RecordingPrinter(float pageWidth, float pageHeight) : page_(pageWidth, pageHeight, 0, 0) {}

Canvas* RecordingPrinter::BeginRun(const std::string& title) {
    title_ = title;
    failed_ = unavailable_;
    if (unavailable_) return nullptr;
    inRun_ = true;
    ++runs_;
    return &page_;
}

bool RecordingPrinter::EndRun() {
    inRun_ = false;
    return !failed_;
}

}  // namespace tav
