#include "audio/audio_state.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include "audio/sound.h"

namespace {

// Constant-initialised, so sounds that die during the program's exit still
// find a state.
constinit AudioState g_builtIn;
constinit std::atomic<AudioState*> g_audio{&g_builtIn};

// Runs on the audio thread (and at once inside Mix_HaltChannel): detaches
// the sound that played on the channel.
void OnChannelFinished(int channel) {
    if (channel < 0 || channel >= kChannelTableSize) return;
    if (Dzwieki* sound = CurrentAudio().ChannelTable[channel].load()) sound->DetachChannel(1);
}

// Runs on the audio thread (and inside Mix_HaltMusic): only flags.
void OnMusicFinished() {
    AudioState& audio = CurrentAudio();
    audio.MusicFinished = 1;
    audio.MusicPlaying = 0;
}

}  // namespace

AudioState& CurrentAudio() { return *g_audio.load(); }

void SetAudio(AudioState* audio) {
    AudioState* next = audio ? audio : &g_builtIn;
    // No callback runs while the audio lock is held; whichever state says
    // so, the device may be open (a test's fresh state starts closed).
    const bool lock = Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
    if (lock) SDL_LockAudio();
    g_audio = next;
    if (lock) SDL_UnlockAudio();
}

ScopedAudio::ScopedAudio(AudioState& audio) : previous(&CurrentAudio()) { SetAudio(&audio); }

ScopedAudio::~ScopedAudio() {
    ReleaseAudio();
    SetAudio(previous);
}

bool OpenAudioDevice(int bufferSamples) {
    AudioState& audio = CurrentAudio();
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, bufferSamples) != 0) return false;
    audio.AudioOpen = 1;
    Mix_AllocateChannels(64);
    Mix_ChannelFinished(OnChannelFinished);
    Mix_HookMusicFinished(OnMusicFinished);
    return true;
}

void CloseAudioDevice() {
    AudioState& audio = CurrentAudio();
    if (!audio.AudioOpen) return;
    ReleaseAudio();
    Mix_CloseAudio();
    audio.AudioOpen = 0;
}

void ReleaseAudio() {
    AudioState& audio = CurrentAudio();
    if (!audio.AudioOpen) return;
    // Halting runs the channel-finished callback, which detaches every
    // sound still on a channel while the sounds and the device still exist.
    Dzwieki::HaltAll();
    audio.MusicPlayer.Release();
}
