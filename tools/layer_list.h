// Named picture layers, as the animation editor imports them from a layer
// file. The layer file is not read: a list loaded from a file stays empty,
// and layers come only from AddLayer.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/dd_string.h"

class Image;

class XcfLayer {
public:
    // A picture of w x h copied from `data`, placed at (x, y); no picture
    // when there is no data.
    XcfLayer(int x, int y, int w, int h, SDL_Surface* data, const char* name);
    ~XcfLayer();
    XcfLayer(const XcfLayer&) = delete;
    XcfLayer& operator=(const XcfLayer&) = delete;

    // Only with data: replaces the picture with w x h pixels copied from it,
    // placed at (x, y), and takes the name. Without data nothing changes.
    void SetImage(int x, int y, int w, int h, SDL_Surface* data, const char* name);
    const char* GetName() const { return name.c_str() ? name.c_str() : ""; }
    void SetName(const char* n) { name = n ? n : ""; }
    Image* GetImage() const { return picture; }

private:
    ddString name;
    Image* picture = nullptr;
    uint8_t ownsPicture = 0;
};

class XcfLayerList {
public:
    // With a file name the list is loaded from it (which leaves it empty).
    explicit XcfLayerList(const char* file = nullptr);
    ~XcfLayerList() = default;
    XcfLayerList(const XcfLayerList&) = delete;
    XcfLayerList& operator=(const XcfLayerList&) = delete;

    // The layer file format is not read: the list is emptied and stays so.
    void Load(const char* file);

    // Null when i is outside 0..count-1.
    XcfLayer* GetAt(int i) const;
    Image* GetImageAt(int i) const;
    // Null when there is no layer at i.
    const char* GetNameAt(int i) const;
    int GetCount() const { return static_cast<int>(layers.size()); }

    // The first layer whose picture has the image's pixel surface; -1 when
    // none (and for an image without a surface).
    int FindLayer(const Image* image) const;
    // Announces the layer on standard output, then appends it.
    void AddLayer(int x, int y, int w, int h, SDL_Surface* data, const char* name);
    void FreeAll();

private:
    std::vector<std::unique_ptr<XcfLayer>> layers;
    // What a layer file would say about itself; nothing fills them yet.
    ddString fileTitle;
    ddString fileComment;
};
