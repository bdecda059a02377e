#include "graphics/font.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "foundation/saturating.h"
#include "graphics/graph_api.h"
#include "graphics/text.h"

namespace {
// Head of the list of live fonts. A plain pointer, so it is set before any
// font is constructed.
ddFont* g_liveFonts = nullptr;

// The installed default font; null for the built-in one.
ddFont* g_default = nullptr;

// 1 once the font library started.
int FontLibOpen = 0;

// Who watches texts being drawn (the innermost DrawWatch), and what it is
// handed.
ddFont::DrawWatcher g_watcher = nullptr;
void* g_watcherContext = nullptr;
}  // namespace

ddFont::DrawWatch::DrawWatch(DrawWatcher watcher, void* context)
    : previous(g_watcher), previousContext(g_watcherContext) {
    g_watcher = watcher;
    g_watcherContext = context;
}

ddFont::DrawWatch::~DrawWatch() {
    g_watcher = previous;
    g_watcherContext = previousContext;
}

ddFont& DefaultFont() {
    if (g_default) return *g_default;
    // Made when first asked for (the program installs its own and never
    // asks) and never destroyed: texts that die during the program's exit
    // still find it.
    static ddFont* const builtIn = new ddFont;
    return *builtIn;
}

void SetDefaultFont(ddFont* font) { g_default = font; }

bool OpenFontLibrary() {
    if (FontLibOpen) return true;
    if (TTF_Init() == -1) return false;
    FontLibOpen = 1;
    return true;
}

void CloseFontLibrary() {
    ddFont::CloseAll();
    if (!FontLibOpen) return;
    TTF_Quit();
    FontLibOpen = 0;
}

ddFont::ddFont(asmClass* cls) : asmClassObj(cls) {
    nextLive = g_liveFonts;
    if (g_liveFonts) g_liveFonts->prevLive = this;
    g_liveFonts = this;
}

ddFont::~ddFont() {
    // Texts that used this font fall back to the default font (or to none
    // when the default font itself goes).
    const bool wasDefault = g_default == this;
    if (wasDefault) g_default = nullptr;
    if (firstUser) {
        ddFont* fallback = wasDefault ? nullptr : &DefaultFont();
        while (firstUser) firstUser->SetFont(fallback);
    }
    Close();
    if (prevLive)
        prevLive->nextLive = nextLive;
    else if (g_liveFonts == this)
        g_liveFonts = nextLive;
    if (nextLive) nextLive->prevLive = prevLive;
}

void ddFont::CloseAll() {
    for (ddFont* f = g_liveFonts; f; f = f->nextLive) f->Close();
}

void ddFont::FreeGlyphs() {
    for (Image*& glyph : glyphs) {
        delete glyph;
        glyph = nullptr;
    }
}

void ddFont::Close() {
    FreeGlyphs();
    if (!font) return;
    // A handle outliving the font library cannot be closed any more; the
    // library has released everything it held.
    if (TTF_WasInit()) TTF_CloseFont(font);
    font = nullptr;
}

void ddFont::Open(const char* file, int ptSize) {
    size = ptSize;
    fileName = file ? file : "";
    Close();
    font = TTF_OpenFont(fileName.c_str(), ptSize);
    if (!font) {
        std::printf("TTF_OpenFont: %s\n", TTF_GetError());
    }
}

void ddFont::SetColor(int r, int g, int b) {
    if (!font) return;
    FreeGlyphs();  // a second colour replaces the first set of glyphs
    const SDL_Color colour{static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b), 0};
    for (int code = 0; code < 256; ++code) {
        if (!IsGlyphChar(code)) continue;
        const char one[2] = {static_cast<char>(code), '\0'};
        SDL_Surface* s = TTF_RenderUTF8_Blended(font, one, colour);
        if (!s) {
            std::printf("\ncreate text error! %d\n", code);
            continue;
        }
        Image* glyph = new Image;
        glyph->AdoptSurface(s);
        glyph->x = glyph->y = 0;
        glyph->w = glyph->srw = s->w;
        glyph->h = glyph->srh = s->h;
        glyph->srx = glyph->sry = 0;
        glyphs[static_cast<size_t>(code)] = glyph;
    }
}

int ddFont::CharWidth(char ch) const {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == ' ') return size;
    if (c == '\t') return SaturateInt(3 * static_cast<int64_t>(size));
    if (IsGlyphChar(c) && glyphs[c]) return glyphs[c]->w;
    return 0;
}

int ddFont::TextWidth(const char* s) const { return s ? TextWidth(s, std::strlen(s)) : 0; }

int ddFont::TextWidth(const char* s, size_t n) const {
    if (!s) return 0;
    int64_t widest = 0, line = 0;
    for (size_t i = 0; i < n && s[i]; ++i) {
        if (s[i] == '\n') {
            widest = std::max(widest, line);
            line = 0;
        } else {
            line += CharWidth(s[i]);
        }
    }
    widest = std::max(widest, line);
    return SaturateInt(widest);
}

int ddFont::TextHeight(const char* s) const { return s ? TextHeight(s, std::strlen(s)) : 0; }

int ddFont::TextHeight(const char* s, size_t n) const {
    if (!s) return 0;
    int64_t lines = 1;
    int tallest = size;
    for (size_t i = 0; i < n && s[i]; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\n')
            ++lines;
        else if (IsGlyphChar(c) && glyphs[c])
            tallest = std::max(tallest, glyphs[c]->h);
    }
    return SaturateInt(lines * tallest);
}

void ddFont::DrawText(const char* s, int x, int y) {
    if (s) DrawText(s, std::strlen(s), x, y);
}

void ddFont::DrawText(const char* s, size_t n, int x, int y) {
    if (!s) return;
    if (g_watcher) g_watcher(g_watcherContext, s, n, x, y, TextWidth(s, n), TextHeight(s, n));
    // The pen runs in 64 bits: a script may choose any size.
    int64_t penX = x, penY = y;
    for (size_t i = 0; i < n && s[i]; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\n') {
            penX = x;
            penY += size;
        } else if (IsGlyphChar(c) && glyphs[c]) {
            Image* glyph = glyphs[c];
            glyph->x = SaturateInt(penX);
            glyph->y = SaturateInt(penY);
            GraphAPI::BlitToScreen(glyph);
            penX += glyph->w;
        } else {
            penX += CharWidth(s[i]);
        }
    }
}

void ddFont::AddUser(ddTekst* text) {
    text->fontPrev = nullptr;
    text->fontNext = firstUser;
    if (firstUser) firstUser->fontPrev = text;
    firstUser = text;
}

void ddFont::RemoveUser(ddTekst* text) {
    if (text->fontPrev)
        text->fontPrev->fontNext = text->fontNext;
    else if (firstUser == text)
        firstUser = text->fontNext;
    if (text->fontNext) text->fontNext->fontPrev = text->fontPrev;
    text->fontPrev = text->fontNext = nullptr;
}
