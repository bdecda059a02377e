#include "scene/scene.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "audio/sound.h"
#include "foundation/destruction_hold.h"
#include "foundation/random.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "platform/input_source.h"
#include "platform/input_state.h"

namespace {
// The scene a ScopedScene shows; null outside one.
ddScene* g_shown = nullptr;
}  // namespace

// ---- the walk-tolerant list ----

template <typename T>
template <typename Place>
void ddScene::List<T>::Add(T* p, Place place) {
    ++live;
    if (depth > 0)
        held.push_back(p);
    else
        place(p);
}

template <typename T>
bool ddScene::List<T>::Remove(T* p) {
    auto h = std::find(held.begin(), held.end(), p);
    if (h != held.end()) {
        held.erase(h);
        --live;
        return true;
    }
    auto it = std::find(items.begin(), items.end(), p);
    if (it == items.end()) return false;
    if (depth > 0) {
        *it = nullptr;
        holes = true;
    } else {
        items.erase(it);
    }
    --live;
    return true;
}

template <typename T>
template <typename Place>
void ddScene::List<T>::EndWalk(Place place) {
    if (--depth > 0) return;
    if (holes) {
        items.erase(std::remove(items.begin(), items.end(), nullptr), items.end());
        holes = false;
        if (compactedSize) *compactedSize = items.size();
    }
    if (!held.empty()) {
        std::vector<T*> adds;
        adds.swap(held);
        for (T* p : adds) place(p);
    }
}

template <typename T, typename Place, typename Fn>
void ddScene::Walk(List<T>& list, Place place, Fn fn) {
    // Script objects deleted by the events this walk raises are destroyed
    // after it, not under the engine code that raised the event.
    asmDestructionHold hold;
    list.BeginWalk();
    // The list does not grow or shrink during the walk: additions are held
    // back and removals leave a null slot.
    for (size_t i = 0; i < list.items.size(); ++i)
        if (T* item = list.items[i]) fn(item);
    list.EndWalk(place);
}

namespace {

bool DrawsBefore(Obraz* a, Obraz* b) {
    int la = a->GetLayer(), lb = b->GetLayer();
    if (la != lb) return la < lb;
    return a->GetId() < b->GetId();
}

// Strict form of CompareLevel: a comes before b in the button list.
bool ButtonBefore(const SceneButton* a, const SceneButton* b) {
    if (a->GetSortLayer() != b->GetSortLayer()) return a->GetSortLayer() > b->GetSortLayer();
    return a->GetSortId() > b->GetSortId();
}

auto AppendTo = [](auto& list) { return [&list](auto* p) { list.items.push_back(p); }; };

// Marks an object as on one of the scene's lists; false when it already is.
bool MarkListed(asmClassObj* object, uint8_t mark) {
    if (!object || object->HasMark(mark)) return false;
    object->SetMark(mark, true);
    return true;
}

// Unmarks everything on a list and in what it holds back.
template <typename Items>
void Unmark(const Items& items, uint8_t mark) {
    for (auto* object : items)
        if (object) object->SetMark(mark, false);
}

}  // namespace

// ---- the scene ----

void SeedRandomAndSetUpKeys() {
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    CurrentInput().EnableUnicode(1);
    SetKeyRepeat(500, 30);
}

ddScene::ddScene() {
    drawables.compactedSize = &sortedCount;
    hover = 0;
    RequestRedraw();
    Dzwieki::ClearChannelTable();
    RecreateMouse();
}

ddScene::~ddScene() {
    delete cursor;
    cursor = nullptr;
    // Every scene hears the gone signal, so what it still lists is alive.
    Unmark(drawables.items, kListedDrawable);
    Unmark(drawables.held, kListedDrawable);
    Unmark(timers.items, kListedTimer);
    Unmark(timers.held, kListedTimer);
    Unmark(sounds.items, kListedSound);
    Unmark(sounds.held, kListedSound);
    Unmark(buttons.items, kListedOther);
    Unmark(buttons.held, kListedOther);
    if (g_shown == this) g_shown = nullptr;
    if (&CurrentStage() == this) SetStage(nullptr);
}

void ddScene::ObjectGone(asmClassObj& object, GoneReason) {
    const uint8_t marks = object.Marks();
    // Removing a drawable asks for a redraw even when it was not listed.
    if (marks & kDrawableMark) RemoveDrawable(static_cast<Obraz*>(&object));
    if (marks & kListedTimer) RemoveTimer(static_cast<StageTimer*>(&object));
    if (marks & kListedSound) RemoveSound(static_cast<StageSound*>(&object));
    if (marks & kListedOther) RemoveButton(static_cast<SceneButton*>(&object));
}

void ddScene::RequestRedraw() { flags.RedrawRequested = 1; }

void ddScene::RequestResort() { flags.ResortRequested = 1; }

void ddScene::PlaceDrawable(Obraz* obj) {
    auto& items = drawables.items;
    bool atEnd = items.empty() || !DrawsBefore(obj, items.back());
    items.push_back(obj);
    if (atEnd && sortedCount == items.size() - 1) sortedCount = items.size();
}

void ddScene::EnsureOrder() {
    auto& items = drawables.items;
    if (drawables.Walking() || sortedCount >= items.size()) return;
    auto middle = items.begin() + static_cast<ptrdiff_t>(sortedCount);
    std::sort(middle, items.end(), DrawsBefore);
    std::inplace_merge(items.begin(), middle, items.end(), DrawsBefore);
    sortedCount = items.size();
}

template <typename Fn>
void ddScene::WalkDrawables(Fn fn) {
    EnsureOrder();
    Walk(
        drawables, [this](Obraz* o) { PlaceDrawable(o); }, fn);
}

void ddScene::PlaceButton(SceneButton* b) {
    buttons.items.push_back(b);
    std::stable_sort(buttons.items.begin(), buttons.items.end(), ButtonBefore);
}

void ddScene::AddDrawable(Obraz* obj) {
    if (!MarkListed(obj, kListedDrawable)) return;
    if (drawing) drawListChanged = true;
    drawables.Add(obj, [this](Obraz* o) { PlaceDrawable(o); });
    RequestRedraw();
}

bool ddScene::TakeDrawable(Obraz* obj) {
    auto& items = drawables.items;
    if (!drawables.Walking()) {
        EnsureOrder();
        // Found by bisection while the order holds; otherwise by search.
        auto it = std::lower_bound(items.begin(), items.end(), obj, DrawsBefore);
        if (it != items.end() && *it == obj) {
            items.erase(it);
            --drawables.live;
            sortedCount = items.size();
            return true;
        }
    }
    bool found = drawables.Remove(obj);
    if (!drawables.Walking()) sortedCount = items.size();
    return found;
}

void ddScene::RemoveDrawable(Obraz* obj) {
    if (obj && obj->HasMark(kListedDrawable) && TakeDrawable(obj)) {
        obj->SetMark(kListedDrawable, false);
        if (drawing) drawListChanged = true;
    }
    RequestRedraw();
}

void ddScene::AddTimer(StageTimer* t) {
    if (MarkListed(t, kListedTimer)) timers.Add(t, AppendTo(timers));
}

void ddScene::RemoveTimer(StageTimer* t) {
    if (t && t->HasMark(kListedTimer) && timers.Remove(t)) t->SetMark(kListedTimer, false);
}

void ddScene::AddSound(StageSound* s) {
    if (MarkListed(s, kListedSound)) sounds.Add(s, AppendTo(sounds));
}

void ddScene::RemoveSound(StageSound* s) {
    if (s && s->HasMark(kListedSound) && sounds.Remove(s)) s->SetMark(kListedSound, false);
}

void ddScene::AddButton(SceneButton* b) {
    if (MarkListed(b, kListedOther)) buttons.Add(b, [this](SceneButton* p) { PlaceButton(p); });
}

void ddScene::RemoveButton(SceneButton* b) {
    if (b && b->HasMark(kListedOther) && buttons.Remove(b)) b->SetMark(kListedOther, false);
}

void ddScene::Sort() {
    if (drawables.Walking()) {
        flags.ResortRequested = 1;  // sorted once the walk is over
        return;
    }
    std::sort(drawables.items.begin(), drawables.items.end(), DrawsBefore);
    sortedCount = drawables.items.size();
}

void ddScene::UpdateTimers() {
    Walk(timers, AppendTo(timers), [](StageTimer* t) { t->Update(); });
}

void ddScene::CheckSounds() {
    Walk(sounds, AppendTo(sounds), [](StageSound* s) {
        if (s->finished.load() != 0 && !s->IsPaused()) {
            s->finished.store(0);
            s->OnFinished();
        }
    });
}

void ddScene::Frame() {
    if (frameDepth > 0) {
        // A redraw asked for from inside the frame: the frame draws anyway.
        RequestRedraw();
        return;
    }
    if (drawables.Live() == 0) return;
    ++frameDepth;
    EnsureOrder();
    if (flags.ResortRequested) {
        flags.ResortRequested = 0;
        Sort();
    }
    if (flags.UpdateRequested) WalkDrawables([](Obraz* o) { o->Tick(); });
    if (flags.ResortRequested) {
        flags.ResortRequested = 0;
        Sort();
    }
    bool redrawAgain = false;
    if (flags.RedrawRequested) {
        drawing = true;
        drawListChanged = false;
        WalkDrawables([](Obraz* o) { o->Draw(); });
        drawing = false;
        // What came or went while drawing shows at the next frame.
        redrawAgain = drawListChanged;
        if (cursor) {
            cursor->ClearRectUpdate();
            cursor->Draw();
        }
        if (flags.BlitAfterRedraw) GraphAPI::UpdateScreen();
    } else if (GetMouseMoved() && cursor) {
        cursor->RequestRestore();
        cursor->RequestRectUpdate();
        cursor->Draw();
    }
    flags.RedrawRequested = redrawAgain ? 1 : 0;
    --frameDepth;
}

void ddScene::DrawSnapshot(SDL_Surface* target, const Obraz* except) {
    if (!target) return;
    if (flags.ResortRequested) {
        flags.ResortRequested = 0;
        Sort();
    }
    // The target's pixels stay while what is drawn runs, whatever it does
    // to the picture that holds them.
    ++target->refcount;
    {
        GraphAPI::ScopedDrawTarget into(target);
        WalkDrawables([except](Obraz* o) {
            if (o != except) o->Draw();
        });
    }
    SDL_FreeSurface(target);
}

void ddScene::PauseAll() {
    Walk(
        buttons, [this](SceneButton* p) { PlaceButton(p); }, [](SceneButton* b) { b->Pause(); });
    Walk(sounds, AppendTo(sounds), [](StageSound* s) { s->Pause(); });
    Walk(timers, AppendTo(timers), [](StageTimer* t) { t->Pause(); });
    WalkDrawables([](Obraz* o) { o->Pause(); });
}

void ddScene::ResumeAll() {
    Walk(
        buttons, [this](SceneButton* p) { PlaceButton(p); }, [](SceneButton* b) { b->Resume(); });
    Walk(sounds, AppendTo(sounds), [](StageSound* s) { s->Resume(); });
    Walk(timers, AppendTo(timers), [](StageTimer* t) { t->Resume(); });
    WalkDrawables([](Obraz* o) { o->Resume(); });
}

void ddScene::SetVolume(int volume) {
    Dzwieki::SetMasterVolume(volume);
    const int master = Dzwieki::GetMasterVolume();
    Walk(sounds, AppendTo(sounds), [master](StageSound* s) { s->SetVolume(master); });
}

int ddScene::PressButtons(int x, int y) {
    int taken = 0;
    Walk(
        buttons, [this](SceneButton* p) { PlaceButton(p); },
        [&](SceneButton* b) {
            if (!taken && b->HandlePress(x, y)) taken = 1;
        });
    return taken;
}

int ddScene::ReleaseButtons(int x, int y) {
    int taken = 0;
    Walk(
        buttons, [this](SceneButton* p) { PlaceButton(p); },
        [&](SceneButton* b) {
            if (!taken && b->HandleRelease(x, y)) taken = 1;
        });
    return taken;
}

void ddScene::HoverButtons(int x, int y) {
    int sum = 0;
    Walk(
        buttons, [this](SceneButton* p) { PlaceButton(p); },
        [&](SceneButton* b) { sum += b->HandleHover(x, y); });
    if (sum != 0) {
        hover = 1;
    } else if (hover) {
        SceneButton::RestoreCursor();
        hover = 0;
    }
}

void ddScene::ResetHover() {
    hover = 0;
    SceneButton::RestoreCursor();
}

void ddScene::RecreateMouse() {
    delete cursor;
    cursor = nullptr;
    if (SceneCursor::Factory) cursor = SceneCursor::Factory();
}

Obraz* ddScene::FindTopmostAt(int x, int y, int a, int b, int lo, int hi) {
    EnsureOrder();
    const auto& items = drawables.items;
    Obraz* first = nullptr;
    for (Obraz* o : items)
        if (o) {
            first = o;
            break;
        }
    if (!first) return nullptr;
    Obraz* candidate = first;
    int candidateLayer = first->GetLayer();
    for (size_t i = 0; i < items.size(); ++i) {
        Obraz* o = items[i];
        if (!o) continue;
        int layer = o->GetLayer();
        if (layer > hi) break;
        if (layer < lo) continue;
        if (layer < candidateLayer || (layer == candidateLayer && o->GetId() <= candidate->GetId())) continue;
        if (o->IsIn(x, y, a, b)) {
            candidate = o;
            candidateLayer = layer;
        }
    }
    if (candidate == first) return candidateLayer >= lo && candidateLayer <= hi ? first : nullptr;
    return candidate;
}

ddScene& CurrentScene() {
    if (!g_shown) {
        std::fputs("no scene is shown\n", stderr);
        std::abort();
    }
    return *g_shown;
}

ScopedScene::ScopedScene(ddScene& scene) : previous(g_shown), previousStage(&CurrentStage()) {
    g_shown = &scene;
    SetStage(&scene);
}

ScopedScene::~ScopedScene() {
    g_shown = previous;
    SetStage(previousStage);
}

SceneButton::~SceneButton() { AnnounceGone(*this, GoneReason::Destroyed); }
