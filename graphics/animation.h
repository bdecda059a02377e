// Animations: a bank of pictures, named actions of named frames that show
// bank pictures at hot-spot offsets, a frame timer driven by the scene's
// per-frame update, an optional cross-fade between frames, two draw modes,
// an optional sound table and an optional walker that moves the animation.
//
// An animation is placed in the scene by whoever creates it; its actions
// and frames never are, and are ticked and drawn only through it.
//
// Empty parts are harmless: an animation without actions, an action
// without frames or a delay of 0 plays nothing and draws nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/dd_string.h"
#include "graphics/obraz.h"

class FrameSounds;
class ddFilter;
class AnimationWalker;  // the path finder implements it

// One frame of an action: a picture that shares a bank picture's surface,
// drawn at its hot-spot offset from the animation's position.
class AnimationFrame : public Obraz {
public:
    AnimationFrame() = default;
    explicit AnimationFrame(const Image* picture) : Obraz(picture) {}

    // The bank picture shown; -1 for the animation's own picture.
    int GetBankIndex() const { return bankIndex; }
    void SetBankIndex(int i) { bankIndex = i; }
    // The converted bank picture of draw mode 1 (owned by the animation).
    Image* GetConverted() const { return converted; }
    void SetConverted(Image* image) { converted = image; }
    // Takes the hit mask of `from` (the bank picture it shares) and the margin.
    void TakeMask(const Image* from, int margin);
    // Builds its own hit mask when no bank picture has one to give.
    void BuildOwnMask(int margin);
    // The surface shown is replaced; the rectangle stays.
    void ReplaceSurface(const Image& fresh);

private:
    int32_t bankIndex = -1;
    Image* converted = nullptr;
};

// A named list of frames with its own current frame, loop and hide flags,
// and an optional sound name per frame.
class AkcjaAnimacji : public Obraz {
public:
    AkcjaAnimacji();
    ~AkcjaAnimacji() override;

    void Pause() override;
    void Resume() override;
    void SetTransparency(int alpha) override;
    // Plays the action on its own (an animation never calls it).
    void Tick() override;

    virtual void CopyFrom(const AkcjaAnimacji& other);
    virtual AnimationFrame* AddFrameCopy(const Obraz* frame);
    virtual AnimationFrame* AddFrameFrom(const Image* picture);
    virtual AnimationFrame* AddFrameFromFile(const Image* picture, int bankIndex, const char* name, int x,
                                             int y);
    virtual AnimationFrame* GetCurrentFrame();
    virtual AnimationFrame* GetNextFrame();
    virtual void SetCurrentFrame(int f);
    virtual void Play();
    virtual void Stop(bool notify);
    virtual void Finish();
    virtual const char* GetCurrentFrameName();

    // Frame name by index, null out of range.
    const char* GetFrameName(int i) const;
    // Index of the first frame of that name, -1 when none.
    int FindFrame(const char* name) const;
    void SwapFrames(int a, int b);
    // Inserts a copy of `frame` after position `pos` (-1: at the front).
    AnimationFrame* InsertFrameCopy(int pos, const Obraz* frame);
    // Stores a copy of a non-empty name for a frame index in range.
    void SetFrameSound(int frame, const char* name);
    // The frame's sound name, null when it has none or is out of range.
    const char* GetFrameSound(int frame) const;

    int GetFrameCount() const { return static_cast<int>(frames.size()); }
    int GetCurrentFrameNr() const { return currentFrame; }
    AnimationFrame* GetFrame(int i) const;
    bool IsPlaying() const { return playing; }
    int GetLoop() const { return loop; }
    void SetLoop(int on) { loop = on; }
    int GetHide() const { return hide; }
    void SetHide(int on) { hide = on; }
    int GetTickCounter() const { return tickCount; }

private:
    AnimationFrame* Append(std::unique_ptr<AnimationFrame> frame);

    int32_t currentFrame = 0;
    bool playing = false;
    std::vector<std::unique_ptr<AnimationFrame>> frames;
    int32_t hide = 0;
    int32_t loop = 0;
    std::vector<std::string> sounds;  // parallel to frames; empty = none
};

class Animacja : public Obraz {
public:
    using EndFrameCallback = void (*)(intptr_t userData, Sygnal* owner);

    Animacja();
    // A copy of `parent` (an element of an object array).
    explicit Animacja(const Animacja& parent);
    // Loads the definition file at scale 1, 1.
    explicit Animacja(const char* definition);
    ~Animacja() override;

    // Visible-object operations.
    void SetTransparency(int alpha) override;
    // Stores the mode; mode 1 builds the converted bank (ownCopy unused).
    void SetDrawMode(int mode, int ownCopy) override;
    void SetRLE() override;
    void SetDelay(int n) override;
    void Draw() override;
    void Tick() override;
    void SetPosResetLod(int x, int y) override;
    // The current frame's picture moved by the animation's position; null
    // without a current frame.
    Image* GetImage() override;
    Image* GetScreenImage() override;
    Image* GetFrameImage() override;
    int GetLodX() override;
    int GetLodY() override;
    bool HasBitmask() override;
    void SetBitmask(int margin) override;

    // Hooks the script class overrides.
    virtual void OnEndFrame();
    virtual void OnSetFrame();

    virtual void CopyFrom(const Animacja& other);
    virtual void SaveDefinition(const char* file);
    // The text SaveDefinition writes.
    std::string WriteDefinitionText();
    // 1 after a load, 0 when the file cannot be read.
    virtual int LoadDefinition(const char* file, float scaleX, float scaleY);
    virtual void LoadBank(const char* baseName);
    virtual void Play(int action);
    virtual void PlayByName(const char* name);
    virtual void PlaySmooth(int action);
    virtual void PlaySmoothByName(const char* name);
    virtual void Stop(bool notify);
    virtual AnimationFrame* GetCurrentFrame();
    virtual AkcjaAnimacji* GetCurrentAction();
    virtual int GetActionNr();
    virtual const char* GetActionName();
    virtual const char* GetNameOfAction(int i);
    // The action count when no action has that name.
    virtual int FindAction(const char* name);
    virtual int IsPlayingAction(int i);
    virtual int IsPlayingActionName(const char* name);
    // Current action + 1 while playing, else 0.
    virtual int IsPlaying();
    virtual void SetFrame(int f);
    virtual void SetActionFrame(int a, int f);
    virtual void SetFrameByName(const char* action, int f);
    virtual const char* GetFrameName();
    virtual int GetFrameNr();
    virtual const char* GetFrameNameByName(const char* action, int f);
    virtual const char* GetActionFrameName(int a, int f);
    virtual int GetFrameNrByName(const char* action, const char* frame);
    virtual int FindActionFrame(int a, const char* frame);
    virtual int GetFrameCount();
    virtual int GetActionFrameCount(int a);
    virtual int GetActionFrameCountByName(const char* name);
    virtual int GetActionCount();
    virtual void ChangeActionByName(const char* name);
    virtual void ChangeAction(int a);

    void SetSmooth(bool on);
    int GetSmooth() const { return smooth; }
    // Replaces the sound table by the one read from `path`.
    void LoadSoundBank(const char* path);
    void SaveImages(const char* file);
    void LoadImages(const char* baseName);
    // Index of the picture in the bank (taken over), of a bank picture with
    // the same surface (the given one is left to the caller), or -1.
    int AddBankImage(Image* picture);
    AkcjaAnimacji* AddActionCopy(const AkcjaAnimacji* action);
    AkcjaAnimacji* AddEmptyAction();
    AkcjaAnimacji* AddNamedAction(const char* name);
    void SetPathFinder(AnimationWalker* walker);
    AnimationWalker* GetPathFinder() const { return walker; }
    int GetArrayCount() const { return arrayCount; }

    // Editing operations of the animation editor.
    void SwapActions(int a, int b);
    // The current index is kept within the remaining actions.
    void RemoveAction(int i);
    // Inserts a copy of `action` after position `pos` (-1: at the front).
    AkcjaAnimacji* InsertActionCopy(int pos, const AkcjaAnimacji* action);
    AnimationFrame* AddFrameCopy(int action, const Obraz* frame);
    AnimationFrame* AddFrameCopyByName(const char* action, const Obraz* frame);
    // Grows the object array headed by this animation to `count` elements,
    // each a copy of this one; returns the element count.
    int GrowArray(int count);
    Animacja* GetArrayElement(int i) const;

    // Everything freed; every field as a new animation has it.
    void Clear();

    AkcjaAnimacji* GetAction(int i) const;
    int GetBankCount() const { return static_cast<int>(bank.size()); }
    Image* GetBankImage(int i) const;
    // Forgets the bank pictures without deleting them (someone else took them).
    void ReleaseBank();
    int GetFileNameCount() const { return static_cast<int>(fileNames.size()); }
    const char* GetFileName(int i) const;
    void AddFileName(const char* name);
    const char* GetSoundBankName() const { return soundBankName.c_str(); }
    void SetSoundBankName(const char* name) { soundBankName = name; }
    FrameSounds* GetSoundTable() const { return soundTable.get(); }
    bool OwnsSoundTable() const { return ownsSoundTable; }
    void SetEndFrameCallback(EndFrameCallback fn) { endFrameCallback = fn ? fn : NoEndFrame; }
    int GetTickCounter() const { return tickCount; }
    void SetTickCounter(int n) { tickCount = n; }
    bool IsCrossFadePending() const { return crossFadePending != 0; }
    // The opacities the last cross-fade drew with (current frame, next frame).
    int GetLastFadeOpacityA() const { return lastFadeA; }
    int GetLastFadeOpacityB() const { return lastFadeB; }

    static void NoEndFrame(intptr_t, Sygnal*) {}

private:
    void InitAnimation();
    void FreeAll();
    void FreeConverted();
    void DrawCrossFade();
    void DrawPicture();
    // The definition text's parts (animation_definition.cpp).
    void ReadDefinitionText(const char* text, const std::string& folder, float scaleX, float scaleY);

    AnimationWalker* walker = nullptr;
    // Shared with the copies made by CopyFrom, so a copy never outlives it.
    std::shared_ptr<FrameSounds> soundTable;
    ddString soundBankName;
    bool ownsSoundTable = false;
    std::vector<std::unique_ptr<AkcjaAnimacji>> actions;
    std::vector<Image*> bank;  // owned
    std::vector<std::unique_ptr<Image>> convertedBank;
    std::vector<ddString> fileNames;
    bool playing = false;
    int32_t arrayCount = 1;
    int32_t currentAction = 0;
    EndFrameCallback endFrameCallback = NoEndFrame;
    std::unique_ptr<ddFilter> smoothA, smoothB;
    int32_t crossFadePending = 0;
    int32_t smooth = 0;
    int32_t lastFadeA = 0, lastFadeB = 0;
    Image frameImage;  // GetImage's record
    std::vector<std::unique_ptr<Animacja>> arrayElements;
};
