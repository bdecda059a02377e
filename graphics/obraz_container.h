// A visible object made of an ordered list of child objects: moving,
// clipping, showing and drawing go to every child, size and position come
// from the first child, hit tests ask the children from the last (topmost)
// down. The container deletes its children only through DeleteAll, which
// its destructor calls.
#pragma once

#include <vector>

#include "graphics/obraz.h"

class ddObrazContainer : public Obraz {
public:
    ddObrazContainer() = default;
    ~ddObrazContainer() override;

    void SetLayer(int n) override;
    void Hide() override;
    void Show() override;
    void Draw() override;
    bool Clip(int x1, int y1, int x2, int y2) override;
    void Move(int dx, int dy) override;
    void SetPos(int x, int y) override;
    void SetPosition(int x, int y) override;
    void BakeLod() override;
    int GetWidth() override;
    int GetHeight() override;
    int GetX() override;
    int GetY() override;
    bool IsIn(int x, int y, int checkVisible, int checkTransparent) override;

    void Add(Obraz* child);
    void AddArray(Obraz* const* children, int n);
    void PushFront(Obraz* child);
    void InsertAt(Obraz* child, int index);
    void Remove(Obraz* child);
    Obraz* PopBack();
    Obraz* PopFront();
    void DeleteAll();

    // Forward and backward walks with the container's own cursors; null at
    // the end.
    Obraz* First();
    Obraz* Next();
    Obraz* Last();
    Obraz* Prev();

    Obraz* At(int index) const;
    int IndexOf(const Obraz* child) const;
    bool IsEmpty() const { return children.empty(); }
    int Count() const { return static_cast<int>(children.size()); }
    void Clear();
    void Reverse();

    // Step-by-step walks: TakeNext returns the child under the forward
    // cursor and then advances it (null past the end).
    void Rewind();
    Obraz* TakeNext();
    void RewindBack();

    void MoveAfter(Obraz* child, int dx, int dy);
    void AppendFrom(const ddObrazContainer* other);

protected:
    std::vector<Obraz*> children;  // drawing order
    size_t forward = 0;            // index of the forward cursor
    ptrdiff_t backward = -1;       // index of the reverse cursor
};
