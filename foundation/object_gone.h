// "This object is gone": the signal by which the holders of pointers to
// any objects (the scene's lists, a filter's blend list, a button's
// pictures, a game's input focus) learn that one of them is going away.
// Pairs that know each other keep direct links instead, and the one that
// goes unlinks the other: an animation tells the path finders that walk or
// link it (AnimationWalker::ForgetAnimation), a visible object its linked
// filter (ObrazFilter::ForgetLinkedObject), a font the texts that use it
// (they take the default font). The script machine, which does the
// deleting, clears its own name tables before it raises the signal.
//
// Withdrawn: a script deleted the object while it could not be destroyed
// yet (one of its calls is running, or destruction is held); it is
// destroyed later. Destroyed: the object's destructor is running; the
// object is whole down to the registered base that raises it, and a
// listener only compares its address and reads its marks, never calls it.
//
// Listeners subscribe when they are made and unsubscribe when they go; one
// may come or go while the signal is being raised (one that comes is not
// told of the object being announced). Main thread only.
#pragma once

#include <cstdint>

class asmClassObj;

enum class GoneReason : uint8_t { Withdrawn, Destroyed };

class GoneListener {
public:
    virtual void ObjectGone(asmClassObj& object, GoneReason reason) = 0;

    GoneListener(const GoneListener&) = delete;
    GoneListener& operator=(const GoneListener&) = delete;

protected:
    GoneListener();
    ~GoneListener();
    // Unsubscribes before the destructor does (a listener whose own members
    // are announced as they are destroyed); doing it twice is harmless.
    void StopListening();

private:
    GoneListener* prev = nullptr;
    GoneListener* next = nullptr;
    bool listening = false;
    friend void AnnounceGone(asmClassObj& object, GoneReason reason);
};

// Tells every listener, newest first.
void AnnounceGone(asmClassObj& object, GoneReason reason);
