#include "shell/game_api.h"

#include <climits>
#include <cstdio>
#include <string>

#include "audio/audio_state.h"
#include "foundation/clock.h"
#include "foundation/destruction_hold.h"
#include "foundation/fatal.h"
#include "graphics/animation.h"
#include "graphics/bmp_file.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "graphics/text.h"
#include "platform/event_source.h"
#include "platform/input_source.h"
#include "platform/input_state.h"
#include "scene/scene.h"
#include "shell/frame_pacing.h"
#include "shell/menu.h"
#include "shell/mouse.h"

GameAPI::GameAPI() : asmClassObj(nullptr), NextAction("exit") { CurrentScene().ResetHover(); }

GameAPI::~GameAPI() { DeleteBackgroundCanvas(); }

// ---- the loop ----

const char* GameAPI::Run() {
    Running = 1;
    int32_t debt = 0;
    MousePaused = 0;
    KeyboardPaused = 0;

    OnStart();
    CurrentScene().Sort();
    SetRedraw();
    SetMouseMoved(0);

    while (Running) {
        uint32_t t0 = ClockTicks();
        // Script objects deleted by the events of this frame are destroyed
        // when the frame is over, never under the engine code that raised
        // the event.
        asmDestructionHold hold;
        PumpEvents();
        SampleMouse();
        if (!Running) continue;

        CurrentScene().UpdateTimers();
        CurrentScene().CheckSounds();
        if (CurrentAudio().MusicFinished.exchange(0) != 0) OnMusicFinished();
        if (Running) CurrentScene().Frame();
        SetMouseMoved(0);

        int32_t elapsed = static_cast<int32_t>(ClockTicks() - t0);
        FramePace pace = PaceFrame(CurrentScene().Flags().LoopDelay, elapsed, debt);
        debt = pace.debt;
        if (pace.wait > 0 && Running) ClockDelay(static_cast<uint32_t>(pace.wait));
    }

    CurrentAudio().MusicFinished = 0;
    OnStop();
    return NextAction.c_str();
}

void GameAPI::PumpEvents() {
    EventSource& events = CurrentEvents();
    // The poll comes first: after a stop one more queued event is taken and
    // dropped.
    SDL_Event& last = CurrentInputState().LastEvent;
    while (events.PollEvent(&last) && Running) Dispatch(last);
    // A held key's repeat comes after the frame's events, at most once a
    // frame, as the key-down it repeats.
    if (!Running) return;
    if (const SDL_Event* repeat = DueKeyRepeat()) {
        last = *repeat;
        RaiseKeyDown(last);
    }
}

void GameAPI::Dispatch(const SDL_Event& event) {
    switch (event.type) {
    case SDL_ACTIVEEVENT:
        if (event.active.state & (SDL_APPACTIVE | SDL_APPINPUTFOCUS)) {
            if (event.active.gain)
                OnActivate();
            else
                OnDeactivate();
        } else if (event.active.state & SDL_APPMOUSEFOCUS) {
            if (event.active.gain)
                OnMouseEnter();
            else
                OnMouseLeave();
        }
        break;
    case SDL_KEYDOWN:
        KeyWentDown(event);
        RaiseKeyDown(event);
        break;
    case SDL_KEYUP:
        KeyWentUp(event);
        SetKeyHeld(0);
        HandleKeyUp(Handed(event));
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
            TakePointerFrom(event);
            SetLeftButton(1);
            HandleLeftDown(Handed(event));
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
            TakePointerFrom(event);
            SetRightButton(1);
            HandleRightDown(Handed(event));
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) {
            TakePointerFrom(event);
            SetLeftButton(0);
            HandleLeftUp(Handed(event));
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
            TakePointerFrom(event);
            SetRightButton(0);
            HandleRightUp(Handed(event));
        }
        break;
    case SDL_QUIT:
        Exit("exit");
        break;
    default:
        break;  // motion included: the mouse is sampled once a frame
    }
}

void GameAPI::RaiseKeyDown(const SDL_Event& event) {
    SetKeyHeld(1);
    const InputEvent key = Handed(event);
    if (key.Pressed(SDLK_F4) && key.Modifier(SDLK_LALT))
        Exit("exit");
    else
        HandleKeyDown(key);
}

InputEvent GameAPI::Handed(const SDL_Event& event) {
    return InputEvent::From(event, GetMouseX(), GetMouseY());
}

void GameAPI::TakePointerFrom(const SDL_Event& event) { PlacePointer(event.button.x, event.button.y); }

void GameAPI::SampleMouse() {
    if (GetMouseMoved()) return;  // a warp or a button event this frame already placed it
    InputSource& input = CurrentInput();
    input.PumpEvents();
    int x = 0, y = 0;
    input.GetMouseState(&x, &y);
    PlacePointer(x, y);
}

void GameAPI::PlacePointer(int x, int y) {
    if (ddMouse* mouse = ddMouse::Instance(); mouse && mouse->SetPos(x, y)) {
        SetMouseMoved(1);
        HandleMouseMove(InputEvent{.type = SDL_MOUSEMOTION, .x = GetMouseX(), .y = GetMouseY()});
    }
}

void GameAPI::Exit(const char* name) {
    NextAction = name;
    EndLoop();
}

void GameAPI::Pause() {
    if (MousePaused) return;
    CurrentScene().PauseAll();
    CurrentAudio().MusicPlayer.Pause();
    MousePaused = 1;
    KeyboardPaused = 1;
}

void GameAPI::Resume() {
    if (!MousePaused) return;
    MousePaused = 0;
    KeyboardPaused = 0;
    CurrentAudio().MusicPlayer.Resume();
    CurrentScene().ResumeAll();
}

// ---- input focus ----

void GameAPI::SetInputFocus(ddTekst* text) {
    if (!text) return;
    if (InputFocus) InputFocus->Lock();
    InputFocus = text;
    focusObject = text;
    InputFocus->Unlock();
}

void GameAPI::ClearInputFocus() {
    if (InputFocus) InputFocus->Lock();
    InputFocus = nullptr;
    focusObject = nullptr;
}

void GameAPI::ObjectGone(asmClassObj& object, GoneReason reason) {
    if (reason == GoneReason::Destroyed && focusObject == &object) {
        InputFocus = nullptr;
        focusObject = nullptr;
    }
}

// ---- dispatch ----

void GameAPI::HandleKeyDown(const InputEvent& event) {
    if (KeyboardPaused) return;
    // The focus text edits itself from the key first; the game still hears it.
    if (InputFocus) InputFocus->HandleKey(event);
    OnKeyDown(event);
}

void GameAPI::HandleKeyUp(const InputEvent& event) {
    if (KeyboardPaused) return;
    OnKeyUp(event);
}

void GameAPI::HandleLeftDown(const InputEvent& event) {
    int taken = CurrentScene().PressButtons(event.x, event.y);
    if (!taken && !MousePaused) OnLeftDown(event);
}

void GameAPI::HandleLeftUp(const InputEvent& event) {
    CurrentScene().ReleaseButtons(event.x, event.y);
    if (!MousePaused) OnLeftUp(event);
}

void GameAPI::HandleRightDown(const InputEvent& event) {
    if (!MousePaused) OnRightDown(event);
}

void GameAPI::HandleRightUp(const InputEvent& event) {
    if (!MousePaused) OnRightUp(event);
}

void GameAPI::HandleMouseMove(const InputEvent& event) {
    if (!MousePaused) OnMouseMove(event);
    // Where the mouse is after the hook, which may have warped it.
    CurrentScene().HoverButtons(GetMouseX(), GetMouseY());
}

// ---- music and screenshot ----

void GameAPI::LoadMusic(const char* file) { CurrentAudio().MusicPlayer.Load(file, 1); }

void GameAPI::PlayMusic() { CurrentAudio().MusicPlayer.Play(-1, 0); }

void GameAPI::StopMusic() { CurrentAudio().MusicPlayer.Halt(0); }

void GameAPI::SetMusicVolume(int volume) { CurrentAudio().MusicPlayer.SetVolume(volume); }

int GameAPI::SaveScreenshot(const char* file) {
    SDL_Surface* screen = GraphAPI::CurrentVideo().Screen;
    if (!file || !screen) return -1;
    return GraphAPI::SaveBmpFile(screen, file);
}

// ---- factory members ----

void GameAPI::Register(Obraz* drawable) {
    drawable->SetUserData(UserData());
    CurrentStage().AddDrawable(drawable);
}

void GameAPI::UnregisterDrawable(Obraz* drawable) { CurrentStage().RemoveDrawable(drawable); }

void GameAPI::NewSound(Dzwieki*& ref, const char* file) {
    ref = new Dzwieki();
    ref->Load(file);
    ref->SetUserData(UserData());
    CurrentStage().AddSound(ref);
}

void GameAPI::DeleteSound(Dzwieki*& ref) {
    if (!ref) return;
    CurrentStage().RemoveSound(ref);
    delete ref;
    ref = nullptr;
}

void GameAPI::NewSoundSet(Dzwieki**& set, const char* baseName, int count) {
    if (count <= 0) {
        std::printf("\nnew empty sound set!!");
        return;
    }
    set = new Dzwieki*[static_cast<size_t>(count)]();
    for (int i = 0; i < count; ++i) {
        ddString name(baseName ? baseName : "");
        name.AppendInt(i).Append(".wav");
        NewSound(set[i], name.c_str());
    }
}

void GameAPI::DeleteSoundSet(Dzwieki**& set, int count) {
    if (count <= 0) {
        std::printf("\nfree empty sound set!!");
        return;
    }
    if (!set) return;
    for (int i = 0; i < count; ++i) DeleteSound(set[i]);
    delete[] set;
    set = nullptr;
}

void GameAPI::NewTimer(ddTimery*& ref, int interval, int repeatCount) {
    ref = new ddTimery();
    ref->SetInterval(interval);
    ref->SetUserData(UserData());
    CurrentStage().AddTimer(ref);
    ref->SetRepeatCount(repeatCount);
}

void GameAPI::DeleteTimer(ddTimery*& ref) {
    if (!ref) return;
    CurrentStage().RemoveTimer(ref);
    delete ref;
    ref = nullptr;
}

void GameAPI::NewObraz(Obraz*& ref) {
    ref = new Obraz();
    Register(ref);
}

void GameAPI::NewObraz(Obraz*& ref, const char* path) {
    ref = new Obraz(path);
    Register(ref);
}

void GameAPI::NewObraz(Obraz*& ref, const Image* image) {
    ref = new Obraz(image);
    Register(ref);
}

void GameAPI::NewContainer(ddObrazContainer*& ref) {
    ref = new ddObrazContainer();
    Register(ref);
}

void GameAPI::NewCanvas(ddCanvas*& ref) {
    ref = new ddCanvas();
    Register(ref);
}

void GameAPI::NewCanvas(ddCanvas*& ref, const Image* image) {
    ref = new ddCanvas(image);
    Register(ref);
}

void GameAPI::NewCanvas(ddCanvas*& ref, int x, int y, int w, int h) {
    ref = new ddCanvas(x, y, w, h);
    Register(ref);
}

void GameAPI::NewMenu(ddMenu*& ref, const char* file) {
    ref = new ddMenu(file);
    Register(ref);
}

void GameAPI::NewText(ddTekst*& ref, const char* text) {
    ref = new ddTekst(text);
    Register(ref);
}

void GameAPI::NewText(ddTekst*& ref, const char* text, int x, int y, int w, int h, int r, int g, int b,
                      int a) {
    NewText(ref, text);
    ref->CreateBackground(x, y, w, h, r, g, b, a);
}

void GameAPI::CreateBackgroundCanvas() {
    DeleteBackgroundCanvas();  // a second call replaces the canvas instead of losing it
    NewCanvas(Canvas, 0, 0, GraphAPI::CurrentVideo().ScaledWidth, GraphAPI::CurrentVideo().ScaledHeight);
}

void GameAPI::CreateOpaqueBackground(int r, int g, int b) {
    CreateBackgroundCanvas();
    Canvas->SetColorRGB(r, g, b);
    Canvas->SetLayer(INT_MIN);
}

void GameAPI::DeleteBackgroundCanvas() { DeleteObject(Canvas); }

void GameAPI::NewAnimacja(Animacja*& ref) {
    ref = new Animacja();
    Register(ref);
}

void GameAPI::NewAnimacja(Animacja*& ref, const char* definition) {
    ref = new Animacja(definition ? definition : "");
    Register(ref);
}

void GameAPI::NewAnimacja(Animacja*& ref, const Animacja& parent) {
    ref = new Animacja(parent);
    Register(ref);
}

// ---- object arrays ----

namespace {

// Element 0's array name without its trailing "0": what element i's name
// starts with.
std::string ArrayElementBase(const AnimationArray& array) {
    std::string base = array.empty() ? "" : array[0]->GetArrayName();
    if (!base.empty() && base.back() == '0') base.pop_back();
    return base;
}

}  // namespace

void GameAPI::NewObjectArrayFromFile(AnimationArray*& array, const char* file) {
    DeleteObjectArray(array);
    auto* first = new Animacja(file ? file : "");
    const ddString name = ArrayBaseFromFile(file);
    std::string base = name.c_str() ? name.c_str() : "";
    base += '_';
    first->SetArrayName(base.c_str(), 0);
    Register(first);
    array = new AnimationArray{first};
}

void GameAPI::NewObjectArrayFrom(AnimationArray*& array, const AnimationArray* other) {
    if (!other || other->empty() || other == array) return;
    DeleteObjectArray(array);
    auto* first = new Animacja(*(*other)[0]);
    first->SetArrayIndex(0);
    Register(first);
    array = new AnimationArray{first};
}

void GameAPI::AppendToObjectArray(AnimationArray*& array, int n) {
    if (!array || array->empty() || n <= 0) return;
    const std::string base = ArrayElementBase(*array);
    const Animacja& first = *(*array)[0];
    array->reserve(array->size() + static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        auto* element = new Animacja(first);
        element->SetArrayName(base.c_str(), static_cast<int>(array->size()));
        Register(element);
        array->push_back(element);
    }
}

void GameAPI::NewObjectArray(AnimationArray*& array, const char* file, int n) {
    NewObjectArrayFromFile(array, file);
    AppendToObjectArray(array, n - 1);
}

void GameAPI::RemoveFromObjectArray(AnimationArray*& array, int index) {
    if (!array || index < 0 || index >= static_cast<int>(array->size())) return;
    const std::string base = ArrayElementBase(*array);
    Animacja* gone = (*array)[static_cast<size_t>(index)];
    array->erase(array->begin() + index);
    DeleteObject(gone);
    if (array->empty()) {
        delete array;
        array = nullptr;
        return;
    }
    for (size_t i = static_cast<size_t>(index); i < array->size(); ++i)
        (*array)[i]->SetArrayName(base.c_str(), static_cast<int>(i));
}

void GameAPI::RemoveObjectFromArray(AnimationArray*& array, const Animacja* object) {
    if (!array || !object) return;
    for (size_t i = 0; i < array->size(); ++i)
        if ((*array)[i] == object) return RemoveFromObjectArray(array, static_cast<int>(i));
}

void GameAPI::TrimObjectArray(AnimationArray*& array) {
    while (array && array->size() > 1) {
        Animacja* gone = array->back();
        array->pop_back();
        DeleteObject(gone);
    }
}

void GameAPI::DeleteObjectArray(AnimationArray*& array) {
    if (!array) return;
    for (Animacja* element : *array) DeleteObject(element);
    delete array;
    array = nullptr;
}

// ---- module level ----

uint8_t WaitForInput() {
    SDL_Event event;
    for (;;) {
        if (!CurrentEvents().WaitEvent(&event)) return 0;
        if (event.type == SDL_KEYDOWN || event.type == SDL_MOUSEBUTTONDOWN) return event.type;
        if (event.type == SDL_QUIT) FatalExit("", 0);
    }
}

ddString ArrayBaseFromFile(const char* file) {
    std::string name = file ? file : "";
    size_t slash = name.rfind('/');
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    size_t end = name.rfind(".lum");
    if (end == std::string::npos || end < start) end = name.size();
    return ddString(name.substr(start, end - start).c_str());
}
