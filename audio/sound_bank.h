// A sound made of several sounds (not owned): each play picks one at
// random, the next in turn, or plays them all at once.
#pragma once

#include <vector>

#include "audio/sound.h"

class ddSndBank : public Dzwieki {
public:
    enum Mode { kRandom = 0, kInTurn = 1, kAll = 2 };

    explicit ddSndBank(asmClass* cls = nullptr);
    ~ddSndBank() override;

    // "r": in turn; else "a": all; else random. "t": in turn starts at a
    // random sound. Nothing while the bank holds no sound.
    void SetFlags(const char* flags);
    void AddWav(Dzwieki* wav);
    // Every sound plays once; the loop count is not used.
    void Play(int loops) override;
    int IsPlaying() override;
    void Stop(int reason) override;
    // Empties the bank.
    void Reset();

    int GetMode() const { return mode; }
    int GetNextIndex() const { return nextIndex; }
    int GetWavCount() const { return static_cast<int>(wavs.size()); }

    // For tests and tools: forces a mode, as if set by flags.
    void SetMode(int m) { mode = m; }

private:
    std::vector<Dzwieki*> wavs;
    Dzwieki* chosen = nullptr;
    int mode = kRandom;
    int nextIndex = 0;
};
