#include "shell/menu.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/saturating.h"
#include "foundation/text_util.h"
#include "graphics/stage.h"

namespace {

// Backgrounds larger than this are refused as bad input.
constexpr int kMaxBackgroundSide = 8192;
// Definition nodes nested deeper than this make no items: every walk of the
// tree is recursive.
constexpr int kMaxMenuDepth = 100;

// The first n words of the node's value as ints; false unless all are.
bool ReadInts(ddBase& tree, const char* name, int n, int* out) {
    if (!tree.FindNode(name)) return false;
    const bool read = ParseWholeInts(tree.GetCurrentValue(), n, out);
    tree.ResetCurrent();
    return read;
}

bool GoodSize(int w, int h) { return w > 0 && h > 0 && w <= kMaxBackgroundSide && h <= kMaxBackgroundSide; }

int Channel(int v) { return std::clamp(v, 0, 255); }

std::unique_ptr<ddCanvas> MakeBackground(int w, int h, const int* color, int border) {
    auto canvas = std::make_unique<ddCanvas>(0, 0, w, h);
    const int a = Channel(color[3]);
    canvas->SetColor(Channel(color[0]), Channel(color[1]), Channel(color[2]), a);
    ddCanvas::DrawBorder(canvas.get(), border, 0, 0, 0, a);
    return canvas;
}

bool Is(const ddString& word, const char* what) { return word == what; }

// The trimmed values of the nodes named `name`, the root included, in
// document order. A CR before LF belongs to the line end (files made on
// Windows), so it goes with the blanks round a value. The tree's own cursor
// walk needs no recursion, so a deeply nested file cannot exhaust the stack.
void CollectValues(ddBase& tree, const char* name, ddVector<ddString>& out) {
    auto take = [&](const ddBase* node) {
        if (node->Name() != name) return;
        std::string value = node->Value().c_str();
        DropCrBeforeLf(value);
        ddString v(value.c_str());
        v.Trim();
        out.Add(v);
    };
    take(tree.GetRoot());
    tree.FirstChild();
    if (tree.GetCurrent() == tree.GetRoot()) return;
    do {
        take(tree.GetCurrent());
        tree.NextNode();
    } while (tree.GetCurrent() != tree.GetRoot());
}

}  // namespace

ddMenu::ddMenu(const char* file) : root(this) {
    if (file) Load(file);
}

ddMenu::ddMenu(ddMenu* treeRoot, int) : root(treeRoot) {}

ddMenu::~ddMenu() {
    Clear();
    delete label;
    label = nullptr;
    if (root != this && root->selected == this) root->selected = nullptr;
}

void ddMenu::DeleteItems() {
    std::list<ddMenu*> gone;
    gone.swap(items);
    for (ddMenu* item : gone) delete item;
}

void ddMenu::Clear() {
    DeleteItems();
    tree.reset();
    itemBackground.reset();
    subBackground.reset();
    entries.reset();
    pageTotal = pageFirst = pageEnd = 0;
    if (root == this) selected = nullptr;
}

// ------------------------------------------------------------ definition

bool ddMenu::Load(const char* file) {
    Clear();
    open = 0;
    topOnly = 0;
    tree = std::make_unique<ddBase>();
    if (!file || !tree->Load(file)) {
        tree.reset();
        return false;
    }

    int size[2] = {80, 30};
    int color[4] = {255, 10, 10, 200};
    int border = 2;
    int read[4];
    if (ReadInts(*tree, "size", 2, read) && GoodSize(read[0], read[1])) std::copy(read, read + 2, size);
    if (ReadInts(*tree, "color", 4, read)) std::copy(read, read + 4, color);
    if (ReadInts(*tree, "border", 1, read)) border = read[0];
    itemBackground = MakeBackground(size[0], size[1], color, border);
    if (ReadInts(*tree, "subbutton", 2, read) && GoodSize(read[0], read[1]))
        subBackground = MakeBackground(read[0], read[1], color, border);

    if (!tree->FindNode("menu")) return false;
    ddBase* menuNode = tree->GetCurrent();
    tree->ResetCurrent();
    std::vector<std::string> words = SplitWords(menuNode->Value().c_str());
    int x = 0, y = 0;
    if (words.size() >= 2 && (!ParseWholeInt(words[0], x) || !ParseWholeInt(words[1], y))) x = y = 0;
    ddString dir(words.size() >= 3 ? words[2].c_str() : "");
    side = dir;
    direction = dir;
    BuildLevel(menuNode, x, y, dir, 1);
    Open(nullptr);
    return true;
}

void ddMenu::BuildLevel(ddBase* parentNode, int x, int y, const ddString& dir, int depth) {
    if (depth > kMaxMenuDepth) return;
    ddCanvas* background =
        depth == 1 || !root->subBackground ? root->itemBackground.get() : root->subBackground.get();
    for (ddBase* node : parentNode->Children()) {
        std::vector<std::string> words = SplitWords(node->Value().c_str());
        if (words.empty()) continue;  // no label: the node makes no item
        std::string text = words[0];
        std::replace(text.begin(), text.end(), '_', ' ');

        auto* item = new ddMenu(root, 0);
        item->SetName(node->Name().c_str());
        item->side = words.size() > 1 ? words[1].c_str() : "";
        item->direction = words.size() > 2 ? words[2].c_str() : "";
        item->label = new ddTekst(text.c_str());
        if (background)
            item->label->CopyPlacement(x, y, background);
        else
            item->label->SetPos(x, y);
        items.push_back(item);

        ddTekst* l = item->label;
        if (Is(dir, "right"))
            x = SatAdd(x, l->GetWidth());
        else if (Is(dir, "bottom"))
            y = SatAdd(y, l->GetHeight());
        else if (Is(dir, "top"))
            y = SatSub(y, l->GetHeight());
        else if (Is(dir, "left"))
            x = SatSub(x, l->GetWidth());

        if (node->Children().empty()) continue;
        int cx = l->GetX(), cy = l->GetY();
        if (Is(item->side, "right"))
            cx = l->GetEndX();
        else if (Is(item->side, "bottom"))
            cy = l->GetEndY();
        else if (Is(item->side, "top"))
            cy = SatSub(l->GetY(), l->GetHeight());
        else if (Is(item->side, "left"))
            cx = SatSub(l->GetX(), l->GetWidth());
        item->BuildLevel(node, cx, cy, item->direction, depth + 1);
    }
}

// ------------------------------------------------------------ search, open, close

ddMenu* ddMenu::Search(const char* name, SearchMode mode) {
    if (!name) return nullptr;
    if (label && Name() == name) return this;
    if (mode == SEARCH_OPEN_ONLY && !open) return nullptr;
    for (ddMenu* item : items) {
        if (ddMenu* found = item->Search(name, mode)) {
            if (mode == SEARCH_OPEN_PATH) open = 1;
            return found;
        }
    }
    return nullptr;
}

ddMenu* ddMenu::FindItem(const char* name) { return Search(name, SEARCH_PLAIN); }

ddMenu* ddMenu::Target(const char* name, SearchMode mode) { return name ? Search(name, mode) : this; }

void ddMenu::RequestRedrawAndSort() {
    SetRedraw();
    CurrentStage().RequestResort();
}

void ddMenu::Open(const char* name) {
    if (name) {
        Close(nullptr);
        if (ddMenu* found = Search(name, SEARCH_OPEN_PATH)) {
            found->open = 1;
            root->topOnly = 0;
        }
        RequestRedrawAndSort();
        return;
    }
    if (root->topOnly && root->open) return;
    root->open = 1;
    root->topOnly = 1;
    RequestRedrawAndSort();
}

void ddMenu::CloseSubtree() {
    open = 0;
    RequestRedrawAndSort();
    for (ddMenu* item : items) item->CloseSubtree();
}

void ddMenu::Close(const char* name) {
    if (root->topOnly) return;
    if (name) {
        if (ddMenu* found = Search(name, SEARCH_PLAIN)) found->CloseSubtree();
        return;
    }
    root->CloseSubtree();
    root->open = 1;
    root->topOnly = 1;
}

void ddMenu::OpenIfClosed(const char* name) {
    if (!IsOpen(name)) Open(name);
}

bool ddMenu::IsOpen(const char* name) {
    ddMenu* found = Search(name, SEARCH_OPEN_ONLY);
    return found && found->open;
}

bool ddMenu::Exists(const char* name) { return Search(name, SEARCH_OPEN_ONLY) != nullptr; }

// ------------------------------------------------------------ hit test and selection

bool ddMenu::IsIn(int x, int y, int checkVisible, int checkTransparent) {
    if (label && label->IsIn(x, y, checkVisible, checkTransparent)) {
        root->selected = this;
        return true;
    }
    if (!label && !IsVisible()) return false;
    if (open)
        for (ddMenu* item : items)
            if (item->IsIn(x, y, checkVisible, checkTransparent)) return true;
    return false;
}

const char* ddMenu::GetSelectedLabel() {
    ddMenu* s = root->selected;
    return s && s->label ? s->GetName() : nullptr;
}

const char* ddMenu::GetSelectedValue() {
    ddMenu* s = root->selected;
    return s && s->label ? s->label->GetText() : nullptr;
}

bool ddMenu::IsSelected(const char* name) {
    const char* selectedName = GetSelectedLabel();
    return selectedName && name && std::strcmp(selectedName, name) == 0;
}

// ------------------------------------------------------------ items at run time

void ddMenu::SetItemDirection(const char* name, const char* word) {
    if (ddMenu* item = Target(name, SEARCH_PLAIN)) item->direction = word ? word : "";
}

void ddMenu::AddItemFirst(const char* name, const char* text) {
    if (ddMenu* item = Target(name, SEARCH_PLAIN)) item->AddItem(text, true);
}

void ddMenu::AddItemLast(const char* name, const char* text) {
    if (ddMenu* item = Target(name, SEARCH_PLAIN)) item->AddItem(text, false);
}

// A new sub-item goes next to its item on the item's direction side when it
// is the first; behind the last one when appended; and in front of the
// first one's place when prepended, the others moving on by its size, so
// that the order on screen stays the order of the list.
void ddMenu::AddItem(const char* text, bool front) {
    auto* item = new ddMenu(root, 0);
    item->label = new ddTekst(text ? text : "");
    // Items of the root are first-level items, like those of the definition.
    ddCanvas* background =
        this != root && root->subBackground ? root->subBackground.get() : root->itemBackground.get();
    if (background) item->label->CopyPlacement(0, 0, background);
    const int w = item->label->GetWidth(), h = item->label->GetHeight();

    // The reference the new item is placed beside, and which side of it.
    ddMenu* beside = this;
    if (!items.empty()) beside = front ? items.front() : items.back();
    int x = beside->GetX(), y = beside->GetY();
    if (beside == this || !front) {
        if (Is(direction, "bottom"))
            y = beside->GetEndY();
        else if (Is(direction, "right"))
            x = beside->GetEndX();
        else if (Is(direction, "left"))
            x = SatSub(beside->GetX(), w);
        else if (Is(direction, "top"))
            y = SatSub(beside->GetY(), h);
    } else {
        // Takes the first item's place; the rest step on.
        int dx = 0, dy = 0;
        if (Is(direction, "bottom"))
            dy = h;
        else if (Is(direction, "right"))
            dx = w;
        else if (Is(direction, "left")) {
            dx = -w;
            x = SatSub(beside->GetEndX(), w);
        } else if (Is(direction, "top")) {
            dy = -h;
            y = SatSub(beside->GetEndY(), h);
        }
        for (ddMenu* other : items) other->Move(dx, dy);
    }
    item->label->SetPos(x, y);
    if (front)
        items.push_front(item);
    else
        items.push_back(item);
    RequestRedrawAndSort();
}

void ddMenu::RemoveFirstItem() {
    if (items.empty()) return;
    ddMenu* gone = items.front();
    items.pop_front();
    delete gone;
    RequestRedrawAndSort();
}

void ddMenu::RemoveLastItem() {
    if (items.empty()) return;
    ddMenu* gone = items.back();
    items.pop_back();
    delete gone;
    RequestRedrawAndSort();
}

int ddMenu::LoadEntries(const char* source, ddVector<ddString>& out) {
    if (!source) return 0;
    const int before = out.Size();
    if (EndsWith(source, "vec")) {
        ddVector<ddString> loaded;
        if (loaded.LoadFromFile(source) > 0)
            for (int i = 0; i < loaded.Size(); ++i) out.Add(loaded.Get(i));
    } else if (EndsWith(source, ".db")) {
        ddBase table;
        if (table.Load(source)) CollectValues(table, "submenu", out);
    }
    return out.Size() - before;
}

void ddMenu::Fill(const char* name, const char* source, bool front) {
    ddMenu* item = Target(name, SEARCH_PLAIN);
    if (!item) return;
    item->entries = std::make_unique<ddVector<ddString>>();
    LoadEntries(source, *item->entries);
    const ddVector<ddString>& e = *item->entries;
    if (e.Size() > 0) item->direction = e.Get(0);
    if (e.Size() > 1) item->side = e.Get(1);
    for (int i = 2; i < e.Size(); ++i) {
        item->AddItem(e.Get(i).c_str(), front);
        ddString index;
        index.AppendInt(i - 1);
        (front ? item->items.front() : item->items.back())->SetName(index.c_str());
    }
}

void ddMenu::FillItems(const char* name, const char* source) { Fill(name, source, true); }

void ddMenu::FillSubmenus(const char* name, const char* source) { Fill(name, source, false); }

// ------------------------------------------------------------ paging

void ddMenu::EnablePaging(const char* name, int pageSize) {
    ddMenu* item = Target(name, SEARCH_OPEN_ONLY);
    if (!item) return;
    if (pageSize <= 2) {
        item->pageTotal = item->pageFirst = item->pageEnd = 0;
        return;
    }
    // The first two entries are the item's direction and side, not items.
    const int count = item->entries ? item->entries->Size() : 0;
    item->pageTotal = std::max(0, count - 2);
    item->pageFirst = 0;
    item->pageEnd = std::min(item->pageTotal, pageSize);
    item->ShowPage();
}

void ddMenu::SetPageSize(const char* name, int n) {
    ddMenu* item = Target(name, SEARCH_OPEN_ONLY);
    if (!item || !item->PagingOn() || item->pageTotal <= n || n < 3) return;
    item->pageTotal = n;
    item->pageFirst = 0;
    item->pageEnd = n;
    item->ShowPage();
}

void ddMenu::PageNext(const char* name) {
    ddMenu* item = Target(name, SEARCH_OPEN_ONLY);
    if (!item) return;
    if (item->pageEnd < item->pageTotal) {
        ++item->pageFirst;
        ++item->pageEnd;
    }
    item->ShowPage();
}

void ddMenu::PagePrev(const char* name) {
    ddMenu* item = Target(name, SEARCH_OPEN_ONLY);
    if (!item) return;
    if (item->pageFirst >= 1) {
        --item->pageFirst;
        --item->pageEnd;
    }
    item->ShowPage();
}

void ddMenu::ShowPage() {
    if (!PagingOn() || !entries) return;
    // A menu without a label of its own is where its first item is: the new
    // page keeps that place.
    const bool keepPlace = !label && !items.empty();
    const int oldX = GetX(), oldY = GetY();
    DeleteItems();
    int from = pageFirst, to = pageEnd;
    if (pageEnd < pageTotal) to = pageEnd - 1;
    if (pageFirst > 0) from = pageFirst + 1;
    for (int i = from; i < to; ++i) {
        const int at = i + 2;
        if (at < 0 || at >= entries->Size()) break;  // never past the entries
        AddItem(entries->Get(at).c_str(), false);
        ddString index;
        index.AppendInt(i + 1);
        items.back()->SetName(index.c_str());
    }
    if (pageFirst > 0) AddItem("Previous", true);
    if (pageEnd < pageTotal) AddItem("Next", false);
    if (keepPlace) MoveFar(int64_t{oldX} - GetX(), int64_t{oldY} - GetY());
    SetRedraw();
}

// ------------------------------------------------------------ drawing and geometry

void ddMenu::Draw() {
    if (!IsVisible()) return;
    if (label) label->Draw();
    if (open)
        for (ddMenu* item : items) item->Draw();
}

void ddMenu::Move(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    if (label) label->Move(dx, dy);
    for (ddMenu* item : items) item->Move(dx, dy);
    SetRedraw();
}

void ddMenu::SetPos(int x, int y) { MoveFar(int64_t{x} - GetX(), int64_t{y} - GetY()); }

ddMenu* ddMenu::Geometry() {
    ddMenu* m = this;
    while (!m->label) {
        if (m->items.empty()) return nullptr;
        m = m->items.front();
    }
    return m;
}

int ddMenu::LabelMeasure(int (Obraz::*measure)()) {
    ddMenu* g = Geometry();
    return g ? (g->label->*measure)() : 0;
}

int ddMenu::GetX() { return LabelMeasure(&Obraz::GetX); }
int ddMenu::GetY() { return LabelMeasure(&Obraz::GetY); }
int ddMenu::GetWidth() { return LabelMeasure(&Obraz::GetWidth); }
int ddMenu::GetHeight() { return LabelMeasure(&Obraz::GetHeight); }
int ddMenu::GetCenterX() { return LabelMeasure(&Obraz::GetCenterX); }
int ddMenu::GetCenterY() { return LabelMeasure(&Obraz::GetCenterY); }
int ddMenu::GetEndX() { return LabelMeasure(&Obraz::GetEndX); }
int ddMenu::GetEndY() { return LabelMeasure(&Obraz::GetEndY); }
