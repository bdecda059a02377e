#include "graphics/text.h"

#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <string>

#include "foundation/saturating.h"
#include "foundation/text_util.h"
#include "foundation/value_files.h"
#include "graphics/font.h"
#include "graphics/geometry.h"
#include "graphics/graph_api.h"
#include "graphics/rect_clip.h"
#include "graphics/stage.h"
#include "platform/input_state.h"

namespace {

bool IsLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// The typed character of the last key event. A key whose character lies
// outside 7-bit ASCII types nothing, rather than the character its low
// seven bits happen to name.
int TypedSevenBitChar() {
    const bool isKey = LastEvent.type == SDL_KEYDOWN || LastEvent.type == SDL_KEYUP;
    if (isKey && LastEvent.key.keysym.unicode > 127) return 0;
    return GetTypedChar();
}

int HalfDifference(int a, int b) { return static_cast<int>((static_cast<int64_t>(a) - b) / 2); }

}  // namespace

ddTekst::ddTekst(const char* initialText) {
    text = "";
    textOffsetX = textOffsetY = 0;
    background = nullptr;
    rendered = nullptr;
    SetText(initialText);
    Lock();
    SetFont(&DefaultFont());
}

ddTekst::~ddTekst() {
    text = "";
    FreeRendered();
    delete background;
    background = nullptr;
    SetFont(nullptr);
}

void ddTekst::SetFont(ddFont* f) {
    if (font == f) return;
    if (font) font->RemoveUser(this);
    font = f;
    if (font) font->AddUser(this);
}

int ddTekst::TextWidthNow() { return font ? font->TextWidth(text.c_str()) : 0; }

int ddTekst::TextHeightNow() { return font ? font->TextHeight(text.c_str()) : 0; }

void ddTekst::Draw() {
    Obraz::Draw();
    if (text.Length() == 0 || !IsVisible()) return;
    if (rendered) {
        rendered->x = GetX();
        rendered->y = GetY();
        if (ClipRect(*rendered, clipRect, renderedVisible) && renderedVisible.surface)
            GraphAPI::BlitToScreen(&renderedVisible);
        return;
    }
    if (font) font->DrawText(text.c_str(), SatAdd(GetX(), textOffsetX), SatAdd(GetY(), textOffsetY));
}

void ddTekst::SetPos(int x, int y) {
    if (picture.surface && text.Length() > 0) {
        CenterText();
    } else {
        textOffsetX = textOffsetY = 0;
    }
    Obraz::SetPos(x, y);
}

void ddTekst::CenterText() {
    textOffsetX = HalfDifference(GetWidth(), TextWidthNow());
    textOffsetY = HalfDifference(GetHeight(), TextHeightNow());
}

Image* ddTekst::GetDrawImage() {
    if (!rendered) return nullptr;
    rendered->x = GetX();
    rendered->y = GetY();
    return rendered;
}

int ddTekst::GetWidth() {
    if (rendered) return rendered->w;
    if (picture.surface) return Obraz::GetWidth();
    return TextWidthNow();
}

int ddTekst::GetHeight() {
    if (rendered) return rendered->h;
    if (picture.surface) return Obraz::GetHeight();
    return TextHeightNow();
}

bool ddTekst::IsIn(int x, int y, int checkVisible, int checkTransparent) {
    if (picture.surface) return Obraz::IsIn(x, y, checkVisible, checkTransparent);
    if (checkVisible && !IsVisible()) return false;
    if (rendered) return PointInImage(x, y, GetDrawImage());
    if (text.Length() == 0) return false;
    // One line box: from GetX across the widest line, kLineBoxHeight high.
    const int64_t left = GetX(), top = GetY();
    return left <= x && x < left + TextWidthNow() && top <= y && y < top + kLineBoxHeight;
}

const char* ddTekst::GetText() { return text.c_str(); }

void ddTekst::SetText(const char* s) {
    text = s ? s : "";
    SetPos(GetX(), GetY());
    SetRedraw();
}

void ddTekst::SetPosAndSize(int x, int y, const char* s) {
    SetText(s);
    SetPos(x, y);
}

void ddTekst::SetText(const ddString& s) { SetText(s.c_str()); }

void ddTekst::SetText(int n) { SetText(std::to_string(n).c_str()); }

void ddTekst::SetTextAndRender(const char* s, int r, int g, int b) {
    SetText(s);
    Render(r, g, b);
}

void ddTekst::Render(int r, int g, int b) {
    FreeRendered();
    SetRedraw();
    if (text.Length() == 0) return;
    const int x = GetX(), y = GetY();
    rendered = new Image;
    TTF_Font* handle = font ? font->GetHandle() : nullptr;
    if (!handle) return;  // no font: the record stays without a surface
    const SDL_Color colour{static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b), 0};
    SDL_Surface* s = TTF_RenderUTF8_Blended(handle, text.c_str(), colour);
    if (!s) return;
    rendered->AdoptSurface(s);
    rendered->w = rendered->srw = s->w;
    rendered->h = rendered->srh = s->h;
    rendered->srx = rendered->sry = 0;
    rendered->x = x;
    rendered->y = y;
}

void ddTekst::FreeRendered() {
    delete rendered;
    rendered = nullptr;
    renderedVisible.ViewSurface(nullptr);
}

int ddTekst::GetNumber() { return text.Length() == 0 ? 0 : TextToInt(text.c_str()); }

void ddTekst::SetTextInPlace(const char* s) { SetTextAt(s, GetX(), GetY()); }

void ddTekst::SetTextAt(const char* s, int x, int y) {
    SetText(s);
    SetPos(x, y);
}

void ddTekst::SetNumberAt(int n, int x, int y) { SetTextAt(std::to_string(n).c_str(), x, y); }

void ddTekst::SetNumber(int n) { SetTextAt(std::to_string(n).c_str(), GetX(), GetY()); }

void ddTekst::CreateBackground(int x, int y, int w, int h, int r, int g, int b, int a) {
    delete background;
    background = new ddCanvas(0, 0, w, h);
    background->SetColor(r, g, b, a);
    CopyPlacement(x, y, background);
}

void ddTekst::CopyPlacement(int x, int y, Obraz* object) {
    if (object && object != this) {
        GraphAPI::CopyImageParams(object->GetImage(), &picture);
        Refresh();  // the picture changed even when the position does not
    }
    SetPos(x, y);
}

void ddTekst::SetBackgroundColor(int r, int g, int b, int a) {
    if (background) background->SetColor(r, g, b, a);
}

void ddTekst::DrawBackgroundRect(int t, int r, int g, int b, int a) {
    if (background) ddCanvas::DrawBorder(background, t, r, g, b, a);
}

void ddTekst::ClearText() { text = ""; }

void ddTekst::LoadTextFile(const char* file, int r, int g, int b) {
    ddString loaded;
    ::LoadTextFile(loaded, file, "null");
    SetTextAndRender(loaded.c_str(), r, g, b);
}

void ddTekst::Lock() { unlocked = 0; }

void ddTekst::Unlock() { unlocked = 1; }

void ddTekst::SetAllowedChars(int mask) {
    Unlock();
    lettersAllowed = (mask & 1) ? 1 : 0;
    digitsAllowed = (mask & 2) ? 1 : 0;
    othersAllowed = (mask & 4) ? 1 : 0;
}

void ddTekst::LetCiphers() { SetAllowedChars(2); }

void ddTekst::LetAlpha() { SetAllowedChars(1); }

void ddTekst::LetAll() { SetAllowedChars(7); }

void ddTekst::HandleKey() {
    if (!unlocked) return;
    const int c = TypedSevenBitChar();
    if (IsKeyHeld(SDLK_BACKSPACE)) {
        const int n = text.Length();
        if (n > 0) text = std::string(text.c_str(), static_cast<size_t>(n - 1)).c_str();
    } else if (c == ' ') {
        text.Append(" ");
    } else if (IsLetter(c)) {
        if (lettersAllowed) text.AppendChar(static_cast<char>(c));
    } else if (IsDigit(c)) {
        if (digitsAllowed) text.AppendChar(static_cast<char>(c));
    } else if (IsKeyHeld(SDLK_RETURN)) {
        if (IsModifierHeld(SDLK_RSHIFT) || IsModifierHeld(SDLK_LSHIFT))
            text.Append("\n");
        else
            Lock();
    } else if (IsKeyHeld(SDLK_TAB)) {
        text.Append("\t");
    } else if (IsKeyHeld(SDLK_DELETE)) {
        text = "";
    } else if (IsWordChar(static_cast<char>(c))) {
        if (othersAllowed) text.AppendChar(static_cast<char>(c));
    }
    CenterText();
    SetRedraw();
}

bool ddTekst::IsUnlocked() { return unlocked != 0; }

bool ddTekst::IsWordChar(char c) {
    const signed char code = static_cast<signed char>(c);
    return code >= 33;  // up to 127, the largest signed byte
}
