// libFuzzer target for menu definition files (tagged text) and the entry
// files menus are filled from (".vec" vectors, ".db" tagged text): any
// definition builds a menu that opens, closes, is hit-tested, drawn, filled
// and paged. The input is the definition, optionally followed by
// "@@ <name>" sections holding entry files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/dd_base.h"
#include "fuzz_support.h"
#include "shell/menu.h"

namespace {

// The names of the definition's nodes, at most a few dozen.
std::vector<std::string> NodeNames(const char* path) {
    std::vector<std::string> names;
    ddBase tree;
    if (!tree.Load(path)) return names;
    tree.FirstChild();
    if (tree.GetCurrent() == tree.GetRoot()) return names;
    do {
        names.emplace_back(tree.GetCurrentName() ? tree.GetCurrentName() : "");
        tree.NextNode();
    } while (tree.GetCurrent() != tree.GetRoot() && names.size() < 40);
    return names;
}

void Exercise(ddMenu& menu, const std::vector<std::string>& names, const InputFiles& input) {
    menu.Draw();
    for (const std::string& name : names) {
        menu.Open(name.c_str());
        menu.OpenIfClosed(name.c_str());
        if (ddMenu* item = menu.FindItem(name.c_str())) {
            menu.IsIn(item->GetX() + 1, item->GetY() + 1, 1, 1);
            item->GetCenterX();
            item->GetEndY();
        }
        menu.IsOpen(name.c_str());
        menu.Draw();
        menu.Close(name.c_str());
    }
    menu.GetSelectedLabel();
    menu.GetSelectedValue();
    // Fill the first item and the root from every entry file, then page.
    const char* first = names.empty() ? nullptr : names.front().c_str();
    for (const auto& [file, bytes] : input.files) {
        menu.FillSubmenus(first, file.c_str());
        menu.FillItems(nullptr, file.c_str());
    }
    menu.Open(first);
    menu.EnablePaging(first, 4);
    for (int i = 0; i < 3; ++i) menu.PageNext(first);
    menu.PagePrev(first);
    menu.SetPageSize(first, 3);
    menu.AddItemFirst(first, "front");
    menu.AddItemLast(nullptr, "back");
    menu.Draw();
    menu.RemoveFirstItem();
    menu.Close(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    OpenDummyScreenAndFont();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuard guard;
    const WrittenInput input(data, size, "menu.txt");
    ddMenu menu;
    menu.Load("menu.txt");
    Exercise(menu, NodeNames("menu.txt"), input.Files());
    return 0;
}
