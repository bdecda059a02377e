// Background music over SDL_mixer's music channel.
#include "audio/music.h"

#include <algorithm>
#include <string>

#include "audio/audio_state.h"

int MusicMixerVolume(int volume) {
    const float f = static_cast<float>(volume / 100.0 * 128.0);
    return std::clamp(static_cast<int>(f), 0, MIX_MAX_VOLUME);
}

ddMusic::~ddMusic() { Release(); }

void ddMusic::Release() {
    if (!music) return;
    Halt(0);
    Mix_FreeMusic(music);
    music = nullptr;
}

void ddMusic::Load(const char* file, int reloadFlag) {
    if (!owner.AudioOpen) return;
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
    SetVolume(owner.MusicVolume);
}

void ddMusic::Play(int loops, int fadeMs) {
    if (!music) return;
    if (owner.MusicPlaying) {
        Halt(0);
        Play(loops, 0);
        return;
    }
    owner.MusicFinished = 0;
    SetVolume(owner.MusicVolume);
    // Marked playing before the mixer starts, so that a piece that ends at
    // once is not left marked as playing by a late write here.
    owner.MusicPlaying = 1;
    const int result = fadeMs != 0 ? Mix_FadeInMusic(music, loops, fadeMs) : Mix_PlayMusic(music, loops);
    if (result != 0) owner.MusicPlaying = 0;
}

void ddMusic::Pause() {
    if (music && owner.MusicPlaying) Mix_PauseMusic();
}

void ddMusic::Resume() {
    if (music && owner.MusicPlaying) Mix_ResumeMusic();
}

void ddMusic::Halt(int finished) {
    if (!music) return;
    Mix_HaltMusic();
    owner.MusicPlaying = 0;
    owner.MusicFinished = finished;
}

void ddMusic::FadeOut(int ms) {
    if (!owner.AudioOpen) return;
    Mix_FadeOutMusic(ms);
}

int ddMusic::GetVolume() const { return owner.MusicVolume; }

void ddMusic::SetVolume(int volume) {
    owner.MusicVolume = volume;
    if (music) Mix_VolumeMusic(MusicMixerVolume(volume));
}
