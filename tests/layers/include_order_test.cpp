// The folders of src/ are layers: a file may include its own folder and the folders below it,
// never one above, and never a test double or the simulated instrument, which live outside src/
// and which the program does not link. The order is the one DESIGN.md gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 8> LayerOrder = {"platform", "shared",      "files",      "charts",
                                                   "indices",  "acquisition", "windows",    "qt"};

int RankOf(const std::string& folder) {
    const auto at = std::find(LayerOrder.begin(), LayerOrder.end(), folder);
    return at == LayerOrder.end() ? -1 : static_cast<int>(at - LayerOrder.begin());
}

const fs::path ProjectRoot() { return fs::path(TAVOLIN_SOURCE_DIR); }
const fs::path SourceRoot() { return ProjectRoot() / "src"; }

// The include folders that the tests and the simulator add to their own builds.
const std::array<fs::path, 2> OutsideRoots() { return {ProjectRoot() / "tests", ProjectRoot() / "tools"}; }

struct Include {
    int line;
    std::string written;
};

std::vector<Include> IncludesOf(const fs::path& path) {
    static const std::regex directive(R"(^\s*#\s*include\s*["<]([^">]+)[">])");
    std::vector<Include> found;
    std::ifstream in(path);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::smatch m;
        if (std::regex_search(text, m, directive)) found.push_back({line, m[1]});
    }
    return found;
}

bool Inside(const fs::path& path, const fs::path& root) {
    const fs::path rel = path.lexically_relative(root);
    return !rel.empty() && *rel.begin() != "..";
}

// What an include leads to, as the compiler finds it: beside the including file first, then
// under src/. Empty when it is none of the project's files (the standard library, Qt).
fs::path Resolve(const fs::path& includer, const std::string& written) {
    const fs::path beside = (includer.parent_path() / written).lexically_normal();
    if (fs::exists(beside)) return beside;
    const fs::path underSources = (SourceRoot() / written).lexically_normal();
    if (fs::exists(underSources)) return underSources;
    for (const fs::path& root : OutsideRoots()) {
        const fs::path outside = (root / written).lexically_normal();
        if (fs::exists(outside)) return outside;
    }
    return {};
}

// Every include of a file of src/ that leads to a folder above the file's own, with its line. The
// test doubles and the simulated instrument sit above every layer.
struct Findings {
    size_t files = 0;
    std::vector<std::string> upward;
};

Findings CheckSources() {
    Findings found;
    for (const auto& entry : fs::recursive_directory_iterator(SourceRoot())) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = entry.path().lexically_relative(SourceRoot());
        const int own = RankOf(relative.begin()->string());
        if (own < 0) continue;  // told by EveryFolderOfTheSourcesHasItsPlaceInTheOrder
        ++found.files;
        for (const Include& inc : IncludesOf(entry.path())) {
            const fs::path target = Resolve(entry.path(), inc.written);
            if (target.empty()) continue;
            const int rank = Inside(target, SourceRoot())
                                 ? RankOf(target.lexically_relative(SourceRoot()).begin()->string())
                                 : static_cast<int>(LayerOrder.size());
            if (rank > own)
                found.upward.push_back(relative.string() + ":" + std::to_string(inc.line) + " includes " +
                                       inc.written);
        }
    }
    return found;
}

TEST(Layers, EveryFolderOfTheSourcesHasItsPlaceInTheOrder) {
    std::vector<std::string> unplaced;
    for (const auto& entry : fs::directory_iterator(SourceRoot())) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && RankOf(name) < 0) unplaced.push_back(name);
        if (entry.is_regular_file()) unplaced.push_back(name + " (a file outside every layer)");
    }
    EXPECT_TRUE(unplaced.empty()) << "not in the layer order: " << testing::PrintToString(unplaced);
}

TEST(Layers, NoFileIncludesAHigherFolder) {
    const Findings found = CheckSources();
    EXPECT_GT(found.files, 100u) << "the sources were not found under " << SourceRoot();
    EXPECT_TRUE(found.upward.empty()) << found.upward.size() << " upward includes:\n"
                                      << testing::PrintToString(found.upward);
}

}  // namespace
