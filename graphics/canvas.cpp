#include "graphics/canvas.h"

#include "foundation/saturating.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"

ddCanvas::ddCanvas() = default;

ddCanvas::ddCanvas(const Image* image) { CopyFromRect(image); }

ddCanvas::ddCanvas(int x, int y, int w, int h) { Create(x, y, w, h); }

ddCanvas::~ddCanvas() = default;

void ddCanvas::Create(int x, int y, int w, int h) {
    picture.Free();
    GraphAPI::CreateImage(&picture, w, h, 1);
    if (x == 0 && y == 0)
        Refresh();
    else
        Move(x, y);
}

void ddCanvas::Clear() {
    GraphAPI::FillImageRGBA(&picture, 0, 0, 0, 0);
    SetRedraw();
}

void ddCanvas::SetColor(int r, int g, int b, int a) {
    fillR = r;
    fillG = g;
    fillB = b;
    GraphAPI::FillImageRGBA(&picture, r, g, b, a);
    SetRedraw();
}

void ddCanvas::SetColorRGB(int r, int g, int b) {
    fillR = r;
    fillG = g;
    fillB = b;
    GraphAPI::FillImageRGB(&picture, r, g, b);
    SetRedraw();
}

void ddCanvas::SetPen(int r, int g, int b) {
    penR = r;
    penG = g;
    penB = b;
}

void ddCanvas::PutPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return;
    GraphAPI::PutPixelRGB(&picture, x, y, penR, penG, penB);
}

namespace {
// The source placed relative to the canvas's picture, so that what lies
// under the canvas lands at the same application point.
void CopyInto(Image* canvas, const Image* source) {
    if (!source || !source->surface) return;
    Image from;
    from.ViewSurface(source->surface);
    GraphAPI::CopyImageRect(source, &from);
    from.x = SatSub(source->x, canvas->x);
    from.y = SatSub(source->y, canvas->y);
    // A plain copy, alpha included, rather than a blend onto transparency.
    Uint32 flags = source->surface->flags & (SDL_SRCALPHA | SDL_RLEACCEL);
    Uint8 alpha = source->surface->format->alpha;
    SDL_SetAlpha(source->surface, 0, alpha);
    GraphAPI::BlitImage(canvas, &from);
    SDL_SetAlpha(source->surface, flags, alpha);
}
}  // namespace

void ddCanvas::CopyFromImage(Obraz* object) {
    if (!object) return;
    Create(object->GetX(), object->GetY(), object->GetWidth(), object->GetHeight());
    CopyInto(&picture, object->GetScreenImage());
    Refresh();
}

void ddCanvas::CopyFromRect(const Image* image) {
    if (!image) return;
    Create(image->x, image->y, image->w, image->h);
    CopyInto(&picture, image);
    Refresh();
}

void ddCanvas::DrawBorder(Obraz* target, int t, int r, int g, int b, int a) {
    if (!target || t <= 0) return;
    const int x = target->GetX(), y = target->GetY();
    const int w = target->GetWidth(), h = target->GetHeight();
    {
        ddCanvas edge(x, y, w, t);
        edge.SetColor(r, g, b, a);
        target->Blit(&edge);
        edge.Move(0, h - t);
        target->Blit(&edge);
    }
    {
        ddCanvas edge(x, y, t, h);
        edge.SetColor(r, g, b, a);
        target->Blit(&edge);
        edge.Move(w - t, 0);
        target->Blit(&edge);
    }
}
