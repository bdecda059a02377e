// A clickable area made of up to three pictures: normal, hovered and
// pressed. The button draws nothing itself: its pictures are ordinary
// drawables of the scene, and the button only shows and hides them. The
// scene offers it every press, release and mouse movement, topmost button
// first.
#pragma once

#include <cstdint>

#include "foundation/object_gone.h"
#include "graphics/obraz.h"
#include "scene/scene_members.h"

class ddButton : public SceneButton, private GoneListener {
public:
    ddButton();
    ~ddButton() override;

    // Raised on entering, leaving, pressing and releasing; empty here.
    virtual void OnMoveOn() {}
    virtual void OnMoveOff() {}
    virtual void OnClick() {}
    virtual void OnRelease() {}

    // Over defaults to normal, pressed to over. The normal picture gives the
    // button its place in the scene's button order.
    void SetImages(Obraz* normal, Obraz* over, Obraz* pressed);
    // A button without a picture of its own: the rectangle is hit-tested
    // without looking at visibility or transparency.
    void SetRect(int x, int y, int w, int h);
    void SetHoverCursor(Obraz* picture) { hoverCursor = picture; }
    Obraz* GetHoverCursor() const { return hoverCursor; }
    void SetModeFlags(int checkVisibleFlag, int checkTransparentFlag);
    void SetPointOffset(int dx, int dy);

    void Refresh();
    void Reset();
    void Enable();
    void Disable();
    void Pause() override { paused = 1; }
    void Resume() override { paused = 0; }
    int IsPaused() const { return paused; }
    int IsHidden() const { return hidden; }
    int IsHovered() const { return hovered; }
    int IsShown() const { return shown; }

    int HandlePress(int x, int y) override;
    int HandleRelease(int x, int y) override;
    int HandleHover(int x, int y) override;

    Obraz* GetNormal() const { return normal; }
    Obraz* GetOver() const { return over; }
    Obraz* GetPressed() const { return pressed; }
    Obraz* GetCurrent() const { return current; }
    Obraz* GetArea() { return &area; }

    // Drops every reference to a picture that is about to go away (every
    // button does so for each picture destroyed).
    void ForgetPicture(const Obraz* picture);

    // Shows the buttons' shared cursor picture and makes it the mouse cursor.
    static void RestoreCursor();

private:
    void ObjectGone(asmClassObj& object, GoneReason reason) override;
    bool Hit(Obraz* picture, int x, int y);
    void ShowIfShown(Obraz* picture);
    static void HideIf(Obraz* picture);
    // Keeps the scene's button list in order after the sort keys changed.
    void Resort();

    int32_t offsetX = 0, offsetY = 0;
    int32_t shown = 1;
    int32_t paused = 0;
    int32_t checkVisible = 1, checkTransparent = 1;
    int32_t hovered = 0;
    int32_t hidden = 1;
    Obraz* normal = nullptr;
    Obraz* over = nullptr;
    Obraz* pressed = nullptr;
    Obraz* current = nullptr;
    Obraz* hoverCursor = nullptr;
    Obraz area;
};

// The picture the mouse cursor returns to when a hover ends; null when
// none was made. The button module owns it.
Obraz* ButtonCursorImage();

// ButtonCursorImage() becomes a new picture sharing the given one's
// surface; null leaves none.
void CreateSharedImage(Obraz* picture);
void ReleaseSharedImage();
