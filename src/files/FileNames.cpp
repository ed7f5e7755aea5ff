#include "files/FileNames.h"

#include "shared/ProgramState.h"

namespace tav {

std::string FileNameField(const std::string& name) {
    std::string field = name.substr(0, FileNameFieldLength);
    field.resize(FileNameFieldLength, ' ');
    return field;
}

bool IsNoFileName(const std::string& name) {
    return name.find_first_not_of(' ') == std::string::npos ||
           name.find_first_not_of('\0') == std::string::npos;
}

std::string StoredFileName(const std::string& name) {
    const size_t end = name.find_last_not_of(std::string(" \0", 2));
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

bool HasControlCharacter(const std::string& text) {
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127) return true;
    }
    return false;
}

std::string LastChars(const std::string& text, size_t n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

static bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty() || IsSeparator(dir.back())) return dir + name;
    return dir + "/" + name;
}

std::string WithoutTrailingSeparator(const std::string& dir) {
    if (dir.size() > 1 && IsSeparator(dir.back())) return dir.substr(0, dir.size() - 1);
    return dir;
}

std::string FolderOf(const std::string& path) {
    const size_t p = path.find_last_of("/\\");
    if (p == std::string::npos) return ".";
    if (p == 0) return path.substr(0, 1);
    return path.substr(0, p);
}

std::string LeafOf(const std::string& path) {
    const size_t p = path.find_last_of("/\\");
    return p == std::string::npos ? path : path.substr(p + 1);
}

}  // namespace tav
