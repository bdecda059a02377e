// A stage for graphics tests: keeps nothing, records what graphics asks of
// it, and is the current stage for as long as it lives.
#pragma once

#include <algorithm>
#include <vector>

#include "graphics/stage.h"

class RecordingStage final : public Stage {
public:
    RecordingStage() { SetStage(this); }
    ~RecordingStage() { SetStage(nullptr); }
    RecordingStage(const RecordingStage&) = delete;
    RecordingStage& operator=(const RecordingStage&) = delete;

    void AddDrawable(Obraz* object) override { drawables.push_back(object); }
    void RemoveDrawable(Obraz* object) override {
        drawables.erase(std::remove(drawables.begin(), drawables.end(), object), drawables.end());
        ++redraws;
    }
    void AddTimer(StageTimer*) override {}
    void RemoveTimer(StageTimer*) override {}
    void AddSound(StageSound*) override {}
    void RemoveSound(StageSound*) override {}
    void RequestRedraw() override { ++redraws; }
    void RequestResort() override { ++resorts; }

    std::vector<Obraz*> drawables;
    int redraws = 0;
    int resorts = 0;
};
