#include "foundation/object_gone.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/asm_class_obj.h"

namespace {

// Records what it hears as "<name>:<W|D>:<id>" and runs an optional action
// after recording.
class Recorder final : public GoneListener {
public:
    Recorder(std::vector<std::string>& l, std::string n) : log(l), name(std::move(n)) {}
    void ObjectGone(asmClassObj& object, GoneReason reason) override {
        log.push_back(name + (reason == GoneReason::Withdrawn ? ":W:" : ":D:") +
                      std::to_string(object.GetId()));
        if (then) then(object);
    }
    void Leave() { StopListening(); }

    std::vector<std::string>& log;
    std::string name;
    std::function<void(asmClassObj&)> then;
};

std::string Id(const asmClassObj& o) { return std::to_string(o.GetId()); }

TEST(ObjectGone, EveryListenerHearsEachObjectWithItsReasonUntilItLeaves) {
    std::vector<std::string> log;
    asmClassObj a, b;
    {
        Recorder first(log, "first");
        Recorder second(log, "second");
        AnnounceGone(a, GoneReason::Withdrawn);
        EXPECT_EQ(log, (std::vector<std::string>{"second:W:" + Id(a), "first:W:" + Id(a)}));
        log.clear();
        second.Leave();
        second.Leave();  // twice is harmless
        AnnounceGone(b, GoneReason::Destroyed);
        EXPECT_EQ(log, (std::vector<std::string>{"first:D:" + Id(b)}));
        log.clear();
    }
    AnnounceGone(a, GoneReason::Destroyed);  // nobody left to hear it
    EXPECT_TRUE(log.empty());
}

TEST(ObjectGone, ListenersMayComeAndGoWhileAnObjectIsAnnounced) {
    std::vector<std::string> log;
    asmClassObj a, b;
    Recorder last(log, "last");
    auto* middle = new Recorder(log, "middle");
    Recorder first(log, "first");
    Recorder* joined = nullptr;
    // The first one heard deletes the next one and brings a new one in: the
    // deleted one is skipped, the new one hears only later objects.
    first.then = [&](asmClassObj&) {
        delete middle;
        middle = nullptr;
        if (!joined) joined = new Recorder(log, "joined");
    };
    AnnounceGone(a, GoneReason::Destroyed);
    EXPECT_EQ(log, (std::vector<std::string>{"first:D:" + Id(a), "last:D:" + Id(a)}));
    log.clear();
    first.then = nullptr;
    AnnounceGone(b, GoneReason::Destroyed);
    EXPECT_EQ(log, (std::vector<std::string>{"joined:D:" + Id(b), "first:D:" + Id(b), "last:D:" + Id(b)}));
    delete joined;
}

TEST(ObjectGone, AnAnnouncementMadeWhileAnotherRunsReachesEveryone) {
    std::vector<std::string> log;
    asmClassObj owner, owned;
    Recorder last(log, "last");
    Recorder first(log, "first");
    // Hearing of the owner, the first one lets the owned object go, and
    // leaves during that inner announcement.
    first.then = [&](asmClassObj& object) {
        if (&object != &owner) return;
        last.then = [&](asmClassObj&) { first.Leave(); };
        AnnounceGone(owned, GoneReason::Destroyed);
        last.then = nullptr;
    };
    AnnounceGone(owner, GoneReason::Destroyed);
    EXPECT_EQ(log, (std::vector<std::string>{"first:D:" + Id(owner), "first:D:" + Id(owned),
                                             "last:D:" + Id(owned), "last:D:" + Id(owner)}));
}

}  // namespace
