#pragma once
// The common file dialogs of the spectrum files and the kinetic logs.

#include "platform/Operator.h"

namespace tav {

struct FileContext;
class FileSystem;
struct ProgramState;

FileDialogRequest SpectrumOpenRequest(const ProgramState& state, const FileSystem& fs);
FileDialogRequest SpectrumSaveRequest(const ProgramState& state, const FileSystem& fs);
FileDialogRequest KineticSaveRequest(const ProgramState& state, const FileSystem& fs);

// Asks for a spectrum file to read and stores the chosen path (empty on cancel) as the current
// slot's file name; the reader answers an empty name with "Invalid File Name.".
void OpenSpectrumDialog(FileContext& ctx);

}  // namespace tav
