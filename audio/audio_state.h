// The audio state: whether the audio device is open, the sound playing on
// each mixing channel, the master sound and music volumes, the music flags
// and the one music player. Also the audio device itself: opening it
// installs the mixer's two callbacks; closing it halts and frees what
// plays first.
//
// One state is the current one, reached through CurrentAudio(). The
// program's start-up owns the real one and installs it for the whole run;
// tests install a fresh one with ScopedAudio. With none installed a
// built-in state is current (the device closed, so nothing loads).
//
// The mixer's callbacks run on the audio thread: what they write (the
// channel table, MusicFinished, MusicPlaying) is atomic, and a state is
// installed under the audio lock, so a callback never sees it change.
#pragma once

#include <atomic>
#include <cstdint>

#include "audio/music.h"

class Dzwieki;

constexpr int kChannelTableSize = 250;

struct AudioState {
    AudioState() = default;
    AudioState(const AudioState&) = delete;
    AudioState& operator=(const AudioState&) = delete;

    // 1 once the audio device opened; sounds and music load only when set.
    int AudioOpen = 0;
    // The sound playing on each mixing channel; null when none. The
    // channel-finished callback reads and clears entries.
    std::atomic<Dzwieki*> ChannelTable[kChannelTableSize] = {};
    // Master sound volume 0..100; every sound's own volume is scaled by it.
    int32_t SoundVolume = 100;
    // Music volume 0..100 (main thread only).
    int MusicVolume = 100;
    // Set by the music-finished callback, read by the main loop.
    std::atomic<int> MusicFinished{0};
    std::atomic<int> MusicPlaying{0};
    ddMusic MusicPlayer{*this};
};

// The installed state, or the built-in one; never null.
AudioState& CurrentAudio();
// Installs a state (not owned); null goes back to the built-in one.
void SetAudio(AudioState* audio);

// Makes a state the current one for as long as it lives. Before the one
// before comes back, every sound of the state is halted and its music
// freed (ReleaseAudio), so nothing of it stays on the mixer.
class ScopedAudio {
public:
    explicit ScopedAudio(AudioState& audio);
    ~ScopedAudio();
    ScopedAudio(const ScopedAudio&) = delete;
    ScopedAudio& operator=(const ScopedAudio&) = delete;

private:
    AudioState* previous;
};

// Opens the audio device for the current state: 44100 Hz, 16-bit stereo,
// `bufferSamples` per buffer, 64 mixing channels; installs the mixer's
// channel-finished and music-finished callbacks and sets AudioOpen. When
// the device does not open, sound stays off without a word. True when open.
bool OpenAudioDevice(int bufferSamples = 4096);
// Halts every sound and frees the music (ReleaseAudio), then closes the
// device and clears AudioOpen; nothing when it is not open.
void CloseAudioDevice();

// Halts every sound channel and frees the music of the current state;
// nothing while the device is closed.
void ReleaseAudio();
