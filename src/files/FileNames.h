#pragma once
// Spectrum file names as the slot records hold them, and the small path joins the file code needs.
// A slot keeps its name whole in memory; files and messages show the 80-character field of it.

#include <string>

namespace tav {

// The 80-character name field: the name left-aligned, padded with blanks, cut after 80.
std::string FileNameField(const std::string& name);

// True when the stored name is no name: empty, or only blanks, or only NUL characters.
bool IsNoFileName(const std::string& name);

// The name to look up: trailing blanks and NUL characters dropped.
std::string StoredFileName(const std::string& name);

// True when text holds a character below code 32 (a line break, a TAB, ...) or code 127: such a
// text would break the line structure of the settings file.
bool HasControlCharacter(const std::string& text);

// The last n characters of text (all of it when shorter).
std::string LastChars(const std::string& text, size_t n);

// dir and name joined by one "/" (none added when dir is empty or already ends in "/" or "\").
std::string JoinPath(const std::string& dir, const std::string& name);

// dir without one trailing "/" or "\"; the root folder "/" (or "\") stays as it is.
std::string WithoutTrailingSeparator(const std::string& dir);

// Folder part (up to the last "/" or "\", without it; "." when there is none) and leaf of a path.
std::string FolderOf(const std::string& path);
std::string LeafOf(const std::string& path);

}  // namespace tav
