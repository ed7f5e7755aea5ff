#include "support/TempDir.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tav::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = "/tmp/tavolin-test-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const { return name.empty() ? path_ : path_ + "/" + name; }

bool TempDir::Write(const std::string& name, const std::string& contents) const {
    fs::path target(File(name));
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out << contents;
    return static_cast<bool>(out.flush());
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::Exists(const std::string& name) const {
    std::error_code ec;
    return fs::exists(File(name), ec);
}

bool TempDir::MakeDir(const std::string& name) const {
    std::error_code ec;
    return fs::create_directories(File(name), ec);
}

std::vector<std::string> TempDir::Names(const std::string& subfolder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(File(subfolder), ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tav::test
