#pragma once
// The common file dialogs of the spectrum files and the kinetic logs, and the key and focus
// habits that the program's own file dialogs share.

#include <cstdint>

#include "platform/Operator.h"

namespace tav {

struct FileContext;
class FileSystem;
class Form;
struct ProgramState;
class TextBox;

FileDialogRequest SpectrumOpenRequest(const ProgramState& state, const FileSystem& fs);
FileDialogRequest SpectrumSaveRequest(const ProgramState& state, const FileSystem& fs);
FileDialogRequest KineticSaveRequest(const ProgramState& state, const FileSystem& fs);

// Asks for a spectrum file to read and stores the chosen path (empty on cancel) as the current
// slot's file name; the reader answers an empty name with "Invalid File Name.".
void OpenSpectrumDialog(FileContext& ctx);

// Esc closes a dialog before its controls see the key: true (key used up) when it did.
bool CloseOnEscape(Form& dialog, int16_t& KeyAscii);

// True for Enter, which is then used up.
bool TakeEnter(int16_t& KeyAscii);

// A name box that gets the focus selects its first 20 characters, so that typing replaces them.
void SelectForTyping(TextBox& box);

}  // namespace tav
