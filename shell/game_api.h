// The base of every runnable game kind: the main loop with its input
// dispatch and frame pacing, pause and resume of the whole game, the input
// focus, music wrappers, a screenshot, and factory members that create
// engine objects already registered with the scene.
#pragma once

#include <concepts>
#include <cstdint>
#include <vector>

#include "audio/sound.h"
#include "foundation/asm_class_obj.h"
#include "foundation/dd_string.h"
#include "foundation/object_gone.h"
#include "graphics/canvas.h"
#include "graphics/obraz.h"
#include "graphics/obraz_container.h"
#include "graphics/timer.h"
#include "platform/input_event.h"

class ddTekst;  // an editable text; the focus receives every key first
class ddMenu;
class Animacja;

// An object array: animations made from one definition, element i knowing
// its index and named base + i (base: the definition's name and "_"). The
// caller keeps it and ends it with GameAPI::DeleteObjectArray.
using AnimationArray = std::vector<Animacja*>;

class GameAPI : public asmClassObj, private GoneListener {
public:
    GameAPI();
    ~GameAPI() override;

    // Event hooks, all empty here. The mouse and key hooks are handed what
    // happened: where the mouse is, the button, the key with its modifiers
    // and character.
    virtual void OnMouseMove(const InputEvent&) {}
    virtual void OnLeftDown(const InputEvent&) {}
    virtual void OnRightDown(const InputEvent&) {}
    virtual void OnLeftUp(const InputEvent&) {}
    virtual void OnRightUp(const InputEvent&) {}
    virtual void OnKeyDown(const InputEvent&) {}
    virtual void OnKeyUp(const InputEvent&) {}
    virtual void OnMusicFinished() {}
    virtual void OnMouseLeave() {}
    virtual void OnMouseEnter() {}
    virtual void OnActivate() {}
    virtual void OnDeactivate() {}
    virtual void OnStart() {}
    virtual void OnStop() {}

    // Runs the loop until Exit or EndLoop; returns the next action's name.
    const char* Run();
    void Exit(const char* name);
    void EndLoop() { Running = 0; }
    int IsRunning() const { return Running; }
    const char* GetNextAction() const { return NextAction.c_str(); }

    // Pausing stops every object of the scene and the music and keeps the
    // mouse and key hooks from being called; both look at the mouse flag.
    void Pause();
    void Resume();
    int IsMousePaused() const { return MousePaused; }
    int IsKeyboardPaused() const { return KeyboardPaused; }

    // The focus text receives every key press before the game does; at most
    // one text is editable through it: the old focus is locked, the new one
    // unlocked. A null text leaves the focus as it is.
    void SetInputFocus(ddTekst* text);
    // Locks the focus text, if any, and clears the focus.
    void ClearInputFocus();
    bool HasInputFocus(const ddTekst* text) const { return InputFocus == text; }
    ddTekst* GetInputFocus() const { return InputFocus; }

    // Dispatch of one polled event, made into the value every handler gets;
    // the loop has written the input state before.
    void HandleKeyDown(const InputEvent& event);
    void HandleKeyUp(const InputEvent& event);
    void HandleLeftDown(const InputEvent& event);
    void HandleLeftUp(const InputEvent& event);
    void HandleRightDown(const InputEvent& event);
    void HandleRightUp(const InputEvent& event);
    void HandleMouseMove(const InputEvent& event);

    // Music on the one music player.
    void LoadMusic(const char* file);
    void PlayMusic();
    void StopMusic();
    void SetMusicVolume(int volume);

    // Writes the screen as BMP; SDL's result (0 on success). The file is
    // replaced only when the whole picture was written.
    int SaveScreenshot(const char* file);

    // Factory members: the object is stored through the reference, gets the
    // game as its user data and is registered with the scene. Delete members
    // unregister, delete and null the reference; a null one is left alone.
    void NewSound(Dzwieki*& ref, const char* file);
    void DeleteSound(Dzwieki*& ref);
    // Sound i of the set is loaded from baseName + i + ".wav".
    void NewSoundSet(Dzwieki**& set, const char* baseName, int count);
    void DeleteSoundSet(Dzwieki**& set, int count);
    void NewTimer(ddTimery*& ref, int interval, int repeatCount);
    void DeleteTimer(ddTimery*& ref);
    void NewObraz(Obraz*& ref);
    void NewObraz(Obraz*& ref, const char* path);
    void NewObraz(Obraz*& ref, const Image* image);
    void NewContainer(ddObrazContainer*& ref);
    void NewCanvas(ddCanvas*& ref);
    void NewCanvas(ddCanvas*& ref, const Image* image);
    void NewCanvas(ddCanvas*& ref, int x, int y, int w, int h);
    // A text showing `text` (none for the empty text).
    void NewText(ddTekst*& ref, const char* text = nullptr);
    // The same with a w x h background box in (r, g, b, a) at (x, y), the
    // text centred in it.
    void NewText(ddTekst*& ref, const char* text, int x, int y, int w, int h, int r, int g, int b, int a);
    // A menu read from its definition file.
    void NewMenu(ddMenu*& ref, const char* file);
    // An animation: empty, loaded from a definition file, or a copy of
    // another one.
    void NewAnimacja(Animacja*& ref);
    void NewAnimacja(Animacja*& ref, const char* definition);
    void NewAnimacja(Animacja*& ref, const Animacja& parent);

    // Object arrays. An array already held by the reference is deleted
    // first, so nothing is left registered and unreachable.
    // One element loaded from the file, named after it with "_0".
    void NewObjectArrayFromFile(AnimationArray*& array, const char* file);
    // One element copied from the other array's first one (no array name).
    void NewObjectArrayFrom(AnimationArray*& array, const AnimationArray* other);
    // n more elements, each a copy of element 0 (n <= 0: nothing).
    void AppendToObjectArray(AnimationArray*& array, int n);
    // NewObjectArrayFromFile, then n - 1 more elements.
    void NewObjectArray(AnimationArray*& array, const char* file, int n);
    // Deletes that element; the following ones are renumbered and renamed.
    // Removing the last element deletes the array and nulls the reference.
    void RemoveFromObjectArray(AnimationArray*& array, int index);
    void RemoveObjectFromArray(AnimationArray*& array, const Animacja* object);
    // Deletes every element but the first.
    void TrimObjectArray(AnimationArray*& array);
    void DeleteObjectArray(AnimationArray*& array);

    // The game's own canvas over the whole scaled drawing area.
    void CreateBackgroundCanvas();
    // The background canvas filled with an opaque colour and put under every
    // other drawable: each full redraw starts from it, so whatever is hidden,
    // moved or removed is gone at the next frame.
    void CreateOpaqueBackground(int r, int g, int b);
    void DeleteBackgroundCanvas();
    ddCanvas* GetCanvas() const { return Canvas; }

    template <std::derived_from<Obraz> T>
    void DeleteObject(T*& ref) {
        if (!ref) return;
        UnregisterDrawable(ref);
        delete ref;
        ref = nullptr;
    }

protected:
    ddTekst* InputFocus = nullptr;
    ddCanvas* Canvas = nullptr;
    ddString NextAction;
    int32_t MousePaused = 0;
    int32_t KeyboardPaused = 0;
    int32_t Running = 0;

private:
    // One frame's events, from the event source into the hooks.
    void PumpEvents();
    void Dispatch(const SDL_Event& event);
    // A key going down, or its repeat: held; Alt+F4 ends the game, any
    // other key is handled.
    void RaiseKeyDown(const SDL_Event& event);
    // The event as its handlers get it, the mouse where the input state
    // has it now.
    static InputEvent Handed(const SDL_Event& event);
    // Hands the mouse position to the mouse object once per frame, unless
    // something this frame already placed it.
    void SampleMouse();
    // Before a mouse button event is handled: the position the event carries
    // is handed over as the sampled one is, so every handler sees the point
    // where the button went down or up, not where the mouse was at the last
    // sampling.
    void TakePointerFrom(const SDL_Event& event);
    // (x, y) in screen coordinates to the mouse object; when it moved, the
    // frame counts as one in which the mouse moved and the move hook runs.
    void PlacePointer(int x, int y);
    void Register(Obraz* drawable);
    static void UnregisterDrawable(Obraz* drawable);
    intptr_t UserData() { return reinterpret_cast<intptr_t>(this); }
    // A focus text that is destroyed stops being the focus.
    void ObjectGone(asmClassObj& object, GoneReason reason) override;

    // The focus as the object the gone signal names, taken while the text is
    // whole (one being destroyed is no longer a ddTekst to convert from).
    const asmClassObj* focusObject = nullptr;
};

// Blocks until a key or mouse button goes down and returns that event's
// type; a quit event ends the program with exit code 0; 0 when waiting fails.
uint8_t WaitForInput();

// The name part of an animation file name: what lies between the last "/"
// and ".lum" (the whole name, or the part after the last "/", when either
// is missing).
ddString ArrayBaseFromFile(const char* file);
