#include "graphics/obraz.h"

#include <algorithm>
#include <vector>

#include "foundation/object_gone.h"
#include "foundation/saturating.h"
#include "foundation/text_util.h"
#include "graphics/bmp_file.h"
#include "graphics/geometry.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"
#include "graphics/rect_clip.h"
#include "graphics/stage.h"

Obraz::Obraz() {
    SetMark(kDrawableMark, true);
    InitFields();
}

Obraz::Obraz(const Image* image) {
    SetMark(kDrawableMark, true);
    InitFields();
    SetImageRef(image);
}

Obraz::Obraz(const char* path) {
    SetMark(kDrawableMark, true);
    InitFields();
    Load(path, 1);
}

Obraz::~Obraz() {
    // Whatever lists it (the scene, blend lists, buttons, an input focus)
    // lets go of it first.
    AnnounceGone(*this, GoneReason::Destroyed);
    if (linkedFilter) {
        ObrazFilter* filter = linkedFilter;
        linkedFilter = nullptr;
        filter->ForgetLinkedObject(this);
    }
    Free();
}

void Obraz::InitFields() {
    drawMode = 0;
    delete modeImage;
    modeImage = nullptr;
    modeScratch.Free();
    maskMargin = 0;
    visible = 1;
    delay = 0;
    tickCount = 0;
    lodX = lodY = 0;
    onScreen = 0;
    ResetClip();
    Refresh();
}

void Obraz::Free() {
    picture.Free();
    picture.x = picture.y = 0;
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    picture.w = video.ScaledWidth;
    picture.h = video.ScaledHeight;
    picture.srx = picture.sry = picture.srw = picture.srh = 0;
    screenImage.Free();
    visiblePart.ViewSurface(nullptr);
    if (keptSource) {
        SDL_RWclose(keptSource);
        keptSource = nullptr;
    }
    // The layer, the filter link and the array name stay: they belong to
    // the object, not to its picture (the scene keeps its order by layer).
    InitFields();
}

bool Obraz::HitTest(int x, int y) { return IsInRect(x, y, GetScreenImage()); }

void Obraz::SetLayer(int n) {
    layer = n;
    CurrentStage().RequestResort();
    SetRedraw();
}

void Obraz::Copy(Obraz* other) {
    if (!other || other == this) return;
    SetImageRef(other->GetImage());
    lodX = other->lodX;
    lodY = other->lodY;
    ClipToImage(other->GetClipImage());
    SetLayer(other->GetLayer());
    if (!other->IsVisible()) Hide();
}

void Obraz::SetImageRef(const Image* image) {
    if (image == &picture) return;
    // The image may belong to something that Free lets go of: share first.
    Image keep;
    if (image) GraphAPI::CopyImageParams(image, &keep);
    Free();
    if (image) GraphAPI::CopyImageParams(&keep, &picture);
    Refresh();
}

void Obraz::Load(const char* path, int applyScale) {
    Free();
    if (!path) return;
    if (EndsWith(path, "zel") || EndsWith(path, "z16")) {
        int room = GraphAPI::CountPictures(path);
        if (room > 0) {
            std::vector<Image*> images(static_cast<size_t>(room), nullptr);
            int n = EndsWith(path, "zel") ? GraphAPI::LoadZel(images.data(), path, room)
                                          : GraphAPI::LoadZ16(images.data(), path, room);
            if (n > 0 && images[0]) {
                Image* first = images[0];
                picture.AdoptSurface(first->surface);
                GraphAPI::CopyImageRect(first, &picture);
                first->surface = nullptr;  // now the object's
            }
            for (Image* image : images) delete image;
        }
    } else {
        GraphAPI::LoadImage(&picture, path);
    }
    if (applyScale) ApplyGlobalScale();
    Refresh();
}

void Obraz::SetArea(int x1, int y1, int x2, int y2) {
    Free();
    picture.x = x1;
    picture.y = y1;
    picture.w = SatSub(x2, x1);
    picture.h = SatSub(y2, y1);
    ApplyGlobalScale();
    Refresh();
}

void Obraz::Clone(Obraz* other) {
    if (!other || other == this) return;
    Image copy;
    GraphAPI::DuplicateImage(other->GetImage(), &copy);
    Free();
    GraphAPI::CopyImageRect(&copy, &picture);
    if (copy.surface) {
        picture.AdoptSurface(copy.surface);
        copy.surface = nullptr;
    }
    lodX = other->lodX;
    lodY = other->lodY;
    ClipToImage(other->GetClipImage());
    SetLayer(other->GetLayer());
    if (!other->IsVisible()) Hide();
    Refresh();
}

void Obraz::ApplyGlobalScale() {
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    Scale(video.ScreenScaleX, video.ScreenScaleY);
}

void Obraz::Scale(float fx, float fy) {
    if (fx == 1.0f && fy == 1.0f) return;
    lodX = SatTrunc(lodX * fx);
    lodY = SatTrunc(lodY * fy);
    GraphAPI::ScaleImage(&picture, fx, fy);
    Refresh();
}

void Obraz::Create(int w, int h, int r, int g, int b, int a) {
    int x = GetX(), y = GetY();
    picture.Free();
    GraphAPI::CreateImage(&picture, w, h, 1);
    picture.x = x;
    picture.y = y;
    Refresh();
    GraphAPI::FillImageRGBA(&picture, r, g, b, a);
}

void Obraz::Hide() {
    if (!visible) return;
    visible = 0;
    SetRedraw();
}

void Obraz::Show() {
    if (visible) return;
    visible = 1;
    SetRedraw();
}

bool Obraz::IsVisible() { return visible != 0; }

void Obraz::SetTransparency(int alpha) {
    if (alpha < 0 || alpha > 255) return;
    GraphAPI::SetAlpha(&picture, alpha);
    SetRedraw();
}

void Obraz::SetDrawMode(int mode, int ownCopy) {
    drawMode = mode;
    delete modeImage;
    modeImage = nullptr;
    modeScratch.Free();
    if (mode != 1) return;
    modeImage = new Image;
    if (ownCopy)
        GraphAPI::DuplicateImage(&picture, modeImage);
    else
        GraphAPI::CopyImageParams(&picture, modeImage);
}

void Obraz::SetRLE() { GraphAPI::SetRLE(&picture); }

void Obraz::SetDelay(int n) {
    delay = n;
    tickCount = 0;
}

void Obraz::Draw() {
    if (!visible) return;
    if (linkedFilter) {
        linkedFilter->DrawToScreen();
        return;
    }
    if (!onScreen || !visiblePart.surface) return;
    if (drawMode == 1)
        DrawAdditive();
    else
        GraphAPI::BlitToScreen(&visiblePart);
}

// Screen under the visible part plus the visible part, composed in a picture
// of our own so that the object's picture is never written.
void Obraz::DrawAdditive() {
    const GraphAPI::DrawPlace under = GraphAPI::CurrentDrawPlace();
    if (!under.surface) return;
    const int w = visiblePart.w, h = visiblePart.h;
    Image* room = &modeScratch;
    if (modeImage && modeImage->imgtype == FIRST && modeImage->surface &&
        modeImage->surface != picture.surface && modeImage->surface->w >= w && modeImage->surface->h >= h) {
        room = modeImage;  // an own copy: free to write
    } else if (!modeScratch.surface || modeScratch.surface->w != w || modeScratch.surface->h != h) {
        GraphAPI::CreateImage(&modeScratch, w, h);
        if (!modeScratch.surface) return;
    }
    SDL_Rect from{static_cast<Sint16>(SatSub(visiblePart.x, under.x)),
                  static_cast<Sint16>(SatSub(visiblePart.y, under.y)), static_cast<Uint16>(w),
                  static_cast<Uint16>(h)};
    SDL_Rect to{0, 0, 0, 0};
    SDL_BlitSurface(under.surface, &from, room->surface, &to);
    room->x = visiblePart.x;
    room->y = visiblePart.y;
    room->w = w;
    room->h = h;
    room->srx = room->sry = 0;
    GraphAPI::BlendAdd(room, &visiblePart);
    GraphAPI::BlitToScreen(room);
}

void Obraz::Tick() {}

void Obraz::Refresh() {
    Image* shown = GetScreenImage();
    onScreen = ClipRect(*shown, clipRect, visiblePart) ? 1 : 0;
    if (!onScreen) {
        visiblePart.ViewSurface(nullptr);
        visiblePart.w = visiblePart.h = 0;
    }
    SetRedraw();
}

void Obraz::ClipTo(int x1, int y1, int x2, int y2) {
    Image bounds;
    bounds.x = x1;
    bounds.y = y1;
    bounds.w = x2;
    bounds.h = y2;
    Image cut;
    onScreen = onScreen && ClipRect(visiblePart, bounds, cut) ? 1 : 0;
    if (onScreen) {
        visiblePart.ViewSurface(cut.surface);
        GraphAPI::CopyImageRect(&cut, &visiblePart);
    } else {
        visiblePart.ViewSurface(nullptr);
        visiblePart.w = visiblePart.h = 0;
    }
    SetRedraw();
}

bool Obraz::WithinCut(int x, int y) {
    return clipRect.x <= x && x < clipRect.w && clipRect.y <= y && y < clipRect.h;
}

bool Obraz::Clip(int x1, int y1, int x2, int y2) {
    clipRect.x = x1;
    clipRect.y = y1;
    clipRect.w = x2;
    clipRect.h = y2;
    Refresh();
    return onScreen != 0;
}

void Obraz::ClipToImage(const Image* image) {
    if (image) Clip(image->x, image->y, image->w, image->h);
}

void Obraz::ClipLike(Obraz* other) {
    if (other) ClipToImage(other->GetClipImage());
}

void Obraz::Move(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    picture.x = SatAdd(picture.x, dx);
    picture.y = SatAdd(picture.y, dy);
    Refresh();
}

void Obraz::MoveFar(int64_t dx, int64_t dy) {
    // Any distance between two ints takes at most three steps.
    while (dx != 0 || dy != 0) {
        const int stepX = SaturateInt(dx), stepY = SaturateInt(dy);
        Move(stepX, stepY);
        dx -= stepX;
        dy -= stepY;
    }
}

void Obraz::SetPos(int x, int y) {
    if (x == picture.x && y == picture.y) return;
    picture.x = x;
    picture.y = y;
    Refresh();
}

void Obraz::SetCenter(int x, int y) { SetScreenPos(SatSub(x, GetWidth() / 2), SatSub(y, GetHeight() / 2)); }

void Obraz::SetPosResetLod(int x, int y) {
    bool lodChanged = lodX != 0 || lodY != 0;
    lodX = lodY = 0;
    if (x == picture.x && y == picture.y) {
        if (lodChanged) Refresh();
        return;
    }
    SetPos(x, y);
}

void Obraz::SetLod(int x, int y) {
    SetPos(0, 0);
    if (lodX == x && lodY == y) return;
    lodX = x;
    lodY = y;
    Refresh();
}

void Obraz::SetPosition(int x, int y) { SetPos(x, y); }

void Obraz::SetBottomLeft(int x, int y) { SetPos(x, SatSub(y, GetHeight())); }

void Obraz::SetScreenPos(int x, int y) { SetPos(SatSub(x, lodX), SatSub(y, lodY)); }

void Obraz::BakeLod() {
    int x = GetX(), y = GetY();
    bool lodChanged = lodX != x || lodY != y;
    lodX = x;
    lodY = y;
    if (picture.x == 0 && picture.y == 0) {
        if (lodChanged) Refresh();
        return;
    }
    SetPos(0, 0);
}

bool Obraz::IsOnScreen() { return onScreen != 0; }

void Obraz::SetOnScreen(bool b) { onScreen = b ? 1 : 0; }

Image* Obraz::GetImage() { return &picture; }

Image* Obraz::GetScreenImage() {
    screenImage.ShareFrom(picture);
    screenImage.x = SatAdd(screenImage.x, lodX);
    screenImage.y = SatAdd(screenImage.y, lodY);
    return &screenImage;
}

Image* Obraz::GetFrameImage() {
    if (Image* out = FilterOutput()) return out;
    return &picture;
}

Image* Obraz::GetClipImage() { return &clipRect; }

Image* Obraz::GetVisibleImage() { return &visiblePart; }

Image* Obraz::GetDrawImage() {
    if (Image* out = FilterOutput()) return out;
    return GetScreenImage();
}

void Obraz::Blit(Obraz* source) {
    if (!source) return;
    ObrazFilter* filter = source->linkedFilter;
    Image* blended = nullptr;
    Image* from;
    if (filter && filter->HasBlends()) {
        blended = filter->ApplyBlends();
        from = blended;
    } else {
        from = source->GetDrawImage();
    }
    int alpha = filter && filter->GetOpacity() < 255 ? filter->GetOpacity() : 255;
    if (from) GraphAPI::BlendAlpha(GetScreenImage(), from, alpha);
    delete blended;
    SetRedraw();
}

void Obraz::BlitMask(Obraz* source, Obraz* mask) {
    if (!source || !mask) return;
    GraphAPI::CopyThroughMask(&picture, source->GetImage(), mask->GetImage());
}

int Obraz::GetCenterX() {
    Image* f = GetFrameImage();
    return SatAdd(f->x + int64_t{f->w / 2}, GetLodX());
}

int Obraz::GetCenterY() {
    Image* f = GetFrameImage();
    return SatAdd(f->y + int64_t{f->h / 2}, GetLodY());
}

int Obraz::GetWidth() { return GetFrameImage()->w; }

int Obraz::GetHeight() { return GetFrameImage()->h; }

int Obraz::GetX() { return SatAdd(GetFrameImage()->x, GetLodX()); }

int Obraz::GetY() { return SatAdd(GetFrameImage()->y, GetLodY()); }

int Obraz::GetEndX() { return SatAdd(GetX(), GetWidth()); }

int Obraz::GetEndY() { return SatAdd(GetY(), GetHeight()); }

int Obraz::GetImageX() { return picture.x; }

int Obraz::GetImageY() { return picture.y; }

int Obraz::GetLodX() { return linkedFilter ? 0 : lodX; }

int Obraz::GetLodY() { return linkedFilter ? 0 : lodY; }

int Obraz::GetPosX() { return picture.x; }

int Obraz::GetPosY() { return picture.y; }

bool Obraz::IsIn(int x, int y, int checkVisible, int checkTransparent) {
    Image* image = FilterOutput();
    if (!image) image = GetScreenImage();
    return IsInImage(x, y, checkVisible, checkTransparent, image);
}

bool Obraz::IsInRect(int x, int y, Image* image) {
    if (!image) return false;
    if (linkedFilter && image == FilterOutput() && linkedFilter->IsTransformed())
        return PointInImage(x, y, image);
    int64_t m = maskMargin;
    return image->x - m <= x && x < image->x + static_cast<int64_t>(image->w) + m && image->y - m <= y &&
           y < image->y + static_cast<int64_t>(image->h) + m;
}

bool Obraz::IsInImage(int x, int y, int checkVisible, int checkTransparent, Image* image) {
    if (!IsInRect(x, y, image)) return false;
    if (checkVisible && !visible) return false;
    if (checkTransparent && IsTransparentInImage(x, y, image)) return false;
    return true;
}

uint32_t Obraz::GetPixel(int x, int y) { return GetPixelInImage(x, y, GetScreenImage()); }

void Obraz::GetRGBA(int x, int y, uint8_t* r, uint8_t* g, uint8_t* b, uint8_t* a) {
    if (!picture.surface || !PointInImage(x, y, &picture)) return;
    uint8_t cr, cg, cb, ca;
    SDL_GetRGBA(GetPixelInImage(x, y, &picture), picture.surface->format, &cr, &cg, &cb, &ca);
    if (r) *r = cr;
    if (g) *g = cg;
    if (b) *b = cb;
    if (a) *a = ca;
}

void Obraz::GetRGB(int x, int y, uint8_t* r, uint8_t* g, uint8_t* b) {
    if (!picture.surface || !PointInImage(x, y, &picture)) return;
    uint8_t cr, cg, cb;
    SDL_GetRGB(GetPixelInImage(x, y, &picture), picture.surface->format, &cr, &cg, &cb);
    if (r) *r = cr;
    if (g) *g = cg;
    if (b) *b = cb;
}

void Obraz::PutRGBA(int x, int y, int r, int g, int b, int a) {
    GraphAPI::PutPixelRGBA(&picture, x, y, std::clamp(r, 0, 255), std::clamp(g, 0, 255),
                           std::clamp(b, 0, 255), std::clamp(a, 0, 255));
}

void Obraz::PutRGB(int x, int y, int r, int g, int b) {
    GraphAPI::PutPixelRGB(&picture, x, y, std::clamp(r, 0, 255), std::clamp(g, 0, 255),
                          std::clamp(b, 0, 255));
}

void Obraz::Paint(int r, int g, int b, int a, int mode) {
    GraphAPI::ColorizeImage(&picture, r, g, b, a, mode);
    SetRedraw();
}

bool Obraz::IsTransparentAt(int x, int y) { return IsTransparentInImage(x, y, GetScreenImage()); }

uint32_t Obraz::GetPixelInImage(int x, int y, Image* image) { return GraphAPI::GetPixelLocked(image, x, y); }

bool Obraz::IsTransparentInImage(int x, int y, Image* image) {
    if (!image || !image->surface) return true;
    bool ownMaskedPicture =
        image == &screenImage || (linkedFilter && image == FilterOutput() && linkedFilter->IsTransformed());
    if (image->bitmask && ownMaskedPicture) {
        int64_t mx = static_cast<int64_t>(x) - image->x + maskMargin;
        int64_t my = static_cast<int64_t>(y) - image->y + maskMargin;
        if (mx < 0 || my < 0 || mx >= image->maskw || my >= image->maskh) return true;
        return image->GetMaskBit(static_cast<int>(mx), static_cast<int>(my)) == 0;
    }
    if (!PointInImage(x, y, image)) return true;
    uint8_t r, g, b, a;
    SDL_GetRGBA(GetPixelInImage(x, y, image), image->surface->format, &r, &g, &b, &a);
    return a == 0;
}

bool Obraz::Equal(Obraz* other) {
    if (!other) return false;
    return GraphAPI::CompareImages(&picture, other->GetImage());
}

bool Obraz::HasBitmask() { return picture.bitmask != nullptr; }

void Obraz::SetBitmask(int margin) {
    maskMargin = margin;
    picture.BuildMask(margin);
}

void Obraz::Save(const char* path) {
    if (!path) return;
    if (EndsWith(path, "zel")) {
        GraphAPI::SaveZel(GetScreenImage(), path, 1);
    } else if (EndsWith(path, "z16")) {
        GraphAPI::SaveZ16(&picture, path, 1);
    } else if (EndsWith(path, "bmp")) {
        GraphAPI::SaveBmpFile(picture.surface, path);
    }
}

void Obraz::LoadBuffer(const char* path) {
    Free();
    keptSource = GraphAPI::OpenRW(path);
}

void Obraz::CreateFromBuffer() {
    if (keptSource) SDL_RWseek(keptSource, 0, RW_SEEK_SET);  // each use reads from the start
    GraphAPI::LoadImageRW(&picture, keptSource);
    ApplyGlobalScale();
    Refresh();
}

void Obraz::ToDisplayFormat() {
    if (picture.imgtype == FIRST && picture.surface) {
        if (SDL_Surface* shown = SDL_DisplayFormat(picture.surface)) picture.AdoptSurface(shown);
    }
    Refresh();
}

void Obraz::BuildRotozoom(Obraz* source, double angle, double zoomx, double zoomy) {
    if (!source || !source->GetImage()->surface || source == this) return;
    const int centreX = source->GetCenterX();
    const int centreY = source->GetCenterY();
    SDL_Surface* turned =
        GraphAPI::RotozoomSurface(source->GetImage()->surface, angle, zoomx, zoomy, /*smooth=*/1);
    Free();
    if (!turned) return;
    picture.AdoptSurface(turned);
    GraphAPI::ResetFromSurface(turned, &picture);
    picture.x = SatSub(centreX, turned->w / 2);
    picture.y = SatSub(centreY, turned->h / 2);
    Refresh();
}

void Obraz::ResetClip() {
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    int x1 = std::max(0, video.AppOffsetX);
    int y1 = std::max(0, video.AppOffsetY);
    clipRect.x = x1;
    clipRect.y = y1;
    clipRect.w = SatAdd(x1, std::min(video.ScaledWidth, video.AppWidth));
    clipRect.h = SatAdd(y1, std::min(video.ScaledHeight, video.AppHeight));
}

void Obraz::SetArrayName(const char* baseName, int index) {
    arrayIndex = index;
    arrayName = baseName ? baseName : "";
    arrayName.AppendInt(index);
}
