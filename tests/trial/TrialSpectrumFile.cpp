#include "trial/TrialSpectrumFile.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tav::trial {

namespace {

constexpr size_t HeaderLines = 10;

double NumberAfter(const std::string& line, const std::string& label) {
    const size_t at = line.find(label);
    if (at == std::string::npos) return 0.0;
    return std::strtod(line.c_str() + at + label.size(), nullptr);
}

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator)) fields.push_back(field);
    return fields;
}

}  // namespace

std::vector<double> SpectrumText::Column(size_t k) const {
    std::vector<double> column;
    for (const std::vector<double>& row : rows) column.push_back(k < row.size() ? row[k] : 0.0);
    return column;
}

std::optional<SpectrumText> ReadSpectrumText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (lines.size() < HeaderLines || lines[0].rfind("\"File:", 0) != 0) return std::nullopt;
    SpectrumText file;
    file.temperature = NumberAfter(lines[1], "Temp:");
    const std::vector<std::string> time = Split(lines[2].substr(0, lines[2].size() - 1), ' ');
    file.elapsed = time.empty() ? 0.0 : std::strtod(time.back().c_str(), nullptr);
    file.integration = NumberAfter(lines[7], "Integration:");
    file.scansAveraged = static_cast<int>(NumberAfter(lines[8], "Number Scans:"));
    size_t row = HeaderLines;
    if (lines.size() > row + 2 && lines[row].rfind("Scan#:", 0) == 0) {
        for (size_t at = lines[row].find("Ref-"); at != std::string::npos; at = lines[row].find("Ref-", at + 1))
            ++file.scans;
        for (const std::string& field : Split(lines[row + 1], '\t')) {
            if (field.empty() || field == "Temp.:" || field == "spec") continue;
            file.scanTemperatures.push_back(std::strtod(field.c_str(), nullptr));
        }
        row += 3;
    }
    for (; row < lines.size() && !lines[row].empty(); ++row) {
        const bool tabs = lines[row].find('\t') != std::string::npos;
        if (!tabs) file.series = true;
        std::vector<double> values;
        std::istringstream fields(lines[row]);
        std::string field;
        if (tabs) {
            for (const std::string& f : Split(lines[row], '\t')) values.push_back(std::strtod(f.c_str(), nullptr));
        } else {
            while (fields >> field) values.push_back(std::strtod(field.c_str(), nullptr));
        }
        file.rows.push_back(values);
    }
    return file;
}

std::string SimulationFilePath() { return std::string(TAVOLIN_SOURCE_DIR) + "/data/simulate.rdg"; }

std::vector<std::vector<double>> SimulationColumns() {
    std::vector<std::vector<double>> columns;
    if (const std::optional<SpectrumText> file = ReadSpectrumText(SimulationFilePath()))
        for (size_t k = 0; k < 3; ++k) columns.push_back(file->Column(k));
    return columns;
}

// name, a blank, mm-dd-yyyy, a blank, hh:mm:ss, a blank, the seconds with a blank or "-" before
// and a blank after, "Secs  ", the value.
std::optional<LogLine> ParseLogLine(const std::string& line) {
    const size_t secs = line.rfind(" Secs  ");
    if (secs == std::string::npos) return std::nullopt;
    const size_t number = line.find_last_of(" -", secs - 1);
    if (number == std::string::npos || number < 21) return std::nullopt;
    const std::string digits = line.substr(number + 1, secs - number - 1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const size_t time = number - 9, date = time - 11;  // where hh:mm:ss and mm-dd-yyyy begin
    if (line[time - 1] != ' ' || line[time + 2] != ':' || line[time + 5] != ':' || line[date - 1] != ' ' ||
        line[date + 2] != '-' || line[date + 5] != '-')
        return std::nullopt;
    const int sign = line[number] == '-' ? -1 : 1;
    return LogLine{line.substr(0, date - 1), sign * std::stoi(digits), line.substr(secs + 7)};
}

}  // namespace tav::trial
