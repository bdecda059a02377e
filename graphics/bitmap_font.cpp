#include "graphics/bitmap_font.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "foundation/saturating.h"
#include "graphics/graph_api.h"
#include "graphics/rect_clip.h"

bool BitmapTextWriter::Load(const char* sheetFile) {
    Unload();
    if (!sheetFile) return false;
    GraphAPI::LoadImage(&sheet, sheetFile);
    if (!sheet.surface) return false;
    SDL_SetColorKey(sheet.surface, SDL_SRCCOLORKEY, kTransparentValue);
    const int count = std::min<int>(static_cast<int>(std::strlen(kCellOrder)), sheet.surface->w / kCellWidth);
    for (int i = 0; i < count; ++i) {
        auto cell = std::make_unique<Image>();
        GraphAPI::CopyImageParams(&sheet, cell.get());  // shares the sheet's pixels
        cell->x = cell->y = 0;
        cell->srx = i * kCellWidth;
        cell->sry = 0;
        cell->w = cell->srw = kCellWidth;
        cell->h = cell->srh = sheet.surface->h;
        cells[static_cast<unsigned char>(kCellOrder[i])] = std::move(cell);
    }
    return true;
}

void BitmapTextWriter::Unload() {
    for (auto& cell : cells) cell.reset();
    sheet.Free();
    sheet = Image();
}

void BitmapTextWriter::SetClip(int x1, int y1, int x2, int y2) {
    clip.x = x1;
    clip.y = y1;
    clip.w = x2;
    clip.h = y2;
    clipSet = true;
}

void BitmapTextWriter::ResetClip() { clipSet = false; }

const Image* BitmapTextWriter::CellFor(char c) const {
    if (const Image* own = cells[static_cast<unsigned char>(c)].get()) return own;
    return cells[static_cast<unsigned char>(kFallback)].get();
}

void BitmapTextWriter::Draw(const char* s, int x, int y) {
    if (!s || !IsLoaded()) return;
    Image bounds;
    if (clipSet) {
        bounds.x = clip.x;
        bounds.y = clip.y;
        bounds.w = clip.w;
        bounds.h = clip.h;
    } else {
        const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
        bounds.x = video.AppOffsetX;
        bounds.y = video.AppOffsetY;
        bounds.w = video.AppOffsetX + video.ScreenWidth;
        bounds.h = video.AppOffsetY + video.ScreenHeight;
    }
    int64_t penX = x, penY = y;
    Image placed, shown;
    placed.ViewSurface(sheet.surface);
    for (; *s; ++s) {
        const char c = *s;
        if (c == ' ') {
            penX += kSpaceWidth;
        } else if (c == '\t') {
            penX += kTabWidth;
        } else if (c == '\n') {
            penX = x;
            penY += kLineStep;
        } else {
            const Image* cell = CellFor(c);
            if (!cell) continue;
            placed.srx = cell->srx;
            placed.sry = cell->sry;
            placed.w = cell->w;
            placed.h = cell->h;
            placed.x = SaturateInt(penX);
            placed.y = SaturateInt(penY);
            if (ClipRect(placed, bounds, shown)) GraphAPI::BlitToScreen(&shown);
            penX += kCellWidth;
        }
    }
}
