// The folders of src/ are layers: a file may include its own folder and the folders below it,
// never one above. The order is the one DESIGN.md gives.

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
                                                   "indices",  "acquisition", "mainwindow", "qt"};

int RankOf(const std::string& folder) {
    const auto at = std::find(LayerOrder.begin(), LayerOrder.end(), folder);
    return at == LayerOrder.end() ? -1 : static_cast<int>(at - LayerOrder.begin());
}

struct Include {
    std::string file;
    int line;
    std::string folder;
};

// Every `#include "folder/..."` of a file, with its line.
std::vector<Include> FolderIncludes(const fs::path& path, const std::string& name) {
    static const std::regex directive(R"(^\s*#\s*include\s*["<]([A-Za-z0-9_]+)/)");
    std::vector<Include> found;
    std::ifstream in(path);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::smatch m;
        if (std::regex_search(text, m, directive)) found.push_back({name, line, m[1]});
    }
    return found;
}

const fs::path SourceRoot() { return fs::path(TAVOLIN_SOURCE_DIR) / "src"; }

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
    std::vector<std::string> upward;
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(SourceRoot())) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), SourceRoot());
        const int own = RankOf(relative.begin()->string());
        if (own < 0) continue;  // told by the test above
        ++files;
        for (const Include& inc : FolderIncludes(entry.path(), relative.string())) {
            const int rank = RankOf(inc.folder);
            if (rank > own) upward.push_back(inc.file + ":" + std::to_string(inc.line) + " includes " + inc.folder);
        }
    }
    EXPECT_GT(files, 100u) << "the sources were not found under " << SourceRoot();
    EXPECT_TRUE(upward.empty()) << upward.size() << " upward includes:\n" << testing::PrintToString(upward);
}

}  // namespace
