// The "anima" script class where scripts cannot look: an unknown method
// number, pictures merged from another definition, the random phase of
// "hashplay", and the scene entry of a deleted animation.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <memory>
#include <set>
#include <string>

#include "common/run_process.h"
#include "script/script_machine.h"
#include "script_classes/anima_class.h"
#include "script_classes/script_loop_fixture.h"

namespace {

class AnimaClass : public ScriptLoopTest {
protected:
    asmClassAnima* Anima(const char* name) {
        return dynamic_cast<asmClassAnima*>(machine->objects.LookupVar(name));
    }
    // A w x h picture of one colour saved as BMP.
    void Picture(const std::string& rel, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff, 0);
        ASSERT_NE(s, nullptr);
        SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
        ASSERT_EQ(SDL_SaveBMP(s, (folder / rel).c_str()), 0);
        SDL_FreeSurface(s);
    }

    TempFolder folder;
};

TEST_F(AnimaClass, AnUnknownMethodNumberIsReportedAndNothingEnds) {
    machine->LoadText("new anima, a\n");
    asmClassAnima* a = Anima("a");
    ASSERT_NE(a, nullptr);
    const int sp = machine->interp.sp;
    testing::internal::CaptureStdout();
    a->CallBuiltIn(&machine->interp, 61);
    a->CallBuiltIn(&machine->interp, -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nanimation unknown built in method 61\nanimation unknown built in method -1");
    EXPECT_EQ(machine->interp.sp, sp);
}

TEST_F(AnimaClass, MergedPicturesOutliveTheirDefinitionAndFramesPointAtThem) {
    Picture("red.bmp", 4, 4, 255, 0, 0);
    Picture("green.bmp", 3, 3, 0, 255, 0);
    Picture("blue.bmp", 6, 2, 0, 0, 255);
    const std::string red = folder / "red.bmp", green = folder / "green.bmp", blue = folder / "blue.bmp";
    folder.Write("base.lum", "<delay>\t1\n<files>\t1\n\t<< 0 >>\t" + red +
                                 "\n<action>\tstand\n\t<f>\t0\tr\t0\t0\n</action>\n");
    folder.Write("extra.lum", "<delay>\t1\n<files>\t2\n\t<< 0 >>\t" + green + "\n\t<< 1 >>\t" + blue +
                                  "\n<action>\tfly\n\t<f>\t1\tb\t0\t0\n\t<f>\t0\tg\t1\t1\n"
                                  "<action>\tland\n\t<f>\t0\tg2\t0\t0\n</action>\n");
    machine->LoadText("new anima, a\npush \"" + folder / "base.lum" + "\"\ncall a, load\npush \"" +
                      folder / "extra.lum" + "\"\ncall a, subload\n");
    asmClassAnima* a = Anima("a");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->GetActionCount(), 3);
    ASSERT_EQ(a->GetBankCount(), 3);
    EXPECT_STREQ(a->GetNameOfAction(1), "fly");
    // Every frame shows the bank picture its index names.
    for (int i = 0; i < a->GetActionCount(); ++i) {
        AkcjaAnimacji* action = a->GetAction(i);
        for (int f = 0; f < action->GetFrameCount(); ++f) {
            AnimationFrame* frame = action->GetFrame(f);
            Image* shown = a->GetBankImage(frame->GetBankIndex());
            ASSERT_NE(shown, nullptr) << i << "/" << f;
            EXPECT_EQ(frame->GetImage()->surface, shown->surface) << i << "/" << f;
        }
    }
    EXPECT_EQ(a->GetAction(1)->GetFrame(0)->GetBankIndex(), 2);
    EXPECT_EQ(a->GetAction(1)->GetFrame(1)->GetBankIndex(), 1);
    // The merged pictures are drawn after the other animation is gone.
    a->Play(1);
    a->SetPos(20, 20);
    Flags().UpdateRequested = 0;
    Flags().RedrawRequested = 1;
    scene->Frame();
    EXPECT_EQ(ScreenAt(21, 21), (loop_test::Rgb{0, 0, 255}));
    // Saved and read back, the definition names the same pictures.
    const std::string saved = folder / "saved.lum";
    a->SaveDefinition(saved.c_str());
    Animacja back;
    ASSERT_EQ(back.LoadDefinition(saved.c_str(), 1.0f, 1.0f), 1);
    ASSERT_EQ(back.GetActionCount(), 3);
    EXPECT_EQ(back.GetAction(1)->GetFrame(0)->GetImage()->w, 6);
    EXPECT_EQ(back.GetAction(1)->GetFrame(1)->GetImage()->w, 3);
}

TEST_F(AnimaClass, HashplayStartsAtARandomPhaseOnlyWhenFramesLastLonger) {
    folder.Write("spin.lum",
                 "<delay>\t1\n<files>\t0\n\t<< >>\tnone.zel\n<action>\tspin\n\t<f>\t-1\ts0\t0\t0\n"
                 "\t<f>\t-1\ts1\t0\t0\n</action>\n");
    machine->LoadText("new anima, a\npush \"" + folder / "spin.lum" +
                      "\"\ncall a, load\nmethod hp\n  push 0\n  call a, hashplay\nend method\n");
    asmClassAnima* a = Anima("a");
    ASSERT_NE(a, nullptr);
    auto hashplay = [&] {
        machine->objects.Call(machine->interp.globalObject, "hp");
        return a->GetTickCounter();
    };
    EXPECT_EQ(hashplay(), 0);
    EXPECT_EQ(a->IsPlaying(), 1);
    a->SetDelay(50);
    std::set<int> phases;
    for (int i = 0; i < 20; ++i) {
        const int phase = hashplay();
        EXPECT_GE(phase, 0);
        EXPECT_LT(phase, 50);
        phases.insert(phase);
    }
    EXPECT_GT(phases.size(), 1u);
}

TEST_F(AnimaClass, ADeletedAnimationLeavesTheSceneAtOnce) {
    machine->LoadText("new anima, a\nnew anima, b\nmethod drop\n  delete a\nend method\n");
    EXPECT_EQ(scene->DrawableCount(), 2);
    machine->objects.Call(machine->interp.globalObject, "drop");
    EXPECT_EQ(scene->DrawableCount(), 1);
    EXPECT_EQ(Anima("a"), nullptr);
}

}  // namespace
