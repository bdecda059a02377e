// Taking a deleted script object out of the scene at once while its
// destruction waits for a safe point (see asmObjects::Destroy).
#pragma once

class asmClassObj;

// Removes the object from whichever of the scene's lists hold it
// (drawables, timers, sounds, buttons). Its destructor later finds it gone.
void WithdrawFromScene(asmClassObj* object);
