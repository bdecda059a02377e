// A text writer over a bitmap font: one picture sheet cut into 7-pixel-wide
// glyph cells, drawn to the screen glyph by glyph inside a clip rectangle.
//
// The sheet is one row of cells as tall as the sheet, in the order of
// kCellOrder; the pixel value 252 is transparent. A character without a
// cell of its own draws the fallback cell ('?').
#pragma once

#include <array>
#include <memory>

#include "graphics/image.h"

class BitmapTextWriter {
public:
    static constexpr int kCellWidth = 7;
    static constexpr int kSpaceWidth = 7;
    static constexpr int kTabWidth = 24;
    static constexpr int kLineStep = 14;
    static constexpr int kTransparentValue = 252;
    static constexpr const char* kCellOrder =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890.,:;!?'\"-+*/()=<>_#%&@";
    static constexpr char kFallback = '?';

    BitmapTextWriter() = default;
    ~BitmapTextWriter() { Unload(); }
    BitmapTextWriter(const BitmapTextWriter&) = delete;
    BitmapTextWriter& operator=(const BitmapTextWriter&) = delete;

    // Loads the sheet and cuts it into cells (a sheet narrower than all the
    // cells yields the cells it holds); false when the sheet cannot be read.
    bool Load(const char* sheetFile);
    // Frees the sheet and every cell.
    void Unload();
    bool IsLoaded() const { return sheet.surface != nullptr; }

    // Drawing stays inside x1 <= x < x2, y1 <= y < y2 (application
    // coordinates); ResetClip makes it the whole screen.
    void SetClip(int x1, int y1, int x2, int y2);
    void ResetClip();

    // Draws s with its top-left at (x, y): a space advances 7 pixels, a tab
    // 24, a line feed returns to x 14 pixels lower; every other character
    // draws its cell (or the fallback cell) and advances 7.
    void Draw(const char* s, int x, int y);

    // The cell a character draws: its own, else the fallback; null when the
    // sheet holds neither.
    const Image* CellFor(char c) const;

private:
    Image sheet;
    std::array<std::unique_ptr<Image>, 256> cells;
    Image clip;  // x, y, w, h hold x1, y1, x2, y2
    bool clipSet = false;
};
