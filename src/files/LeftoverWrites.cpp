#include "files/LeftoverWrites.h"

#include <string>

#include "files/KineticLogs.h"
#include "files/SettingsFile.h"
#include "platform/FileSystem.h"
#include "platform/TextCase.h"
#include "shared/ProgramState.h"

namespace tav {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The names are looked up without regard to case, so their files may have any case.
bool IsStartFolderFile(const std::string& name) {
    if (EqualIgnoringCase(name, SettingsFileName)) return true;
    for (int k = 0; k < KineticLogCount; ++k) {
        if (EqualIgnoringCase(name, KineticLogTempName(static_cast<int16_t>(FirstKineticLogNumber + k)))) return true;
    }
    return false;
}

bool IsDataFolderFile(const std::string& name) {
    const std::string lower = LowerAscii(name);
    return EndsWith(lower, ".rdg") || EndsWith(lower, ".dat");
}

}  // namespace

void RemoveLeftoverWrites(FileSystem& fs, const ProgramState& state) {
    fs.RemoveLeftoverTemporaries(state.StartDir, IsStartFolderFile);
    if (!state.DefaultPath.empty()) fs.RemoveLeftoverTemporaries(state.DefaultPath, IsDataFolderFile);
}

}  // namespace tav
