// Clipping a picture's rectangle against bounds: the overlap every blend
// and the visible objects' refresh work with.
#pragma once

#include "graphics/image.h"

// Clips source's rectangle (x, y, w, h) to the bounds, whose x, y, w, h
// fields hold x1, y1, x2, y2. On success out gets the clipped x, y, w, h,
// the source offset srx, sry moved by the cut, and source's surface; srw
// and srh are not set. False when nothing is left (out.w or out.h may then
// have been set to 0).
bool ClipRect(const Image& source, const Image& bounds, Image& out);

// ClipRect with the bounds taken from another picture's x, y, w, h.
bool ClipRectToImage(const Image& source, const Image& boundsImage, Image& out);
