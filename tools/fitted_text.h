// Texts that stay inside their box. The editors' texts (status lines,
// fields, list rows) draw their string on one line within the box: centred
// when it fits, else shortened visibly with the marker ".." so that it never
// spills over a neighbour or past the screen's edge. A text being typed
// (unlocked) keeps its end in view, where the typing happens; any other
// keeps its beginning. What a text holds never changes, only what it shows.
#pragma once

#include <cstddef>

#include "graphics/text.h"

class ddFont;

// What a room of some pixels shows of a text's line: `length` bytes from
// `start`, with the marker before them (keeping the end) or after them
// (keeping the beginning) when `cut`; `width` covers both.
struct TextFit {
    const char* start;
    size_t length;
    bool cut;
    bool keepEnd;
    int width;
};

// The first line of s (the last one with keepEnd) as a room of `room`
// pixels shows it; nothing at all when not even the marker fits.
TextFit FitText(const ddFont& font, const char* s, int room, bool keepEnd);

// Draws a fitted text with its pen at (x, y).
void DrawFit(ddFont& font, const TextFit& fit, int x, int y);

// Draws the string of a text on its box's line, from `inset` pixels into
// the box, followed by `suffix` (in the same font), the pair centred in
// what is left of the box. The text gives up room to the suffix down to
// a third of it; what does not fit is shortened. The box itself is not drawn.
void DrawInBox(ddTekst& text, int inset, const char* suffix);

// A text with a box (CreateBackground) whose string is drawn as DrawInBox
// draws it.
class toolText : public ddTekst {
public:
    using ddTekst::ddTekst;
    void Draw() override;
};
