#include "files/AutoSaveNames.h"

#include <cctype>
#include <climits>

#include "files/FileNames.h"
#include "files/TextConversions.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

constexpr size_t CounterDigits = 5;
constexpr const char* SeriesExtension = ".rdg";

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void PrepareAutoSaveName(ProgramState& state) {
    if (state.AutoSaveCounter < INT32_MAX) ++state.AutoSaveCounter;
    std::string number = StrInt(state.AutoSaveCounter);
    if (!number.empty() && number.front() == ' ') number.erase(0, 1);
    if (number.size() < CounterDigits) number.insert(0, CounterDigits - number.size(), '0');
    state.DefaultPath = WithoutTrailingSeparator(state.DefaultPath);
    const std::string name = state.AutoSaveName + number + SeriesExtension;
    state.AutoSaveFileName = JoinPath(state.DefaultPath, name);
    state.CurrentFileName = "File: " + name;
}

void RestartAutoSaveSeries(ProgramState& state) {
    state.AutoSaveCounter = 0;
    state.AutoSaveSeriesOpen = false;
}

bool IsSeriesFileName(const std::string& name, const std::string& seriesName) {
    const size_t ext = 4;
    if (name.size() != seriesName.size() + CounterDigits + ext) return false;
    if (!EqualNoCase(name.substr(0, seriesName.size()), seriesName)) return false;
    for (size_t i = 0; i < CounterDigits; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[seriesName.size() + i]))) return false;
    }
    return EqualNoCase(name.substr(name.size() - ext), SeriesExtension);
}

bool SeriesFilesExist(const FileSystem& fs, const std::string& folder, const std::string& seriesName) {
    if (folder.empty() || !fs.IsDirectory(folder)) return false;
    for (const DirEntry& e : fs.List(folder)) {
        if (!e.isDirectory && IsSeriesFileName(e.name, seriesName)) return true;
    }
    return false;
}

std::string FilterSeriesName(const std::string& name) {
    std::string kept;
    for (char c : name) {
        const int upper = std::toupper(static_cast<unsigned char>(c));
        if (c == '.' || IsBadFileNameChar(static_cast<int16_t>(upper))) continue;
        kept.push_back(c);
    }
    return kept;
}

}  // namespace tav
