#include "graphics/filter.h"

#include <SDL/SDL_rotozoom.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>

#include "foundation/saturating.h"
#include "graphics/display_format.h"
#include "graphics/graph_api.h"
#include "graphics/rect_clip.h"
#include "graphics/stage.h"
#include "graphics/surface_lock.h"

using GraphAPI::SurfaceLock;

namespace {

bool SameFormat(const SDL_Surface* a, const SDL_Surface* b) {
    const SDL_PixelFormat* fa = a->format;
    const SDL_PixelFormat* fb = b->format;
    return fa->BitsPerPixel == fb->BitsPerPixel && fa->Rmask == fb->Rmask && fa->Gmask == fb->Gmask &&
           fa->Bmask == fb->Bmask && fa->Amask == fb->Amask;
}

void Say(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

ddFilter::ddFilter(asmClass* cls, const char* name) : asmClassObj(cls) {
    if (name) SetName(name);
    Normal();
}

ddFilter::~ddFilter() { Unlink(); }

void ddFilter::ObjectGone(asmClassObj& object, GoneReason reason) {
    if (reason != GoneReason::Destroyed || blends.empty()) return;
    auto gone = std::remove_if(blends.begin(), blends.end(),
                               [&object](const BlendEntry& e) { return e.object == &object; });
    if (gone != blends.end()) {
        blends.erase(gone, blends.end());
        SetRedraw();
    }
}

// ------------------------------------------------------------ link

void ddFilter::Link(Obraz* object) {
    if (!object || object == linked) return;
    if (linked) Unlink();
    // An object draws through one filter: another one linked to it lets go.
    if (ObrazFilter* other = object->GetLinkedFilter(); other && other != this)
        other->ForgetLinkedObject(object);
    linked = object;
    object->SetLinkedFilter(this);
    object->Refresh();
    Rebuild();
}

void ddFilter::Unlink() {
    if (linked) {
        Obraz* object = linked;
        linked = nullptr;
        if (object->GetLinkedFilter() == this) object->SetLinkedFilter(nullptr);
        object->Refresh();
    }
    ClearOutput();
}

void ddFilter::ForgetLinkedObject(Obraz* object) {
    if (!object || object != linked) return;
    // The object is going away or taken by another filter: it is not touched.
    linked = nullptr;
    ClearOutput();
    SetRedraw();
}

void ddFilter::ClearOutput() {
    // Nothing linked reports an empty picture, not the last one's place.
    output.Free();
    output.x = output.y = output.w = output.h = 0;
    output.srx = output.sry = output.srw = output.srh = 0;
    work.Free();
    composite.Free();
    visiblePart.ViewSurface(nullptr);
    mark = SourceMark{};
    Normal();
}

// ------------------------------------------------------------ transform

void ddFilter::Normal() {
    angle = 0.0;
    zoomX = zoomY = 1.0;
    smooth = 1;
}

bool ddFilter::IsTransformed() { return angle != 0.0 || zoomX != 1.0 || zoomY != 1.0; }

void ddFilter::SetAngle(double a) {
    angle = a;
    Rebuild();
}

void ddFilter::SetZoom(double z) {
    zoomX = zoomY = z;
    Rebuild();
}

void ddFilter::SetZoomXY(double zx, double zy) {
    zoomX = zx;
    zoomY = zy;
    Rebuild();
}

void ddFilter::SetAngleZoom(double a, double z) {
    angle = a;
    zoomX = zoomY = z;
    Rebuild();
}

void ddFilter::SetAngleZoomXY(double a, double zx, double zy) {
    angle = a;
    zoomX = zx;
    zoomY = zy;
    Rebuild();
}

void ddFilter::SetRotPoint(int x, int y) {
    pivotX = x;
    pivotY = y;
    placement = PLACE_ROTATED;
    Rebuild();
}

void ddFilter::SetOpacity(int o) {
    opacity = o;
    SetRedraw();
}

// ------------------------------------------------------------ blend list

void ddFilter::AddBlend(Obraz* object, int mode) {
    if (!object) return;
    blends.push_back({object, mode});
    Rebuild();
}

void ddFilter::RemoveBlend(Obraz* object) {
    auto at = std::find_if(blends.begin(), blends.end(),
                           [object](const BlendEntry& e) { return e.object == object; });
    if (at != blends.end()) blends.erase(at);
    Rebuild();
}

void ddFilter::RemoveAllBlends() {
    blends.clear();
    Rebuild();
}

// ------------------------------------------------------------ effects

void ddFilter::SetLevel(int newLevel) {
    level = newLevel;
    if (!linked) return;
    GraphAPI::DuplicateImage(linked->GetScreenImage(), &output);
    GraphAPI::BlackWhite(&output, level);
    mark = MarkOf(linked);
    SetRedraw();
}

void ddFilter::ReverseXY(int horizontal, int vertical) {
    if (!linked) return;
    GraphAPI::DuplicateImage(linked->GetScreenImage(), &output);
    GraphAPI::MirrorImage(&output, horizontal, vertical);
    mark = MarkOf(linked);
    SetRedraw();
}

// ------------------------------------------------------------ rebuild

ddFilter::SourceMark ddFilter::MarkOf(Obraz* object) {
    const Image* s = object->GetScreenImage();
    SourceMark m;
    m.surface = s->surface;
    m.x = s->x;
    m.y = s->y;
    m.w = s->w;
    m.h = s->h;
    m.srx = s->srx;
    m.sry = s->sry;
    m.posX = object->GetPosX();
    m.posY = object->GetPosY();
    return m;
}

void ddFilter::Sync() {
    if (!linked || syncing) return;
    syncing = true;
    SourceMark now = MarkOf(linked);
    if (!(now == mark)) {
        const bool samePicture = now.surface == mark.surface && now.w == mark.w && now.h == mark.h &&
                                 now.srx == mark.srx && now.sry == mark.sry;
        if (samePicture && IsTransformed()) {
            // Only moved: the transformed picture stays, its place follows.
            mark = now;
            Place();
            SetRedraw();
        } else {
            Rebuild();
        }
    }
    syncing = false;
}

SDL_Surface* ddFilter::Transform(const Image& source, bool& refused) {
    refused = false;
    SDL_Surface* from = source.surface;
    if (!from) return nullptr;
    const int w = source.w, h = source.h;
    // An empty picture shows as an empty one, never as the last output.
    if (w <= 0 || h <= 0) return GraphAPI::CreateSurface32(std::max(0, w), std::max(0, h), true);
    const double biggest = std::max(std::fabs(zoomX), std::fabs(zoomY));
    if (!std::isfinite(angle) || !std::isfinite(zoomX) || !std::isfinite(zoomY) ||
        (static_cast<double>(w) + h) * biggest > kFilterMaxSide) {
        refused = true;
        return nullptr;
    }
    int outW = 0, outH = 0;
    if (angle == 0.0)
        zoomSurfaceSize(w, h, zoomX, zoomY, &outW, &outH);
    else
        rotozoomSurfaceSizeXY(w, h, angle, zoomX, zoomY, &outW, &outH);
    if (outW <= 0 || outH <= 0 || outW > kFilterMaxSide || outH > kFilterMaxSide ||
        static_cast<int64_t>(outW) * outH > kFilterMaxArea) {
        refused = true;
        return nullptr;
    }

    // The shown part of the surface, viewed in place when it is not all of it.
    SDL_Surface* part = from;
    SurfaceLock lock(from);
    const bool whole = source.srx == 0 && source.sry == 0 && w == from->w && h == from->h;
    if (!whole) {
        if (!lock.Ok() || !from->pixels || source.srx < 0 || source.sry < 0 || source.srx + w > from->w ||
            source.sry + h > from->h)
            return nullptr;
        Uint8* first = static_cast<Uint8*>(from->pixels) + static_cast<ptrdiff_t>(source.sry) * from->pitch +
                       static_cast<ptrdiff_t>(source.srx) * from->format->BytesPerPixel;
        part = GraphAPI::SurfaceLike(from, w, h, first, from->pitch);
        if (!part) return nullptr;
    }
    SDL_Surface* made = angle == 0.0 ? GraphAPI::ZoomSurface(part, zoomX, zoomY, smooth)
                                     : GraphAPI::RotozoomSurface(part, angle, zoomX, zoomY, smooth);
    if (part != from) SDL_FreeSurface(part);
    if (!made) refused = true;
    return made;
}

void ddFilter::Rebuild() {
    if (!linked) {
        output.Free();
        output.x = output.y = output.w = output.h = 0;
        return;
    }
    Image* shown = linked->GetScreenImage();
    mark = MarkOf(linked);
    if (!IsTransformed()) {
        Normal();
        output.Free();
        GraphAPI::CopyImageParams(shown, &output);
    } else if (!shown->surface) {
        output.Free();
        GraphAPI::CopyImageParams(shown, &output);
    } else {
        bool refused = false;
        SDL_Surface* made = Transform(*shown, refused);
        if (made) {
            output.Free();
            output.AdoptSurface(made);
            GraphAPI::ResetFromSurface(made, &output);
        } else if (refused) {
            std::string line = "\nfilter ";
            line += GetName() ? GetName() : "";
            line += ": the picture cannot be rotated or zoomed that far, the last one is kept\n";
            Say(line);
        }
    }
    Place();
    SetRedraw();
}

void ddFilter::Place() {
    if (!linked) return;
    // The object's own drawn rectangle, not the output it draws through.
    const Image* s = linked->GetScreenImage();
    const int posX = linked->GetPosX(), posY = linked->GetPosY();
    const double gx = s->x, gy = s->y, gw = s->w, gh = s->h;
    const double w = output.w, h = output.h;
    switch (placement) {
    case PLACE_CENTRED:
        output.x = SatTrunc(gx + (gw - w) / 2 + 0.5);
        output.y = SatTrunc(gy + (gh - h) / 2 + 0.5);
        break;
    case PLACE_SCALED:
        output.x = SatTrunc(posX + static_cast<double>(SatTrunc((gx - posX) * zoomX + 0.5)));
        output.y = SatTrunc(posY + static_cast<double>(SatTrunc((gy - posY) * zoomY + 0.5)));
        break;
    case PLACE_ROTATED: {
        const float r = static_cast<float>(angle * (-std::numbers::pi) / 180.0);
        const float sn = std::sin(r), cs = std::cos(r);
        const float cx = static_cast<float>((gx - posX) + s->w / 2);
        const float cy = static_cast<float>((gy - posY) + s->h / 2);
        const float rx = cx * cs - cy * sn;
        const float ry = cy * cs + cx * sn;
        output.x = SatTrunc(posX + static_cast<double>(rx) - output.w / 2 + 0.5);
        output.y = SatTrunc(posY + static_cast<double>(ry) - output.h / 2 + 0.5);
        break;
    }
    default:
        break;  // no rule: the output stays where it is
    }
}

Image* ddFilter::GetOutputImage() {
    Sync();
    return &output;
}

// ------------------------------------------------------------ render

void ddFilter::CopyOutputInto(Image& into) {
    SDL_Surface* from = output.surface;
    if (!from) {
        into.Free();
        return;
    }
    if (into.surface && into.imgtype == FIRST && into.surface != from && into.surface->w == from->w &&
        into.surface->h == from->h && SameFormat(into.surface, from) && into.surface->format->Amask) {
        GraphAPI::CopyRows(from, into.surface);
        GraphAPI::CopyImageRect(&output, &into);
    } else {
        // A copy with an alpha channel, so that fading works on opaque pictures too.
        GraphAPI::DuplicateImageAlpha(&output, &into);
        // Drawn through its alpha, whatever the output's flags were.
        if (into.surface && into.surface->format->Amask) SDL_SetAlpha(into.surface, SDL_SRCALPHA, 255);
    }
}

bool ddFilter::ApplyBlendsInto(Image& into) {
    if (!output.surface) return false;
    bool prepared = false;
    for (size_t i = 0; i < blends.size(); ++i) {
        const BlendEntry& entry = blends[i];
        const int mode = entry.mode;
        if (mode < BLEND_OVER || mode > BLEND_UMASK) continue;
        Obraz* object = entry.object;
        Image source;
        source.ViewSurface(object->GetFrameImage()->surface);
        source.x = object->GetX();
        source.y = object->GetY();
        source.w = object->GetWidth();
        source.h = object->GetHeight();
        source.srx = source.sry = 0;
        source.srw = source.w;
        source.srh = source.h;
        if (!prepared) {
            if (mode == BLEND_LOUPE) {
                if (into.surface && into.imgtype == FIRST && into.surface->w == output.w &&
                    into.surface->h == output.h && into.surface->format->Amask) {
                    SDL_FillRect(into.surface, nullptr, 0);
                    GraphAPI::ResetFromSurface(into.surface, &into);
                } else {
                    GraphAPI::CreateImage(&into, output.w, output.h, 1);
                }
                into.x = output.x;
                into.y = output.y;
            } else {
                CopyOutputInto(into);
            }
            prepared = true;
        }
        switch (mode) {
        case BLEND_OVER:
            GraphAPI::BlendOver(&into, &source);
            break;
        case BLEND_MASK:
            GraphAPI::MaskAlpha(&into, &source, maskAlpha);
            break;
        case BLEND_LINEARDODGE:
            GraphAPI::BlendAdd(&into, &source);
            break;
        case BLEND_LOUPE: {
            ObrazFilter* own = object->GetLinkedFilter();
            const int alpha = own ? own->GetOpacity() : 255;
            GraphAPI::BlendMasked(&into, &source, &output, alpha, static_cast<int>(i));
            break;
        }
        case BLEND_UMASK:
            GraphAPI::ClearWhereOpaque(&into, &source);
            break;
        default:
            break;
        }
    }
    if (!prepared) CopyOutputInto(into);
    return true;
}

Image* ddFilter::ApplyBlends() {
    Sync();
    if (!output.surface) return nullptr;
    Image* made = new Image;
    ApplyBlendsInto(*made);
    return made;
}

void ddFilter::DrawToScreen() { Draw(GraphAPI::CurrentDrawPlace().surface); }

void ddFilter::Draw(SDL_Surface* target) {
    Sync();
    Place();
    if (!linked || !target || !output.surface || opacity <= 0) return;
    Image* shown = &output;
    if (!blends.empty()) {
        if (!ApplyBlendsInto(work)) return;
        shown = &work;
    }
    const int drawMode = linked->GetDrawMode();
    if (opacity < 255 && drawMode == 0) {
        if (shown != &work) {
            CopyOutputInto(work);
            shown = &work;
        }
        GraphAPI::ScaleAlpha(&work, opacity);
    }
    if (!shown->surface) return;
    if (!ClipRect(*shown, *linked->GetClipImage(), visiblePart)) return;
    visiblePart.ViewSurface(shown->surface);
    visiblePart.srw = visiblePart.w;
    visiblePart.srh = visiblePart.h;

    if (drawMode == 1) {
        // What lies under the output, with the output added on top.
        const int w = visiblePart.w, h = visiblePart.h;
        if (!composite.surface || composite.surface->w != w || composite.surface->h != h)
            GraphAPI::CreateImage(&composite, w, h);
        if (!composite.surface) return;
        const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
        const bool screen = target == video.Screen;
        SDL_Rect from{static_cast<Sint16>(visiblePart.x - (screen ? video.AppOffsetX : 0)),
                      static_cast<Sint16>(visiblePart.y - (screen ? video.AppOffsetY : 0)),
                      static_cast<Uint16>(w), static_cast<Uint16>(h)};
        SDL_Rect to{0, 0, 0, 0};
        SDL_FillRect(composite.surface, nullptr, 0);
        SDL_BlitSurface(target, &from, composite.surface, &to);
        GraphAPI::ResetFromSurface(composite.surface, &composite);
        composite.x = visiblePart.x;
        composite.y = visiblePart.y;
        GraphAPI::BlendAdd256(&composite, &visiblePart, opacity > 255 ? 255 : opacity);
        GraphAPI::BlitToSurface(&composite, target);
        return;
    }
    GraphAPI::BlitToSurface(&visiblePart, target);
}
