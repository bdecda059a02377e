// Background music over SDL_mixer's music channel.
#include "audio/music.h"

#include <algorithm>
#include <string>

#include "audio/sound.h"
#include "graphics/graph_api.h"

namespace {

// The music-finished hook is installed by the first load with audio open.
bool g_hookPending = true;

// Runs on the mixer's audio thread (and inside Mix_HaltMusic): only flags.
void OnMusicFinishedHook() {
    MusicFinished = 1;
    MusicPlaying = 0;
}

}  // namespace

ddMusic MusicPlayer;

int MusicMixerVolume(int volume) {
    const float f = static_cast<float>(volume / 100.0 * 128.0);
    return std::clamp(static_cast<int>(f), 0, MIX_MAX_VOLUME);
}

ddMusic::ddMusic() {
    MusicPlaying = 0;
    MusicFinished = 0;
}

ddMusic::~ddMusic() { Release(); }

void ddMusic::Release() {
    if (!music) return;
    Halt(0);
    Mix_FreeMusic(music);
    music = nullptr;
}

void ddMusic::Load(const char* file, int reloadFlag) {
    if (!GraphAPI::AudioOpen) return;
    if (g_hookPending) {
        g_hookPending = false;
        Mix_HookMusicFinished(OnMusicFinishedHook);
    }
    // A copy: the caller may pass the player's own name.
    const std::string path = file ? file : "";
    // The same name stays loaded unless a reload is asked for; a name whose
    // load failed is tried again.
    if (reloadFlag == 0 && reload == 0 && music && path == (GetName() ? GetName() : "")) return;
    name = "";
    Release();
    name = path.c_str();
    reload = reloadFlag;
    music = Mix_LoadMUS(path.c_str());
    SetVolume(MusicVolume);
}

void ddMusic::Play(int loops, int fadeMs) {
    if (!music) return;
    if (MusicPlaying) {
        Halt(0);
        Play(loops, 0);
        return;
    }
    MusicFinished = 0;
    SetVolume(MusicVolume);
    // Marked playing before the mixer starts, so that a piece that ends at
    // once is not left marked as playing by a late write here.
    MusicPlaying = 1;
    const int result = fadeMs != 0 ? Mix_FadeInMusic(music, loops, fadeMs) : Mix_PlayMusic(music, loops);
    if (result != 0) MusicPlaying = 0;
}

void ddMusic::Pause() {
    if (music && MusicPlaying) Mix_PauseMusic();
}

void ddMusic::Resume() {
    if (music && MusicPlaying) Mix_ResumeMusic();
}

void ddMusic::Halt(int finished) {
    if (!music) return;
    Mix_HaltMusic();
    MusicPlaying = 0;
    MusicFinished = finished;
}

void ddMusic::FadeOut(int ms) {
    if (!GraphAPI::AudioOpen) return;
    Mix_FadeOutMusic(ms);
}

void ddMusic::SetVolume(int volume) {
    MusicVolume = volume;
    if (music) Mix_VolumeMusic(MusicMixerVolume(volume));
}

void ReleaseAudio() {
    if (!GraphAPI::AudioOpen) return;
    // Halting runs the channel-finished callback, which detaches every
    // sound still on a channel while the sounds and the device still exist.
    Dzwieki::HaltAll();
    MusicPlayer.Release();
}

void InstallAudioReleaser() { GraphAPI::SetAudioReleaser(ReleaseAudio); }
