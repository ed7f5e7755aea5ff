#pragma once
// One print run of the print dialog: the chosen items in their fixed order (the spectrum
// chart, the index value block, the seven kinetic charts), each in one half of a page, top
// half first, a page ended after every second item and after the last; one run is one document.

#include <array>
#include <cstdint>
#include <string>

#include "charts/MainWindowView.h"
#include "platform/draw/Canvas.h"
#include "shared/ProgramState.h"

namespace tav {

class Operator;
class Printer;

struct PrintChoices {
    bool spectrum = true;              // the spectrum window's current slot
    bool index = false;                // the index value block
    std::array<bool, 7> kinetic{};     // the kinetic charts of slots 11 to 17
};

enum class PrintOutcome {
    NothingToPrint,  // told so; nothing reached the printer
    Printed,         // every chosen item with data went out (possibly none)
    PrinterError,    // told so; the pages ended before the failure are sent
};

// What a run prints, named as the print dialog's check boxes name the items, in print order and
// joined by ", " (a ticked chart without points prints nothing and is not named): the title of
// the run, after which the printer's job is named.
std::string PrintRunTitle(const ProgramState& state, const PrintChoices& choices);

// The run. PrintChartCount is 0 before and after it. The windows' chart layout (the slots'
// plot rectangles and scales, the curve points) is as it was before the run.
PrintOutcome RunPrintJob(ProgramState& state, Printer& printer, Operator& op,
                         const MainWindowView& view, const PrintChoices& choices);

// The index value block in the half page of count: a centred "Index", an empty line, the
// elapsed time when time stamps are on, and each active index whose value is not 0 and which
// the last index pass computed from the spectrum on display (none under a processing result).
void PrintIndexBlock(const ProgramState& state, Canvas& page, int16_t count);

}  // namespace tav
