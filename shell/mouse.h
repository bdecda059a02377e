// The engine's one mouse object: the mouse position, and a software cursor
// drawn over the screen. The screen area under the cursor is saved before
// it is drawn and put back before it moves, so a frame in which only the
// mouse moved never redraws the scene. It can also build a system cursor
// from a picture.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/image.h"
#include "graphics/obraz.h"
#include "scene/scene_members.h"

// The Image part refers to the screen surface (not owned); its source corner
// (srx, sry) is the cursor's top-left position on the screen.
class ddMouse : public Image, public SceneCursor {
public:
    ddMouse();
    ~ddMouse() override;
    ddMouse(const ddMouse&) = delete;
    ddMouse& operator=(const ddMouse&) = delete;

    // The mouse object in use: the one made last, which the scene that made
    // it owns (it makes its cursor through InstallMouseCursor and deletes
    // it); null when there is none.
    static ddMouse* Instance();

    // x, y in screen coordinates; false when they are the stored position.
    // Otherwise stores them and sets MouseX, MouseY (application coordinates).
    bool SetPos(int x, int y);
    // Moves the mouse to (x, y) in application coordinates.
    void WarpTo(int x, int y);
    void ClearCursor();
    // The cursor becomes a new picture sharing the given one's surface.
    void SetCursorObraz(Obraz* picture);
    void RestoreDefault();
    void FitBackground();
    void Draw() override;
    void Hide();
    void Show();
    int IsVisible() const { return visible; }
    Obraz* GetCursorObraz() const { return cursor; }
    Obraz* GetDefaultObraz() const { return defaultPicture; }
    void ClearRectUpdate() override { updateRect = 0; }
    void RequestRectUpdate() override { updateRect = 1; }
    void RequestRestore() override { restorePending = 1; }
    void SetHardwareCursor(Obraz* picture);
    void FreeHardwareCursor();
    SDL_Cursor* GetHardwareCursor() const { return systemCursor; }
    // The cursor's left edge on the screen.
    int GetScreenX() const { return srx; }

private:
    void SaveBackground();

    Obraz* cursor = nullptr;
    Obraz* defaultPicture = nullptr;
    ddCanvas* background = nullptr;
    SDL_Cursor* systemCursor = nullptr;
    uint8_t restorePending = 0;
    int32_t visible = 1;
    uint8_t updateRect = 0;
    // The background canvas holds the screen under the cursor as it is now
    // on the screen; false after a hide or a change of cursor picture.
    bool backgroundSaved = false;
};

// SDL's cursor bits for a picture: width rounded up to a multiple of 8,
// most significant bit first. Transparent: both bits 0; white (red above
// 192): mask only; black: both.
struct CursorBits {
    int width = 0, height = 0;
    int hotX = 0, hotY = 0;
    std::vector<uint8_t> data, mask;
};
CursorBits BuildCursorBits(Obraz* picture);

// A cursor from text rows: "X" black, "." white, anything else transparent;
// hot spot (0, 0). Null when SDL makes none.
SDL_Cursor* MakeAsciiCursor(const char* const* rows, int width, int height);
CursorBits AsciiCursorBits(const char* const* rows, int width, int height);

// Makes the scene create this mouse object as its cursor (and lets buttons
// restore it). Done once before the first scene; repeating it is harmless.
void InstallMouseCursor();
