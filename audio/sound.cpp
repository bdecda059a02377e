// Sound effects on SDL_mixer's mixing channels.
//
// The mixer's channel-finished callback runs on the audio thread (and at
// once inside Mix_HaltChannel). It only reads the channel table and writes
// a sound's channel, playing flag and finish mark, all atomics. The main
// thread's play-and-register, stop, pause and resume hold the audio lock,
// so the callback never sees a half-registered sound, and they read the
// sound's channel once (a stale -1 would address every channel).
#include "audio/sound.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <string>

#include "audio/audio_state.h"

namespace {

// Holds the audio device's lock while the device is open.
class AudioLock {
public:
    AudioLock() : held(CurrentAudio().AudioOpen != 0) {
        if (held) SDL_LockAudio();
    }
    ~AudioLock() {
        if (held) SDL_UnlockAudio();
    }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

private:
    bool held;
};

}  // namespace

Dzwieki::Dzwieki(asmClass* cls) : StageSound(cls) {}

Dzwieki::~Dzwieki() {
    Stop(0);
    FreeSample();
    // No entry may outlive the sound, whatever state it was left in.
    AudioLock lock;
    for (auto& entry : CurrentAudio().ChannelTable) {
        Dzwieki* self = this;
        entry.compare_exchange_strong(self, nullptr);
    }
}

int Dzwieki::MixerVolume(int v, int master) {
    const float f = static_cast<float>(static_cast<double>(v) * master / 10000.0 * 128.0 + 0.5);
    return std::clamp(static_cast<int>(f), 0, MIX_MAX_VOLUME);
}

int Dzwieki::PercentMixerVolume(int percent) {
    const float f = static_cast<float>(percent / 100.0 * 128.0 + 0.5);
    return std::clamp(static_cast<int>(f), 0, MIX_MAX_VOLUME);
}

void Dzwieki::FreeSample() {
    if (!chunk) return;
    Mix_FreeChunk(chunk);
    chunk = nullptr;
}

void Dzwieki::Load(const char* file) {
    if (!CurrentAudio().AudioOpen) return;
    const std::string path = file ? file : "";
    fileName = path.c_str();
    if (chunk) {
        if (playing) Stop(0);
        FreeSample();
    }
    if (!loadNow) return;
    SDL_RWops* source = SDL_RWFromFile(path.c_str(), "rb");
    chunk = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
    // The stored volume stays as it is; the sample gets it with the master
    // volume.
    SetVolume(volume);
}

void Dzwieki::Play(int loopCount) {
    if (!loadNow && !chunk) {
        const std::string path = fileName.c_str() ? fileName.c_str() : "";
        loadNow = 1;
        Load(path.c_str());
        loadNow = 0;
    }
    if (playing && channel >= 0) {
        // A restart: no finish event for the first play.
        Stop(0);
        Play(loopCount);
        return;
    }
    AudioState& audio = CurrentAudio();
    if (!chunk || !audio.AudioOpen) return;
    bool started = false;
    {
        AudioLock lock;
        const int ch = Mix_PlayChannelTimed(-1, chunk, loopCount, -1);
        if (ch >= kChannelTableSize) {
            Mix_HaltChannel(ch);
        } else if (ch >= 0) {
            audio.ChannelTable[ch] = this;
            channel = ch;
            playing = 1;
            loops = loopCount;
            started = true;
        }
    }
    if (started) OnStart();
}

void Dzwieki::PlayIfIdle() {
    if (!IsPlaying()) Play(0);
}

void Dzwieki::Stop(int reason) {
    bool wasPlaying;
    {
        AudioLock lock;
        loops = 1;  // so that a sound looping for ever is detached too
        wasPlaying = playing != 0;
        if (wasPlaying) {
            const int ch = channel;
            if (ch < 0) {
                finished = reason;
                playing = 0;
            } else {
                if (CurrentAudio().AudioOpen) Mix_HaltChannel(ch);
                if (channel >= 0)
                    DetachChannel(reason);
                else
                    finished = reason;  // the callback detached it
            }
        } else if (reason == 0) {
            finished = 0;
        }
    }
    if (wasPlaying && freeAfterPlay) FreeSample();
}

void Dzwieki::DetachChannel(int reason) {
    const int ch = channel;
    if (ch < 0 || loops == -1) return;
    if (ch < kChannelTableSize) {
        Dzwieki* self = this;
        CurrentAudio().ChannelTable[ch].compare_exchange_strong(self, nullptr);
    }
    channel = -1;
    finished = reason;
    playing = 0;
}

void Dzwieki::SetVolume(int v) {
    volume = v;
    if (chunk) Mix_VolumeChunk(chunk, MixerVolume(v, CurrentAudio().SoundVolume));
}

void Dzwieki::ApplyVolume(int percent) {
    if (chunk) Mix_VolumeChunk(chunk, PercentMixerVolume(percent));
}

int Dzwieki::IsPlaying() { return playing; }

void Dzwieki::RepeatOnFinish(intptr_t, Sygnal* self) { static_cast<Dzwieki*>(self)->Play(0); }

void Dzwieki::InstallFinishHandler() { SetFinishCallback(RepeatOnFinish); }

void Dzwieki::SetLoadFlags(int loadNowFlag, int freeAfterPlayFlag) {
    loadNow = loadNowFlag;
    freeAfterPlay = freeAfterPlayFlag;
}

void Dzwieki::OnFinished() {
    if (freeAfterPlay) FreeSample();
    OnFinish();
}

void Dzwieki::Pause() {
    Sygnal::Pause();
    AudioLock lock;
    const int ch = channel;
    if (playing && ch >= 0 && CurrentAudio().AudioOpen) Mix_Pause(ch);
}

void Dzwieki::Resume() {
    Sygnal::Resume();
    AudioLock lock;
    const int ch = channel;
    if (playing && ch >= 0 && CurrentAudio().AudioOpen) Mix_Resume(ch);
}

void Dzwieki::ClearChannelTable() {
    AudioLock lock;
    for (auto& entry : CurrentAudio().ChannelTable) entry = nullptr;
}

void Dzwieki::SetMasterVolume(int v) { CurrentAudio().SoundVolume = std::clamp(v, 0, 100); }

int Dzwieki::GetMasterVolume() { return CurrentAudio().SoundVolume; }

void Dzwieki::HaltAll() {
    if (!CurrentAudio().AudioOpen) return;
    AudioLock lock;
    for (auto& entry : CurrentAudio().ChannelTable) {
        // Sounds that loop for ever are detached as well.
        if (Dzwieki* sound = entry.load()) sound->loops = 1;
    }
    Mix_HaltChannel(-1);
}
