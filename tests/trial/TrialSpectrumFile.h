#pragma once
// The trial's own reading of the files the program writes, independent of the program's readers:
// a spectrum file's header values and rows (raw, series or multi-scan form), and a kinetic-log
// line.

#include <optional>
#include <string>
#include <vector>

namespace tav::trial {

struct SpectrumText {
    std::vector<std::vector<double>> rows;  // each row: x, then its values
    bool series = false;                    // "x value" rows without a TAB
    int scans = 0;                          // a read-out of several stored scans: their number
    std::vector<double> scanTemperatures;   // of a read-out's scans
    double temperature = 0, elapsed = 0, integration = 0;
    int scansAveraged = 0;

    // Column k of the rows (0 is x); 0 where a row is shorter.
    std::vector<double> Column(size_t k) const;
};

std::optional<SpectrumText> ReadSpectrumText(const std::string& path);

// The columns (x, channel 1, channel 2) of the simulation file the trial gives the program.
std::vector<std::vector<double>> SimulationColumns();
std::string SimulationFilePath();

struct LogLine {
    std::string name;  // the end of the saved file's name
    int seconds = 0;
    std::string value;
};

std::optional<LogLine> ParseLogLine(const std::string& line);

}  // namespace tav::trial
