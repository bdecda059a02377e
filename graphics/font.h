// A TrueType font at one point size, and, once a colour is chosen, one
// pre-rendered picture per printable ASCII character for drawing text glyph
// by glyph. The point size doubles as the line height, the width of a space
// and a third of the width of a tab.
//
// DefaultFont() is the font of every new text: the one the start-up owns,
// installs and opens, or a built-in one that stays closed until someone
// opens it. The font library is started by the graphics layer's Init and
// stopped by its Shutdown, which closes every open font first.
#pragma once

#include <SDL/SDL_ttf.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_string.h"
#include "graphics/image.h"

class ddTekst;

class ddFont : public asmClassObj {
public:
    explicit ddFont(asmClass* cls = nullptr);
    ~ddFont() override;

    // Closes what is open, then opens the file at the size; on failure
    // prints "TTF_OpenFont: <error>" and stays closed.
    void Open(const char* file, int size);
    // Renders the glyph pictures in the colour; nothing without a font.
    void SetColor(int r, int g, int b);
    // Widest line: a space counts size, a tab 3 x size, a glyph character
    // its glyph's width; 0 for null.
    int TextWidth(const char* s) const;
    // (1 + line feeds) x the larger of size and the tallest glyph in s.
    int TextHeight(const char* s) const;
    // Draws s glyph by glyph to the screen, the pen starting at (x, y).
    void DrawText(const char* s, int x, int y);
    // The same for the first n bytes of s.
    int TextWidth(const char* s, size_t n) const;
    int TextHeight(const char* s, size_t n) const;
    void DrawText(const char* s, size_t n, int x, int y);
    // How far one character moves the pen on its line (0 for a line feed).
    int CharWidth(char c) const;

    // Sees every text drawn glyph by glyph, with the rectangle from the
    // pen's start that TextWidth and TextHeight give it. For checking where
    // texts land on the screen.
    using DrawWatcher = void (*)(void* context, const char* s, size_t n, int x, int y, int w, int h);
    // Installs a watcher for as long as it lives, and puts back the one
    // before it when it goes.
    class DrawWatch {
    public:
        DrawWatch(DrawWatcher watcher, void* context);
        ~DrawWatch();
        DrawWatch(const DrawWatch&) = delete;
        DrawWatch& operator=(const DrawWatch&) = delete;

    private:
        DrawWatcher previous;
        void* previousContext;
    };
    int GetLineHeight() const { return size; }
    int GetSize() const { return size; }
    const char* GetFileName() const { return fileName.c_str(); }
    TTF_Font* GetHandle() const { return font; }
    // The glyph picture of character c, or null.
    const Image* GetGlyph(char c) const { return glyphs[static_cast<unsigned char>(c)]; }
    // Frees the font and every glyph picture.
    void Close();

    // Letters, digits and the punctuation 33-47, 58-64, 91-96, 123-126.
    static bool IsGlyphChar(int code) { return code >= 33 && code <= 126; }

    // Closes every live font (CloseFontLibrary does, before the library
    // stops).
    static void CloseAll();

private:
    friend class ddTekst;
    // Texts that use this font; they fall back to another font when it goes.
    void AddUser(ddTekst* text);
    void RemoveUser(ddTekst* text);

    void FreeGlyphs();

    TTF_Font* font = nullptr;
    std::array<Image*, 256> glyphs{};
    int32_t size = 0;
    ddString fileName;

    ddTekst* firstUser = nullptr;  // list threaded through the texts
    ddFont* prevLive = nullptr;    // every live font, for CloseAll
    ddFont* nextLive = nullptr;
};

// The installed default font, or the built-in one; never null.
ddFont& DefaultFont();
// Installs a font as the default (not owned); null goes back to the
// built-in one. A font that goes away while installed uninstalls itself.
void SetDefaultFont(ddFont* font);

// Starts the font library (SDL_ttf); false when it fails. Starting it
// again does nothing.
bool OpenFontLibrary();
// Closes every live font, then stops the font library when it was started.
void CloseFontLibrary();
