#pragma once
// The printer as the print routines use it: a print run hands out a Canvas whose page is the
// printer's (ScaleWidth, ScaleHeight, ScaleTop); NewPage ends a page, and the pages of a run
// make one document that EndRun sends (EndDoc also ends the page; a real printer then sends
// what the run has printed so far as a job of its own). The real one prints to the machine's
// default printer or, where there is none, collects the run in one PDF file in the data folder
// and names it to the operator when the run ends.

#include <string>

namespace tav {

class Canvas;

class Printer {
public:
    virtual ~Printer() = default;
    // Starts a print run; title names what it prints (a printer's job is named after it). The
    // canvas stays valid until EndRun; nullptr when no printer or file can be used (a printer
    // failure).
    virtual Canvas* BeginRun(const std::string& title) = 0;
    // True once an operation of the current run has failed.
    virtual bool Failed() const = 0;
    // Ends the run; a page begun but not yet ended goes out with it. False on a failure.
    virtual bool EndRun() = 0;
};

}  // namespace tav
