// The scene: the registry of everything that lives in the running game
// (drawables, timers, sounds, buttons) and the per-frame update and redraw.
//
// The scene never deletes what it lists. Its lists may change while they
// are walked: a removal nulls the slot and the list is compacted when the
// walk ends; an addition is held back and takes effect on the next walk.
// A frame started from inside a frame only requests a redraw.
//
// The scene is graphics' Stage: ScopedScene makes a scene the one that
// drawables, timers and sounds register with. Every scene hears the
// object-gone signal and drops what goes away from its lists; marks on the
// objects (StageMark) say which list holds them, so an object is on one
// scene's lists at most.
#pragma once

#include <vector>

#include "foundation/object_gone.h"
#include "graphics/obraz.h"
#include "graphics/stage.h"
#include "scene/frame_flags.h"
#include "scene/scene_members.h"

class ddScene final : public Stage, private GoneListener {
public:
    ddScene();
    ~ddScene();
    ddScene(const ddScene&) = delete;
    ddScene& operator=(const ddScene&) = delete;

    // Stage
    void AddDrawable(Obraz* obj) override;
    void RemoveDrawable(Obraz* obj) override;
    void AddTimer(StageTimer* t) override;
    void RemoveTimer(StageTimer* t) override;
    void AddSound(StageSound* s) override;
    void RemoveSound(StageSound* s) override;
    void RequestRedraw() override;
    void RequestResort() override;

    void AddButton(SceneButton* b);
    void RemoveButton(SceneButton* b);

    // Ascending layer, then ascending object id.
    void Sort();
    void UpdateTimers();
    void CheckSounds();
    void Frame();
    // Draws every drawable but `except` into the surface, in drawing order
    // and each as the frame draws it onto the screen, the cursor left out:
    // a snapshot of the scene. The surface's top-left point shows the
    // application's (0, 0).
    void DrawSnapshot(SDL_Surface* target, const Obraz* except);
    void PauseAll();
    void ResumeAll();
    void SetVolume(int volume);
    int PressButtons(int x, int y);
    int ReleaseButtons(int x, int y);
    void HoverButtons(int x, int y);
    void ResetHover();
    // Deletes the mouse cursor object and makes a new one.
    void RecreateMouse();
    // The last drawable hit at (x, y) within the layers lo..hi, or the first
    // drawable of the list when nothing is hit and its layer is in range.
    Obraz* FindTopmostAt(int x, int y, int a, int b, int lo, int hi);

    // Live entries (held-back additions included, removed ones not).
    int DrawableCount() const { return drawables.Live(); }
    int TimerCount() const { return timers.Live(); }
    int SoundCount() const { return sounds.Live(); }
    int ButtonCount() const { return buttons.Live(); }
    // Slot i of the list as it stands; null for a slot emptied during a walk.
    Obraz* DrawableAt(int i) {
        EnsureOrder();
        return drawables.At(i);
    }
    SceneButton* ButtonAt(int i) const { return buttons.At(i); }
    int DrawableSlots() const { return drawables.Slots(); }
    bool IsHovering() const { return hover != 0; }
    SceneCursor* GetCursor() const { return cursor; }
    // What the end of each frame does, and the frame delay.
    FrameFlags& Flags() { return flags; }

private:
    // Drops a withdrawn or destroyed object from whichever list holds it.
    void ObjectGone(asmClassObj& object, GoneReason reason) override;

    // A pointer list that tolerates changes while it is walked.
    template <typename T>
    class List {
    public:
        int Live() const { return live; }
        int Slots() const { return static_cast<int>(items.size()); }
        T* At(int i) const { return i >= 0 && i < Slots() ? items[static_cast<size_t>(i)] : nullptr; }
        bool Walking() const { return depth > 0; }
        // Inserts at once, or holds it back while the list is walked.
        template <typename Place>
        void Add(T* p, Place place);
        // False when it was not listed.
        bool Remove(T* p);
        void BeginWalk() { ++depth; }
        // At the end of the outermost walk: compacts, then places what was
        // held back.
        template <typename Place>
        void EndWalk(Place place);
        std::vector<T*> items;
        // When set, receives the list's size after each compaction.
        size_t* compactedSize = nullptr;

    private:
        std::vector<T*> held;
        int depth = 0;
        bool holes = false;
        int live = 0;
        friend class ddScene;
    };

    // Walks a list: fn(item) on every live entry in list order.
    template <typename T, typename Place, typename Fn>
    void Walk(List<T>& list, Place place, Fn fn);

    void PlaceDrawable(Obraz* obj);
    // Takes a drawable off the list; false when it is not on it.
    bool TakeDrawable(Obraz* obj);
    // Merges drawables appended out of order into the sorted part.
    void EnsureOrder();
    template <typename Fn>
    void WalkDrawables(Fn fn);
    void PlaceButton(SceneButton* b);

    List<Obraz> drawables;
    // drawables[0 .. sortedCount) is in drawing order; registrations that
    // do not go at the end are appended and merged in before the next use,
    // so registering N drawables costs N log N.
    size_t sortedCount = 0;
    List<StageTimer> timers;
    List<StageSound> sounds;
    List<SceneButton> buttons;
    FrameFlags flags;
    uint8_t hover = 0;
    SceneCursor* cursor = nullptr;
    int frameDepth = 0;
    bool drawListChanged = false;  // during the draw walk
    bool drawing = false;
};

// Makes a scene the current one and the stage for as long as it lives;
// the one before comes back after it.
class ScopedScene {
public:
    explicit ScopedScene(ddScene& scene);
    ~ScopedScene();
    ScopedScene(const ScopedScene&) = delete;
    ScopedScene& operator=(const ScopedScene&) = delete;

private:
    ddScene* previous;
    Stage* previousStage;
};

// The scene shown now. A game always runs inside a ScopedScene, so asking
// with none shown is a programming error: a message and an abort.
ddScene& CurrentScene();

// Once per program, before its scene is made (the start-up calls it):
// seeds the random source from the clock, turns on the translation of key
// events to characters and sets the key repeat to 500 ms, then 30 ms.
void SeedRandomAndSetUpKeys();
