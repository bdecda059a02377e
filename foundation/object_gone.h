// "This object is gone": the one signal by which whatever keeps pointers to
// objects (the scene's lists, a filter's blend list, a button's pictures,
// a game's input focus) learns that one of them is going away.
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
