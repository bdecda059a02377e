// A stage for the graphics and audio tests: walks nothing, records what it
// is asked (the drawables and sounds registered, redraws, re-sorts), and is
// the current stage for as long as it lives.
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
    void AddSound(StageSound* sound) override {
        if (sound && std::find(sounds.begin(), sounds.end(), sound) == sounds.end()) sounds.push_back(sound);
    }
    void RemoveSound(StageSound* sound) override {
        sounds.erase(std::remove(sounds.begin(), sounds.end(), sound), sounds.end());
    }
    void RequestRedraw() override { ++redraws; }
    void RequestResort() override { ++resorts; }

    std::vector<Obraz*> drawables;
    std::vector<StageSound*> sounds;
    int redraws = 0;
    int resorts = 0;
};
