#include "foundation/object_gone.h"

namespace {

// Both constant-initialised: objects destroyed during the program's exit
// still find an empty list.
constinit GoneListener* g_first = nullptr;

// Each announcement in progress (an announcement may raise another) holds
// the listener it visits next, so that listeners may leave meanwhile.
struct Announcement {
    GoneListener* next;
    Announcement* outer;
};
constinit Announcement* g_announcing = nullptr;

}  // namespace

GoneListener::GoneListener() : next(g_first), listening(true) {
    if (next) next->prev = this;
    g_first = this;
}

GoneListener::~GoneListener() { StopListening(); }

void GoneListener::StopListening() {
    if (!listening) return;
    listening = false;
    for (Announcement* a = g_announcing; a; a = a->outer)
        if (a->next == this) a->next = next;
    if (prev)
        prev->next = next;
    else
        g_first = next;
    if (next) next->prev = prev;
    prev = next = nullptr;
}

void AnnounceGone(asmClassObj& object, GoneReason reason) {
    Announcement walk{g_first, g_announcing};
    g_announcing = &walk;
    while (GoneListener* listener = walk.next) {
        walk.next = listener->next;
        listener->ObjectGone(object, reason);
    }
    g_announcing = walk.outer;
}
