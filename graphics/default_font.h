// The default font named by the configuration. It is closed by the
// graphics layer's shutdown, before the font library stops.
#pragma once

#include <SDL/SDL_ttf.h>

// Opens the font; on failure prints "TTF_OpenFont: <error>" and keeps none.
bool OpenDefaultFont(const char* file, int size);
void SetDefaultFontColor(int r, int g, int b);
TTF_Font* DefaultFontHandle();
SDL_Color DefaultFontColor();
void CloseDefaultFont();
