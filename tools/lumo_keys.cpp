// The animation editor's keyboard: prompts, renaming, playing, and the
// command keys of the initial state.
#include <SDL/SDL.h>

#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "graphics/text.h"
#include "platform/input_state.h"
#include "scene/scene.h"
#include "shell/engine_path.h"
#include "tools/lumo_game.h"

namespace {

// The command keys' modifiers, as the key event being handled records them.
bool Ctrl() { return IsModifierHeld(SDLK_LCTRL) != 0; }
bool Shift() { return IsModifierHeld(SDLK_LSHIFT) != 0; }

}  // namespace

void lumo2Game::OnKeyDown() {
    switch (state) {
    case kLoading:
    case kLoadingBkg:
    case kSaving:
    case kSetDelay:
    case kSetMoveX:
        KeyInPrompt();
        break;
    case kSetName:
        if (IsKeyHeld(SDLK_RETURN) || IsKeyHeld(SDLK_ESCAPE)) SetState(kInitial);
        if (animation) animation->ServOnKeyDown();
        break;
    case kSetSndName:
        // Other keys already reached the focused sound-name text.
        if (IsKeyHeld(SDLK_RETURN) || IsKeyHeld(SDLK_KP_ENTER)) {
            ClearInputFocus();
            SetState(kInitial);
        }
        break;
    case kPlaying:
        // Its finish returns to "initial".
        if (built)
            built->Stop(true);
        else
            SetState(kInitial);
        break;
    case kInitial:
    case kMoveChosen:
        KeyInInitial();
        break;
    default:
        break;
    }
}

void lumo2Game::OnKeyUp() {
    if (state == kMoveChosen && !IsKeyDown(SDLK_m)) {
        chosen = nullptr;
        SetState(kInitial);
    }
}

void lumo2Game::KeyInPrompt() {
    const bool number = state == kSetDelay || state == kSetMoveX;
    if (IsKeyHeld(SDLK_RETURN)) {
        if (fileField && HasInputFocus(fileField)) {
            if (state == kSaving) {
                SaveFile();
            } else if (state == kLoadingBkg) {
                LoadBackground(FullPath().c_str());
            } else if (state == kLoading) {
                Open();
            }
            EndPrompt();
        } else if (pathField && HasInputFocus(pathField)) {
            SetInputFocus(fileField);
        } else if (numberField && HasInputFocus(numberField)) {
            const int value = TextToInt(numberField->GetText());
            if (state == kSetDelay) {
                delayValue = Clamp(value, 1, 100);
            } else if (state == kSetMoveX) {
                moveStep = Clamp(value, -1000, 1000);
                if (Shift())
                    drawn.Move(0, moveStep);
                else
                    drawn.Move(moveStep, 0);
            }
            EndNumberPrompt();
        }
    } else if (IsKeyHeld(SDLK_ESCAPE)) {
        if (number)
            EndNumberPrompt();
        else
            EndPrompt();
    } else if (Ctrl() && IsKeyHeld(SDLK_p) && pathField) {
        pathField->SetText(GetEnginePath());
    }
}

lumo2Game::Pair* lumo2Game::ActivePair() const {
    if (activeWindow == kImagesWindow) return images;
    if (activeWindow == kAnimationWindow) return animation;
    return nullptr;
}

bool lumo2Game::FrameSelected() const {
    return animation && animation->Lower() && animation->Lower()->SelectedCount() > 0;
}

bool lumo2Game::ActionSelected() const { return animation && animation->Upper().SelectedCount() > 0; }

lumoObraz* lumo2Game::LastSelectedFrame() const {
    if (!FrameSelected()) return nullptr;
    return animation->Lower()->LastSelected()->GetPayload();
}

void lumo2Game::KeyInInitial() {
    if (activeWindow == kDrawWindow && ArrowKeys()) return;
    if (state == kMoveChosen) return;

    const bool wasLocal = isLocal;
    if (Ctrl() && IsKeyHeld(SDLK_c))
        ToLocal();  // the pairs copy positions relative to the draw area
    else if (IsKeyHeld(SDLK_DELETE))
        ShowSelection(nullptr);  // nothing shown may be deleted under the scene

    if (Shift() && (IsKeyHeld(SDLK_PAGEUP) || IsKeyHeld(SDLK_PAGEDOWN))) {
        MoveUpperList(ActivePair(), IsKeyHeld(SDLK_PAGEUP) ? 100 : -100);
    } else {
        int code = 0;
        if (activeWindow == kImagesWindow && images) {
            code = images->ServOnKeyDown();
            if (code) {
                ShowSelection(images);
                images->KeepVisible(0, GraphAPI::CurrentVideo().AppHeight);
            }
        } else if (activeWindow == kAnimationWindow && animation) {
            code = animation->ServOnKeyDown();
            if (code) {
                ShowSelection(animation);
                animation->KeepVisible(0, GraphAPI::CurrentVideo().AppHeight);
            }
        }
        if (!code) KeyTable();
    }
    if (!wasLocal) ToScreen();
}

void lumo2Game::MoveUpperList(Pair* pair, int dy) {
    if (!pair) return;
    pair->Upper().Move(0, dy);
    pair->Arrange();
    SetRedraw();
}

bool lumo2Game::ArrowKeys() {
    int dx = 0, dy = 0;
    if (IsKeyHeld(SDLK_UP))
        dy = -1;
    else if (IsKeyHeld(SDLK_DOWN))
        dy = 1;
    else if (IsKeyHeld(SDLK_LEFT))
        dx = -1;
    else if (IsKeyHeld(SDLK_RIGHT))
        dx = 1;
    else
        return false;
    if (drawn.IsEmpty()) return false;
    if (state == kMoveChosen) {
        if (chosen) chosen->Move(dx, dy);
        return true;
    }
    if (!IsKeyDown(SDLK_SPACE) || !drawArea) {
        drawn.Move(dx, dy);
        return true;
    }
    Obraz* first = drawn.At(0);
    Obraz* last = drawn.At(drawn.Count() - 1);
    if (dy < 0)
        drawn.Move(0, drawArea->GetY() - last->GetY());
    else if (dy > 0 && bottomGuide)
        drawn.Move(0, bottomGuide->GetY() - last->GetEndY());
    else if (dx < 0)
        drawn.Move(drawArea->GetX() - first->GetX(), 0);
    else if (dx > 0)
        drawn.Move(drawArea->GetEndX() - first->GetEndX(), 0);
    return true;
}

bool lumo2Game::KeyTable() {
    const bool ctrl = Ctrl(), shift = Shift();
    const bool pictureSelected = images && images->Lower() && images->Lower()->SelectedCount() > 0;
    if (IsKeyHeld(SDLK_TAB)) {
        nextwin();
    } else if (IsKeyHeld(SDLK_SPACE)) {
        if (activeWindow == kImagesWindow && pictureSelected) {
            ToLocal();
            SpaceInImages();
        } else if (activeWindow == kAnimationWindow && animation) {
            if (shift) {
                if (lumoObraz* frame = LastSelectedFrame()) {
                    SetState(kSetSndName);
                    SetInputFocus(frame->GetSoundText());
                }
            } else if (animation->StartWriting()) {
                SetState(kSetName);
            }
        }
    } else if (IsKeyHeld(SDLK_RETURN)) {
        if (activeWindow == kImagesWindow && pictureSelected) {
            ToLocal();
            NewActionFromSelection();
        }
    } else if (IsKeyHeld(SDLK_LSHIFT)) {
        if (activeWindow == kAnimationWindow && animation) {
            animation->SelectFrameRange();
            ShowSelection(animation);
        }
    } else if (ctrl) {
        if (IsKeyHeld(SDLK_l)) {
            SetState(kLoading);
            filePanel.Show();
            SetInputFocus(pathField);
        } else if (IsKeyHeld(SDLK_b)) {
            if (shift) {
                const bool selected = (activeWindow == kAnimationWindow && FrameSelected()) ||
                                      (activeWindow == kImagesWindow && pictureSelected);
                if (selected && !drawn.IsEmpty()) {
                    // A copy, so the shown picture keeps its place.
                    Obraz copy;
                    copy.Copy(drawn.At(0));
                    SetBackground(&copy);
                }
            } else {
                SetState(kLoadingBkg);
                filePanel.Show();
                SetInputFocus(pathField);
            }
        } else if (IsKeyHeld(SDLK_h)) {
            if (built) built->Hide();
            ToggleLists();
        } else if (IsKeyHeld(SDLK_s)) {
            SetState(kSaving);
            filePanel.Show();
            SetInputFocus(pathField);
        } else if (IsKeyHeld(SDLK_p)) {
            Play();
        } else if (IsKeyHeld(SDLK_d)) {
            SetState(kSetDelay);
            if (promptText) promptText->SetText("set delay:");
            if (numberField) numberField->SetText(delayValue);
            numberPanel.Show();
            SetInputFocus(numberField);
        } else if (IsKeyHeld(SDLK_m)) {
            SetState(kSetMoveX);
            if (promptText) promptText->SetText("move x(enter)/y(shift+enter):");
            if (numberField) numberField->SetText(moveStep);
            numberPanel.Show();
            SetInputFocus(numberField);
        } else if (IsKeyHeld(SDLK_r)) {
            if (animation) animation->PasteReversed();
        } else if (IsKeyHeld(SDLK_n)) {
            if (activeWindow == kAnimationWindow) Renumber();
        } else if (IsKeyHeld(SDLK_f)) {
            if (activeWindow == kAnimationWindow) CopySoundName();
        } else if (IsKeyHeld(SDLK_a)) {
            if (activeWindow == kAnimationWindow && FrameSelected()) animation->SelectAllFrames();
        } else if (IsKeyHeld(SDLK_1)) {
            ToggleSilhouette();
        } else {
            return false;
        }
    } else if (shift && IsKeyHeld(SDLK_l)) {
        if (activeWindow != kAnimationWindow) return false;
        if (ActionSelected()) {
            if (ActionManager* action = animation->Upper().LastSelected()->GetPayload())
                action->SetLoop(action->Loops() ? 0 : 1);
            SetRedraw();
        } else if (FrameSelected() && drawn.Count() > 2) {
            SpreadOnLineByKey();
        }
    } else if (shift && IsKeyHeld(SDLK_h)) {
        if (activeWindow != kAnimationWindow || !ActionSelected()) return false;
        if (ActionManager* action = animation->Upper().LastSelected()->GetPayload())
            action->SetHide(action->Hides() ? 0 : 1);
        SetRedraw();
    } else {
        return false;
    }
    return true;
}

void lumo2Game::SpaceInImages() {
    if (IsModifierHeld(SDLK_RSHIFT)) {
        NewEmptyAction();
        return;
    }
    const bool target = animation->Upper().SelectedCount() > 0 || FrameSelected();
    if (!target) {
        NewActionFromSelection();
        return;
    }
    ddObrazContainer rows;  // the selected picture rows, not owned
    ActionManager* group = images->Lower();
    for (int i = 0; i < group->SelectedCount(); ++i) rows.Add(group->SelectedAt(i));
    animation->AddFrames(&rows);
    rows.Clear();
}

void lumo2Game::NewActionFromSelection() {
    ActionManager* group = images ? images->Lower() : nullptr;
    if (!group || group->SelectedCount() == 0 || !animation) return;
    if (!animation->SomethingSelected()) animation->Upper().SelectLastOrHeader();
    std::string name = "new";
    if (Shift())
        name = std::to_string(actionCounter++);
    else if (Ctrl())
        name = group->SelectedAt(0)->GetText();
    ActionManager* action = animation->NewAction(name.c_str());
    if (!action) return;
    action->SelectHeader();
    ddObrazContainer rows;  // the selected picture rows, not owned
    for (int i = 0; i < group->SelectedCount(); ++i) rows.Add(group->SelectedAt(i));
    action->InsertCopies(&rows);
    rows.Clear();
    animation->ChooseAction(action);
}

void lumo2Game::NewEmptyAction() {
    if (!animation) return;
    ActionManager* action = animation->NewAction("empty");
    if (!action) return;
    action->SelectHeader();
    auto* empty = new lumoObraz;
    if (auto* row = action->InsertRow(empty, "empty", 1))
        row->AdoptPayload(empty);
    else
        delete empty;
    action->Expand();
    animation->Upper().ClearSelection();
    if (animation->Lower()) animation->Lower()->ClearSelection();
    action->ClearSelection();
    animation->Arrange();
}

void lumo2Game::Renumber() {
    if (!animation) return;
    if (FrameSelected()) {
        animation->Lower()->LastSelected()->SetText("0");
    } else if (ActionSelected()) {
        ActionManager* action = animation->Upper().LastSelected()->GetPayload();
        if (!action) return;
        for (int i = 0; i < action->RowCount(); ++i) action->GetRow(i)->SetText(i);
    }
    SetRedraw();
}

void lumo2Game::CopySoundName() {
    lumoObraz* frame = LastSelectedFrame();
    if (!frame) return;
    if (Shift()) {
        if (copiedSound.Length() > 0) frame->GetSoundText()->SetText(copiedSound.c_str());
    } else {
        copiedSound = frame->GetSoundName();
    }
    SetRedraw();
}

void lumo2Game::Play() {
    if (!animation) return;
    if (!listsHidden) ToggleLists();
    ShowSelection(animation);
    if (!BuildAnimation(kPlayName, false)) return;
    ShowSelection(nullptr);
    built->SetLayer(kPlayLayer);
    built->SetUserData(reinterpret_cast<intptr_t>(this));
    built->SetFinishCallback(&lumo2Game::PlayFinished);
    CurrentStage().AddDrawable(built);
    SetState(kPlaying);
    if (animation->Upper().SelectedCount() > 0)
        built->PlayByName(WordName(animation->Upper().LastSelected()->GetText()).c_str());
    else
        built->Play(0);
    SetRedraw();
}

void lumo2Game::PlayFinished(intptr_t userData, Sygnal*) {
    auto* game = reinterpret_cast<lumo2Game*>(userData);
    if (game && game->state == kPlaying) game->SetState(kInitial);
}
