#include "graphics/sygnal.h"

#include "graphics/geometry.h"
#include "graphics/graph_api.h"

Sygnal::Sygnal(asmClass* cls) : asmClassObj(cls), self(this) {
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    picture.w = video.ScaledWidth;
    picture.h = video.ScaledHeight;
}

Sygnal::~Sygnal() = default;

void Sygnal::SetUserData(intptr_t data) { userData = data; }

void Sygnal::SetFinishCallback(Callback fn) { finishCallback = fn ? fn : NoCallback; }

void Sygnal::SetStartCallback(Callback fn) { startCallback = fn ? fn : NoCallback; }

void Sygnal::SetRectFromImage(const Image* image) {
    if (!image) return;
    picture.Free();
    picture.x = image->x;
    picture.y = image->y;
    picture.w = image->w;
    picture.h = image->h;
}

bool Sygnal::HitTest(int x, int y) { return PointInImage(x, y, &picture); }

void Sygnal::OnFinish() { finishCallback(userData, self); }

void Sygnal::OnStart() { startCallback(userData, self); }

void Sygnal::SetLayer(int n) { layer = n; }

int Sygnal::GetLayer() { return layer; }

void Sygnal::Pause() { paused = 1; }

void Sygnal::Resume() { paused = 0; }

bool Sygnal::IsPaused() { return paused != 0; }

bool Sygnal::DrawOrderLess(Sygnal* a, Sygnal* b) {
    int la = a->GetLayer(), lb = b->GetLayer();
    if (lb != la) return lb < la;
    return b->GetId() < a->GetId();
}
