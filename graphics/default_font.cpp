#include "graphics/default_font.h"

#include <cstdio>

#include "graphics/graph_api.h"

namespace {
TTF_Font* g_font = nullptr;
SDL_Color g_color{250, 250, 250, 0};
}  // namespace

bool OpenDefaultFont(const char* file, int size) {
    CloseDefaultFont();
    g_font = TTF_OpenFont(file, size);
    if (!g_font) {
        std::printf("TTF_OpenFont: %s\n", TTF_GetError());
        return false;
    }
    GraphAPI::SetDefaultFontCloser(CloseDefaultFont);
    return true;
}

void SetDefaultFontColor(int r, int g, int b) {
    g_color = SDL_Color{static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b), 0};
}

TTF_Font* DefaultFontHandle() { return g_font; }
SDL_Color DefaultFontColor() { return g_color; }

void CloseDefaultFont() {
    if (g_font) {
        TTF_CloseFont(g_font);
        g_font = nullptr;
    }
}
