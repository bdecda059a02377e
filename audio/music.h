// Background music: the one piece of music on SDL_mixer's music channel,
// with loops, fades, pause and a volume from 0 to 100.
#pragma once

#include <SDL/SDL_mixer.h>

#include <atomic>

#include "foundation/dd_string.h"

// Music volume 0..100 (written on the main thread only).
inline int MusicVolume = 100;
// Written by the mixer's music-finished hook on the audio thread and read
// by the main loop, hence atomic.
inline std::atomic<int> MusicFinished{0};
inline std::atomic<int> MusicPlaying{0};

class ddMusic {
public:
    ddMusic();
    ~ddMusic();
    ddMusic(const ddMusic&) = delete;
    ddMusic& operator=(const ddMusic&) = delete;

    // Loads a music file. With reload 0 (and the last load also 0) the same
    // name that is already loaded is kept as it is.
    void Load(const char* file, int reload);
    // Plays with a loop count (-1 for ever) and an optional fade-in; music
    // that already plays restarts at once without fade.
    void Play(int loops, int fadeMs);
    void Pause();
    void Resume();
    // Halts the music; `finished` becomes the finished flag the main loop
    // turns into the music-finished event.
    void Halt(int finished);
    void FadeOut(int ms);
    void SetVolume(int volume);
    const char* GetName() const { return name.c_str(); }
    // The reload value given to the last Load.
    int GetReload() const { return reload; }
    int GetVolume() const { return MusicVolume; }

    // Halts and frees the music; called before the audio device closes.
    void Release();
    bool IsLoaded() const { return music != nullptr; }

private:
    Mix_Music* music = nullptr;
    ddString name;
    int reload = 0;
};

// The one music player of the program.
extern ddMusic MusicPlayer;

// Mixer volume (0..128) for a music volume of 0..100: no rounding term.
int MusicMixerVolume(int volume);

// Halts every sound channel and frees the music. Shutdown runs it right
// before the audio device closes (installed by InstallAudioReleaser).
void ReleaseAudio();
void InstallAudioReleaser();
