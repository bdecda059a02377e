// The sound table of one animation: sounds and sound banks read from a
// tagged text file, and for each action and frame an optional entry that
// plays a sound when the frame is entered.
//
// File layout (each node optional except "wav"):
//   <wav>   children "<number> <file>"             wavs 0, 1, 2 ... in order
//   <set>   children "<number> <flags>", each with children "<wav number>"
//   <anima> children "<action> <frame> <flags> <sound>"
// A sound reference is a number; with an "s" in it, it names a bank. Row
// flags: "s" stops the sound when its frame is left, "c" restarts a sound
// that still plays when the frame is entered again.
#pragma once

#include <memory>
#include <vector>

#include "audio/sound.h"
#include "audio/sound_bank.h"
#include "graphics/frame_sounds.h"

class Animacja;

class ddAnimSnd : public FrameSounds {
public:
    struct Entry {
        Dzwieki* sound = nullptr;  // a wav or a bank of this table
        int stop = 0;
        int restart = 0;
    };

    explicit ddAnimSnd(Animacja* owner = nullptr);
    ~ddAnimSnd() override;
    ddAnimSnd(const ddAnimSnd&) = delete;
    ddAnimSnd& operator=(const ddAnimSnd&) = delete;

    // Sizes the entry table: one row per action, one empty entry per frame
    // of that action.
    void SetSize(const std::vector<int>& framesPerAction);
    // 1 when the table was read, 0 when the file cannot be read or has no
    // "wav" node (" no wavs to load " is written then).
    int Load(const char* path);
    // The owner entered frame `frame` of action `action`.
    void OnFrame(int action, int frame) override;

    Animacja* GetOwner() const { return owner; }
    int GetWavCount() const { return static_cast<int>(wavs.size()); }
    int GetBankCount() const { return static_cast<int>(banks.size()); }
    Dzwieki* GetWav(int i) const;
    ddSndBank* GetBank(int i) const;
    // The entry at [action][frame], null when there is none.
    const Entry* GetEntry(int action, int frame) const;
    const Entry* GetCurrentEntry() const;

private:
    Entry* At(int action, int frame);
    void Clear();

    Animacja* owner;
    // A wav row that cannot be read keeps its number with a null slot.
    std::vector<std::unique_ptr<Dzwieki>> wavs;
    std::vector<std::unique_ptr<ddSndBank>> banks;
    std::vector<std::vector<Entry>> entries;
    int currentAction = -1;
    int currentFrame = -1;
    bool currentShown = false;
};

// Reads an animation's sound table (the animations' loader of frame sounds).
std::shared_ptr<FrameSounds> LoadAnimationSoundTable(Animacja* owner, const std::vector<int>& framesPerAction,
                                                     const char* path);
// Makes animations read their sound tables through LoadAnimationSoundTable
// (once, at start-up).
void InstallAnimationSoundTables();
