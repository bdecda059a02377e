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
bool Ctrl(const InputEvent& key) { return key.Modifier(SDLK_LCTRL); }
bool Shift(const InputEvent& key) { return key.Modifier(SDLK_LSHIFT); }

}  // namespace

void lumo2Game::OnKeyDown(const InputEvent& key) {
    if (auto run = Row(state).key) (this->*run)(key);
}

void lumo2Game::KeyInRename(const InputEvent& key) {
    if (key.Pressed(SDLK_RETURN) || key.Pressed(SDLK_ESCAPE)) SetState(kInitial);
    if (animation) animation->ServOnKeyDown(key);
}

void lumo2Game::KeyInSoundName(const InputEvent& key) {
    // Other keys already reached the focused sound-name text.
    if (key.Pressed(SDLK_RETURN) || key.Pressed(SDLK_KP_ENTER)) {
        ClearInputFocus();
        SetState(kInitial);
    }
}

void lumo2Game::KeyWhilePlaying(const InputEvent&) {
    // Its finish returns to "initial".
    if (built)
        built->Stop(true);
    else
        SetState(kInitial);
}

void lumo2Game::OnKeyUp(const InputEvent&) {
    if (state == kMoveChosen && !IsKeyDown(SDLK_m)) {
        chosen = nullptr;
        SetState(kInitial);
    }
}

void lumo2Game::KeyInPrompt(const InputEvent& key) {
    const bool number = state == kSetDelay || state == kSetMoveX;
    if (key.Pressed(SDLK_RETURN)) {
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
                if (Shift(key))
                    drawn.Move(0, moveStep);
                else
                    drawn.Move(moveStep, 0);
            }
            EndNumberPrompt();
        }
    } else if (key.Pressed(SDLK_ESCAPE)) {
        if (number)
            EndNumberPrompt();
        else
            EndPrompt();
    } else if (Ctrl(key) && key.Pressed(SDLK_p) && pathField) {
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

void lumo2Game::KeyInInitial(const InputEvent& key) {
    if (activeWindow == kDrawWindow && ArrowKeys(key)) return;
    if (state == kMoveChosen) return;

    const bool wasLocal = isLocal;
    if (Ctrl(key) && key.Pressed(SDLK_c))
        ToLocal();  // the pairs copy positions relative to the draw area
    else if (key.Pressed(SDLK_DELETE))
        ShowSelection(nullptr);  // nothing shown may be deleted under the scene

    if (Shift(key) && (key.Pressed(SDLK_PAGEUP) || key.Pressed(SDLK_PAGEDOWN))) {
        MoveUpperList(ActivePair(), key.Pressed(SDLK_PAGEUP) ? 100 : -100);
    } else {
        int code = 0;
        if (activeWindow == kImagesWindow && images) {
            code = images->ServOnKeyDown(key);
            if (code) {
                ShowSelection(images);
                images->KeepVisible(0, GraphAPI::CurrentVideo().AppHeight);
            }
        } else if (activeWindow == kAnimationWindow && animation) {
            code = animation->ServOnKeyDown(key);
            if (code) {
                ShowSelection(animation);
                animation->KeepVisible(0, GraphAPI::CurrentVideo().AppHeight);
            }
        }
        if (!code) KeyTable(key);
    }
    if (!wasLocal) ToScreen();
}

void lumo2Game::MoveUpperList(Pair* pair, int dy) {
    if (!pair) return;
    pair->Upper().Move(0, dy);
    pair->Arrange();
    SetRedraw();
}

bool lumo2Game::ArrowKeys(const InputEvent& key) {
    int dx = 0, dy = 0;
    if (key.Pressed(SDLK_UP))
        dy = -1;
    else if (key.Pressed(SDLK_DOWN))
        dy = 1;
    else if (key.Pressed(SDLK_LEFT))
        dx = -1;
    else if (key.Pressed(SDLK_RIGHT))
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

// The command keys, in the order they are tried.
const KeyCommand<lumo2Game> lumo2Game::kKeyCommands[] = {
    {SDLK_TAB, Chord::Any, [](lumo2Game& g, const InputEvent&) { g.nextwin(); }},
    {SDLK_SPACE, Chord::Any, [](lumo2Game& g, const InputEvent& key) { g.SpaceKey(key); }},
    {SDLK_RETURN, Chord::Any,
     [](lumo2Game& g, const InputEvent& key) {
         if (g.activeWindow != kImagesWindow || !g.PictureSelected()) return;
         g.ToLocal();
         g.NewActionFromSelection(key);
     }},
    {SDLK_LSHIFT, Chord::Any,
     [](lumo2Game& g, const InputEvent&) {
         if (g.activeWindow != kAnimationWindow || !g.animation) return;
         g.animation->SelectFrameRange();
         g.ShowSelection(g.animation);
     }},
    {SDLK_l, Chord::Ctrl, [](lumo2Game& g, const InputEvent&) { g.StartFilePrompt(kLoading); }},
    {SDLK_b, Chord::CtrlShift,
     [](lumo2Game& g, const InputEvent&) {
         const bool selected = (g.activeWindow == kAnimationWindow && g.FrameSelected()) ||
                               (g.activeWindow == kImagesWindow && g.PictureSelected());
         if (!selected || g.drawn.IsEmpty()) return;
         // A copy, so the shown picture keeps its place.
         Obraz copy;
         copy.Copy(g.drawn.At(0));
         g.SetBackground(&copy);
     }},
    {SDLK_b, Chord::Ctrl, [](lumo2Game& g, const InputEvent&) { g.StartFilePrompt(kLoadingBkg); }},
    {SDLK_h, Chord::Ctrl,
     [](lumo2Game& g, const InputEvent&) {
         if (g.built) g.built->Hide();
         g.ToggleLists();
     }},
    {SDLK_s, Chord::Ctrl, [](lumo2Game& g, const InputEvent&) { g.StartFilePrompt(kSaving); }},
    {SDLK_p, Chord::Ctrl, [](lumo2Game& g, const InputEvent&) { g.Play(); }},
    {SDLK_d, Chord::Ctrl,
     [](lumo2Game& g, const InputEvent&) { g.StartNumberPrompt(kSetDelay, "set delay:", g.delayValue); }},
    {SDLK_m, Chord::Ctrl,
     [](lumo2Game& g, const InputEvent&) {
         g.StartNumberPrompt(kSetMoveX, "move x(enter)/y(shift+enter):", g.moveStep);
     }},
    {SDLK_r, Chord::Ctrl,
     [](lumo2Game& g, const InputEvent&) {
         if (g.animation) g.animation->PasteReversed();
     }},
    {SDLK_n, Chord::Ctrl,
     [](lumo2Game& g, const InputEvent&) {
         if (g.activeWindow == kAnimationWindow) g.Renumber();
     }},
    {SDLK_f, Chord::Ctrl,
     [](lumo2Game& g, const InputEvent& key) {
         if (g.activeWindow == kAnimationWindow) g.CopySoundName(key);
     }},
    {SDLK_a, Chord::Ctrl,
     [](lumo2Game& g, const InputEvent&) {
         if (g.activeWindow == kAnimationWindow && g.FrameSelected()) g.animation->SelectAllFrames();
     }},
    {SDLK_1, Chord::Ctrl, [](lumo2Game& g, const InputEvent&) { g.ToggleSilhouette(); }},
    {SDLK_l, Chord::Shift,
     [](lumo2Game& g, const InputEvent&) {
         if (g.activeWindow != kAnimationWindow) return;
         if (g.ActionSelected()) {
             if (ActionManager* action = g.animation->Upper().LastSelected()->GetPayload())
                 action->SetLoop(action->Loops() ? 0 : 1);
             SetRedraw();
         } else if (g.FrameSelected() && g.drawn.Count() > 2) {
             g.SpreadOnLineByKey();
         }
     }},
    {SDLK_h, Chord::Shift,
     [](lumo2Game& g, const InputEvent&) {
         if (g.activeWindow != kAnimationWindow || !g.ActionSelected()) return;
         if (ActionManager* action = g.animation->Upper().LastSelected()->GetPayload())
             action->SetHide(action->Hides() ? 0 : 1);
         SetRedraw();
     }},
};

void lumo2Game::KeyTable(const InputEvent& key) { RunKeyCommand(kKeyCommands, *this, key); }

bool lumo2Game::PictureSelected() const {
    return images && images->Lower() && images->Lower()->SelectedCount() > 0;
}

void lumo2Game::SpaceKey(const InputEvent& key) {
    if (activeWindow == kImagesWindow && PictureSelected()) {
        ToLocal();
        SpaceInImages(key);
    } else if (activeWindow == kAnimationWindow && animation) {
        if (Shift(key)) {
            if (lumoObraz* frame = LastSelectedFrame()) {
                SetState(kSetSndName);
                SetInputFocus(frame->GetSoundText());
            }
        } else if (animation->StartWriting()) {
            SetState(kSetName);
        }
    }
}

void lumo2Game::StartFilePrompt(int promptState) {
    SetState(promptState);
    filePanel.Show();
    SetInputFocus(pathField);
}

void lumo2Game::StartNumberPrompt(int promptState, const char* prompt, int value) {
    SetState(promptState);
    if (promptText) promptText->SetText(prompt);
    if (numberField) numberField->SetText(value);
    numberPanel.Show();
    SetInputFocus(numberField);
}

void lumo2Game::SpaceInImages(const InputEvent& key) {
    if (key.Modifier(SDLK_RSHIFT)) {
        NewEmptyAction();
        return;
    }
    const bool target = animation->Upper().SelectedCount() > 0 || FrameSelected();
    if (!target) {
        NewActionFromSelection(key);
        return;
    }
    ddObrazContainer rows;  // the selected picture rows, not owned
    ActionManager* group = images->Lower();
    for (int i = 0; i < group->SelectedCount(); ++i) rows.Add(group->SelectedAt(i));
    animation->AddFrames(&rows);
    rows.Clear();
}

void lumo2Game::NewActionFromSelection(const InputEvent& key) {
    ActionManager* group = images ? images->Lower() : nullptr;
    if (!group || group->SelectedCount() == 0 || !animation) return;
    if (!animation->SomethingSelected()) animation->Upper().SelectLastOrHeader();
    std::string name = "new";
    if (Shift(key))
        name = std::to_string(actionCounter++);
    else if (Ctrl(key))
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

void lumo2Game::CopySoundName(const InputEvent& key) {
    lumoObraz* frame = LastSelectedFrame();
    if (!frame) return;
    if (Shift(key)) {
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
