// The animation editor's mouse: choosing windows and list rows, moving
// pictures and the background, spreading pictures along a line or the
// mouse's path, and ghosts.
#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/stage.h"
#include "graphics/text.h"
#include "platform/input_state.h"
#include "scene/scene.h"
#include "tools/lumo_game.h"

namespace {

int Trunc(float v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0f) return 2147483647;
    if (v <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<int>(v);
}

}  // namespace

void lumo2Game::OnLeftDown(const InputEvent& click) {
    if (auto run = Row(state).leftDown) (this->*run)(click);
}

void lumo2Game::ClickInInitial(const InputEvent& click) {
    const int x = click.x, y = click.y;
    if (x > listPanelWidth) {
        ActivateDraw();
        lastMouseX = dragStartX = x;
        lastMouseY = dragStartY = y;
        if (IsKeyDown(SDLK_m)) {
            Obraz* hit = CurrentScene().FindTopmostAt(x, y, 1, 1, kPictureLayer, kPictureLayer);
            // Only a shown picture under the point may be chosen.
            if (hit && drawn.IndexOf(hit) >= 0 && hit->IsIn(x, y, 1, 1)) {
                chosen = hit;
                SetState(kMoveChosen);
            }
        } else if (IsKeyDown(SDLK_SPACE)) {
            SetState(kMoveBkg);
        } else if (IsKeyDown(SDLK_LSHIFT)) {
            if (!drawn.IsEmpty()) {
                spreadCount = drawn.Count();
                SetState(kFramesAlongLine);
                SetOrigin();
            }
        } else if (IsKeyDown(SDLK_LCTRL)) {
            if (drawn.IsEmpty()) {
                FreePath();
            } else {
                SetState(kFramesAlongMouse);
                if (path.empty()) {
                    SetOrigin();
                    path.push_back(PathPoint{x, y, 0.0f});
                    pathLength = 0.0f;
                } else {
                    // A kept path goes on from where it began.
                    lastMouseX = dragStartX = path.front().x;
                    lastMouseY = dragStartY = path.front().y;
                }
            }
        } else {
            SetState(kMoveAll);
        }
    } else if (images && images->OnClick(click)) {
        ActivateImages();
    } else if (animation && animation->OnClick(click)) {
        ActivateAnimation();
    }
}

void lumo2Game::ClickInPrompt(const InputEvent& click) {
    if (pathField && pathField->IsIn(click.x, click.y, 1, 0))
        SetInputFocus(pathField);
    else if (fileField && fileField->IsIn(click.x, click.y, 1, 0))
        SetInputFocus(fileField);
}

void lumo2Game::SetOrigin() {
    if (drawn.IsEmpty()) return;
    Obraz* first = drawn.At(0);
    originX = first->GetPosX();
    originY = first->GetPosY();
    drawn.SetPos(originX, originY);
}

void lumo2Game::OnMouseMove(const InputEvent& move) {
    const int x = move.x, y = move.y;
    const int dx = x - lastMouseX, dy = y - lastMouseY;
    lastMouseX = x;
    lastMouseY = y;
    if (mouseText) mouseText->SetText(("mouse pos: " + std::to_string(x) + " " + std::to_string(y)).c_str());
    if (auto run = Row(state).move) (this->*run)(x, y, dx, dy);
}

void lumo2Game::DragAll(int, int, int dx, int dy) { drawn.Move(dx, dy); }

void lumo2Game::DragChosen(int, int, int dx, int dy) {
    if (chosen && GetLeftButton()) chosen->Move(dx, dy);
}

void lumo2Game::DragBackground(int, int, int dx, int dy) {
    if (backgroundFrame) backgroundFrame->Move(dx, dy);
    if (background) background->Move(dx, dy);
}

void lumo2Game::SpreadOnLineMove(int x, int y, int, int) { SpreadOnLine(x, y); }

void lumo2Game::SpreadAlongPathMove(int x, int y, int, int) { SpreadAlongPath(x, y); }

void lumo2Game::OnLeftUp(const InputEvent& click) {
    if (auto run = Row(state).leftUp) (this->*run)(click);
}

void lumo2Game::EndDrag(const InputEvent&) { SetState(kInitial); }

void lumo2Game::EndPathDrag(const InputEvent&) {
    SetState(kInitial);
    // With left Shift held the path waits for the next drag.
    if (!IsKeyDown(SDLK_LSHIFT)) FreePath();
}

void lumo2Game::OnRightDown(const InputEvent& click) {
    const int x = click.x, y = click.y;
    for (int i = drawn.Count() - 1; i >= 0; --i) {
        Obraz* picture = drawn.At(i);
        if (!picture->IsIn(x, y, 1, 0)) continue;
        if (ghosts.empty()) return;
        Obraz* ghost = ghosts[static_cast<size_t>(ghostNext)];
        ghost->Copy(picture);
        ghost->SetLayer(kGhostLayer);
        ghost->Show();
        ghostNext = (ghostNext + 1) % static_cast<int>(ghosts.size());
        return;
    }
    for (auto it = ghosts.rbegin(); it != ghosts.rend(); ++it) {  // the topmost first
        Obraz* ghost = *it;
        if (ghost->IsVisible() && ghost->IsIn(x, y, 1, 0)) {
            ghost->Hide();
            return;
        }
    }
}

// Picture i at the origin plus i steps of the mouse's way since the drag
// began, divided among the pictures noted at the start.
void lumo2Game::SpreadOnLine(int x, int y) {
    const int n = std::min(spreadCount, drawn.Count());
    if (n <= 0) return;
    const float stepX = static_cast<float>(x - dragStartX) / static_cast<float>(n);
    const float stepY = static_cast<float>(y - dragStartY) / static_cast<float>(n);
    float sumX = 0.0f, sumY = 0.0f;
    for (int i = 0; i < n; ++i) {
        drawn.At(i)->SetPos(originX + Trunc(sumX), originY + Trunc(sumY));
        sumX += stepX;
        sumY += stepY;
    }
}

// The first and last pictures stay; the others go evenly between them.
void lumo2Game::SpreadOnLineByKey() {
    const int n = drawn.Count();
    if (n < 2) return;
    Obraz* first = drawn.At(0);
    Obraz* last = drawn.At(n - 1);
    const int fx = first->GetPosX(), fy = first->GetPosY();
    const float stepX = static_cast<float>(last->GetPosX() - fx) / static_cast<float>(n - 1);
    const float stepY = static_cast<float>(last->GetPosY() - fy) / static_cast<float>(n - 1);
    float sumX = 0.0f, sumY = 0.0f;
    for (int i = 0; i < n; ++i) {
        drawn.At(i)->SetPos(fx + Trunc(sumX), fy + Trunc(sumY));
        sumX += stepX;
        sumY += stepY;
    }
    SetRedraw();
}

// The newest mouse point joins the path; walking back from it, a picture
// (from the last one backwards) is put down each time the walked distance
// reaches the path length shared among the pictures.
void lumo2Game::SpreadAlongPath(int x, int y) {
    const int n = drawn.Count();
    if (n <= 0 || path.empty()) return;
    const PathPoint& newest = path.back();
    const float length = std::hypot(static_cast<float>(x - newest.x), static_cast<float>(y - newest.y));
    path.push_back(PathPoint{x, y, length});
    pathLength += length;
    const float spacing = pathLength / static_cast<float>(n);

    auto place = [&](int picture, const PathPoint& node) {
        drawn.At(picture)->SetPos(node.x - dragStartX + originX, node.y - dragStartY + originY);
    };
    int next = n - 1;  // the first picture never moves
    float walked = 0.0f;
    size_t k = path.size() - 1;
    while (k > 0 && next >= 1) {
        --k;
        walked += path[k].length;
        while (walked >= spacing && next >= 1) {
            place(next--, path[k]);
            walked -= spacing;
        }
    }
    while (next >= 1) place(next--, path[k]);
}
