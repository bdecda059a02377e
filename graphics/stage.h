// What graphics needs from whoever keeps the drawables, timers and sounds
// of the running game: registering and removing them, and asking for a
// redraw or a re-sort of the drawables at the next frame. Graphics never
// names the keeper; it reaches it as the current Stage.
//
// What goes away is announced with the object-gone signal (Destroyed by the
// destructors of Obraz, StageTimer and StageSound); the stage listens to it.
//
// The stage is installed explicitly (the game's start-up, test fixtures).
// Without one, CurrentStage() is an inert stage that keeps nothing and
// ignores every request, so pictures can be built and drawn without a
// running game.
#pragma once

#include <atomic>
#include <cstdint>

#include "graphics/sygnal.h"

// Marks on the objects a stage keeps (asmClassObj::SetMark): every visible
// object carries kDrawableMark from its construction; the stage sets the
// others while the object is on one of its lists.
enum StageMark : uint8_t {
    kDrawableMark = 1 << 0,
    kListedDrawable = 1 << 1,
    kListedTimer = 1 << 2,
    kListedSound = 1 << 3,
    kListedOther = 1 << 4,  // a list of the stage's own (the scene's buttons)
};

class Obraz;
class StageTimer;
class StageSound;

class Stage {
public:
    // Adding null or what is already kept does nothing; removing what is
    // not kept does nothing (a drawable's removal asks for a redraw anyway).
    virtual void AddDrawable(Obraz* object) = 0;
    virtual void RemoveDrawable(Obraz* object) = 0;
    virtual void AddTimer(StageTimer* timer) = 0;
    virtual void RemoveTimer(StageTimer* timer) = 0;
    virtual void AddSound(StageSound* sound) = 0;
    virtual void RemoveSound(StageSound* sound) = 0;
    // Draw everything at the end of this frame.
    virtual void RequestRedraw() = 0;
    // Re-sort the drawables by layer at the next frame.
    virtual void RequestResort() = 0;

protected:
    ~Stage() = default;
};

// The installed stage, or the inert one; never null.
Stage& CurrentStage();
// Installs a stage (not owned); null goes back to the inert one.
void SetStage(Stage* stage);

// Asks the current stage for a redraw.
inline void SetRedraw() { CurrentStage().RequestRedraw(); }

// A timer: the stage calls Update once per frame.
class StageTimer : public Sygnal {
public:
    using Sygnal::Sygnal;
    ~StageTimer() override;
    virtual void Update() = 0;
};

// A sound: the mixer's channel-finished callback (audio thread) sets the
// finished mark; the stage turns it into OnFinished on the main thread.
class StageSound : public Sygnal {
public:
    using Sygnal::Sygnal;
    ~StageSound() override;
    virtual void OnFinished() = 0;
    virtual void SetVolume(int volume) = 0;

    std::atomic<int32_t> finished{0};
};
