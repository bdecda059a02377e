// A visible object with a plain picture of its own that it creates and
// fills with colours.
#pragma once

#include "graphics/obraz.h"

class ddCanvas : public Obraz {
public:
    ddCanvas();
    explicit ddCanvas(const Image* image);  // as CopyFromRect
    ddCanvas(int x, int y, int w, int h);   // as Create
    ~ddCanvas() override;

    // A w x h transparent picture with alpha, moved to (x, y).
    void Create(int x, int y, int w, int h);
    using Obraz::Create;
    void Clear();
    // Fills through the picture's own format.
    void SetColor(int r, int g, int b, int a);
    // Fills with an opaque colour.
    void SetColorRGB(int r, int g, int b);
    void SetPen(int r, int g, int b);
    // Writes the pen colour at (x, y) of the picture when inside it.
    void PutPixel(int x, int y);
    void CopyFromImage(Obraz* object);
    void CopyFromRect(const Image* image);
    // A frame of thickness t blended into the target's picture.
    static void DrawBorder(Obraz* target, int t, int r, int g, int b, int a);

    int GetFillR() const { return fillR; }

protected:
    int32_t penR = 255, penG = 255, penB = 255;
    int32_t fillR = 0, fillG = 0, fillB = 0;
};
