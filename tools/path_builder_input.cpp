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
#include "tools/path_builder.h"
#include "tools/ptf_view.h"

// ---------------------------------------------------------------- keys

bool pathbuilderGame::CommonKey() {
    if (IsKeyHeld(SDLK_ESCAPE)) {
        EnterInitial();
        return true;
    }
    if (IsModifierHeld(SDLK_LCTRL)) {
        // every key with left Ctrl is taken, matched or not
        if (IsKeyHeld('l')) {
            EnterBox(LOADING_BKG);
        } else if (IsKeyHeld('h')) {
            if (menu) {
                if (menu->IsVisible())
                    menu->Hide();
                else
                    menu->Show();
                SetRedraw();
            }
        } else if (IsKeyHeld('s')) {
            EnterBox(SAVE_PATH);
        } else if (IsKeyHeld('o')) {
            EnterBox(LOAD_PATH);
        } else if (IsKeyHeld('k')) {
            EnterBox(LOADING_AN);
        } else if (IsKeyHeld('i')) {
            if (previewsLayer.IsVisible())
                previewsLayer.Hide();
            else
                previewsLayer.Show();
            SetRedraw();
        } else if (IsKeyHeld('p')) {
            InitPos();
        }
        return true;
    }
    if (IsKeyHeld('v')) {
        EnterAdding();
        return true;
    }
    if (IsKeyHeld('z')) {
        EnterZooming();
        return true;
    }
    if (IsKeyHeld('p')) {
        EnterSetIdpath();
        return true;
    }
    return false;
}

void pathbuilderGame::BoxKey() {
    const int boxState = state;
    toolFileLoader* box = BoxOf(boxState);
    if (IsKeyHeld(SDLK_RETURN)) {
        EnterInitial();
        BoxAction(boxState);
    } else if (IsKeyHeld(SDLK_ESCAPE)) {
        if (box) box->RestoreText();
        EnterInitial();
    }
}

void pathbuilderGame::OnKeyDown() {
    switch (state) {
    case INITIAL:
    case ADDING:
    case ZOOMING:
    case MOVING_VERTEX:
    case SUWAKING:
    case SET_IDPATH:
        CommonKey();
        break;
    case ACTIVE_ADD:
        if (IsKeyHeld(SDLK_ESCAPE))
            EnterAdding();
        else
            CommonKey();
        break;
    case SET_VERTEX:
        if (CommonKey()) break;
        if (IsKeyHeld(SDLK_UP))
            MoveKnobBy(-1);
        else if (IsKeyHeld(SDLK_DOWN))
            MoveKnobBy(1);
        else if (IsKeyHeld(SDLK_LEFT))
            MoveKnobBy(-10);
        else if (IsKeyHeld(SDLK_RIGHT))
            MoveKnobBy(10);
        break;
    case WRITE_IDPATH:
        if (IsKeyHeld(SDLK_ESCAPE)) {
            EnterSetIdpath();
        } else if (IsKeyHeld(SDLK_RETURN)) {
            ddpathVertex* v = view ? view->GetVertex(activeVertex) : nullptr;
            if (v && idField) v->SetId(idField->GetNumber());
            if (view) view->RebuildView();
            EnterSetIdpath();
        }
        break;
    case LOAD_PATH:
    case SAVE_PATH:
    case LOADING_AN:
    case LOADING_BKG:
        BoxKey();
        break;
    default:  // moving all, moving rect
        break;
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
        EnterBox(LOAD_PATH);
    } else if (menu->IsSelected("savept")) {
        EnterBox(SAVE_PATH);
    } else if (menu->IsSelected("initpos")) {
        InitPos();
    } else if (menu->IsSelected("loadbg")) {
        EnterBox(LOADING_BKG);
    } else if (menu->IsSelected("anima")) {
        menu->Open("anima");
    } else if (menu->IsSelected("loadan")) {
        EnterBox(LOADING_AN);
    } else if (menu->IsSelected("closean")) {
        ClosePreviews();
        menu->Close(nullptr);
    }
}

void pathbuilderGame::SetVertexClick(int x, int y) {
    if (knob1 && knob1->HitTest(x, y)) {
        EnterSuwaking(knob1);
    } else if (knob2 && knob2->HitTest(x, y)) {
        EnterSuwaking(knob2);
    } else if (track1 && track1->HitTest(x, y)) {
        activeKnob = knob1;
        ApplySlider(y);
    } else if (track2 && track2->HitTest(x, y)) {
        activeKnob = knob2;
        ApplySlider(y);
    }
}

void pathbuilderGame::OnLeftDown() {
    const int x = GetMouseX(), y = GetMouseY();
    if (IsKeyDown(SDLK_SPACE)) {
        if (state != MOVING_ALL) EnterMovingAll();
        return;
    }
    switch (state) {
    case INITIAL:
        MenuClick(x, y);
        break;
    case ADDING:
        EnterActiveAdd(PickOrAdd(x, y));
        break;
    case ACTIVE_ADD:
        secondVertex = PickOrAdd(x, y);
        if (view) view->ConnectAndRebuild(activeVertex, secondVertex);
        activeVertex = secondVertex;
        break;
    case ZOOMING:
        if (!Select(x, y, MOVING_VERTEX)) EnterMovingRect(x, y);
        break;
    case SET_VERTEX:
        SetVertexClick(x, y);
        break;
    case SET_IDPATH:
        Select(x, y, WRITE_IDPATH);
        break;
    default:
        break;
    }
}

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
        }
    }
    if (pathfline* line = view->LineAt(x, y)) {
        view->GetGraph().Disconnect(line->GetFrom(), line->GetTo());
        view->RebuildView();
    }
}

void pathbuilderGame::OnRightDown() {
    const int x = GetMouseX(), y = GetMouseY();
    switch (state) {
    case ADDING:
        RemoveAt(x, y);
        break;
    case ACTIVE_ADD:
        EnterAdding();
        break;
    case ZOOMING:
    case SET_VERTEX:
        Select(x, y, SET_VERTEX);
        break;
    case SUWAKING:
        EnterSetVertex();
        break;
    default:
        break;
    }
}

void pathbuilderGame::FinishRectangle() {
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

void pathbuilderGame::OnLeftUp() {
    switch (state) {
    case MOVING_VERTEX:
        EnterZooming();
        break;
    case SUWAKING:
        EnterSetVertex();
        ApplySlider(GetMouseY());
        break;
    case MOVING_ALL:
        RestoreState();
        break;
    case MOVING_RECT:
        FinishRectangle();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- mouse motion

void pathbuilderGame::OnMouseMove() {
    const int x = GetMouseX(), y = GetMouseY();
    const int dx = SatSub(x, lastMouseX), dy = SatSub(y, lastMouseY);
    if (mouseText) {
        const std::string where = std::to_string(int64_t{x} - background.GetPosX()) + "," +
                                  std::to_string(int64_t{y} - background.GetPosY());
        mouseText->SetText(where.c_str());
    }
    switch (state) {
    case ADDING:
    case ZOOMING:
    case SET_IDPATH:
        ShowHoverMarker(x, y);
        break;
    case ACTIVE_ADD:
        if (view) ddbuildedptf::PlaceLine(&rubberLine, view->GetVertex(activeVertex), x, y, 2.0f);
        ShowHoverMarker(x, y);
        break;
    case MOVING_VERTEX:
        if (!view) break;
        PruneSelection();
        for (int i : selection) {
            view->MoveVertex(i, dx, dy, 0.0f);
            UpdatePreview(i, false);
        }
        view->RebuildView();
        ShowSelectionMarkers();
        break;
    case SET_VERTEX:
        if (IsKeyDown(SDLK_LCTRL)) {
            const int picked = PickVertex(x, y);
            if (picked >= 0) {
                ShowSelectionMarkers();
                AddMarker(view->GetVertex(picked));
            }
        }
        break;
    case SUWAKING:
        ApplySlider(y);
        break;
    case MOVING_ALL:
        Shift(dx, dy);
        break;
    case MOVING_RECT:
        RubberRectangle(x, y);
        break;
    default:
        break;
    }
    lastMouseX = x;
    lastMouseY = y;
}
