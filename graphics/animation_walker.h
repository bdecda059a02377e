// What an animation asks of the object that walks it along a path. The
// walked animation calls the walker from its own per-frame update, so a
// walker moves only the animation it walks.
//
// Lifetimes: the walker attaches itself with Animacja::SetPathFinder and
// detaches with SetPathFinder(nullptr), also from its destructor. An
// animation destroyed while walked tells its walker through
// ForgetAnimation, after which the walker must not touch it.
#pragma once

class Animacja;

class AnimationWalker {
public:
    // One step of the walk; runs when a frame of the walked animation ends,
    // before the animation's end-of-frame hook.
    virtual void Update() = 0;
    // The walked animation reached the last frame of its action: restart
    // the action (the walker plays the animation with -1).
    virtual void ResetAnimaFrame() = 0;
    // The walked animation is being destroyed.
    virtual void ForgetAnimation(Animacja* animation) = 0;

protected:
    ~AnimationWalker() = default;
};
