// Sound effects: one WAV sample played on a free mixing channel, with its
// own volume scaled by the master volume, pause and resume, and a finish
// mark that the stage turns into the finish event on the main thread.
#pragma once

#include <SDL/SDL_mixer.h>

#include <atomic>
#include <cstdint>

#include "foundation/dd_string.h"
#include "graphics/stage.h"

// The finish mark `finished` comes from the stage's sound interface.
class Dzwieki : public StageSound {
public:
    explicit Dzwieki(asmClass* cls = nullptr);
    ~Dzwieki() override;

    void Pause() override;
    void Resume() override;

    virtual void Load(const char* file);
    virtual void Play(int loops);
    virtual void PlayIfIdle();
    // Stops the sound; `reason` becomes its finish mark (0: no finish event).
    virtual void Stop(int reason);
    void SetVolume(int volume) override;
    virtual int IsPlaying();
    // Makes the sound play again each time it finishes.
    virtual void InstallFinishHandler();

    // Sets the sample's volume to a percentage without master volume and
    // without storing it.
    void ApplyVolume(int percent);
    void SetLoadFlags(int loadNowFlag, int freeAfterPlayFlag);
    // The stage calls this after taking the finish mark.
    void OnFinished() override;
    void DetachChannel(int reason);
    // The current audio state's channel table and master volume.
    static void ClearChannelTable();
    // Clamped to 0..100.
    static void SetMasterVolume(int volume);
    static int GetMasterVolume();
    // Halts every mixing channel; every sound on one is detached with the
    // finish mark 1 (sounds that loop for ever too).
    static void HaltAll();

    // The finish mark: read by the stage, which clears it when it raises
    // the finish event (TakeFinished does both at once).
    int GetFinished() const { return finished; }
    int TakeFinished() { return finished.exchange(0); }
    void SetFinished(int mark) { finished = mark; }

    int GetVolume() const { return volume; }
    int GetChannel() const { return channel; }
    int GetLoops() const { return loops; }
    const char* GetFileName() const { return fileName.c_str(); }
    int GetLoadNow() const { return loadNow; }
    int GetFreeAfterPlay() const { return freeAfterPlay; }
    Mix_Chunk* GetChunk() const { return chunk; }
    bool IsLoaded() const { return chunk != nullptr; }

    // Mixer volumes (0..128) for the sound's own volume with the master
    // volume, and for a plain percentage.
    static int MixerVolume(int volume, int master);
    static int PercentMixerVolume(int percent);

protected:
    void FreeSample();

private:
    static void RepeatOnFinish(intptr_t, Sygnal* self);

    Mix_Chunk* chunk = nullptr;
    // Written by the channel-finished callback on the audio thread.
    std::atomic<int> channel{-1};
    std::atomic<int> playing{0};
    int volume = 100;
    ddString fileName;
    int loadNow = 1;
    int freeAfterPlay = 0;
    // Read by the callback (a sound that loops for ever is not detached).
    std::atomic<int> loops{0};
};
