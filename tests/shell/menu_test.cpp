// Menus read from definition files, opened, closed, hit-tested, filled
// from entry files and paged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/run_process.h"
#include "loop_fixture.h"
#include "shell/menu.h"

namespace loop_test {
namespace {

class Menu : public LoopTest {
protected:
    std::string Def(const std::string& text, const std::string& name = "m.db") {
        folder.Write(name, text);
        return folder / name;
    }

    // The labels of the item's sub-items, in list order.
    static std::vector<std::string> Labels(const ddMenu* item) {
        std::vector<std::string> out;
        for (ddMenu* i : item->Items()) out.emplace_back(i->GetLabel()->GetText());
        return out;
    }
    static std::vector<std::string> Names(const ddMenu* item) {
        std::vector<std::string> out;
        for (ddMenu* i : item->Items()) out.emplace_back(i->GetName() ? i->GetName() : "");
        return out;
    }

    TempFolder folder;
};

// A first level of two items laid out to the right; "file" opens its
// children downwards, "edit" opens one to the left.
const char* kTwoLevels =
    "<def>\n"
    "<menu> 10 20 right\n"
    "\t<file> File_menu bottom bottom\n"
    "\t\t<open> Open right right\n"
    "\t\t\t<recent> Recent right bottom</recent>\n"
    "\t\t</open>\n"
    "\t\t<save> Save right right</save>\n"
    "\t</file>\n"
    "\t<edit> Edit left bottom\n"
    "\t\t<undo> Undo right right</undo>\n"
    "\t</edit>\n"
    "</menu>\n"
    "</def>\n";

TEST_F(Menu, DefaultsLayoutAndLabelsOfADefinition) {
    ddMenu menu(Def(kTwoLevels).c_str());
    ASSERT_EQ(menu.Items().size(), 2u);
    ddMenu* file = menu.FindItem("file");
    ddMenu* edit = menu.FindItem("edit");
    ASSERT_TRUE(file && edit);
    EXPECT_STREQ(file->GetLabel()->GetText(), "File menu");  // underscores shown as spaces
    // No "size", "color", "border": 80 x 30, (255, 10, 10, 200), a black 2-pixel border.
    EXPECT_EQ(file->GetWidth(), 80);
    EXPECT_EQ(file->GetHeight(), 30);
    uint8_t r = 0, g = 0, b = 0, a = 0;
    file->GetLabel()->GetRGBA(10 + 40, 20 + 15, &r, &g, &b, &a);
    EXPECT_EQ((std::vector<int>{r, g, b, a}), (std::vector<int>{255, 10, 10, 200}));
    file->GetLabel()->GetRGBA(10 + 1, 20 + 15, &r, &g, &b, &a);
    EXPECT_LT(r, 100);  // black blended over the fill
    file->GetLabel()->GetRGBA(10 + 2, 20 + 15, &r, &g, &b, &a);
    EXPECT_EQ(r, 255);

    // First level: to the right from (10, 20).
    EXPECT_EQ(file->GetX(), 10);
    EXPECT_EQ(file->GetY(), 20);
    EXPECT_EQ(edit->GetX(), 90);
    // "file" opens below its label, children following downwards.
    EXPECT_EQ(menu.FindItem("open")->GetX(), 10);
    EXPECT_EQ(menu.FindItem("open")->GetY(), 50);
    EXPECT_EQ(menu.FindItem("save")->GetY(), 80);
    // "open" opens to the right of its label.
    EXPECT_EQ(menu.FindItem("recent")->GetX(), 90);
    EXPECT_EQ(menu.FindItem("recent")->GetY(), 50);
    // "edit" opens one label width to its left.
    EXPECT_EQ(menu.FindItem("undo")->GetX(), 10);
    EXPECT_EQ(menu.FindItem("undo")->GetY(), 20);
    // The menu's own geometry is its first item's.
    EXPECT_EQ(menu.GetX(), 10);
    EXPECT_EQ(menu.GetEndY(), 50);
    EXPECT_TRUE(menu.IsOpenFlag());
    EXPECT_TRUE(menu.IsTopOnly());
}

TEST_F(Menu, SizeColourBorderAndSubButtonKeys) {
    ddMenu menu(Def("<d><size> 50 20</size><color> 1 2 3 255</color><border> 0</border>"
                    "<subbutton> 40 10</subbutton>"
                    "<menu> 0 0 bottom<a> A right bottom<b> B right right</b></a></menu></d>")
                    .c_str());
    ddMenu* a = menu.FindItem("a");
    ddMenu* b = menu.FindItem("b");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->GetWidth(), 50);
    EXPECT_EQ(b->GetWidth(), 40);
    EXPECT_EQ(b->GetHeight(), 10);
    EXPECT_EQ(b->GetX(), 50);
    uint8_t r = 0, g = 0, bl = 0, al = 0;
    a->GetLabel()->GetRGBA(0, 0, &r, &g, &bl, &al);  // no border
    EXPECT_EQ((std::vector<int>{r, g, bl, al}), (std::vector<int>{1, 2, 3, 255}));

    // Items added at run time: first-level ones get the item background,
    // deeper ones the sub-item background.
    menu.AddItemLast(nullptr, "Top");
    EXPECT_EQ(menu.Items().back()->GetWidth(), 50);
    EXPECT_EQ(menu.Items().back()->GetHeight(), 20);
    menu.AddItemLast("a", "Deep");
    EXPECT_EQ(a->Items().back()->GetWidth(), 40);
    EXPECT_EQ(a->Items().back()->GetHeight(), 10);
}

TEST_F(Menu, OpenCloseAndTheSearchesThatFollowOpenItems) {
    ddMenu menu(Def(kTwoLevels).c_str());
    // Collapsed: first level only.
    EXPECT_TRUE(menu.Exists("file"));
    EXPECT_FALSE(menu.Exists("open"));  // below a closed item
    EXPECT_FALSE(menu.IsOpen("file"));
    menu.Close(nullptr);  // already collapsed: nothing
    EXPECT_TRUE(menu.IsTopOnly());

    menu.Open("nosuch");
    EXPECT_TRUE(menu.IsTopOnly());
    EXPECT_FALSE(menu.FindItem("file")->IsOpenFlag());

    menu.Open("recent");  // opens the whole path and the item itself
    EXPECT_FALSE(menu.IsTopOnly());
    EXPECT_TRUE(menu.IsOpen("file"));
    EXPECT_TRUE(menu.IsOpen("open"));
    EXPECT_TRUE(menu.IsOpen("recent"));
    EXPECT_FALSE(menu.IsOpen("edit"));

    menu.Open("edit");  // another path: the first one closes
    EXPECT_FALSE(menu.FindItem("file")->IsOpenFlag());
    EXPECT_TRUE(menu.IsOpen("edit"));
    EXPECT_TRUE(menu.Exists("undo"));

    menu.Open("open");
    menu.Close("file");  // the subtree closes
    EXPECT_FALSE(menu.FindItem("open")->IsOpenFlag());
    EXPECT_FALSE(menu.Exists("save"));

    menu.Close(nullptr);
    EXPECT_TRUE(menu.IsTopOnly());
    EXPECT_TRUE(menu.IsOpenFlag());
    menu.OpenIfClosed("file");
    EXPECT_TRUE(menu.IsOpen("file"));
}

TEST_F(Menu, HitTestSelectsTheFirstLabelDepthFirst) {
    ddMenu menu(Def(kTwoLevels).c_str());
    EXPECT_EQ(menu.GetSelectedLabel(), nullptr);
    EXPECT_FALSE(menu.IsIn(5, 5, 1, 1));
    // "open" lies under the closed "file": not hit.
    EXPECT_FALSE(menu.IsIn(20, 60, 1, 1));
    EXPECT_TRUE(menu.IsIn(95, 25, 1, 1));
    EXPECT_TRUE(menu.IsSelected("edit"));
    EXPECT_STREQ(menu.GetSelectedValue(), "Edit");
    EXPECT_FALSE(menu.IsSelected("Edit"));  // the node name, not the shown text

    // "undo" (under "edit") overlaps "file": the first in depth-first order wins.
    menu.Open("edit");
    EXPECT_TRUE(menu.IsIn(20, 25, 1, 1));
    EXPECT_TRUE(menu.IsSelected("file"));
    menu.Open("file");
    EXPECT_TRUE(menu.IsIn(20, 60, 1, 1));
    EXPECT_STREQ(menu.GetSelectedLabel(), "open");

    menu.Hide();
    EXPECT_FALSE(menu.IsIn(20, 25, 1, 1));
    menu.Show();
    EXPECT_TRUE(menu.IsIn(20, 25, 1, 1));
}

TEST_F(Menu, MoveCarriesEveryItemOpenOrNot) {
    ddMenu menu(Def(kTwoLevels).c_str());
    menu.Move(5, -5);
    EXPECT_EQ(menu.FindItem("file")->GetX(), 15);
    EXPECT_EQ(menu.FindItem("recent")->GetY(), 45);
    menu.SetPos(0, 0);
    EXPECT_EQ(menu.FindItem("file")->GetX(), 0);
    EXPECT_EQ(menu.FindItem("edit")->GetX(), 80);
    EXPECT_EQ(menu.FindItem("save")->GetY(), 60);
}

TEST_F(Menu, DrawsTheOpenPartOnly) {
    ddMenu menu(Def("<d><size> 20 20</size><color> 0 0 255 255</color><border> 0</border>"
                    "<menu> 0 0 right<a> A bottom bottom<b> B right right</b></a></menu></d>")
                    .c_str());
    SDL_FillRect(GraphAPI::CurrentVideo().Screen, nullptr, 0);
    menu.Draw();
    EXPECT_EQ(ScreenAt(10, 10), (Rgb{0, 0, 255}));
    EXPECT_EQ(ScreenAt(10, 30), (Rgb{0, 0, 0}));
    menu.Open("a");
    menu.Draw();
    EXPECT_EQ(ScreenAt(10, 30), (Rgb{0, 0, 255}));
    SDL_FillRect(GraphAPI::CurrentVideo().Screen, nullptr, 0);
    menu.Hide();
    menu.Draw();
    EXPECT_EQ(ScreenAt(10, 10), (Rgb{0, 0, 0}));
}

TEST_F(Menu, BadDefinitionsGiveAnEmptyOrPartialMenu) {
    ddMenu missing((folder / "nosuch.db").c_str());
    EXPECT_TRUE(missing.Items().empty());
    EXPECT_EQ(missing.GetX(), 0);
    EXPECT_FALSE(missing.IsIn(0, 0, 1, 1));

    ddMenu noMenu(Def("<d><size> 10 10</size></d>").c_str());
    EXPECT_TRUE(noMenu.Items().empty());

    // Blank labels make no item; missing words and numbers do not read past the value.
    ddMenu blanks(Def("<d><size> -5 x</size><color> 1</color><menu>\r\n"
                      "<a>   </a><b></b><c> C</c><d> D_ right</d><e> E right right<f>\t</f></e></menu></d>")
                      .c_str());
    EXPECT_EQ(Names(&blanks), (std::vector<std::string>{"c", "d", "e"}));
    EXPECT_EQ(blanks.FindItem("e")->Items().size(), 0u);
    EXPECT_EQ(blanks.FindItem("c")->GetWidth(), 80);  // a bad size is the default
    EXPECT_STREQ(blanks.FindItem("d")->GetLabel()->GetText(), "D ");

    // A long label is kept whole.
    std::string longWord(300, 'x');
    ddMenu longLabel(Def("<d><menu> 0 0 right<a> " + longWord + " right right</a></menu></d>").c_str());
    EXPECT_EQ(std::string(longLabel.FindItem("a")->GetLabel()->GetText()), longWord);

    // Nesting deeper than a hundred levels makes no items there.
    std::string deep = "<d><menu> 0 0 right\n";
    for (int i = 0; i < 3000; ++i) deep += "<a> A right right";
    for (int i = 0; i < 3000; ++i) deep += "</a>";
    ddMenu nested(Def(deep + "</menu></d>").c_str());
    int depth = 0;
    for (const ddMenu* m = &nested; !m->Items().empty(); m = m->Items().front()) ++depth;
    EXPECT_EQ(depth, 100);
    nested.Open("a");
    EXPECT_TRUE(nested.IsIn(1, 1, 1, 1));

    // Garbage does not crash.
    std::string garbage;
    for (int i = 0; i < 3000; ++i) garbage.push_back(static_cast<char>((i * 131) % 256));
    ddMenu junk(Def("<d><menu> 1 2 left<x>" + garbage + "</x>" + garbage + "</menu></d>").c_str());
    junk.Open("x");
    junk.IsIn(1, 2, 1, 1);
}

// Places at the ends of the int range saturate: items laid out, opened
// beside or moved past the end stay at the end.
TEST_F(Menu, PlacesAtTheEndsOfTheIntRangeSaturate) {
    ddMenu right(Def("<d><menu> 2147483647 -2147483648 right<a> A left top<b> B left left</b></a>"
                     "<c> C</c></menu></d>")
                     .c_str());
    ASSERT_EQ(Names(&right), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(right.FindItem("c")->GetX(), 2147483647);
    EXPECT_EQ(right.FindItem("a")->GetEndX(), 2147483647);
    EXPECT_EQ(right.FindItem("b")->GetY(), -2147483648);
    EXPECT_EQ(right.FindItem("b")->GetX(), 2147483647 - 80);
    right.Open("a");
    right.Draw();
    right.Move(2147483647, -2147483647);
    EXPECT_EQ(right.FindItem("b")->GetX(), 2147483647);
    EXPECT_TRUE(right.IsIn(2147483647, -2147483647 - 1, 1, 1));

    ddMenu left(
        Def("<d><menu> -2147483648 2147483647 left<a> A bottom bottom<b> B</b></a><c> C</c></menu></d>")
            .c_str());
    EXPECT_EQ(left.FindItem("c")->GetX(), -2147483647 - 1);
    EXPECT_EQ(left.FindItem("b")->GetY(), 2147483647);
    // From one end of the range to the other.
    left.SetPos(2147483647, -2147483647 - 1);
    EXPECT_EQ(left.FindItem("a")->GetX(), 2147483647);
    EXPECT_EQ(left.FindItem("a")->GetY(), -2147483647 - 1);
    left.AddItemFirst(nullptr, "D");
    left.AddItemLast(nullptr, "E");
    EXPECT_EQ(left.Items().size(), 4u);
}

// Entry files: the direction, the side, then the items.
TEST_F(Menu, FillingFromVectorAndTableFiles) {
    ddMenu menu(Def(kTwoLevels).c_str());
    folder.Write("list.vec", "5\nbottom\nright\none\ntwo\nthree\n");
    menu.FillSubmenus("save", (folder / "list.vec").c_str());
    ddMenu* save = menu.FindItem("save");
    EXPECT_STREQ(save->GetDirection().c_str(), "bottom");
    EXPECT_STREQ(save->GetSide().c_str(), "right");
    EXPECT_EQ(Labels(save), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(Names(save), (std::vector<std::string>{"1", "2", "3"}));
    // Next to "save" on its direction side, then one below the other.
    EXPECT_EQ(save->Items().front()->GetY(), save->GetEndY());
    EXPECT_EQ(save->Items().back()->GetY(), save->GetEndY() + 60);

    folder.Write("list.db",
                 "<t><submenu> right </submenu><x> skip</x><submenu> bottom</submenu>"
                 "<g><submenu> A </submenu></g><submenu> B</submenu></t>");
    menu.FillItems("undo", (folder / "list.db").c_str());
    ddMenu* undo = menu.FindItem("undo");
    EXPECT_STREQ(undo->GetDirection().c_str(), "right");
    // Each entry goes in front: the list ends reversed, and the screen follows the list.
    EXPECT_EQ(Labels(undo), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(Names(undo), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(undo->Items().front()->GetX(), undo->GetEndX());
    EXPECT_EQ(undo->Items().back()->GetX(), undo->GetEndX() + 80);

    // Sources that load nothing, or too little.
    menu.FillItems("edit", nullptr);
    menu.FillItems("edit", (folder / "none.vec").c_str());
    folder.Write("short.vec", "1\nleft\n");
    menu.FillItems("edit", (folder / "short.vec").c_str());
    EXPECT_STREQ(menu.FindItem("edit")->GetDirection().c_str(), "left");
    menu.FillItems("nosuch", (folder / "list.vec").c_str());

    // A table written with CR LF line ends reads the same: the CR belongs
    // to the line end, not to the entry.
    folder.Write("crlf.db",
                 "<t>\r\n\t<submenu> bottom\r\n\t</submenu>\r\n\t<submenu> right\r\n\t</submenu>\r\n"
                 "\t<submenu> Quit\r\n\t</submenu>\r\n</t>\r\n");
    menu.FillSubmenus("recent", (folder / "crlf.db").c_str());
    ddMenu* recent = menu.FindItem("recent");
    EXPECT_STREQ(recent->GetDirection().c_str(), "bottom");
    EXPECT_STREQ(recent->GetSide().c_str(), "right");
    EXPECT_EQ(Labels(recent), (std::vector<std::string>{"Quit"}));
}

// A table nested deeper than any stack would hold a call per level.
TEST_F(Menu, DeeplyNestedTableFillsWithoutExhaustingTheStack) {
    ddMenu menu(Def(kTwoLevels).c_str());
    std::string deep = "<t><submenu> bottom</submenu>";
    for (int i = 0; i < 200000; ++i) deep += "<a>";
    deep += "<submenu> far</submenu>";
    folder.Write("deep.db", deep);
    menu.FillItems("undo", (folder / "deep.db").c_str());
    ddMenu* undo = menu.FindItem("undo");
    EXPECT_STREQ(undo->GetDirection().c_str(), "bottom");
    EXPECT_STREQ(undo->GetSide().c_str(), "far");
}

TEST_F(Menu, PagingShowsNextAndPreviousAndNeverPassesTheEntries) {
    ddMenu menu(Def(kTwoLevels).c_str());
    std::string vec = "12\nbottom\nbottom\n";
    for (int i = 1; i <= 10; ++i) vec += "e" + std::to_string(i) + "\n";
    folder.Write("ten.vec", vec);
    menu.FillSubmenus("save", (folder / "ten.vec").c_str());
    menu.Open("save");
    menu.EnablePaging("save", 4);
    ddMenu* save = menu.FindItem("save");
    EXPECT_EQ(Labels(save), (std::vector<std::string>{"e1", "e2", "e3", "Next"}));
    EXPECT_EQ(Names(save), (std::vector<std::string>{"1", "2", "3", ""}));
    menu.PageNext("save");
    EXPECT_EQ(Labels(save), (std::vector<std::string>{"Previous", "e3", "e4", "Next"}));
    EXPECT_EQ(Names(save), (std::vector<std::string>{"", "3", "4", ""}));
    EXPECT_EQ(save->Items().front()->GetY(), save->GetEndY());  // "Previous" leads

    // A selected item that a page change removes is no longer the selection.
    ddMenu* e3 = menu.FindItem("3");
    ASSERT_NE(e3, nullptr);
    EXPECT_TRUE(menu.IsIn(e3->GetX() + 1, e3->GetY() + 1, 1, 1));
    EXPECT_TRUE(menu.IsSelected("3"));
    for (int i = 0; i < 20; ++i) menu.PageNext("save");
    EXPECT_EQ(menu.GetSelectedLabel(), nullptr);
    EXPECT_EQ(Labels(save), (std::vector<std::string>{"Previous", "e8", "e9", "e10"}));
    for (int i = 0; i < 20; ++i) menu.PagePrev("save");
    EXPECT_EQ(Labels(save).front(), "e1");

    menu.SetPageSize("save", 3);
    EXPECT_EQ(Labels(save), (std::vector<std::string>{"e1", "e2", "e3"}));
    menu.EnablePaging("save", 2);
    EXPECT_EQ(save->PageTotal() + save->PageFirst() + save->PageEnd(), 0);
    menu.PageNext("save");  // paging off: nothing changes
    EXPECT_EQ(Labels(save).size(), 3u);

    // Paging by name looks only through open items.
    menu.Close(nullptr);
    menu.EnablePaging("save", 4);
    EXPECT_EQ(Labels(save).size(), 3u);
}

TEST_F(Menu, AddingAndRemovingItemsAtRunTime) {
    ddMenu menu(Def(kTwoLevels).c_str());
    menu.SetItemDirection("recent", "top");
    menu.AddItemLast("recent", "x");
    menu.AddItemLast("recent", "y");
    menu.AddItemFirst("recent", "w");
    ddMenu* recent = menu.FindItem("recent");
    EXPECT_EQ(Labels(recent), (std::vector<std::string>{"w", "x", "y"}));
    std::vector<int> ys;
    for (ddMenu* i : recent->Items()) ys.push_back(i->GetY());
    EXPECT_EQ(ys, (std::vector<int>{20, -10, -40}));
    recent->RemoveFirstItem();
    recent->RemoveLastItem();
    EXPECT_EQ(Labels(recent), (std::vector<std::string>{"x"}));
    recent->RemoveLastItem();
    recent->RemoveLastItem();  // empty: nothing
    EXPECT_TRUE(recent->Items().empty());

    // A menu made empty and filled by hand.
    ddMenu empty;
    empty.AddItemLast(nullptr, "solo");
    EXPECT_EQ(Labels(&empty), (std::vector<std::string>{"solo"}));
    EXPECT_FALSE(empty.IsIn(0, 0, 1, 1));  // the root is not open
}

}  // namespace
}  // namespace loop_test
