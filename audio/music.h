// Background music: the one piece of music on SDL_mixer's music channel,
// with loops, fades, pause and a volume from 0 to 100.
#pragma once

#include <SDL/SDL_mixer.h>

#include "foundation/dd_string.h"

struct AudioState;

// The music player of an audio state: its volume and flags are the
// state's MusicVolume, MusicFinished and MusicPlaying.
class ddMusic {
public:
    constexpr explicit ddMusic(AudioState& audio) : owner(audio) {}
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
    int GetVolume() const;

    // Halts and frees the music; called before the audio device closes.
    void Release();
    bool IsLoaded() const { return music != nullptr; }

private:
    AudioState& owner;
    Mix_Music* music = nullptr;
    ddString name;
    int reload = 0;
};

// Mixer volume (0..128) for a music volume of 0..100: no rounding term.
int MusicMixerVolume(int volume);
