// tavolin: the spectrometer program. Builds the program and shows its main window; ends when
// the main window is closed, or on SIGTERM, SIGINT or SIGHUP, which close it the same way.

#include <QApplication>

#include <memory>

#include "qt/TavolinProgram.h"
#include "qt/TerminationSignals.h"

int main(int argc, char** argv) {
    // Before any thread starts, so that every thread inherits the mask.
    const bool blocked = tav::BlockTerminationSignals();
    QApplication qt(argc, argv);
    QApplication::setApplicationName("tavolin");

    int code = 0;
    {
        tav::TavolinProgram program;
        std::unique_ptr<tav::TerminationSignals> termination;
        if (blocked) termination = std::make_unique<tav::TerminationSignals>([&program] { program.RequestClose(); });
        program.Start();
        code = QApplication::exec();
    }
    return code;
}
