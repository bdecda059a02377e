#include "tools/fitted_text.h"

#include <algorithm>
#include <cstring>

#include "foundation/saturating.h"
#include "graphics/font.h"

namespace {

constexpr const char kMarker[] = "..";

}  // namespace

TextFit FitText(const ddFont& font, const char* s, int room, bool keepEnd) {
    if (!s) s = "";
    const char* end = s + std::strlen(s);
    const char* lineStart = s;
    const char* lineEnd = end;
    if (keepEnd) {
        if (const char* feed = std::strrchr(s, '\n')) lineStart = feed + 1;
    } else if (const char* feed = std::strchr(s, '\n')) {
        lineEnd = feed;
    }
    const size_t n = static_cast<size_t>(lineEnd - lineStart);
    const int whole = font.TextWidth(lineStart, n);
    if (lineStart == s && lineEnd == end && whole <= room) return {lineStart, n, false, keepEnd, whole};
    int used = font.TextWidth(kMarker);
    if (used > room) return {lineStart, 0, false, keepEnd, 0};
    size_t kept = 0;
    while (kept < n) {
        const char next = keepEnd ? lineEnd[-1 - static_cast<ptrdiff_t>(kept)] : lineStart[kept];
        const int w = font.CharWidth(next);
        if (used + w > room) break;
        used += w;
        ++kept;
    }
    return {keepEnd ? lineEnd - kept : lineStart, kept, true, keepEnd, used};
}

void DrawFit(ddFont& font, const TextFit& fit, int x, int y) {
    if (fit.cut && fit.keepEnd) {
        font.DrawText(kMarker, x, y);
        x = SatAdd(x, font.TextWidth(kMarker));
    }
    if (fit.length > 0) font.DrawText(fit.start, fit.length, x, y);
    if (fit.cut && !fit.keepEnd) font.DrawText(kMarker, SatAdd(x, font.TextWidth(fit.start, fit.length)), y);
}

void DrawInBox(ddTekst& text, int inset, const char* suffix) {
    ddFont* font = text.GetFont();
    if (!font || !text.IsVisible()) return;
    const int room = std::max(SatSub(text.GetWidth(), inset), 0);
    const int suffixWidth = suffix && *suffix ? font->TextWidth(suffix) : 0;
    const TextFit name =
        FitText(*font, text.GetText(), std::max(room - suffixWidth, room / 3), text.IsUnlocked());
    const TextFit after = FitText(*font, suffix, room - name.width, false);
    // Every line of glyphs is as tall as the marker's.
    const int lineHeight = font->TextHeight(kMarker);
    const int x = SatAdd(SatAdd(text.GetX(), inset), (room - name.width - after.width) / 2);
    const int y = SatAdd(text.GetY(), std::max(SatSub(text.GetHeight(), lineHeight) / 2, 0));
    DrawFit(*font, name, x, y);
    DrawFit(*font, after, SatAdd(x, name.width), y);
}

void toolText::Draw() {
    Obraz::Draw();  // the box
    DrawInBox(*this, 0, "");
}
