#include "shell/mouse.h"

#include <cstring>

#include "foundation/saturating.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "platform/input_source.h"
#include "platform/input_state.h"
#include "shell/button.h"

namespace {

constexpr const char* kDefaultCursorFile = "configs/stdarrow.png";

// Sets both view offsets to 0 for its lifetime: the cursor and the saved
// background live in screen coordinates.
class ScreenCoordinates {
public:
    ScreenCoordinates() : video(GraphAPI::CurrentVideo()), x(video.AppOffsetX), y(video.AppOffsetY) {
        video.AppOffsetX = 0;
        video.AppOffsetY = 0;
    }
    ~ScreenCoordinates() {
        video.AppOffsetX = x;
        video.AppOffsetY = y;
    }
    ScreenCoordinates(const ScreenCoordinates&) = delete;
    ScreenCoordinates& operator=(const ScreenCoordinates&) = delete;

private:
    GraphAPI::VideoState& video;
    int x, y;
};

void SetBit(std::vector<uint8_t>& bits, int rowBytes, int col, int row) {
    bits[static_cast<size_t>(row * rowBytes + col / 8)] |= static_cast<uint8_t>(0x80u >> (col % 8));
}

SDL_Cursor* CreateCursor(CursorBits& bits) {
    if (bits.width <= 0 || bits.height <= 0) return nullptr;
    return SDL_CreateCursor(bits.data.data(), bits.mask.data(), bits.width, bits.height, bits.hotX,
                            bits.hotY);
}

SceneCursor* MakeMouse() { return new ddMouse(); }

}  // namespace

void InstallMouseCursor() {
    SceneCursor::Factory = MakeMouse;
    SceneButton::CursorRestorer = ddButton::RestoreCursor;
}

ddMouse::ddMouse() {
    HideCursor();
    background = new ddCanvas(0, 0, 400, 400);
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    background->Clip(0, 0, video.ScaledWidth, video.ScaledHeight);
    defaultPicture = new Obraz(kDefaultCursorFile);
    Instance = this;
    RestoreDefault();
    ViewSurface(video.Screen);
    CreateSharedImage(defaultPicture);
}

ddMouse::~ddMouse() {
    ClearCursor();
    FreeHardwareCursor();
    delete background;
    background = nullptr;
    delete defaultPicture;
    defaultPicture = nullptr;
    if (Instance == this) {
        Instance = nullptr;
        ReleaseSharedImage();
    }
}

bool ddMouse::SetPos(int x, int y) {
    if (x == srx && y == sry) return false;
    srx = x;
    sry = y;
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    SetMouseX(SatAdd(video.AppOffsetX, x));
    SetMouseY(SatAdd(video.AppOffsetY, y));
    return true;
}

void ddMouse::WarpTo(int x, int y) {
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    int sx = SatSub(x, video.AppOffsetX);
    int sy = SatSub(y, video.AppOffsetY);
    if (!SetPos(sx, sy)) return;
    SetMouseX(x);
    SetMouseY(y);
    SetMouseMoved(1);
    CurrentInput().WarpMouse(sx, sy);
    SetRedraw();
}

void ddMouse::ClearCursor() {
    delete cursor;
    cursor = nullptr;
    SetRedraw();
    restorePending = 0;
    updateRect = 0;
    backgroundSaved = false;
}

void ddMouse::SetCursorObraz(Obraz* picture) {
    // The new cursor is made before the old one goes: the picture given may
    // be the cursor itself.
    Obraz* fresh = nullptr;
    {
        ScreenCoordinates screen;
        if (picture) {
            fresh = new Obraz(picture->GetImage());
            fresh->SetLod(picture->GetLodX(), picture->GetLodY());
        }
        ClearCursor();
        cursor = fresh;
        FitBackground();
    }
}

void ddMouse::RestoreDefault() { SetCursorObraz(defaultPicture); }

void ddMouse::FitBackground() {
    if (!background) return;
    int w = cursor ? cursor->GetWidth() : 0;
    int h = cursor ? cursor->GetHeight() : 0;
    Image* saved = background->GetImage();
    if (w > 0 && h > 0) {
        // The canvas is made exactly the cursor's size, so a restore covers
        // all of the old cursor however large it is.
        if (!saved->surface || saved->surface->w != w || saved->surface->h != h || saved->w != w ||
            saved->h != h)
            background->Create(0, 0, w, h);
    } else {
        saved->w = saved->srw = 0;
        saved->h = saved->srh = 0;
    }
    background->SetLod(cursor ? cursor->GetLodX() : 0, cursor ? cursor->GetLodY() : 0);
    background->Refresh();
    x = 0;
    y = 0;
    this->w = saved->w;
    this->h = saved->h;
    backgroundSaved = false;
}

void ddMouse::SaveBackground() {
    if (!background) return;
    int lx = cursor ? cursor->GetLodX() : 0;
    int ly = cursor ? cursor->GetLodY() : 0;
    // The screen surface may have been replaced by a change of video mode.
    surface = GraphAPI::CurrentVideo().Screen;
    const int atX = srx, atY = sry;
    srx = SatAdd(srx, lx);
    sry = SatAdd(sry, ly);
    Image* saved = background->GetImage();
    if (saved->surface && surface) GraphAPI::BlitImage(saved, this);
    srx = atX;
    sry = atY;
    background->SetPos(srx, sry);
    background->Refresh();
    backgroundSaved = saved->surface != nullptr;
}

void ddMouse::Draw() {
    if (!visible) return;
    // MouseX, MouseY are application coordinates: taken before the offsets
    // are set aside.
    if (GetMouseMoved()) {
        const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
        srx = SatSub(GetMouseX(), video.AppOffsetX);
        sry = SatSub(GetMouseY(), video.AppOffsetY);
    }
    ScreenCoordinates screen;
    if (restorePending) {
        if (backgroundSaved && background->IsOnScreen()) {
            background->Draw();
            GraphAPI::UpdateRect(background->GetVisibleImage());
        }
        restorePending = 0;
    }
    SaveBackground();
    if (!cursor) return;
    cursor->SetPos(srx, sry);
    cursor->Refresh();
    cursor->Draw();
    if (updateRect) {
        if (cursor->IsOnScreen()) GraphAPI::UpdateRect(cursor->GetVisibleImage());
        updateRect = 0;
    }
}

void ddMouse::Hide() {
    // The cursor still on the screen goes with the next full redraw, which
    // is asked for here; what was saved under it is stale from now on.
    if (visible) SetRedraw();
    visible = 0;
    backgroundSaved = false;
}

void ddMouse::Show() { visible = 1; }

CursorBits BuildCursorBits(Obraz* picture) {
    CursorBits bits;
    if (!picture || !picture->GetImage() || !picture->GetImage()->surface) return bits;
    // The picture's own record: the one GetRGBA reads.
    int realWidth = picture->GetImage()->w;
    int height = picture->GetImage()->h;
    if (realWidth <= 0 || height <= 0) return bits;
    bits.width = (realWidth + 7) / 8 * 8;
    bits.height = height;
    bits.hotX = MaxInt(0, SatSub(0, picture->GetLodX()));
    bits.hotY = MaxInt(0, SatSub(0, picture->GetLodY()));
    int rowBytes = bits.width / 8;
    bits.data.assign(static_cast<size_t>(rowBytes * height), 0);
    bits.mask.assign(static_cast<size_t>(rowBytes * height), 0);
    int px = picture->GetPosX();
    int py = picture->GetPosY();
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < realWidth; ++col) {
            uint8_t r = 0, g = 0, b = 0, a = 0;
            picture->GetRGBA(SatAdd(px, col), SatAdd(py, row), &r, &g, &b, &a);
            if (a == 0) continue;
            SetBit(bits.mask, rowBytes, col, row);
            if (r <= 192) SetBit(bits.data, rowBytes, col, row);
        }
    }
    return bits;
}

void ddMouse::SetHardwareCursor(Obraz* picture) {
    if (!picture || !picture->GetImage() || !picture->GetImage()->surface) return;
    FreeHardwareCursor();
    CursorBits bits = BuildCursorBits(picture);
    systemCursor = CreateCursor(bits);
    // A video driver without cursors (the dummy one) gives none.
    if (systemCursor) SDL_SetCursor(systemCursor);
}

void ddMouse::FreeHardwareCursor() {
    if (systemCursor) SDL_FreeCursor(systemCursor);
    systemCursor = nullptr;
}

CursorBits AsciiCursorBits(const char* const* rows, int width, int height) {
    CursorBits bits;
    if (!rows || width <= 0 || height <= 0) return bits;
    bits.width = (width + 7) / 8 * 8;
    bits.height = height;
    int rowBytes = bits.width / 8;
    bits.data.assign(static_cast<size_t>(rowBytes * height), 0);
    bits.mask.assign(static_cast<size_t>(rowBytes * height), 0);
    for (int row = 0; row < height; ++row) {
        const char* text = rows[row];
        if (!text) continue;
        int n = static_cast<int>(std::strlen(text));
        for (int col = 0; col < width && col < n; ++col) {
            if (text[col] == 'X') {
                SetBit(bits.data, rowBytes, col, row);
                SetBit(bits.mask, rowBytes, col, row);
            } else if (text[col] == '.') {
                SetBit(bits.mask, rowBytes, col, row);
            }
        }
    }
    return bits;
}

SDL_Cursor* MakeAsciiCursor(const char* const* rows, int width, int height) {
    CursorBits bits = AsciiCursorBits(rows, width, height);
    return CreateCursor(bits);
}
