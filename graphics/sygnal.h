// The base of everything that can start and finish (pictures, sounds,
// timers): a picture rectangle, a paused flag, a layer and the start and
// finish callbacks.
#pragma once

#include <cstdint>

#include "foundation/asm_class_obj.h"
#include "graphics/image.h"

class Sygnal : public asmClassObj {
public:
    // Both callbacks take the user data and the object itself.
    using Callback = void (*)(intptr_t userData, Sygnal* self);

    explicit Sygnal(asmClass* cls = nullptr);
    ~Sygnal() override;

    void SetUserData(intptr_t data);
    void SetFinishCallback(Callback fn);
    void SetStartCallback(Callback fn);
    // Takes x, y, w, h of the image; the own picture keeps no surface.
    void SetRectFromImage(const Image* image);
    virtual bool HitTest(int x, int y);
    virtual void OnFinish();
    virtual void OnStart();
    virtual void SetLayer(int n);
    virtual int GetLayer();
    virtual void Pause();
    virtual void Resume();
    bool IsPaused();

    // True when b comes before a in drawing order: a lower layer, or the
    // same layer and a lower object id.
    static bool DrawOrderLess(Sygnal* a, Sygnal* b);

    intptr_t GetUserData() const { return userData; }

    static void NoCallback(intptr_t, Sygnal*) {}

protected:
    int32_t paused = 0;
    int32_t layer = 0;
    intptr_t userData = 0;
    Sygnal* self;
    Image picture;
    Callback finishCallback = NoCallback;
    Callback startCallback = NoCallback;
};
