// An animation's sound table read beside its definition, through the loader
// the audio floor installs: loaded, shared by copies, dropped when a new one
// cannot be read; without the loader an animation has none.
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "audio/anim_sound_table.h"
#include "audio/audio_support.h"
#include "graphics/animation_fixture.h"
#include "graphics/frame_sounds.h"
#include "graphics/picture_files.h"

namespace {

class AnimationSoundsTest : public AnimationTest {
protected:
    void SetUp() override {
        AnimationTest::SetUp();
        previous = SetFrameSoundsLoader(LoadAnimationSoundTable);
    }
    void TearDown() override {
        SetFrameSoundsLoader(previous);
        AnimationTest::TearDown();
    }

    // A one-picture sheet.
    void WriteSheet(const std::string& name) {
        std::unique_ptr<Image> picture(MakePicture(3, 2, 0, 200, 0));
        const Image* list[] = {picture.get()};
        GraphAPI::SaveZelFile(list, File(name).c_str(), 1);
    }

    static ddAnimSnd* TableOf(const Animacja& anim) { return dynamic_cast<ddAnimSnd*>(anim.GetSoundTable()); }

    FrameSoundsLoader previous = nullptr;
    AudioState audio;
    ScopedAudio playing{audio};
};

TEST_F(AnimationSoundsTest, TableIsLoadedBesideTheDefinitionAndSharedByCopies) {
    ASSERT_TRUE(audio_test::EnsureAudioOpen());
    audio_test::WriteWav(File("s.wav"), audio_test::FramesFor(200));
    WriteText(File("table.snd"), "<snd>\n\t<wav>\n\t\t<w> 0 " + File("s.wav") +
                                     "</w>\n\t</wav>\n\t<anima>\n\t\t<a> 0 1 - 0</a>\n\t</anima>\n</snd>\n");
    WriteSheet("sheet.zel");
    const std::string path = File("sound.lum");
    WriteText(path,
              "<delay>\t1\n<bank>\ttable.snd\n<files>\t0\n\t<< >>\tsheet.zel\n"
              "<action>\ta\n\t<f>\t0\tx\t0\t0\n\t<f>\t0\ty\t0\t0\n</action>\n");
    auto anim = std::make_unique<Animacja>(path.c_str());
    ASSERT_NE(anim->GetSoundTable(), nullptr);
    EXPECT_TRUE(anim->OwnsSoundTable());
    EXPECT_STREQ(anim->GetSoundBankName(), "table.snd");
    anim->SetFrame(1);
    EXPECT_EQ(TableOf(*anim)->GetCurrentEntry(), TableOf(*anim)->GetEntry(0, 1));

    Animacja copy;
    copy.CopyFrom(*anim);
    EXPECT_EQ(copy.GetSoundTable(), anim->GetSoundTable());
    EXPECT_FALSE(copy.OwnsSoundTable());
    anim.reset();
    copy.SetFrame(0);
    copy.SetFrame(1);  // the table lives on with the copy
    EXPECT_NE(TableOf(copy)->GetCurrentEntry(), nullptr);

    // A table that cannot be read leaves none.
    copy.LoadSoundBank(File("nope.snd").c_str());
    EXPECT_EQ(copy.GetSoundTable(), nullptr);
    EXPECT_FALSE(copy.OwnsSoundTable());
    Mix_HaltChannel(-1);
}

TEST_F(AnimationSoundsTest, WithoutTheLoaderNoTableIsRead) {
    audio_test::WriteWav(File("s.wav"), audio_test::FramesFor(200));
    WriteText(File("table.snd"), "<snd>\n\t<wav>\n\t\t<w> 0 " + File("s.wav") + "</w>\n\t</wav>\n</snd>\n");
    SetFrameSoundsLoader(nullptr);
    Animacja anim;
    anim.LoadSoundBank(File("table.snd").c_str());
    EXPECT_EQ(anim.GetSoundTable(), nullptr);
    SetFrameSoundsLoader(LoadAnimationSoundTable);
    anim.LoadSoundBank(File("table.snd").c_str());
    EXPECT_NE(TableOf(anim), nullptr);
}

}  // namespace
