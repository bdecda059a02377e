#include "graphics/frame_sounds.h"

namespace {

FrameSoundsLoader installedLoader = nullptr;

}  // namespace

FrameSoundsLoader CurrentFrameSoundsLoader() { return installedLoader; }

FrameSoundsLoader SetFrameSoundsLoader(FrameSoundsLoader loader) {
    FrameSoundsLoader old = installedLoader;
    installedLoader = loader;
    return old;
}
