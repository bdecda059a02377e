// Point and length helpers over picture rectangles.
#pragma once

#include "graphics/image.h"

// image.x <= x < image.x + w and image.y <= y < image.y + h; false for no image.
bool PointInImage(int x, int y, const Image* image);

// sqrt(x * x + y * y) in single precision.
float VectorLength(float x, float y);
