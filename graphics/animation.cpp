#include "graphics/animation.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "foundation/saturating.h"
#include "graphics/animation_walker.h"
#include "graphics/filter.h"
#include "graphics/frame_sounds.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"
#include "graphics/stage.h"

namespace {

bool SameText(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

bool Contains(const char* text, const char* part) { return text && std::strstr(text, part) != nullptr; }

// Where drawing goes (the screen) as a destination record in application
// coordinates.
Image ScreenView() {
    Image view;
    const GraphAPI::DrawPlace place = GraphAPI::CurrentDrawPlace();
    view.ViewSurface(place.surface);
    view.x = place.x;
    view.y = place.y;
    view.w = place.surface ? place.surface->w : 0;
    view.h = place.surface ? place.surface->h : 0;
    return view;
}

}  // namespace

// ------------------------------------------------------------------ frame

void AnimationFrame::TakeMask(const Image* from, int margin) {
    picture.CopyMask(from);
    maskMargin = margin;
}

void AnimationFrame::BuildOwnMask(int margin) {
    picture.BuildMask(margin);
    maskMargin = margin;
}

void AnimationFrame::ReplaceSurface(const Image& fresh) {
    Image rect;
    GraphAPI::CopyImageRect(&picture, &rect);
    picture.ShareFrom(fresh);
    GraphAPI::CopyImageRect(&rect, &picture);
    Refresh();
}

// ------------------------------------------------------------------ action

AkcjaAnimacji::AkcjaAnimacji() = default;

AkcjaAnimacji::~AkcjaAnimacji() = default;

void AkcjaAnimacji::Pause() { playing = false; }

void AkcjaAnimacji::Resume() { playing = true; }

void AkcjaAnimacji::SetTransparency(int alpha) {
    for (auto& frame : frames) frame->SetTransparency(alpha);
}

void AkcjaAnimacji::Tick() {
    if (!playing || delay == 0 || frames.empty()) return;
    tickCount = (tickCount + 1) % delay;
    if (tickCount != 0) return;
    AnimationFrame* before = GetCurrentFrame();
    ++currentFrame;
    if (currentFrame >= GetFrameCount()) Stop(true);
    AnimationFrame* now = GetCurrentFrame();
    SDL_Surface* was = before ? before->GetImage()->surface : nullptr;
    SDL_Surface* is = now ? now->GetImage()->surface : nullptr;
    if (was != is) SetRedraw();
}

AnimationFrame* AkcjaAnimacji::Append(std::unique_ptr<AnimationFrame> frame) {
    frames.push_back(std::move(frame));
    sounds.emplace_back();
    return frames.back().get();
}

void AkcjaAnimacji::CopyFrom(const AkcjaAnimacji& other) {
    if (&other == this) return;
    frames.clear();
    sounds.clear();
    for (size_t i = 0; i < other.frames.size(); ++i) {
        AddFrameCopy(other.frames[i].get());
        sounds.back() = other.sounds[i];
    }
}

AnimationFrame* AkcjaAnimacji::AddFrameCopy(const Obraz* frame) {
    if (!frame) return nullptr;
    auto copy = std::make_unique<AnimationFrame>();
    Obraz* source = const_cast<Obraz*>(frame);  // Copy only reads it
    copy->Copy(source);
    copy->SetName(frame->GetName());
    copy->SetLayer(layer);
    if (auto* shown = dynamic_cast<const AnimationFrame*>(frame)) copy->SetBankIndex(shown->GetBankIndex());
    return Append(std::move(copy));
}

AnimationFrame* AkcjaAnimacji::AddFrameFrom(const Image* picture) {
    return Append(std::make_unique<AnimationFrame>(picture));
}

AnimationFrame* AkcjaAnimacji::AddFrameFromFile(const Image* picture, int bankIndex, const char* name, int x,
                                                int y) {
    AnimationFrame* frame = AddFrameFrom(picture);
    frame->SetName(name);
    frame->SetPosResetLod(0, 0);
    frame->SetLod(x, y);
    frame->Refresh();
    frame->SetBankIndex(bankIndex);
    return frame;
}

AnimationFrame* AkcjaAnimacji::GetFrame(int i) const {
    return i >= 0 && i < GetFrameCount() ? frames[static_cast<size_t>(i)].get() : nullptr;
}

AnimationFrame* AkcjaAnimacji::GetCurrentFrame() { return GetFrame(currentFrame); }

AnimationFrame* AkcjaAnimacji::GetNextFrame() {
    if (currentFrame < 0) return nullptr;
    return GetFrame(currentFrame + 1);
}

void AkcjaAnimacji::SetCurrentFrame(int f) { currentFrame = f; }

void AkcjaAnimacji::Play() {
    playing = true;
    currentFrame = 0;
}

void AkcjaAnimacji::Stop(bool notify) {
    playing = false;
    currentFrame = GetFrameCount() - 1;
    if (notify) OnFinish();
}

void AkcjaAnimacji::Finish() { Stop(true); }

const char* AkcjaAnimacji::GetCurrentFrameName() { return GetFrameName(currentFrame); }

const char* AkcjaAnimacji::GetFrameName(int i) const {
    AnimationFrame* frame = GetFrame(i);
    return frame ? frame->GetName() : nullptr;
}

int AkcjaAnimacji::FindFrame(const char* name) const {
    for (int i = 0; i < GetFrameCount(); ++i)
        if (SameText(frames[static_cast<size_t>(i)]->GetName(), name)) return i;
    return -1;
}

void AkcjaAnimacji::SwapFrames(int a, int b) {
    if (a < 0 || b < 0 || a >= GetFrameCount() || b >= GetFrameCount()) return;
    std::swap(frames[static_cast<size_t>(a)], frames[static_cast<size_t>(b)]);
    std::swap(sounds[static_cast<size_t>(a)], sounds[static_cast<size_t>(b)]);
}

AnimationFrame* AkcjaAnimacji::InsertFrameCopy(int pos, const Obraz* frame) {
    if (!frame) return nullptr;
    AddFrameCopy(frame);
    // The copy sits at the end; move it to just after `pos`.
    const int at = std::clamp(pos + 1, 0, GetFrameCount() - 1);
    std::rotate(frames.begin() + at, frames.end() - 1, frames.end());
    std::rotate(sounds.begin() + at, sounds.end() - 1, sounds.end());
    return frames[static_cast<size_t>(at)].get();
}

void AkcjaAnimacji::SetFrameSound(int frame, const char* name) {
    if (!name || !*name || frame < 0 || frame >= GetFrameCount()) return;
    sounds[static_cast<size_t>(frame)] = name;
}

const char* AkcjaAnimacji::GetFrameSound(int frame) const {
    if (frame < 0 || frame >= GetFrameCount()) return nullptr;
    const std::string& s = sounds[static_cast<size_t>(frame)];
    return s.empty() ? nullptr : s.c_str();
}

// ------------------------------------------------------------------ animation

Animacja::Animacja() { InitAnimation(); }

Animacja::Animacja(const Animacja& parent) : Obraz() {
    InitAnimation();
    CopyFrom(parent);
}

Animacja::Animacja(const char* definition) {
    InitAnimation();
    LoadDefinition(definition, 1.0f, 1.0f);
}

Animacja::~Animacja() {
    if (walker) {
        AnimationWalker* w = walker;
        walker = nullptr;
        w->ForgetAnimation(this);
    }
    arrayElements.clear();
    FreeAll();
}

void Animacja::InitAnimation() {
    soundTable.reset();
    ownsSoundTable = false;
    soundBankName = "";
    playing = false;
    arrayCount = 1;
    currentAction = 0;
    endFrameCallback = NoEndFrame;
    crossFadePending = 0;
    smooth = 0;
    lastFadeA = lastFadeB = 0;
    SetLayer(0);
    picture.x = picture.y = 0;
    delay = 1;
    tickCount = 0;
    Refresh();
}

void Animacja::Clear() {
    FreeAll();
    InitAnimation();
}

void Animacja::FreeAll() {
    soundTable.reset();
    ownsSoundTable = false;
    soundBankName = "";
    FreeConverted();
    actions.clear();
    for (Image* image : bank) delete image;
    bank.clear();
    fileNames.clear();
    SetSmooth(false);
}

void Animacja::FreeConverted() {
    for (auto& action : actions)
        for (int f = 0; f < action->GetFrameCount(); ++f) action->GetFrame(f)->SetConverted(nullptr);
    convertedBank.clear();
}

// ------------------------------------------------------------------ visible-object operations

void Animacja::SetTransparency(int alpha) {
    for (auto& action : actions) action->SetTransparency(alpha);
}

void Animacja::SetDrawMode(int mode, int) {
    drawMode = mode;
    FreeConverted();
    if (mode != 1) return;
    convertedBank.reserve(bank.size());
    for (Image* image : bank) {
        auto converted = std::make_unique<Image>();
        GraphAPI::DuplicateImageAlpha(image, converted.get());
        convertedBank.push_back(std::move(converted));
    }
    for (auto& action : actions) {
        for (int f = 0; f < action->GetFrameCount(); ++f) {
            AnimationFrame* frame = action->GetFrame(f);
            frame->SetDrawMode(1, 0);
            SDL_Surface* shown = frame->GetImage()->surface;
            if (!shown) continue;
            for (size_t i = 0; i < bank.size(); ++i) {
                if (bank[i]->surface == shown) {
                    frame->SetConverted(convertedBank[i].get());
                    break;
                }
            }
        }
    }
}

void Animacja::SetRLE() {
    for (Image* image : bank) GraphAPI::SetRLE(image);
}

void Animacja::SetDelay(int n) {
    Obraz::SetDelay(n);
    for (auto& action : actions) action->SetDelay(n);
}

void Animacja::SetPosResetLod(int x, int y) {
    for (auto& action : actions) action->SetPosResetLod(x, y);
}

Image* Animacja::GetImage() {
    AnimationFrame* frame = GetCurrentFrame();
    if (!frame) return nullptr;
    frameImage.ShareFrom(*frame->GetImage());
    frameImage.x = SatAdd(frameImage.x, picture.x);
    frameImage.y = SatAdd(frameImage.y, picture.y);
    return &frameImage;
}

Image* Animacja::GetScreenImage() {
    AnimationFrame* frame = GetCurrentFrame();
    if (!frame) return Obraz::GetScreenImage();
    screenImage.ShareFrom(*GetImage());
    screenImage.x = SatAdd(screenImage.x, frame->GetLodX());
    screenImage.y = SatAdd(screenImage.y, frame->GetLodY());
    return &screenImage;
}

Image* Animacja::GetFrameImage() {
    if (Image* out = FilterOutput()) return out;
    if (Image* shown = GetImage()) return shown;
    return &picture;
}

int Animacja::GetLodX() {
    if (linkedFilter) return 0;
    AnimationFrame* frame = GetCurrentFrame();
    return frame ? frame->GetLodX() : lodX;
}

int Animacja::GetLodY() {
    if (linkedFilter) return 0;
    AnimationFrame* frame = GetCurrentFrame();
    return frame ? frame->GetLodY() : lodY;
}

bool Animacja::HasBitmask() { return !bank.empty() && bank[0]->bitmask != nullptr; }

void Animacja::SetBitmask(int margin) {
    maskMargin = margin;
    for (Image* image : bank) image->BuildMask(margin);
    // Each frame takes the mask of the bank picture it shows; a frame whose
    // picture is not in this bank (a copy's frames) builds its own.
    for (auto& action : actions) {
        for (int f = 0; f < action->GetFrameCount(); ++f) {
            AnimationFrame* frame = action->GetFrame(f);
            Image* bankPicture = GetBankImage(frame->GetBankIndex());
            if (bankPicture && bankPicture->surface && bankPicture->surface == frame->GetImage()->surface)
                frame->TakeMask(bankPicture, margin);
            else
                frame->BuildOwnMask(margin);
        }
    }
}

// ------------------------------------------------------------------ drawing

void Animacja::Draw() {
    if (!visible) return;
    if (linkedFilter) {
        linkedFilter->DrawToScreen();
        return;
    }
    if (!onScreen) return;
    // A snapshot shows the current frame: the cross-fade moves the frames
    // on and raises their events, which only the screen's drawing may do.
    if (smooth && crossFadePending && delay != 0 && smoothA && smoothB && !GraphAPI::DrawingSnapshot()) {
        DrawCrossFade();
        return;
    }
    DrawPicture();
}

void Animacja::DrawCrossFade() {
    crossFadePending = 0;
    const double span = delay;
    lastFadeA = static_cast<int>(255.0 * (delay - tickCount + 1) / span);
    smoothA->Link(this);
    smoothA->SetOpacity(lastFadeA);
    smoothA->DrawToScreen();
    smoothA->Unlink();

    // The frame hooks below may change or empty the animation.
    AkcjaAnimacji* action = GetCurrentAction();
    if (!action) return;
    const int remembered = action->GetCurrentFrameNr();
    SetFrame(remembered + 1 < action->GetFrameCount() ? remembered + 1 : 0);
    if (IsOnScreen() && smoothB && delay != 0) {
        lastFadeB = static_cast<int>(255.0 * tickCount / static_cast<double>(delay));
        smoothB->Link(this);
        smoothB->SetOpacity(lastFadeB);
        smoothB->DrawToScreen();
        smoothB->Unlink();
    }
    if (!GetCurrentAction()) return;
    SetFrame(remembered);
    Refresh();
}

void Animacja::DrawPicture() {
    Image* shown = GetVisibleImage();
    if (!shown || !shown->surface) return;
    if (drawMode != 1) {
        GraphAPI::BlitToScreen(shown);
        return;
    }
    // Additive: the screen under the picture plus the picture, composed in
    // the frame's converted picture, which serves as its scratch room.
    AnimationFrame* frame = GetCurrentFrame();
    Image* room = frame ? frame->GetConverted() : nullptr;
    if (!room || !room->surface || room->surface->w < shown->w || room->surface->h < shown->h) {
        Image screen = ScreenView();
        GraphAPI::BlendAdd256(&screen, shown, 255);
        return;
    }
    GraphAPI::CopyImageRect(shown, room);
    room->srx = room->sry = 0;
    Image under;
    const GraphAPI::DrawPlace place = GraphAPI::CurrentDrawPlace();
    under.ViewSurface(place.surface);
    under.srx = SatSub(shown->x, place.x);
    under.sry = SatSub(shown->y, place.y);
    under.w = shown->w;
    under.h = shown->h;
    GraphAPI::BlitImage(room, &under);
    GraphAPI::BlendAdd256(room, shown, 255);
    GraphAPI::BlitToScreen(room);
}

// ------------------------------------------------------------------ playback

void Animacja::Tick() {
    if (!IsPlaying() || IsPaused() || delay == 0) return;
    AkcjaAnimacji* action = GetCurrentAction();
    if (!action || action->GetFrameCount() == 0) return;
    tickCount = (tickCount + 1) % delay;
    if (tickCount == 0) {
        if (walker) walker->Update();
        OnEndFrame();
        if (!playing) return;
        // The walker or the hook may have changed the actions.
        action = GetCurrentAction();
        if (!action || action->GetFrameCount() == 0) return;
        const int index = action->GetCurrentFrameNr();
        if (action->GetFrameCount() - 1 <= index) {
            if (walker) {
                walker->ResetAnimaFrame();
            } else if (action->GetLoop()) {
                Show();
                SetActionFrame(currentAction, 0);
            } else {
                Stop(true);
            }
        } else {
            SetFrame(index + 1);
        }
        return;
    }
    if (!smooth) return;
    AnimationFrame* now = action->GetCurrentFrame();
    AnimationFrame* next = action->GetNextFrame();
    if (!next && action->GetLoop()) next = action->GetFrame(0);
    bool differs = false;
    if (now && next) {
        differs = now->GetImage()->surface != next->GetImage()->surface || now->GetX() != next->GetX() ||
                  now->GetY() != next->GetY();
    }
    if (differs) {
        crossFadePending = 1;
        SetRedraw();
    } else {
        crossFadePending = 0;
    }
}

void Animacja::OnEndFrame() { endFrameCallback(userData, this); }

void Animacja::OnSetFrame() {}

void Animacja::Play(int action) {
    if (actions.empty()) return;
    if (action < 0 || action >= GetActionCount()) action = currentAction;
    Show();
    SetActionFrame(action, 0);
    playing = true;
    tickCount = 0;
    OnStart();
}

void Animacja::PlayByName(const char* name) {
    int a = FindAction(name);
    if (a < GetActionCount()) Play(a);
}

void Animacja::PlaySmooth(int action) {
    SetSmooth(true);
    Play(action);
}

void Animacja::PlaySmoothByName(const char* name) {
    int a = FindAction(name);
    if (a < GetActionCount()) PlaySmooth(a);
}

void Animacja::Stop(bool notify) {
    playing = false;
    if (AkcjaAnimacji* action = GetCurrentAction(); action && action->GetHide()) Hide();
    if (notify) OnFinish();
}

void Animacja::SetSmooth(bool on) {
    if (on && !smooth) {
        smoothA = std::make_unique<ddFilter>();
        smoothB = std::make_unique<ddFilter>();
        smooth = 1;
    } else if (!on && smooth) {
        smoothA.reset();
        smoothB.reset();
        smooth = 0;
        crossFadePending = 0;
    }
}

// ------------------------------------------------------------------ actions and frames

AkcjaAnimacji* Animacja::GetAction(int i) const {
    return i >= 0 && i < static_cast<int>(actions.size()) ? actions[static_cast<size_t>(i)].get() : nullptr;
}

AnimationFrame* Animacja::GetCurrentFrame() {
    AkcjaAnimacji* action = GetCurrentAction();
    return action ? action->GetCurrentFrame() : nullptr;
}

AkcjaAnimacji* Animacja::GetCurrentAction() { return GetAction(currentAction); }

int Animacja::GetActionNr() { return currentAction; }

const char* Animacja::GetActionName() {
    AkcjaAnimacji* action = GetCurrentAction();
    return action ? action->GetName() : nullptr;
}

const char* Animacja::GetNameOfAction(int i) {
    AkcjaAnimacji* action = GetAction(i);
    return action ? action->GetName() : nullptr;
}

int Animacja::FindAction(const char* name) {
    const int n = GetActionCount();
    for (int i = 0; i < n; ++i)
        if (SameText(actions[static_cast<size_t>(i)]->GetName(), name)) return i;
    return n;
}

int Animacja::IsPlayingAction(int i) { return playing && i == currentAction ? i + 1 : 0; }

int Animacja::IsPlayingActionName(const char* name) {
    return playing && SameText(GetActionName(), name) ? currentAction + 1 : 0;
}

int Animacja::IsPlaying() { return playing ? currentAction + 1 : 0; }

void Animacja::SetFrame(int f) { SetActionFrame(currentAction, f); }

void Animacja::SetActionFrame(int a, int f) {
    if (a < 0 || a >= GetActionCount()) return;
    AkcjaAnimacji* action = actions[static_cast<size_t>(a)].get();
    if (a != currentAction || f != action->GetCurrentFrameNr()) {
        const int oldX = GetX(), oldY = GetY();
        Image* before = GetImage();
        SDL_Surface* oldSurface = before ? before->surface : nullptr;
        currentAction = a;
        action->SetCurrentFrame(f >= 0 && f < action->GetFrameCount() ? f : 0);
        Image* after = GetImage();
        SDL_Surface* newSurface = after ? after->surface : nullptr;
        auto* filter = dynamic_cast<ddFilter*>(linkedFilter);
        if (newSurface != oldSurface) {
            Refresh();
            if (filter) filter->Rebuild();
        } else if (GetX() != oldX || GetY() != oldY) {
            Refresh();
            if (filter) filter->Place();
        }
    }
    if (soundTable) soundTable->OnFrame(a, f);
    OnSetFrame();
}

void Animacja::SetFrameByName(const char* action, int f) {
    int a = FindAction(action);
    if (a < GetActionCount()) SetActionFrame(a, f);
}

const char* Animacja::GetFrameName() {
    AkcjaAnimacji* action = GetCurrentAction();
    return action ? action->GetCurrentFrameName() : nullptr;
}

int Animacja::GetFrameNr() {
    AkcjaAnimacji* action = GetCurrentAction();
    return action ? action->GetCurrentFrameNr() : 0;
}

const char* Animacja::GetFrameNameByName(const char* action, int f) {
    int a = FindAction(action);
    return a < GetActionCount() ? GetActionFrameName(a, f) : nullptr;
}

const char* Animacja::GetActionFrameName(int a, int f) {
    AkcjaAnimacji* action = a == -1 ? GetCurrentAction() : GetAction(a);
    return action ? action->GetFrameName(f) : nullptr;
}

int Animacja::GetFrameNrByName(const char* action, const char* frame) {
    int a = FindAction(action);
    return a < GetActionCount() ? FindActionFrame(a, frame) : -1;
}

int Animacja::FindActionFrame(int a, const char* frame) {
    AkcjaAnimacji* action = a == -1 ? GetCurrentAction() : GetAction(a);
    return action ? action->FindFrame(frame) : -1;
}

int Animacja::GetFrameCount() {
    AkcjaAnimacji* action = GetCurrentAction();
    return action ? action->GetFrameCount() : 0;
}

int Animacja::GetActionFrameCount(int a) {
    AkcjaAnimacji* action = GetAction(a);
    return action ? action->GetFrameCount() : 0;
}

int Animacja::GetActionFrameCountByName(const char* name) { return GetActionFrameCount(FindAction(name)); }

int Animacja::GetActionCount() { return static_cast<int>(actions.size()); }

void Animacja::ChangeActionByName(const char* name) {
    if (!SameText(name, GetActionName())) ChangeAction(FindAction(name));
}

void Animacja::ChangeAction(int a) {
    if (a != currentAction) SetActionFrame(a, GetFrameNr());
}

// ------------------------------------------------------------------ building

int Animacja::AddBankImage(Image* image) {
    if (!image || !image->surface) return -1;
    for (size_t i = 0; i < bank.size(); ++i)
        if (bank[i]->surface == image->surface) return static_cast<int>(i);
    bank.push_back(image);
    return static_cast<int>(bank.size()) - 1;
}

Image* Animacja::GetBankImage(int i) const {
    return i >= 0 && i < static_cast<int>(bank.size()) ? bank[static_cast<size_t>(i)] : nullptr;
}

void Animacja::ReleaseBank() {
    FreeConverted();
    bank.clear();
}

const char* Animacja::GetFileName(int i) const {
    return i >= 0 && i < GetFileNameCount() ? fileNames[static_cast<size_t>(i)].c_str() : nullptr;
}

void Animacja::AddFileName(const char* name) { fileNames.emplace_back(name ? name : ""); }

AkcjaAnimacji* Animacja::AddActionCopy(const AkcjaAnimacji* action) {
    if (!action) return nullptr;
    auto copy = std::make_unique<AkcjaAnimacji>();
    copy->SetArrayIndex(action->GetArrayIndex());
    copy->CopyFrom(*action);
    copy->SetLayer(layer);
    copy->SetDelay(delay);
    copy->SetName(action->GetName());
    copy->SetLoop(action->GetLoop());
    copy->SetHide(action->GetHide());
    actions.push_back(std::move(copy));
    return actions.back().get();
}

AkcjaAnimacji* Animacja::AddEmptyAction() {
    auto action = std::make_unique<AkcjaAnimacji>();
    action->SetLayer(layer);
    action->SetDelay(delay);
    actions.push_back(std::move(action));
    return actions.back().get();
}

AkcjaAnimacji* Animacja::AddNamedAction(const char* name) {
    AkcjaAnimacji* action = AddEmptyAction();
    action->SetName(name);
    return action;
}

void Animacja::SetPathFinder(AnimationWalker* w) { walker = w; }

void Animacja::SwapActions(int a, int b) {
    if (!GetAction(a) || !GetAction(b)) return;
    std::swap(actions[static_cast<size_t>(a)], actions[static_cast<size_t>(b)]);
}

void Animacja::RemoveAction(int i) {
    if (!GetAction(i)) return;
    actions.erase(actions.begin() + i);
    if (currentAction >= GetActionCount()) currentAction = std::max(0, GetActionCount() - 1);
    Refresh();
}

AkcjaAnimacji* Animacja::InsertActionCopy(int pos, const AkcjaAnimacji* action) {
    if (!AddActionCopy(action)) return nullptr;
    const int at = std::clamp(pos + 1, 0, GetActionCount() - 1);
    std::rotate(actions.begin() + at, actions.end() - 1, actions.end());
    return actions[static_cast<size_t>(at)].get();
}

AnimationFrame* Animacja::AddFrameCopy(int a, const Obraz* frame) {
    AkcjaAnimacji* action = GetAction(a);
    return action ? action->AddFrameCopy(frame) : nullptr;
}

AnimationFrame* Animacja::AddFrameCopyByName(const char* name, const Obraz* frame) {
    return AddFrameCopy(FindAction(name), frame);
}

void Animacja::CopyFrom(const Animacja& other) {
    if (&other == this) return;
    Clear();
    arrayCount = 1;
    SetLayer(other.layer);
    Obraz::SetDelay(other.delay);
    currentAction = other.currentAction;
    for (const auto& action : other.actions) AddActionCopy(action.get());
    userData = other.userData;
    if (!other.visible) Hide();
    SetPos(other.picture.x, other.picture.y);
    soundTable = other.soundTable;
    ownsSoundTable = false;
    Refresh();
}

int Animacja::GrowArray(int count) {
    while (arrayCount < count) {
        auto element = std::make_unique<Animacja>(*this);
        element->SetArrayName(GetName() ? GetName() : "", arrayCount);
        arrayElements.push_back(std::move(element));
        ++arrayCount;
    }
    return arrayCount;
}

Animacja* Animacja::GetArrayElement(int i) const {
    if (i == 0) return const_cast<Animacja*>(this);
    return i > 0 && i < arrayCount ? arrayElements[static_cast<size_t>(i - 1)].get() : nullptr;
}

// ------------------------------------------------------------------ pictures

void Animacja::SaveImages(const char* file) {
    if (bank.empty() || !file) return;
    const int n = static_cast<int>(bank.size());
    if (Contains(file, ".zel"))
        GraphAPI::SaveZelFile(bank.data(), file, n);
    else if (Contains(file, ".z16"))
        GraphAPI::SaveZ16File(bank.data(), file, n);
}

void Animacja::LoadImages(const char* baseName) {
    if (!baseName) return;
    for (size_t i = 0; i < bank.size(); ++i) {
        std::string path = baseName;
        path += std::to_string(i);
        path += ".png";
        Image loaded;
        GraphAPI::LoadImage(&loaded, path.c_str());
        if (!loaded.surface) continue;  // a missing picture keeps the old one
        // The bank record takes the surface over and the loaded record lets
        // go; then every frame that showed the old surface shows the new one.
        SDL_Surface* old = bank[i]->surface;
        SDL_Surface* fresh = loaded.surface;
        loaded.surface = nullptr;
        Image* record = bank[i];
        record->Free();
        record->AdoptSurface(fresh);
        if (!old) continue;
        for (auto& action : actions) {
            for (int f = 0; f < action->GetFrameCount(); ++f) {
                AnimationFrame* frame = action->GetFrame(f);
                if (frame->GetImage()->surface == old) frame->ReplaceSurface(*record);
            }
        }
    }
    Refresh();
}
