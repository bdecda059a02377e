#include "audio/anim_sound_table.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/dd_base.h"
#include "graphics/stage.h"

namespace {

// Reads the fields of a node's value the way "%d" and "%s" would, without
// any fixed-size buffer.
class FieldReader {
public:
    explicit FieldReader(const char* text) : p(text ? text : "") {}

    bool Int(int& out) {
        SkipBlanks();
        const char* start = p;
        if (*p == '+' || *p == '-') ++p;
        if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
        errno = 0;
        char* end = nullptr;
        const long v = std::strtol(start, &end, 10);
        if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
        p = end;
        out = static_cast<int>(v);
        return true;
    }

    bool Word(std::string& out) {
        SkipBlanks();
        const char* start = p;
        while (*p && !std::isspace(static_cast<unsigned char>(*p))) ++p;
        if (p == start) return false;
        out.assign(start, p);
        return true;
    }

private:
    void SkipBlanks() {
        while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
    }
    const char* p;
};

const char* ValueOf(const ddBase* node) {
    const char* v = node->Value().c_str();
    return v ? v : "";
}

// The leading decimal number of a sound reference, as atoi reads it; false
// when it does not fit an int.
bool LeadingNumber(const std::string& word, int& out) {
    errno = 0;
    const long v = std::strtol(word.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace

ddAnimSnd::ddAnimSnd(Animacja* ownerAnim) : owner(ownerAnim) {}

ddAnimSnd::~ddAnimSnd() { Clear(); }

void ddAnimSnd::Clear() {
    entries.clear();
    currentAction = currentFrame = -1;
    currentShown = false;
    // Banks only point at the wavs; they go first.
    banks.clear();
    for (auto& wav : wavs) {
        if (wav) CurrentStage().RemoveSound(wav.get());
    }
    wavs.clear();
}

void ddAnimSnd::SetSize(const std::vector<int>& framesPerAction) {
    entries.clear();
    entries.reserve(framesPerAction.size());
    for (int frames : framesPerAction) entries.emplace_back(frames > 0 ? frames : 0);
    currentAction = currentFrame = -1;
    currentShown = false;
}

Dzwieki* ddAnimSnd::GetWav(int i) const { return i >= 0 && i < GetWavCount() ? wavs[i].get() : nullptr; }

ddSndBank* ddAnimSnd::GetBank(int i) const { return i >= 0 && i < GetBankCount() ? banks[i].get() : nullptr; }

ddAnimSnd::Entry* ddAnimSnd::At(int action, int frame) {
    if (action < 0 || action >= static_cast<int>(entries.size())) return nullptr;
    auto& row = entries[action];
    if (frame < 0 || frame >= static_cast<int>(row.size())) return nullptr;
    return &row[frame];
}

const ddAnimSnd::Entry* ddAnimSnd::GetEntry(int action, int frame) const {
    const Entry* e = const_cast<ddAnimSnd*>(this)->At(action, frame);
    return e && e->sound ? e : nullptr;
}

const ddAnimSnd::Entry* ddAnimSnd::GetCurrentEntry() const { return GetEntry(currentAction, currentFrame); }

int ddAnimSnd::Load(const char* path) {
    ddBase tree;
    if (!path || !tree.Load(path)) return 0;

    if (!tree.FindNode("wav")) {
        std::printf(" no wavs to load \n");
        return 0;
    }
    for (ddBase* child : tree.GetCurrent()->Children()) {
        FieldReader fields(ValueOf(child));
        int unused = 0;
        std::string file;
        if (!fields.Int(unused) || !fields.Word(file)) {
            wavs.emplace_back();  // keeps the numbering of the rows after it
            continue;
        }
        auto wav = std::make_unique<Dzwieki>();
        wav->Load(file.c_str());
        CurrentStage().AddSound(wav.get());
        wavs.push_back(std::move(wav));
    }

    if (tree.FindNode("set")) {
        for (ddBase* child : tree.GetCurrent()->Children()) {
            auto bank = std::make_unique<ddSndBank>();
            for (ddBase* grandchild : child->Children()) {
                FieldReader fields(ValueOf(grandchild));
                int index = -1;
                if (fields.Int(index)) bank->AddWav(GetWav(index));
            }
            FieldReader fields(ValueOf(child));
            int unused = 0;
            std::string flags;
            if (fields.Int(unused)) fields.Word(flags);
            bank->SetFlags(flags.c_str());
            banks.push_back(std::move(bank));
        }
    }

    if (tree.FindNode("anima")) {
        for (ddBase* child : tree.GetCurrent()->Children()) {
            FieldReader fields(ValueOf(child));
            int action = 0, frame = 0, index = 0;
            std::string flags, reference;
            if (!fields.Int(action) || !fields.Int(frame) || !fields.Word(flags) || !fields.Word(reference))
                continue;
            if (!LeadingNumber(reference, index)) continue;
            Entry* entry = At(action, frame);
            Dzwieki* sound = reference.find('s') != std::string::npos ? GetBank(index) : GetWav(index);
            if (!entry || !sound) continue;  // outside the animation or the loaded sounds
            entry->sound = sound;
            entry->stop = flags.find('s') != std::string::npos;
            entry->restart = flags.find('c') != std::string::npos;
        }
    }
    return 1;
}

void ddAnimSnd::OnFrame(int action, int frame) {
    // A sound marked to stop ends when its frame is left.
    if (currentShown && (action != currentAction || frame != currentFrame)) {
        currentShown = false;
        if (const Entry* left = GetEntry(currentAction, currentFrame);
            left && left->stop && left->sound->IsPlaying())
            left->sound->Stop(0);
    }
    Entry* entry = At(action, frame);
    if (!entry || !entry->sound) return;
    currentAction = action;
    currentFrame = frame;
    currentShown = true;
    if (entry->restart)
        entry->sound->Play(0);
    else
        entry->sound->PlayIfIdle();
}

std::shared_ptr<FrameSounds> LoadAnimationSoundTable(Animacja* owner, const std::vector<int>& framesPerAction,
                                                     const char* path) {
    auto table = std::make_shared<ddAnimSnd>(owner);
    table->SetSize(framesPerAction);
    if (!table->Load(path)) return nullptr;
    return table;
}

void InstallAnimationSoundTables() { SetFrameSoundsLoader(LoadAnimationSoundTable); }
