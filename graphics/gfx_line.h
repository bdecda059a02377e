// Square canvas points and straight lines made of them, in one colour or a
// grey gradient; the walk-path editor draws its graph with them.
#pragma once

#include "graphics/canvas.h"
#include "graphics/obraz_container.h"

class ddgfxpoint : public ddCanvas {
public:
    ddgfxpoint(int x, int y, int size);
    ~ddgfxpoint() override;

    // Opaque colour.
    void SetColor(int r, int g, int b);
    using ddCanvas::SetColor;
    // level clamped to 0..255, then grey of that level.
    void SetGrey(int level);
    int GetGrey() const { return grey; }

private:
    int32_t grey = 0;
};

class ddgfxline : public ddObrazContainer {
public:
    explicit ddgfxline(int pointSize);
    ~ddgfxline() override;

    void AddPoint(int x, int y);
    // Points from (x1, y1) toward (x2, y2), the end point excluded; one
    // point when both ends are the same. A line of more than kMaxLinePoints
    // points is refused with one line on standard output.
    static constexpr long long kMaxLinePoints = 65536;
    void DrawLine(int x1, int y1, int x2, int y2);
    void SetColor(int r, int g, int b);
    void SetGradient(int start, int end);

    int GetGradientStart() const { return gradientStart; }
    int GetGradientEnd() const { return gradientEnd; }

private:
    int32_t pointSize;
    int32_t gradientStart = 0, gradientEnd = 0;
};
