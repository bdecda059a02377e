// The names the manual gives against the engine's own tables, both ways: a
// method, event, game hook or instruction the engine has must have its row
// in docs/, and a row must not name one the engine does not have.
//
// docs/classes.md: each "## `name`" section holds a "### Methods" table and
// may hold an "### Events" table; "## Methods every object has" and
// "## Methods a game may define" hold one table each. docs/scripts.md: the
// rows under "## Instructions" (through its "###" subsections). A row counts
// when its first cell is one name in backticks.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "foundation/asm_class_obj.h"
#include "manual_text.h"
#include "scene/scene.h"
#include "script/opcodes.h"
#include "script/script_machine.h"
#include "script/script_types.h"
#include "script_classes/asm_game_obj.h"
#include "script_classes/engine_script_classes.h"

namespace {

using Names = std::set<std::string>;

const std::string kClassesFile = "docs/classes.md";
const std::string kScriptsFile = "docs/scripts.md";

using manual::ReadRepoFile;

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The lines under each "## " heading, up to the next one, by heading text.
std::map<std::string, std::vector<std::string>> Sections(const std::string& text) {
    std::map<std::string, std::vector<std::string>> sections;
    std::vector<std::string>* current = nullptr;
    for (const std::string& line : manual::Lines(text)) {
        if (StartsWith(line, "## "))
            current = &sections[line.substr(3)];
        else if (current)
            current->push_back(line);
    }
    return sections;
}

// The name of a table row whose first cell is one name in backticks.
bool RowName(const std::string& line, std::string& name) {
    std::string cell;
    if (!manual::FirstCell(line, cell)) return false;
    if (cell.size() < 3 || cell.front() != '`' || cell.back() != '`') return false;
    name = cell.substr(1, cell.size() - 2);
    return name.find('`') == std::string::npos;
}

// The row names of a section's lines: from the "### " heading `sub` to the
// next "### " heading, or, with no `sub`, from the start to the first one;
// with `throughSubsections`, every row of the section.
Names Rows(const std::vector<std::string>& lines, const char* sub, bool throughSubsections = false) {
    Names names;
    bool in = sub == nullptr;
    for (const std::string& line : lines) {
        if (StartsWith(line, "### ") && !throughSubsections) {
            in = sub && line.substr(4) == sub;
            continue;
        }
        std::string name;
        if (in && RowName(line, name)) names.insert(name);
    }
    return names;
}

// Every name with a method index in a class's name map.
void Collect(ddTrie<asmMethod>* node, std::string& prefix, Names& out) {
    if (!node) return;
    if (node->value >= 0) out.insert(prefix);
    for (int i = 0; i < node->count; ++i) {
        ddTrie<asmMethod>* child = node->children[i];
        prefix.push_back(static_cast<char>(child->key));
        Collect(child, prefix, out);
        prefix.pop_back();
    }
}

// One failure for a table that differs from the engine's names, naming the
// names missing from the manual and those the engine does not have.
void ExpectSame(const Names& code, const Names& manual, const std::string& where, const std::string& what) {
    std::string missing, extra;
    for (const std::string& n : code)
        if (!manual.count(n)) missing += " `" + n + "`";
    for (const std::string& n : manual)
        if (!code.count(n)) extra += " `" + n + "`";
    if (!missing.empty()) ADD_FAILURE() << where << ": no row for these " << what << ":" << missing;
    if (!extra.empty()) ADD_FAILURE() << where << ": rows for names that are no " << what << ":" << extra;
}

Names FromArray(const char* const* names, size_t count) { return Names(names, names + count); }

// The script machine set up as the program sets it up, for its tables.
class ManualNamesTest : public testing::Test {
protected:
    void SetUp() override { machine.SetUp(); }

    // Each class of the machine's tables (the core's and the engine's) with
    // a method, by name, with its method names.
    std::map<std::string, Names> ClassMethods() {
        std::map<std::string, Names> classes;
        machine.classes.ForEach([&classes](const asmBuiltinClass& c) {
            asmClass* cls = c.descriptor ? c.descriptor() : nullptr;
            Names methods;
            std::string prefix;
            if (cls) Collect(cls->methods, prefix, methods);
            // A class without methods of its own ("def", the register cell
            // type, answers with its value's) has no section.
            if (!methods.empty()) classes[c.name] = methods;
        });
        return classes;
    }

    ddScene scene;
    ScopedScene shown{scene};
    asmScriptMachine machine{EngineScriptClasses()};
};

TEST_F(ManualNamesTest, ClassSectionsEventsAndGameHooksAreExactlyTheEngines) {
    std::map<std::string, Names> classes = ClassMethods();
    ASSERT_TRUE(classes.count("timer") && classes.count("int") && classes.count("gameapi"));
    const auto sections = Sections(ReadRepoFile(kClassesFile));
    ASSERT_FALSE(sections.empty()) << kClassesFile << " is missing or empty";
    for (const auto& [name, methods] : classes) {
        auto it = sections.find("`" + name + "`");
        if (it == sections.end()) {
            ADD_FAILURE() << kClassesFile << ": class `" << name << "` has no \"## `" << name
                          << "`\" section";
            continue;
        }
        ExpectSame(methods, Rows(it->second, "Methods"),
                   kClassesFile + " \"## `" + name + "`\" \"### Methods\"", "methods of `" + name + "`");
    }
    for (const auto& [heading, lines] : sections) {
        if (heading.size() > 2 && heading.front() == '`' &&
            !classes.count(heading.substr(1, heading.size() - 2)))
            ADD_FAILURE() << kClassesFile << ": section \"## " << heading
                          << "\" names no class of the engine";
    }
    Names events;
    for (const auto& [heading, lines] : sections)
        for (const std::string& e : Rows(lines, "Events")) events.insert(e);
    ExpectSame(FromArray(kEventNames, kEventCount), events, kClassesFile + " \"### Events\" tables",
               "events the engine raises");

    // The sections that are one table each.
    auto common = sections.find("Methods every object has");
    ASSERT_TRUE(common != sections.end()) << kClassesFile << " has no \"## Methods every object has\"";
    ExpectSame(FromArray(kCommonMethodNames, kCommonMethodCount), Rows(common->second, nullptr),
               kClassesFile + " \"## Methods every object has\"", "methods every object has");
    auto hooks = sections.find("Methods a game may define");
    ASSERT_TRUE(hooks != sections.end()) << kClassesFile << " has no \"## Methods a game may define\"";
    ExpectSame(FromArray(kGameHookNames, HOOK_COUNT), Rows(hooks->second, nullptr),
               kClassesFile + " \"## Methods a game may define\"", "methods the engine calls on a game");
}

TEST(ManualNames, EveryInstructionHasItsRow) {
    const auto sections = Sections(ReadRepoFile(kScriptsFile));
    auto it = sections.find("Instructions");
    ASSERT_TRUE(it != sections.end()) << kScriptsFile << " has no \"## Instructions\"";
    Names opcodes;
    for (const asmOpcodeInfo& op : kOpcodes) opcodes.insert(op.mnemonic);
    ExpectSame(opcodes, Rows(it->second, nullptr, true), kScriptsFile + " \"## Instructions\"",
               "instructions");
}

}  // namespace
