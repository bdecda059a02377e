#include "audio/sound_bank.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/fatal.h"
#include "foundation/random.h"

ddSndBank::ddSndBank(asmClass* cls) : Dzwieki(cls) {}

ddSndBank::~ddSndBank() = default;

void ddSndBank::SetFlags(const char* flags) {
    if (wavs.empty()) return;
    if (!flags) flags = "";
    const int count = GetWavCount();
    if (std::strchr(flags, 'r'))
        mode = kInTurn;
    else if (std::strchr(flags, 'a'))
        mode = kAll;
    else
        mode = kRandom;
    nextIndex = std::strchr(flags, 't') ? NextRandom() % count : 0;
}

void ddSndBank::AddWav(Dzwieki* wav) {
    if (wav) wavs.push_back(wav);
}

void ddSndBank::Play(int) {
    if (wavs.empty()) return;
    const int count = GetWavCount();
    switch (mode) {
    case kRandom:
        chosen = wavs[NextRandom() % count];
        chosen->Play(0);
        break;
    case kInTurn:
        if (nextIndex < 0 || nextIndex >= count) nextIndex = 0;
        chosen = wavs[nextIndex];
        nextIndex = (nextIndex + 1) % count;
        chosen->Play(0);
        break;
    case kAll:
        for (Dzwieki* wav : wavs) wav->Play(0);
        chosen = wavs.back();
        break;
    default:
        FatalExit("ddSndBank: bad flag " + std::to_string(mode) + "\n", 1);
    }
}

int ddSndBank::IsPlaying() {
    // Playing all at once: playing while any of them plays.
    if (mode == kAll && chosen) {
        for (Dzwieki* wav : wavs)
            if (wav->IsPlaying()) return 1;
        return 0;
    }
    return chosen ? chosen->IsPlaying() : 0;
}

void ddSndBank::Stop(int) {
    if (mode == kAll && chosen) {
        for (Dzwieki* wav : wavs)
            if (wav->IsPlaying()) wav->Stop(0);
        return;
    }
    if (chosen && chosen->IsPlaying()) chosen->Stop(0);
}

void ddSndBank::Reset() {
    wavs.clear();
    chosen = nullptr;
    mode = kRandom;
    nextIndex = 0;
}
