// Every relative link of README.md and of the pages under docs/ leads
// somewhere: the file or folder it names exists, and an "#anchor" after a
// Markdown file's name is one of that file's headings as a code host makes
// anchors of them. Links with a scheme (https:, mailto:) are not followed.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "manual_text.h"

namespace {

namespace fs = std::filesystem;

// The targets of the inline links "[text](target)" of a Markdown text,
// outside fenced blocks, with the line each stands on.
std::vector<std::pair<std::string, int>> LinkTargets(const std::string& text) {
    std::vector<std::pair<std::string, int>> targets;
    bool fenced = false;
    int number = 0;
    for (const std::string& line : manual::Lines(text)) {
        ++number;
        if (manual::IsFence(line)) fenced = !fenced;
        if (fenced) continue;
        for (size_t at = line.find("]("); at != std::string::npos; at = line.find("](", at + 2)) {
            const size_t end = line.find(')', at + 2);
            if (end != std::string::npos) targets.emplace_back(line.substr(at + 2, end - at - 2), number);
        }
    }
    return targets;
}

TEST(ManualLinks, EveryRelativeLinkNamesAFileAndAHeadingThatExist) {
    std::vector<fs::path> pages = {manual::kRoot / "README.md"};
    for (const auto& entry : fs::directory_iterator(manual::kRoot / "docs"))
        if (entry.path().extension() == ".md") pages.push_back(entry.path());
    ASSERT_GE(pages.size(), 7u) << "README.md, docs/README.md and the five pages";

    std::map<fs::path, std::set<std::string>> anchors;  // by page, read once
    int links = 0;
    for (const fs::path& page : pages) {
        for (const auto& [target, line] : LinkTargets(manual::ReadFile(page))) {
            if (target.find(':') != std::string::npos) continue;
            ++links;
            const std::string where =
                page.lexically_relative(manual::kRoot).string() + ":" + std::to_string(line) + " " + target;
            const size_t hash = target.find('#');
            const std::string file = target.substr(0, hash);
            const fs::path named = file.empty() ? page : page.parent_path() / file;
            if (!fs::exists(named)) {
                ADD_FAILURE() << where << ": no such file";
                continue;
            }
            if (hash == std::string::npos) continue;
            const std::string anchor = target.substr(hash + 1);
            if (named.extension() == ".md" && !anchors.count(named))
                anchors[named] = manual::Anchors(manual::ReadFile(named));
            if (named.extension() != ".md" || !anchors[named].count(anchor))
                ADD_FAILURE() << where << ": no heading with that anchor";
        }
    }
    EXPECT_GT(links, 50);
}

}  // namespace
