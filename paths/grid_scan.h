// Hit-testing a walk grid over a mask picture or a region animation: one
// id per cell, column by column (-1 where nothing walkable lies).
#pragma once

#include <vector>

struct GridScan {
    int columns = 0;
    int rows = 0;
    std::vector<int> ids;  // columns * rows, cell (i, j) at i * rows + j
};

// Sizes the grid over an area (columns = width / step x + 1, rows likewise)
// with every cell a miss; false when the grid is too large to hold.
bool SizeGrid(long long width, long long height, int stepX, int stepY, GridScan& out);

// Cells of step x by step y over the picture's area; id 0 for a hit.
// False when the picture cannot be loaded.
bool ScanPictureGrid(const char* path, int stepX, int stepY, GridScan& out);
// The area covers the screen and every action's first frame; a cell takes
// the lowest action index whose first frame covers its point.
bool ScanRegionGrid(const char* path, int stepX, int stepY, GridScan& out);
