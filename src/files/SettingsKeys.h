#pragma once
// The keys of the settings file with their value forms: one table that the writer walks in
// order and the reader looks keys up in. Window lines and band lines have rules of their own.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "files/FileWindows.h"
#include "shared/ProgramState.h"

namespace tav {

enum class SettingsSection { Index, Acquisition, Colors };

struct SettingsEntry {
    SettingsSection section;
    const char* line;  // the key as written, "=" included
    std::string (*write)(const ProgramState&);
    void (*read)(ProgramState&, const std::string& value);
};

// [Index] (after the band lines), [Acquisition] and [Colors], in the order of the file.
std::span<const SettingsEntry> SettingsEntries();
// True when key is the key of a line as written: the text before "=" without its blanks.
bool LineHasKey(const char* line, std::string_view key);

struct SettingsWindowEntry {
    SettingsWindow window;
    const char* line;  // as written, "=" included
    WindowRect ProgramState::*rect;
    bool MenuChecks::*viewCheck;  // null for the quick menu
};
std::span<const SettingsWindowEntry> SettingsWindowEntries();

// Value conversions of the reader; nullopt when the value does not fit (the variable then keeps
// its value).
std::optional<int16_t> SettingsInteger(const std::string& value);
std::optional<int32_t> SettingsLong(const std::string& value);
std::optional<float> SettingsSingle(const std::string& value);
std::optional<double> SettingsDouble(const std::string& value);

// Value forms of the writer.
std::string PrintedNumber(int32_t v);   // " 0 ", "-1 ", " 8355711 "
std::string BooleanText(bool v);        // "-1" / "0"
// A single as text that reads back through the eight-value scanner, which treats "E" and "+" as
// separators: the plain decimal form wherever the usual text would carry an exponent.
std::string PlainSingleText(float v);

// Trims blanks (only) at both ends.
std::string TrimBlanks(const std::string& text);

}  // namespace tav
