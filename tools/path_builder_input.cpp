// The walk-path editor's mouse and key hooks.
#include <cstdint>
#include <cstdio>
#include <string>

#include "foundation/arrays.h"
#include "foundation/saturating.h"
#include "graphics/canvas.h"
#include "graphics/stage.h"
#include "graphics/text.h"
#include "platform/input_state.h"
#include "shell/menu.h"
#include "tools/file_loader.h"
#include "tools/key_table.h"
#include "tools/path_builder.h"
#include "tools/ptf_view.h"

// ---------------------------------------------------------------- keys

// Esc, the commands with left Ctrl and the letters that enter a state, in
// the order they are tried.
const KeyCommand<pathbuilderGame> pathbuilderGame::kCommonKeys[] = {
    {SDLK_ESCAPE, Chord::Any, [](pathbuilderGame& g, const InputEvent&) { g.EnterInitial(); }},
    {SDLK_l, Chord::Ctrl, [](pathbuilderGame& g, const InputEvent&) { g.EnterBox(kLoadingBkg); }},
    {SDLK_h, Chord::Ctrl,
     [](pathbuilderGame& g, const InputEvent&) {
         if (!g.menu) return;
         if (g.menu->IsVisible())
             g.menu->Hide();
         else
             g.menu->Show();
         SetRedraw();
     }},
    {SDLK_s, Chord::Ctrl, [](pathbuilderGame& g, const InputEvent&) { g.EnterBox(kSavePath); }},
    {SDLK_o, Chord::Ctrl, [](pathbuilderGame& g, const InputEvent&) { g.EnterBox(kLoadPath); }},
    {SDLK_k, Chord::Ctrl, [](pathbuilderGame& g, const InputEvent&) { g.EnterBox(kLoadingAn); }},
    {SDLK_i, Chord::Ctrl,
     [](pathbuilderGame& g, const InputEvent&) {
         if (g.previewsLayer.IsVisible())
             g.previewsLayer.Hide();
         else
             g.previewsLayer.Show();
         SetRedraw();
     }},
    {SDLK_p, Chord::Ctrl, [](pathbuilderGame& g, const InputEvent&) { g.InitPos(); }},
    {SDLK_v, Chord::NoCtrl, [](pathbuilderGame& g, const InputEvent&) { g.EnterAdding(); }},
    {SDLK_z, Chord::NoCtrl, [](pathbuilderGame& g, const InputEvent&) { g.EnterZooming(); }},
    {SDLK_p, Chord::NoCtrl, [](pathbuilderGame& g, const InputEvent&) { g.EnterSetIdpath(); }},
};

bool pathbuilderGame::CommonKey(const InputEvent& key) {
    // Every key with left Ctrl is taken, matched or not.
    return RunKeyCommand(kCommonKeys, *this, key) || key.Modifier(SDLK_LCTRL);
}

void pathbuilderGame::BoxKey(const InputEvent& key) {
    const int boxState = state;
    toolFileLoader* box = BoxOf(boxState);
    if (key.Pressed(SDLK_RETURN)) {
        EnterInitial();
        BoxAction(boxState);
    } else if (key.Pressed(SDLK_ESCAPE)) {
        if (box) box->RestoreText();
        EnterInitial();
    }
}

void pathbuilderGame::KeyCommon(const InputEvent& key) { CommonKey(key); }

void pathbuilderGame::KeyActiveAdd(const InputEvent& key) {
    if (key.Pressed(SDLK_ESCAPE))
        EnterAdding();
    else
        CommonKey(key);
}

void pathbuilderGame::KeySetVertex(const InputEvent& key) {
    if (CommonKey(key)) return;
    const bool spread = key.Modifier(SDLK_LSHIFT);
    if (key.Pressed(SDLK_UP))
        MoveKnobBy(-1, spread);
    else if (key.Pressed(SDLK_DOWN))
        MoveKnobBy(1, spread);
    else if (key.Pressed(SDLK_LEFT))
        MoveKnobBy(-10, spread);
    else if (key.Pressed(SDLK_RIGHT))
        MoveKnobBy(10, spread);
}

void pathbuilderGame::KeyWriteIdpath(const InputEvent& key) {
    if (key.Pressed(SDLK_ESCAPE)) {
        EnterSetIdpath();
    } else if (key.Pressed(SDLK_RETURN)) {
        ddpathVertex* v = view ? view->GetVertex(activeVertex) : nullptr;
        if (v && idField) v->SetId(idField->GetNumber());
        if (view) view->RebuildView();
        EnterSetIdpath();
    }
}

// ---------------------------------------------------------------- mouse buttons

void pathbuilderGame::MenuClick(int x, int y) {
    if (!menu) return;
    if (!menu->IsVisible() || !menu->IsIn(x, y, 1, 1)) {
        menu->Close(nullptr);
        return;
    }
    if (menu->IsSelected("game")) {
        menu->Open("game");
    } else if (menu->IsSelected("exit")) {
        Exit("exit");
    } else if (menu->IsSelected("addrem")) {
        EnterAdding();
    } else if (menu->IsSelected("zoom")) {
        EnterZooming();
    } else if (menu->IsSelected("setpath")) {
        EnterSetIdpath();
    } else if (menu->IsSelected("loadpt")) {
        EnterBox(kLoadPath);
    } else if (menu->IsSelected("savept")) {
        EnterBox(kSavePath);
    } else if (menu->IsSelected("initpos")) {
        InitPos();
    } else if (menu->IsSelected("loadbg")) {
        EnterBox(kLoadingBkg);
    } else if (menu->IsSelected("anima")) {
        menu->Open("anima");
    } else if (menu->IsSelected("loadan")) {
        EnterBox(kLoadingAn);
    } else if (menu->IsSelected("closean")) {
        ClosePreviews();
        menu->Close(nullptr);
    }
}

void pathbuilderGame::SetVertexClick(int x, int y) {
    if (knob1 && knob1->HitTest(x, y)) {
        EnterSuwaking(knob1, y);
    } else if (knob2 && knob2->HitTest(x, y)) {
        EnterSuwaking(knob2, y);
    } else if (track1 && track1->HitTest(x, y)) {
        activeKnob = knob1;
        ApplySlider(y);
    } else if (track2 && track2->HitTest(x, y)) {
        activeKnob = knob2;
        ApplySlider(y);
    }
}

void pathbuilderGame::AddingClick(int x, int y) { EnterActiveAdd(PickOrAdd(x, y)); }

void pathbuilderGame::ActiveAddClick(int x, int y) {
    secondVertex = PickOrAdd(x, y);
    if (view) view->ConnectAndRebuild(activeVertex, secondVertex);
    activeVertex = secondVertex;
}

void pathbuilderGame::ZoomingClick(int x, int y) {
    if (!Select(x, y, kMovingVertex)) EnterMovingRect(x, y);
}

void pathbuilderGame::SetIdpathClick(int x, int y) { Select(x, y, kWriteIdpath); }

void pathbuilderGame::RemoveAt(int x, int y) {
    if (!view) return;
    if (view->GetGraph().HasVertices()) {
        const float d = view->DistanceToGraph(x, y);
        if (d >= 0.0f && d <= 20.0f) {
            const int nearest = view->NearestVertex(x, y);
            view->GetGraph().RemoveVertex(nearest);
            DropFromSelection(nearest);
            if (activeVertex == nearest) activeVertex = -1;
            if (secondVertex == nearest) secondVertex = -1;
            view->RebuildView();
            SyncPreviews();
        }
    }
    if (pathfline* line = view->LineAt(x, y)) {
        view->GetGraph().Disconnect(line->GetFrom(), line->GetTo());
        view->RebuildView();
    }
}

void pathbuilderGame::LeaveActiveAdd(int, int) { EnterAdding(); }

void pathbuilderGame::DepthSelect(int x, int y) { Select(x, y, kSetVertex); }

void pathbuilderGame::LeaveSuwaking(int, int) { EnterSetVertex(); }

void pathbuilderGame::FinishRectangle(int, int) {
    PruneSelection();
    if (selection.empty()) {
        EnterZooming();
        return;
    }
    // the lowest vertex on the screen first
    std::vector<ddpathVertex*> byY;
    for (int i : selection) byY.push_back(view->GetVertex(i));
    ArrQuickSort(0, static_cast<int>(byY.size()), byY.data(),
                 [](const ddpathVertex* pivot, const ddpathVertex* v) { return v->GetY() > pivot->GetY(); });
    selection.clear();
    for (const ddpathVertex* v : byY) selection.push_back(v->GetIndex());
    EnterSetVertex();
}

void pathbuilderGame::DropVertex(int, int) { EnterZooming(); }

void pathbuilderGame::ReleaseKnob(int, int y) {
    EnterSetVertex();
    ApplySlider(y);
}

void pathbuilderGame::EndMovingAll(int, int) { RestoreState(); }

// ---------------------------------------------------------------- mouse motion

void pathbuilderGame::HoverMove(int x, int y, int, int) { ShowHoverMarker(x, y); }

void pathbuilderGame::RubberLineMove(int x, int y, int, int) {
    if (view) ddbuildedptf::PlaceLine(&rubberLine, view->GetVertex(activeVertex), x, y, 2.0f);
    ShowHoverMarker(x, y);
}

void pathbuilderGame::DragVertices(int, int, int dx, int dy) {
    if (!view) return;
    PruneSelection();
    for (int i : selection) {
        view->MoveVertex(i, dx, dy, 0.0f);
        UpdatePreview(i, false);
    }
    view->RebuildView();
    ShowSelectionMarkers();
}

void pathbuilderGame::CtrlPickMove(int x, int y, int, int) {
    if (!IsKeyDown(SDLK_LCTRL)) return;
    const int picked = PickVertex(x, y);
    if (picked >= 0) {
        ShowSelectionMarkers();
        AddMarker(view->GetVertex(picked));
    }
}

void pathbuilderGame::KnobMove(int, int y, int, int) { ApplySlider(y); }

void pathbuilderGame::ShiftMove(int, int, int dx, int dy) { Shift(dx, dy); }

void pathbuilderGame::RubberRectMove(int x, int y, int, int) { RubberRectangle(x, y); }

// ---------------------------------------------------------------- the states

using P = pathbuilderGame;

// In the order of the states: name, key, left down, right down, left up,
// move.
const pathbuilderGame::StateRow pathbuilderGame::kStates[kStateCount] = {
    {"initial", &P::KeyCommon, &P::MenuClick, nullptr, nullptr, nullptr},
    {"adding/removing v/e", &P::KeyCommon, &P::AddingClick, &P::RemoveAt, nullptr, &P::HoverMove},
    {"active add", &P::KeyActiveAdd, &P::ActiveAddClick, &P::LeaveActiveAdd, nullptr, &P::RubberLineMove},
    {"zooming", &P::KeyCommon, &P::ZoomingClick, &P::DepthSelect, nullptr, &P::HoverMove},
    {"moving vertex", &P::KeyCommon, nullptr, nullptr, &P::DropVertex, &P::DragVertices},
    {"set vertex", &P::KeySetVertex, &P::SetVertexClick, &P::DepthSelect, nullptr, &P::CtrlPickMove},
    {"suwaking", &P::KeyCommon, nullptr, &P::LeaveSuwaking, &P::ReleaseKnob, &P::KnobMove},
    {"set idpath", &P::KeyCommon, &P::SetIdpathClick, nullptr, nullptr, &P::HoverMove},
    {"write idpath", &P::KeyWriteIdpath, nullptr, nullptr, nullptr, nullptr},
    {"load path", &P::BoxKey, nullptr, nullptr, nullptr, nullptr},
    {"save path", &P::BoxKey, nullptr, nullptr, nullptr, nullptr},
    {"moving all", nullptr, nullptr, nullptr, &P::EndMovingAll, &P::ShiftMove},
    {"moving rect", nullptr, nullptr, nullptr, &P::FinishRectangle, &P::RubberRectMove},
    {"loading an", &P::BoxKey, nullptr, nullptr, nullptr, nullptr},
    {"loading bkg", &P::BoxKey, nullptr, nullptr, nullptr, nullptr},
};

const pathbuilderGame::StateRow& pathbuilderGame::Row(int s) {
    static constexpr StateRow kNone{"", nullptr, nullptr, nullptr, nullptr, nullptr};
    return s >= 0 && s < kStateCount ? kStates[s] : kNone;
}

const char* pathbuilderGame::StateName(int s) { return Row(s).name; }

void pathbuilderGame::OnKeyDown(const InputEvent& key) {
    if (auto run = Row(state).key) (this->*run)(key);
}

void pathbuilderGame::OnLeftDown(const InputEvent& click) {
    if (IsKeyDown(SDLK_SPACE)) {
        if (state != kMovingAll) EnterMovingAll();
        return;
    }
    if (auto run = Row(state).leftDown) (this->*run)(click.x, click.y);
}

void pathbuilderGame::OnRightDown(const InputEvent& click) {
    if (auto run = Row(state).rightDown) (this->*run)(click.x, click.y);
}

void pathbuilderGame::OnLeftUp(const InputEvent& click) {
    if (auto run = Row(state).leftUp) (this->*run)(click.x, click.y);
}

void pathbuilderGame::OnMouseMove(const InputEvent& move) {
    const int x = move.x, y = move.y;
    const int dx = SatSub(x, lastMouseX), dy = SatSub(y, lastMouseY);
    if (mouseText) {
        const std::string where = std::to_string(int64_t{x} - background.GetPosX()) + "," +
                                  std::to_string(int64_t{y} - background.GetPosY());
        mouseText->SetText(where.c_str());
    }
    if (auto run = Row(state).move) (this->*run)(x, y, dx, dy);
    lastMouseX = x;
    lastMouseY = y;
}
