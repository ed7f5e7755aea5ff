#pragma once
// Texts of the messages the file routines show. Lines are separated by "\n".

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace tav {

inline constexpr const char* InvalidFileNameText = "Invalid File Name.";
inline constexpr const char* FileNotFoundText = "File not found.";
inline constexpr const char* AutoSaveOverwriteText =
    "AutoSave is ON, and files\nwith the same series name exist.\nDo you want to overwrite?";
// Only for a data folder that does not exist.
inline constexpr const char* AutoSavePathText = "Warning:\nPath for AutoSave does not exist\nSet Default Directory";

// "The file", the 80-character name field, "Is already open".
std::string FileInUseMessage(const std::string& storedName);

// Why a file operation failed, as the end of a sentence: "permission denied", "the disk is full".
std::string FsErrorReason(FsError error);

// For failures the system has no text of its own; they name the file and say why.
std::string CannotWriteMessage(const std::string& path, const std::string& reason);
std::string CannotReadMessage(const std::string& path, const std::string& reason);
std::string NotSpectrumFileMessage(const std::string& path);
// A file that gave no row; `reason` says why ("it is empty").
std::string NoSpectrumMessage(const std::string& path, const std::string& reason);
struct KineticLogFailure {
    std::string path;
    std::string reason;  // as FsErrorReason gives it
};
// One line per log: its path and why it could not be written.
std::string KineticLogFailureMessage(const std::vector<KineticLogFailure>& failures);

// A settings file that start-up could not read: kept under its name and this suffix before the
// settings are written anew.
inline constexpr const char* UnreadSettingsSuffix = ".unread";
inline constexpr const char* UnreadSettingsKeptText =
    "It is not overwritten: before the settings are written, it is kept under another name.";
std::string UnreadSettingsKeptMessage(const std::string& path, const std::string& aside);
std::string UnreadSettingsNotKeptMessage(const std::string& path, const std::string& reason);

// A name that holds a line break or another control character cannot be stored in the settings
// file; `what` names it ("The folder name", "The reference file name").
std::string ControlCharacterMessage(const std::string& what);

}  // namespace tav
