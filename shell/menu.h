// A hierarchical pop-up menu: a tree of items, each a text label on a
// coloured box, that open and close their sub-items and remember which item
// the mouse hit last. The root and every item are ddMenu objects; only the
// root is registered with the scene and it draws the open part of the tree.
//
// A menu is read from a menu definition file (a tagged text tree) or filled
// at run time from a vector file or a table file, optionally a page at a
// time with "Previous" and "Next" items.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "foundation/dd_base.h"
#include "foundation/dd_string.h"
#include "foundation/dd_vector.h"
#include "graphics/canvas.h"
#include "graphics/obraz.h"
#include "graphics/text.h"

class ddMenu : public Obraz {
public:
    // Reads the definition file when one is given.
    explicit ddMenu(const char* file = nullptr);
    ~ddMenu() override;

    // Replaces the menu with the definition file's items and opens the
    // root; false when the file cannot be read or names no "menu" (the menu
    // is then empty).
    bool Load(const char* file);
    using Obraz::Load;  // loading a picture stays available
    // Drops every item, the loaded tree, the backgrounds and the entries.
    void Clear();

    // With a name: collapses, then opens the path to that item and the item
    // itself. Without: collapses to the first level.
    void Open(const char* name);
    // With a name: closes that item's subtree. Without: collapses the whole
    // menu to its first level. Nothing while the menu is collapsed.
    void Close(const char* name);
    void OpenIfClosed(const char* name);
    // Whether the item is reachable through open items (and open itself).
    bool IsOpen(const char* name);
    bool Exists(const char* name);

    // Hit test: the first label hit, depth first over the open part, becomes
    // the root's selection.
    bool IsIn(int x, int y, int checkVisible, int checkTransparent) override;
    // The selected item's name (its definition node, or its index for filled
    // items); null when there is none.
    const char* GetSelectedLabel();
    // The text the selected item shows; null when there is none.
    const char* GetSelectedValue();
    bool IsSelected(const char* name);

    void SetItemDirection(const char* name, const char* word);
    // A new sub-item of the named item, in front of or behind the others.
    void AddItemFirst(const char* name, const char* text);
    void AddItemLast(const char* name, const char* text);
    // Deletes this item's first or last sub-item.
    void RemoveFirstItem();
    void RemoveLastItem();

    // Entries: from a vector file ("...vec") or a table file ("....db", its
    // "submenu" values). Entry 0 is the item's direction, entry 1 its side,
    // the rest become sub-items: in front (FillItems) or behind
    // (FillSubmenus).
    void FillItems(const char* name, const char* source);
    void FillSubmenus(const char* name, const char* source);
    // Appends the source's entries; the number appended.
    static int LoadEntries(const char* source, ddVector<ddString>& entries);

    // Paging of filled items; a null name means this item. A page size of
    // 2 or less turns paging off.
    void EnablePaging(const char* name, int pageSize);
    void SetPageSize(const char* name, int n);
    void PageNext(const char* name);
    void PagePrev(const char* name);

    void Draw() override;
    void Move(int dx, int dy) override;
    void SetPos(int x, int y) override;

    // Geometry of the label; without one, of the first sub-item; else 0.
    int GetX() override;
    int GetY() override;
    int GetWidth() override;
    int GetHeight() override;
    int GetCenterX() override;
    int GetCenterY() override;
    int GetEndX() override;
    int GetEndY() override;

    // Inspection.
    ddMenu* GetRoot() const { return root; }
    ddTekst* GetLabel() const { return label; }
    const std::list<ddMenu*>& Items() const { return items; }
    bool IsOpenFlag() const { return open != 0; }
    bool IsTopOnly() const { return topOnly != 0; }
    const ddString& GetSide() const { return side; }
    const ddString& GetDirection() const { return direction; }
    ddMenu* GetSelection() const { return selected; }
    int PageTotal() const { return pageTotal; }
    int PageFirst() const { return pageFirst; }
    int PageEnd() const { return pageEnd; }
    // The item of that name anywhere in the tree (plain search), or null.
    ddMenu* FindItem(const char* name);

private:
    enum SearchMode { SEARCH_PLAIN = 0, SEARCH_OPEN_PATH = 1, SEARCH_OPEN_ONLY = 2 };

    // An item of the tree under `owner`'s root.
    explicit ddMenu(ddMenu* treeRoot, int);

    ddMenu* Search(const char* name, SearchMode mode);
    // Builds the items of one level of the definition tree (depth 1: the
    // first level).
    void BuildLevel(ddBase* parentNode, int x, int y, const ddString& dir, int depth);
    // The item of that name, or this item for a null name.
    ddMenu* Target(const char* name, SearchMode mode);
    void AddItem(const char* text, bool front);
    void CloseSubtree();
    void RequestRedrawAndSort();
    void Fill(const char* name, const char* source, bool front);
    bool PagingOn() const { return pageTotal != 0 || pageFirst != 0 || pageEnd != 0; }
    void ShowPage();
    void DeleteItems();
    ddMenu* Geometry();
    // The measure of Geometry()'s label, 0 without one.
    int LabelMeasure(int (Obraz::*measure)());

    std::list<ddMenu*> items;
    std::unique_ptr<ddBase> tree;
    std::unique_ptr<ddCanvas> itemBackground;
    std::unique_ptr<ddCanvas> subBackground;  // null: deeper items use itemBackground
    ddTekst* label = nullptr;
    ddMenu* root;
    ddMenu* selected = nullptr;  // of the root: the last item hit
    uint8_t open = 0;
    uint8_t topOnly = 0;
    ddString side;
    ddString direction;
    int32_t pageTotal = 0, pageFirst = 0, pageEnd = 0;
    std::unique_ptr<ddVector<ddString>> entries;
};
