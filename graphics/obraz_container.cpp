#include "graphics/obraz_container.h"

#include <algorithm>


ddObrazContainer::~ddObrazContainer() { DeleteAll(); }

void ddObrazContainer::SetLayer(int n) {
    Obraz::SetLayer(n);
    for (Obraz* c : children) c->SetLayer(n);
}

void ddObrazContainer::Hide() {
    Obraz::Hide();
    for (Obraz* c : children) c->Hide();
}

void ddObrazContainer::Show() {
    Obraz::Show();
    for (Obraz* c : children) c->Show();
}

void ddObrazContainer::Draw() {
    if (!visible) return;
    for (Obraz* c : children) c->Draw();
}

bool ddObrazContainer::Clip(int x1, int y1, int x2, int y2) {
    bool result = false;
    for (Obraz* c : children) result = c->Clip(x1, y1, x2, y2);
    return result;
}

void ddObrazContainer::Move(int dx, int dy) {
    for (Obraz* c : children) c->Move(dx, dy);
}

void ddObrazContainer::SetPos(int x, int y) {
    for (Obraz* c : children) c->SetPos(x, y);
}

void ddObrazContainer::SetPosition(int x, int y) {
    if (children.empty()) return;
    MoveFar(int64_t{x} - children.front()->GetX(), int64_t{y} - children.front()->GetY());
}

void ddObrazContainer::BakeLod() {
    for (Obraz* c : children) c->BakeLod();
}

int ddObrazContainer::GetWidth() { return children.empty() ? 0 : children.front()->GetWidth(); }

int ddObrazContainer::GetHeight() { return children.empty() ? 0 : children.front()->GetHeight(); }

int ddObrazContainer::GetX() { return children.empty() ? 0 : children.front()->GetX(); }

int ddObrazContainer::GetY() { return children.empty() ? 0 : children.front()->GetY(); }

bool ddObrazContainer::IsIn(int x, int y, int checkVisible, int checkTransparent) {
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->IsIn(x, y, checkVisible, checkTransparent)) return true;
    return false;
}

void ddObrazContainer::Add(Obraz* child) {
    if (child) children.push_back(child);
}

void ddObrazContainer::AddArray(Obraz* const* list, int n) {
    if (!list || n < 1) return;
    for (int i = 0; i < n; ++i) Add(list[i]);
}

void ddObrazContainer::PushFront(Obraz* child) {
    if (child) children.insert(children.begin(), child);
}

void ddObrazContainer::InsertAt(Obraz* child, int index) {
    if (!child) return;
    if (index < 0) {
        PushFront(child);
    } else if (static_cast<size_t>(index) >= children.size()) {
        Add(child);
    } else {
        children.insert(children.begin() + index, child);
    }
}

void ddObrazContainer::Remove(Obraz* child) {
    auto it = std::find(children.begin(), children.end(), child);
    if (it != children.end()) children.erase(it);
}

Obraz* ddObrazContainer::PopBack() {
    if (children.empty()) return nullptr;
    Obraz* c = children.back();
    children.pop_back();
    return c;
}

Obraz* ddObrazContainer::PopFront() {
    if (children.empty()) return nullptr;
    Obraz* c = children.front();
    children.erase(children.begin());
    return c;
}

void ddObrazContainer::DeleteAll() {
    std::vector<Obraz*> gone;
    gone.swap(children);  // a child's destructor sees an empty list
    for (Obraz* c : gone) delete c;
    forward = 0;
    backward = -1;
}

Obraz* ddObrazContainer::First() {
    forward = 0;
    return children.empty() ? nullptr : children[0];
}

Obraz* ddObrazContainer::Next() {
    if (forward + 1 >= children.size()) {
        forward = children.size();
        return nullptr;
    }
    return children[++forward];
}

Obraz* ddObrazContainer::Last() {
    backward = static_cast<ptrdiff_t>(children.size()) - 1;
    return backward >= 0 ? children[static_cast<size_t>(backward)] : nullptr;
}

Obraz* ddObrazContainer::Prev() {
    if (backward <= 0 || static_cast<size_t>(backward) > children.size()) {
        backward = -1;
        return nullptr;
    }
    return children[static_cast<size_t>(--backward)];
}

Obraz* ddObrazContainer::At(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= children.size()) return nullptr;
    return children[static_cast<size_t>(index)];
}

int ddObrazContainer::IndexOf(const Obraz* child) const {
    auto it = std::find(children.begin(), children.end(), child);
    return it == children.end() ? -1 : static_cast<int>(it - children.begin());
}

void ddObrazContainer::Clear() {
    children.clear();
    forward = 0;
    backward = -1;
}

void ddObrazContainer::Reverse() { std::reverse(children.begin(), children.end()); }

void ddObrazContainer::Rewind() { forward = 0; }

Obraz* ddObrazContainer::TakeNext() {
    if (forward >= children.size()) return nullptr;
    return children[forward++];
}

void ddObrazContainer::RewindBack() { backward = static_cast<ptrdiff_t>(children.size()) - 1; }

void ddObrazContainer::MoveAfter(Obraz* child, int dx, int dy) {
    auto it = std::find(children.begin(), children.end(), child);
    if (it == children.end()) return;
    for (++it; it != children.end(); ++it) (*it)->Move(dx, dy);
}

void ddObrazContainer::AppendFrom(const ddObrazContainer* other) {
    if (!other || other == this) return;
    for (Obraz* c : other->children) children.push_back(c);
}
