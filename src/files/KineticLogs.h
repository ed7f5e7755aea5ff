#pragma once
// The seven kinetic logs: temporary files in the start folder, open for appending for the whole
// run (file numbers 101 to 107), one line per active index and saved spectrum, and saved under a
// chosen name on request.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace tav {

struct FileContext;

inline constexpr int KineticLogCount = 7;
inline constexpr int16_t FirstKineticLogNumber = 101;

// Temporary file name of a log by its file number; "" for a number outside 101..107.
std::string KineticLogTempName(int16_t fileNumber);

class KineticLogs {
public:
    // Opens (creating when missing) the seven logs in folder; a log that cannot be opened is
    // skipped silently.
    void OpenAll(FileSystem& fs, const std::string& folder);
    void CloseAll();

    bool Open(FileSystem& fs, int16_t fileNumber, const std::string& path);
    void Close(int16_t fileNumber);
    bool IsOpen(int16_t fileNumber) const;
    // Appends one line (CR LF added, flushed); false when the log is not open or the write failed.
    bool Append(int16_t fileNumber, const std::string& line);
    // Why the last Append of the log failed: the write's reason, or that the log could not be
    // opened and why.
    std::string FailureReason(int16_t fileNumber) const;

    // A failing log is reported once until it is opened again.
    bool FailureReported(int16_t fileNumber) const;
    void SetFailureReported(int16_t fileNumber);

private:
    static int IndexOf(int16_t fileNumber);
    std::array<std::unique_ptr<AppendFile>, KineticLogCount> files_{};
    std::array<bool, KineticLogCount> reported_{};
    std::array<FsError, KineticLogCount> openError_{};
};

// One log line: the last 35 characters of the saved file's name, date, time, the elapsed whole
// seconds and the value.
std::string KineticLogLine(const std::string& savedFileName, const CivilTime& now, int32_t seconds, float value);

// Appends the line of every active index whose bands are defined, in file-number order. A log that
// cannot be written is reported once and does not stop the save; false when any line failed.
bool AppendKineticLogLines(FileContext& ctx, const std::string& savedFileName);

enum class KineticSaveResult { Saved, Cancelled, Failed, BadLog };

// Saves the log under a name chosen in the save dialog and begins a new, empty log.
KineticSaveResult SaveKineticFile(FileContext& ctx, const std::string& tempName, int16_t fileNumber);

}  // namespace tav
