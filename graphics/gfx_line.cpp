#include "graphics/gfx_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

ddgfxpoint::ddgfxpoint(int x, int y, int size) : ddCanvas(x, y, size, size) {}

ddgfxpoint::~ddgfxpoint() = default;

void ddgfxpoint::SetColor(int r, int g, int b) { ddCanvas::SetColor(r, g, b, 255); }

void ddgfxpoint::SetGrey(int level) {
    grey = std::clamp(level, 0, 255);
    SetColor(grey, grey, grey);
}

ddgfxline::ddgfxline(int size) : pointSize(size) {}

ddgfxline::~ddgfxline() = default;

void ddgfxline::AddPoint(int x, int y) { Add(new ddgfxpoint(x, y, pointSize)); }

void ddgfxline::DrawLine(int x1, int y1, int x2, int y2) {
    DeleteAll();
    if (x1 == x2 && y1 == y2) {
        AddPoint(x1, y1);
        return;
    }
    // In 64 bits: the ends come from scripts and files.
    const long long dx = static_cast<long long>(x2) - x1;
    const long long dy = static_cast<long long>(y2) - y1;
    // Every point is a picture of its own: a line far longer than any screen
    // (ends from a broken file) is refused instead of exhausting memory.
    const long long points = std::max(std::llabs(dx), std::llabs(dy));
    if (points > kMaxLinePoints) {
        std::printf("ddgfxline: line of %lld points not drawn\n", points);
        return;
    }
    if (std::llabs(dx) <= std::llabs(dy)) {
        const float step = static_cast<float>(dx) / static_cast<float>(std::llabs(dy));
        const int dir = dy < 0 ? -1 : 1;
        float x = static_cast<float>(x1);
        for (long long y = y1; y != y2; y += dir, x += step)
            AddPoint(static_cast<int>(x), static_cast<int>(y));
    } else {
        const float step = static_cast<float>(dy) / static_cast<float>(std::llabs(dx));
        const int dir = dx < 0 ? -1 : 1;
        float y = static_cast<float>(y1);
        for (long long x = x1; x != x2; x += dir, y += step)
            AddPoint(static_cast<int>(x), static_cast<int>(y));
    }
}

void ddgfxline::SetColor(int r, int g, int b) {
    for (Obraz* c : children)
        if (auto* p = dynamic_cast<ddgfxpoint*>(c)) p->SetColor(r, g, b);
}

void ddgfxline::SetGradient(int start, int end) {
    gradientStart = start;
    gradientEnd = end;
    if (children.empty()) return;
    float level = static_cast<float>(start);
    const float step = static_cast<float>(end - start) / static_cast<float>(children.size());
    for (Obraz* c : children) {
        if (auto* p = dynamic_cast<ddgfxpoint*>(c)) p->SetGrey(static_cast<int>(level));
        level += step;
    }
}
