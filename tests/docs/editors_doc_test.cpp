// docs/editors.md against the editors themselves: the keys its tables name
// are the keys each editor reads, its state tables hold the editors' states,
// its menu examples load with items the editors act on, the messages, files
// and pictures it quotes exist, and the animation editor's parts stand where
// its layout table says.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/run_process.h"
#include "manual_text.h"
#include "shell/loop_fixture.h"
#include "shell/menu.h"
#include "tools/lumo_fixture.h"
#include "tools/lumo_game.h"
#include "tools/path_builder.h"

namespace {

namespace fs = std::filesystem;
using manual::BlockAfter;
using manual::kRoot;
using manual::ReadFile;
using manual::Section;

// The text of every argument that follows `call` up to its closing
// bracket, e.g. "SDLK_l" and "'v'" for ".Pressed(".
std::vector<std::string> Arguments(const std::string& text, const std::string& call) {
    std::vector<std::string> out;
    for (size_t at = text.find(call); at != std::string::npos; at = text.find(call, at + 1)) {
        const size_t from = at + call.size();
        const size_t close = text.find(')', from);
        if (close != std::string::npos) out.push_back(text.substr(from, close - from));
    }
    return out;
}

// The string literals of a C++ source, comments and character literals
// skipped, escapes kept as written.
std::vector<std::string> Literals(const std::string& text) {
    std::vector<std::string> out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "//") == 0) {
            i = text.find('\n', i);
            if (i == std::string::npos) break;
        } else if (text.compare(i, 2, "/*") == 0) {
            i = text.find("*/", i);
            if (i == std::string::npos) break;
            ++i;
        } else if (text[i] == '\'') {
            i += text.compare(i + 1, 1, "\\") == 0 ? 3 : 2;
        } else if (text[i] == '"') {
            std::string s;
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                s += text[i];
                if (text[i] == '\\' && i + 1 < text.size()) s += text[++i];
            }
            out.push_back(s);
        }
    }
    return out;
}

struct Table {
    std::string header;              // the header row's first cell
    std::vector<std::string> first;  // each row's first cell, backticks removed
};

// Every table of the text with its header's and its rows' first cells.
std::vector<Table> Tables(const std::string& text) {
    std::vector<Table> tables;
    std::istringstream lines(text);
    std::string line;
    bool inTable = false;
    int row = 0;
    while (std::getline(lines, line)) {
        std::string cell;
        if (!manual::FirstCell(line, cell)) {
            inTable = false;
            continue;
        }
        if (!inTable) {
            tables.push_back({cell, {}});
            inTable = true;
            row = 0;
        } else if (++row > 1) {  // row 1 is the separator
            if (cell.size() >= 2 && cell.front() == '`' && cell.back() == '`')
                cell = cell.substr(1, cell.size() - 2);
            tables.back().first.push_back(cell);
        }
    }
    return tables;
}

// The first cells of the rows of every table under the header `header`.
std::set<std::string> FirstCells(const std::string& text, const std::string& header) {
    std::set<std::string> cells;
    for (const Table& t : Tables(text))
        if (t.header == header) cells.insert(t.first.begin(), t.first.end());
    return cells;
}

// The keys named by the chords of a section's key and mouse tables.
std::set<std::string> KeysInManual(const std::string& section) {
    std::set<std::string> keys;
    for (const Table& t : Tables(section)) {
        if (t.header != "Key" && t.header != "Mouse") continue;
        for (const std::string& chord : t.first) {
            size_t from = 0;
            for (;;) {
                const size_t plus = chord.find(" + ", from);
                const std::string key = chord.substr(from, plus - from);
                if (key != "Left button" && key != "Right button") keys.insert(key);
                if (plus == std::string::npos) break;
                from = plus + 3;
            }
        }
    }
    return keys;
}

// The keys that the sources read, in the manual's words.
std::set<std::string> KeysInSources(const std::vector<fs::path>& files) {
    static const std::map<std::string, std::string> kNames = {{"RETURN", "Enter"},
                                                              {"KP_ENTER", "keypad Enter"},
                                                              {"ESCAPE", "Esc"},
                                                              {"SPACE", "Space"},
                                                              {"TAB", "Tab"},
                                                              {"DELETE", "Delete"},
                                                              {"BACKSPACE", "Backspace"},
                                                              {"UP", "Up"},
                                                              {"DOWN", "Down"},
                                                              {"LEFT", "Left"},
                                                              {"RIGHT", "Right"},
                                                              {"PAGEUP", "PageUp"},
                                                              {"PAGEDOWN", "PageDown"},
                                                              {"LCTRL", "Left Ctrl"},
                                                              {"LSHIFT", "Left Shift"},
                                                              {"RSHIFT", "Right Shift"},
                                                              {"LALT", "Left Alt"},
                                                              {"F4", "F4"}};
    std::set<std::string> keys;
    for (const fs::path& file : files) {
        const std::string text = ReadFile(file);
        // The key an event handed on is (Pressed) or records (Modifier),
        // and the keys the keyboard holds now (IsKeyDown).
        std::vector<std::string> args = Arguments(text, ".Pressed(");
        for (const char* query : {".Modifier(", "IsKeyDown("}) {
            const std::vector<std::string> more = Arguments(text, query);
            args.insert(args.end(), more.begin(), more.end());
        }
        // The first cell of each row of a key table: {SDLK_x, ...
        for (size_t at = text.find("{SDLK_"); at != std::string::npos; at = text.find("{SDLK_", at + 1))
            args.push_back(text.substr(at + 1, text.find(',', at) - at - 1));
        for (const std::string& arg : args) {
            if (arg.size() == 3 && arg.front() == '\'' && arg.back() == '\'') {
                keys.insert(arg.substr(1, 1));
            } else if (arg.rfind("SDLK_", 0) != 0) {
                ADD_FAILURE() << file << " reads the key " << arg << ", which this test has no name for";
            } else if (arg.size() == 6) {
                keys.insert(arg.substr(5));  // SDLK_a .. SDLK_z, SDLK_0 .. SDLK_9
            } else if (auto name = kNames.find(arg.substr(5)); name != kNames.end()) {
                keys.insert(name->second);
            } else {
                ADD_FAILURE() << file << " reads " << arg << ", which this test has no name for";
            }
        }
    }
    return keys;
}

// The names of `a` that `b` lacks, as "x, y"; empty when none.
std::string Missing(const std::set<std::string>& a, const std::set<std::string>& b) {
    std::string out;
    for (const std::string& n : a)
        if (!b.count(n)) out += (out.empty() ? "" : ", ") + n;
    return out;
}

const std::string& Manual() {
    static const std::string doc = ReadFile(kRoot / "docs/editors.md");
    return doc;
}

class EditorsManual : public loop_test::LoopTest {};

class AnimationEditorManual : public LumoTest {};

}  // namespace

TEST_F(EditorsManual, EachEditorsKeyTablesNameExactlyTheKeysItReads) {
    ASSERT_FALSE(Manual().empty());
    std::vector<fs::path> lumo, ptbuilder;
    for (const auto& entry : fs::directory_iterator(kRoot / "tools")) {
        const std::string name = entry.path().filename().string();
        const bool walkPath = name.rfind("path_builder", 0) == 0 || name.rfind("ptf_view", 0) == 0;
        (walkPath ? ptbuilder : lumo).push_back(entry.path());
    }
    const struct {
        const char* heading;
        std::vector<fs::path> sources;
    } editors[] = {{"## The animation editor", lumo}, {"## The walk-path editor", ptbuilder}};
    for (const auto& editor : editors) {
        const std::set<std::string> manual = KeysInManual(Section(Manual(), editor.heading));
        const std::set<std::string> code = KeysInSources(editor.sources);
        ASSERT_FALSE(code.empty());
        EXPECT_EQ(Missing(code, manual), "") << editor.heading << ": keys read but not in the manual";
        EXPECT_EQ(Missing(manual, code), "") << editor.heading << ": keys in the manual never read";
    }
    // Leaving is the game loop's, the same for both.
    const std::set<std::string> leave = KeysInSources({kRoot / "shell/game_api.cpp"});
    EXPECT_TRUE(leave.count("Left Alt") && leave.count("F4"));
    EXPECT_NE(Manual().find("`Left Alt + F4`"), std::string::npos);
}

TEST_F(EditorsManual, StatesAndMenusAreTheEditorsOwn) {
    auto states = [](int count, const char* (*name)(int)) {
        std::set<std::string> names;
        for (int i = 0; i < count; ++i) names.insert(name(i));
        return names;
    };
    EXPECT_EQ(FirstCells(Section(Manual(), "### States of the animation editor"), "State"),
              states(lumo2Game::kStateCount, lumo2Game::StateName));
    EXPECT_EQ(FirstCells(Section(Manual(), "### States of the walk-path editor"), "State"),
              states(pathbuilderGame::kStateCount, pathbuilderGame::StateName));

    // The menu items the manual lists are those the editor acts on.
    const std::string menuSection = Section(Manual(), "### The menu");
    const std::set<std::string> items = FirstCells(menuSection, "Item");
    const std::string input = ReadFile(kRoot / "tools/path_builder_input.cpp");
    std::set<std::string> actedOn;
    for (const std::string& arg : Arguments(input, "IsSelected(\""))
        actedOn.insert(arg.substr(0, arg.find('"')));
    EXPECT_EQ(items, actedOn);

    // Its example menu file loads, and names only such items.
    TempFolder folder;
    folder.Write("ptbuilder.db", BlockAfter(menuSection, "configs/progs/ptbuilder.db"));
    ddMenu menu((folder / "ptbuilder.db").c_str());
    ASSERT_FALSE(menu.Items().empty());
    for (ddMenu* item : menu.Items()) {
        const std::string name = item->GetName() ? item->GetName() : "";
        EXPECT_TRUE(items.count(name)) << name;
    }

    // The chooser example starts both editors.
    folder.Write("menu.db", BlockAfter(Manual(), "This `menu.db`"));
    ddMenu chooser((folder / "menu.db").c_str());
    EXPECT_NE(chooser.FindItem("lumo"), nullptr);
    EXPECT_NE(chooser.FindItem("ptbuilder"), nullptr);
}

TEST_F(EditorsManual, MessagesFilesAndPicturesItQuotesExist) {
    // Every string literal of the engine's sources that an editor prints or
    // names.
    std::vector<std::string> literals;
    for (const char* folder : {"tools", "paths", "foundation", "graphics"}) {
        for (const auto& entry : fs::directory_iterator(kRoot / folder)) {
            for (std::string s : Literals(ReadFile(entry.path()))) {
                while (s.rfind("\\n", 0) == 0) s.erase(0, 2);
                literals.push_back(s);
            }
        }
    }
    // A message matches a literal when their fixed beginnings, up to the
    // manual's first <placeholder> and the literal's first conversion,
    // agree over at least ten characters.
    auto printed = [&](const std::string& message) {
        const std::string fixed = message.substr(0, message.find('<'));
        for (const std::string& s : literals) {
            const std::string head = s.substr(0, s.find_first_of("%\\"));
            const size_t n = std::min(fixed.size(), head.size());
            if (n >= 10 && fixed.compare(0, n, head, 0, n) == 0) return true;
        }
        return false;
    };
    const std::set<std::string> messages = FirstCells(Section(Manual(), "## Messages"), "Message");
    EXPECT_GE(messages.size(), 5u);
    for (const std::string& m : messages) EXPECT_TRUE(printed(m)) << "no such message: " << m;

    // The files table names exactly the file names the editors hold.
    const std::set<std::string> files =
        FirstCells(Section(Manual(), "## Files the editors read and write"), "File");
    std::set<std::string> named;
    for (const auto& entry : fs::directory_iterator(kRoot / "tools"))
        for (std::string arg : Arguments(ReadFile(entry.path()), "constexpr const char* k")) {
            // single names (kName = "text";), not tables of them
            arg = arg.substr(0, arg.find(';'));
            const size_t open = arg.find(" = \"");
            if (open == std::string::npos || arg.find_first_of(" [") != open || arg.back() != '"') continue;
            const std::string value = arg.substr(open + 4, arg.size() - open - 5);
            if (value.find('/') != std::string::npos) named.insert(value);
        }
    EXPECT_EQ(files, named);

    // Each picture is there, small, and made by the script.
    const std::string script = ReadFile(kRoot / "docs/make_pictures.sh");
    EXPECT_NE(fs::status(kRoot / "docs/make_pictures.sh").permissions() & fs::perms::owner_exec,
              fs::perms::none)
        << "docs/make_pictures.sh is not executable";
    int pictures = 0;
    for (const std::string& arg : Arguments(Manual(), "](pictures/")) {
        const std::string name = arg.substr(0, arg.rfind(".png"));
        const fs::path file = kRoot / "docs/pictures" / (name + ".png");
        ++pictures;
        ASSERT_TRUE(fs::exists(file)) << file;
        EXPECT_LT(fs::file_size(file), 64u * 1024) << file;
        EXPECT_NE(script.find("capture " + name), std::string::npos) << name << " is not made by the script";
    }
    EXPECT_GE(pictures, 3);
}

TEST_F(AnimationEditorManual, ItsPartsStandWhereTheLayoutTableSays) {
    // The pictures' window and the default font as the program sets it up.
    ASSERT_NE(OpenDummyScreen(video, 640, 480), nullptr);
    defaultFont.Open(kFont, 12);
    defaultFont.SetColor(250, 250, 250);
    Start();
    const std::map<std::string, Obraz*> parts = {
        {"images header", &editor->ImagesPair()->Upper()},
        {"animation header", &editor->AnimationPair()->Upper()},
        {"draw window", editor->DrawArea()},
        {"bottom guide", editor->BottomGuide()},
        {"state line", editor->StateText()},
        {"active window line", editor->WindowText()},
        {"mouse pos line", editor->MouseText()},
        {"path field", editor->PathField()},
        {"file field", editor->FileField()},
        {"number field", editor->NumberField()},
    };
    std::set<std::string> seen;
    for (const std::string& line : manual::Lines(Section(Manual(), "### Where things are"))) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');) cells.push_back(cell);
        std::string name;
        if (cells.size() != 6 || !manual::FirstCell(line, name) || name == "Part" || name.starts_with("---"))
            continue;
        seen.insert(name);
        ASSERT_TRUE(parts.count(name)) << "the editor has no part " << name;
        Obraz* part = parts.at(name);
        EXPECT_EQ(line, "| " + name + " | " + std::to_string(part->GetX()) + " | " +
                            std::to_string(part->GetY()) + " | " + std::to_string(part->GetWidth()) + " | " +
                            std::to_string(part->GetHeight()) + " |");
    }
    EXPECT_EQ(seen.size(), parts.size());

    // The click the text gives for the first group.
    WritePicture("pics/a.bmp", 6, 6, 200, 0, 0);
    Import("pics/", "a.bmp");
    LeftDown(48, 24);
    LeftUp();
    EXPECT_TRUE(editor->ImagesPair()->Upper().GetRow(0)->IsSelected());
}
