// What a visible object asks of the filter linked to it. The filter keeps
// the link in both directions; while it is set the object's drawing, hot
// spot and hit tests go through the filter's output picture.
#pragma once

#include "graphics/image.h"

class Obraz;

class ObrazFilter {
public:
    // The transformed picture that is drawn.
    virtual Image* GetOutputImage() = 0;
    // Angle other than 0 or a zoom other than 1.
    virtual bool IsTransformed() = 0;
    // Draws the output where drawing goes (the screen, or a snapshot's
    // picture).
    virtual void DrawToScreen() = 0;
    virtual int GetOpacity() = 0;
    // The blend list is not empty.
    virtual bool HasBlends() = 0;
    // A new working picture with the blend list applied (the caller deletes
    // it), or null when there is nothing to blend.
    virtual Image* ApplyBlends() = 0;
    // Forgets the linked object; called by the object when it goes away.
    virtual void ForgetLinkedObject(Obraz* object) = 0;

protected:
    ~ObrazFilter() = default;
};
