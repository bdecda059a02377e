// What the scene asks of the buttons and the mouse cursor it keeps (the
// timers and sounds it keeps are graphics' StageTimer and StageSound). The
// button and cursor classes derive from these; buttons are registered with
// the scene by whoever creates them.
#pragma once

#include <cstdint>

#include "foundation/asm_class_obj.h"

// A button: offered presses, releases and hovers, topmost first.
class SceneButton : public asmClassObj {
public:
    using asmClassObj::asmClassObj;
    ~SceneButton() override;
    virtual int HandlePress(int x, int y) = 0;
    virtual int HandleRelease(int x, int y) = 0;
    virtual int HandleHover(int x, int y) = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;

    // Makes the buttons' shared cursor picture the mouse cursor again; the
    // button module installs the way to do it.
    static inline void (*CursorRestorer)() = nullptr;
    static void RestoreCursor() {
        if (CursorRestorer) CursorRestorer();
    }

    int32_t GetSortLayer() const { return sortLayer; }
    int32_t GetSortId() const { return sortId; }

protected:
    int32_t sortLayer = 0;  // the normal picture's layer
    int32_t sortId = 0;     // the normal picture's object id
};

// True when b belongs before the pivot in the scene's button list: a
// higher sort layer, or the same layer and a sort id not smaller. The
// topmost button comes first.
inline bool CompareLevel(const SceneButton* pivot, const SceneButton* b) {
    if (b->GetSortLayer() != pivot->GetSortLayer()) return b->GetSortLayer() > pivot->GetSortLayer();
    return b->GetSortId() >= pivot->GetSortId();
}

// The software mouse cursor as the scene's frame draws it.
class SceneCursor {
public:
    virtual ~SceneCursor() = default;
    virtual void ClearRectUpdate() = 0;
    virtual void RequestRectUpdate() = 0;
    virtual void RequestRestore() = 0;
    virtual void Draw() = 0;

    // Makes the program's cursor object (the default cursor picture); the
    // cursor module installs it. Without one the scene has no cursor.
    static inline SceneCursor* (*Factory)() = nullptr;
};
