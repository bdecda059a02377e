// The switch between the fast and the generic pixel forms of pixel_io.h.
#include "graphics/pixel_io.h"

namespace GraphAPI {

namespace {
bool g_fast32 = true;
}  // namespace

const bool& UseFast32Paths = g_fast32;

void SetFast32Paths(bool on) { g_fast32 = on; }

}  // namespace GraphAPI
