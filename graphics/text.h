// A visible text: a string shown either as one picture rendered through
// SDL_ttf in a colour, or drawn glyph by glyph from its font's glyph
// pictures. It can sit centred in a background box, show numbers, load its
// text from a file, and be edited from the keyboard while unlocked, with a
// chosen set of allowed characters.
#pragma once

#include <cstdint>

#include "foundation/dd_string.h"
#include "graphics/canvas.h"
#include "graphics/obraz.h"
#include "platform/input_event.h"

class ddFont;

class ddTekst : public Obraz {
public:
    explicit ddTekst(const char* initialText = nullptr);
    ~ddTekst() override;

    void Draw() override;
    // Re-centres the text in its picture (or clears the offsets), then moves.
    void SetPos(int x, int y) override;
    // The rendered picture at GetX, GetY; null when nothing is rendered.
    Image* GetDrawImage() override;
    int GetWidth() override;
    int GetHeight() override;
    bool IsIn(int x, int y, int checkVisible, int checkTransparent) override;

    // The text; never null.
    virtual const char* GetText();
    virtual void SetText(const char* s);
    virtual void SetPosAndSize(int x, int y, const char* s);
    virtual void SetText(const ddString& s);
    virtual void SetText(int n);
    virtual void SetTextAndRender(const char* s, int r, int g, int b);
    // Renders the whole text as one picture in the colour.
    virtual void Render(int r, int g, int b);
    virtual void FreeRendered();
    // The text as a decimal number; 0 when it holds none.
    virtual int GetNumber();
    virtual void SetTextInPlace(const char* s);
    virtual void SetTextAt(const char* s, int x, int y);
    virtual void SetNumberAt(int n, int x, int y);
    virtual void SetNumber(int n);
    // A w x h box in (r, g, b, a) at (x, y) with the text centred in it.
    virtual void CreateBackground(int x, int y, int w, int h, int r, int g, int b, int a);
    // The text's picture shares the object's picture, then moves to (x, y).
    virtual void CopyPlacement(int x, int y, Obraz* object);
    virtual void SetBackgroundColor(int r, int g, int b, int a);
    // A frame of thickness t in (r, g, b, a) inside the background box.
    virtual void DrawBackgroundRect(int t, int r, int g, int b, int a);
    virtual void ClearText();
    // The whole file as the text ("null", written to the file, when it is
    // missing), rendered in the colour.
    virtual void LoadTextFile(const char* file, int r, int g, int b);
    virtual void Lock();
    virtual void Unlock();
    // Unlocks; bit 1 allows letters, bit 2 digits, bit 4 other characters.
    virtual void SetAllowedChars(int mask);
    virtual void LetCiphers();
    virtual void LetAlpha();
    virtual void LetAll();
    // Edits the text from a key going down while unlocked.
    virtual void HandleKey(const InputEvent& key);
    virtual bool IsUnlocked();
    // Codes 33 to 127 taken as a signed byte: bytes above 127 are not.
    virtual bool IsWordChar(char c);

    // Null leaves the text without a font: it renders and draws nothing.
    void SetFont(ddFont* f);
    ddFont* GetFont() const { return font; }
    void CenterText();

    int GetTextOffsetX() const { return textOffsetX; }
    int GetTextOffsetY() const { return textOffsetY; }
    ddCanvas* GetBackground() const { return background; }
    const Image* GetRendered() const { return rendered; }
    bool LettersAllowed() const { return lettersAllowed != 0; }
    bool DigitsAllowed() const { return digitsAllowed != 0; }
    bool OthersAllowed() const { return othersAllowed != 0; }

private:
    friend class ddFont;

    // The text box of a text with neither a picture nor a rendering.
    static constexpr int kLineBoxHeight = 12;

    int TextWidthNow();
    int TextHeightNow();

    int32_t textOffsetX = 0, textOffsetY = 0;
    ddString text;
    ddCanvas* background = nullptr;
    Image* rendered = nullptr;
    Image renderedVisible;  // the part of the rendering inside the clip rectangle
    uint8_t unlocked = 0;
    uint8_t digitsAllowed = 0, lettersAllowed = 0, othersAllowed = 0;
    ddFont* font = nullptr;
    ddTekst* fontPrev = nullptr;  // the font's list of its texts
    ddTekst* fontNext = nullptr;
};
