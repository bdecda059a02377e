#include "graphics/stage.h"

#include "foundation/object_gone.h"

namespace {

// The stage of a program with no game running: keeps nothing.
class InertStage final : public Stage {
public:
    constexpr InertStage() = default;
    void AddDrawable(Obraz*) override {}
    void RemoveDrawable(Obraz*) override {}
    void AddTimer(StageTimer*) override {}
    void RemoveTimer(StageTimer*) override {}
    void AddSound(StageSound*) override {}
    void RemoveSound(StageSound*) override {}
    void RequestRedraw() override {}
    void RequestResort() override {}
};

// Both are constant-initialised, so objects that die during the program's
// exit still find a stage.
constinit InertStage g_inert;
constinit Stage* g_stage = &g_inert;

}  // namespace

Stage& CurrentStage() { return *g_stage; }

void SetStage(Stage* stage) { g_stage = stage ? stage : &g_inert; }

StageTimer::~StageTimer() { AnnounceGone(*this, GoneReason::Destroyed); }

StageSound::~StageSound() { AnnounceGone(*this, GoneReason::Destroyed); }
