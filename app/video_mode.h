// Choosing the video mode from the start-up keys: the mode search over the
// listed full-screen modes and the scaling of the game to the video height.
// Pure functions; the start-up feeds them SDL's answers.
#pragma once

#include <optional>
#include <vector>

#include "app/config.h"

// Picks the listed mode nearest to want (|dw| + |dh|) among the modes
// inside both accepted ranges, or among all when none lies inside them;
// ties keep the earlier mode; a mode at a distance of want.width +
// want.height or more is never taken.
Size SearchModes(const std::vector<Size>& modes, Size want, Range widths, Range heights);

// The first "res" row for the chosen mode, if any.
std::optional<ResRow> FindResRow(const std::vector<ResRow>& rows, Size mode);

// The application width after scaling the game to the screen height:
// trunc(appWidth * s) with s = screenHeight / appHeight stored as a float,
// saturated to the int range.
int ScaledAppWidth(int appWidth, int appHeight, int screenHeight);
