#include "shell/button.h"

#include "foundation/saturating.h"
#include "graphics/stage.h"
#include "scene/scene.h"
#include "shell/mouse.h"

namespace {
// What ButtonCursorImage() gives: made by CreateSharedImage, freed by
// ReleaseSharedImage.
Obraz* g_cursorImage = nullptr;
}  // namespace

ddButton::ddButton() {
    SetImages(nullptr, nullptr, nullptr);
    Reset();
}

// The button's own rectangle picture goes with it: no need to hear of it.
ddButton::~ddButton() { StopListening(); }

void ddButton::ObjectGone(asmClassObj& object, GoneReason reason) {
    if (reason == GoneReason::Destroyed && object.HasMark(kDrawableMark))
        ForgetPicture(static_cast<const Obraz*>(&object));
}

void ddButton::SetImages(Obraz* normalPicture, Obraz* overPicture, Obraz* pressedPicture) {
    normal = normalPicture;
    if (normal) {
        sortLayer = normal->GetLayer();
        sortId = normal->GetId();
    }
    over = overPicture ? overPicture : normal;
    pressed = pressedPicture ? pressedPicture : over;
    current = nullptr;
    Refresh();
    Resort();
}

void ddButton::SetRect(int x, int y, int w, int h) {
    checkVisible = 0;
    checkTransparent = 0;
    area.SetArea(x, y, SatAdd(x, w), SatAdd(y, h));
    SetImages(&area, nullptr, nullptr);
}

void ddButton::SetModeFlags(int checkVisibleFlag, int checkTransparentFlag) {
    checkVisible = checkVisibleFlag;
    checkTransparent = checkTransparentFlag;
}

void ddButton::SetPointOffset(int dx, int dy) {
    offsetX = dx;
    offsetY = dy;
}

void ddButton::Resort() {
    ddScene& scene = CurrentScene();
    int before = scene.ButtonCount();
    scene.RemoveButton(this);
    if (scene.ButtonCount() < before) scene.AddButton(this);
}

void ddButton::HideIf(Obraz* picture) {
    if (picture) picture->Hide();
}

void ddButton::ShowIfShown(Obraz* picture) {
    if (picture && shown) picture->Show();
}

void ddButton::Refresh() {
    hidden = 0;
    if (!normal) return;
    HideIf(pressed);
    HideIf(over);
    ShowIfShown(normal);
}

void ddButton::Reset() {
    hidden = 1;
    if (hovered) {
        hovered = 0;
        RestoreCursor();
    }
    if (normal) {
        HideIf(over);
        HideIf(normal);
        HideIf(pressed);
    }
}

void ddButton::Enable() {
    shown = 1;
    Refresh();
}

void ddButton::Disable() {
    shown = 0;
    Refresh();
}

bool ddButton::Hit(Obraz* picture, int x, int y) {
    return picture && picture->IsIn(SatAdd(x, offsetX), SatAdd(y, offsetY), checkVisible, checkTransparent);
}

int ddButton::HandlePress(int x, int y) {
    if (hidden || paused) return 0;
    if (!Hit(over, x, y)) return 0;
    if (pressed != over) {
        current = pressed;
        HideIf(over);
        ShowIfShown(pressed);
    }
    OnClick();
    return 1;
}

int ddButton::HandleRelease(int x, int y) {
    if (hidden || paused) return 0;
    if (!Hit(pressed, x, y)) return 0;
    if (pressed != over) {
        current = over;
        HideIf(pressed);
        ShowIfShown(over);
    }
    OnRelease();
    return 1;
}

int ddButton::HandleHover(int x, int y) {
    if (hidden || paused) return 0;
    if (hovered) {
        if (current && current == pressed) {
            HideIf(pressed);
            ShowIfShown(over);
            current = nullptr;
        }
        if (!Hit(over, x, y)) {
            hovered = 0;
            Refresh();
            OnMoveOff();
            return 0;
        }
        return 1;
    }
    if (!Hit(normal, x, y)) return 0;
    hovered = 1;
    HideIf(pressed);
    HideIf(normal);
    ShowIfShown(over);
    current = nullptr;
    if (hoverCursor && ddMouse::Instance) ddMouse::Instance->SetCursorObraz(hoverCursor);
    OnMoveOn();
    return 1;
}

void ddButton::ForgetPicture(const Obraz* picture) {
    if (!picture) return;
    if (hoverCursor == picture) hoverCursor = nullptr;
    if (current == picture) current = nullptr;
    if (normal == picture || over == picture || pressed == picture) {
        Obraz* n = normal == picture ? nullptr : normal;
        Obraz* o = over == picture || over == normal ? nullptr : over;
        Obraz* p = pressed == picture || pressed == over ? nullptr : pressed;
        if (!n) {
            // Without its normal picture the button can no longer be hit.
            normal = over = pressed = current = nullptr;
            return;
        }
        SetImages(n, o, p);
    }
}

void ddButton::RestoreCursor() {
    if (!g_cursorImage) return;
    g_cursorImage->Show();
    if (ddMouse::Instance) ddMouse::Instance->SetCursorObraz(g_cursorImage);
}

Obraz* ButtonCursorImage() { return g_cursorImage; }

void CreateSharedImage(Obraz* picture) {
    ReleaseSharedImage();
    if (!picture) return;
    g_cursorImage = new Obraz();
    g_cursorImage->Copy(picture);
}

void ReleaseSharedImage() {
    delete g_cursorImage;
    g_cursorImage = nullptr;
}
