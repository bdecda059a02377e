// libFuzzer target for animation definitions (".lum") with the picture
// bank and sound table they name: any definition loads, every action plays
// and draws, and a definition the engine writes reads back as the same
// animation and the same text. The input is the definition, optionally
// followed by "@@ <name>" sections holding the files it names.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "graphics/animation.h"

namespace {

void Play(Animacja& anim) {
    anim.SetPos(5, 5);
    for (int a = 0; a < anim.GetActionCount() && a < 8; ++a) {
        anim.Play(a);
        for (int t = 0; t < 12; ++t) {
            anim.Tick();
            anim.Draw();
        }
        anim.GetScreenImage();
        anim.SetActionFrame(a, anim.GetActionFrameCount(a) - 1);
        anim.GetX();
        anim.GetY();
        anim.IsIn(6, 6, 1, 1);
    }
    anim.PlayByName("walk");
    anim.Stop(true);
}

void ExpectSame(Animacja& a, Animacja& b) {
    auto same = [](const char* x, const char* y) {
        return std::string(x ? x : "") == std::string(y ? y : "");
    };
    if (a.GetActionCount() != b.GetActionCount() || a.GetDelay() != b.GetDelay())
        FuzzFailure("a written definition reads back with other actions or delay");
    for (int i = 0; i < a.GetActionCount(); ++i) {
        AkcjaAnimacji* x = a.GetAction(i);
        AkcjaAnimacji* y = b.GetAction(i);
        if (!same(x->GetName(), y->GetName()) || x->GetLoop() != y->GetLoop() ||
            x->GetHide() != y->GetHide() || x->GetFrameCount() != y->GetFrameCount())
            FuzzFailure("a written definition reads back with another action");
        for (int f = 0; f < x->GetFrameCount(); ++f) {
            if (!same(x->GetFrameName(f), y->GetFrameName(f)) ||
                x->GetFrame(f)->GetX() != y->GetFrame(f)->GetX() ||
                x->GetFrame(f)->GetY() != y->GetFrame(f)->GetY() ||
                x->GetFrame(f)->GetBankIndex() != y->GetFrame(f)->GetBankIndex() ||
                !same(x->GetFrameSound(f), y->GetFrameSound(f)))
                FuzzFailure("a written definition reads back with another frame");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    OpenDummyScreenAndFont();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuard guard;
    const WrittenInput input(data, size, "anim.lum");

    Animacja anim;
    anim.LoadDefinition("anim.lum", 1.0f, 1.0f);
    Play(anim);

    // What the engine writes reads back as the same animation, and writing
    // that again gives the same text.
    if (anim.GetActionCount() > 0) {
        anim.SaveDefinition("first.lum");
        Animacja again;
        again.LoadDefinition("first.lum", 1.0f, 1.0f);
        ExpectSame(anim, again);
        again.SaveDefinition("second.lum");
        if (ReadBackFile("first.lum") != ReadBackFile("second.lum"))
            FuzzFailure("save, load, save changed the definition");
    }

    Animacja scaled;
    scaled.LoadDefinition("anim.lum", 0.5f, 2.0f);
    Play(scaled);
    return 0;
}
