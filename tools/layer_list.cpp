#include "tools/layer_list.h"

#include <cstdio>

#include "graphics/graph_api.h"
#include "graphics/image.h"

// ---- one layer ----

XcfLayer::XcfLayer(int x, int y, int w, int h, SDL_Surface* data, const char* n) : name("") {
    SetImage(x, y, w, h, data, n);
    ownsPicture = 1;
}

XcfLayer::~XcfLayer() {
    if (ownsPicture) delete picture;
    picture = nullptr;
}

void XcfLayer::SetImage(int x, int y, int w, int h, SDL_Surface* data, const char* n) {
    if (!data) return;
    if (ownsPicture) delete picture;
    picture = GraphAPI::CreateSurfaceFromFile(w, h, data);
    ownsPicture = 1;
    if (picture) {
        picture->x = x;
        picture->y = y;
    }
    SetName(n);
}

// ---- the list ----

XcfLayerList::XcfLayerList(const char* file) {
    if (file) Load(file);
}

void XcfLayerList::Load(const char*) { FreeAll(); }

XcfLayer* XcfLayerList::GetAt(int i) const {
    if (i < 0 || i >= GetCount()) return nullptr;
    return layers[static_cast<size_t>(i)].get();
}

Image* XcfLayerList::GetImageAt(int i) const {
    XcfLayer* layer = GetAt(i);
    return layer ? layer->GetImage() : nullptr;
}

const char* XcfLayerList::GetNameAt(int i) const {
    XcfLayer* layer = GetAt(i);
    return layer ? layer->GetName() : nullptr;
}

int XcfLayerList::FindLayer(const Image* image) const {
    if (!image || !image->surface) return -1;
    for (size_t i = 0; i < layers.size(); ++i) {
        const Image* own = layers[i]->GetImage();
        if (own && own->surface == image->surface) return static_cast<int>(i);
    }
    return -1;
}

void XcfLayerList::AddLayer(int x, int y, int w, int h, SDL_Surface* data, const char* n) {
    std::printf("adding layer: %s x,y,w,h: %d,%d,%d,%d\n", n ? n : "", x, y, w, h);
    layers.push_back(std::make_unique<XcfLayer>(x, y, w, h, data, n));
}

void XcfLayerList::FreeAll() { layers.clear(); }
