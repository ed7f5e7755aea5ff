#pragma once
// The single-letter commands of every chart window and of the index window, and of the menu
// commands that pass a letter: one place where they are carried out.
//
//   M cursor on / off (nothing while a zoom box is dragged)   N next scan       D dark scan
//   A timed acquisition (AutoScan, AutoCopy in Read mode)      O overlay scan    L overlay file
//   S save the current spectrum   F read a file into the current slot   E erase   I settings
//   R reference scan              Escape stops timed acquisition and releases the held port
//
// Letters count in either case. N and O end timed acquisition (AutoScanTimerOn cleared), D and
// R only stop its timer; every other key leaves a running series alone. Every command runs as a
// flow: input from the front end is dropped until it returns.

#include <cstdint>
#include <string>

namespace tav {

class App;

// keyAscii: the character code (not changed); xTitle: the x-axis title of the redraws the
// command makes ("" gives the spectrum window's own).
void HandleKeyCommand(App& app, int16_t& keyAscii, std::string& xTitle);

// The main window's "Read File": the F command into slot 0, which then starts the overlay ring
// afresh. A cancelled or failed read changes neither the ring nor the window.
void ReadFileIntoNewRing(App& app);

}  // namespace tav
