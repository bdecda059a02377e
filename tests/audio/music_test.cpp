// The music player on the dummy audio driver: load and reload rules,
// restarts, halts and the finished flag, volumes, a closed device.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/audio_state.h"
#include "audio_support.h"

namespace {

using audio_test::AudioTest;
using audio_test::FramesFor;
using audio_test::WaitFor;
using audio_test::WriteWav;

class MusicTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        song = dir.File("song.wav");
        WriteWav(song, FramesFor(3000));
    }
    void TearDown() override {
        music.Release();
        AudioTest::TearDown();
    }
    std::string song;
    ddMusic music{audio};
};

TEST(MusicVolumeArithmetic, TruncatesWithoutRounding) {
    EXPECT_EQ(MusicMixerVolume(50), 64);
    EXPECT_EQ(MusicMixerVolume(99), 126);
    EXPECT_EQ(MusicMixerVolume(100), 128);
    EXPECT_EQ(MusicMixerVolume(1), 1);
    EXPECT_EQ(MusicMixerVolume(0), 0);
    EXPECT_EQ(MusicMixerVolume(-10), 0);
}

TEST_F(MusicTest, LoadingTheSameNameKeepsItPlayingUnlessReloaded) {
    music.Load(song.c_str(), 0);
    ASSERT_TRUE(music.IsLoaded());
    EXPECT_STREQ(music.GetName(), song.c_str());
    music.Play(-1, 0);
    EXPECT_EQ(audio.MusicPlaying.load(), 1);
    EXPECT_EQ(Mix_PlayingMusic(), 1);

    music.Load(song.c_str(), 0);
    music.Load(song.c_str(), 0);
    EXPECT_EQ(audio.MusicPlaying.load(), 1);
    EXPECT_EQ(Mix_PlayingMusic(), 1);

    music.Load(music.GetName(), 1);  // halted, freed and read again
    EXPECT_TRUE(music.IsLoaded());
    EXPECT_EQ(audio.MusicPlaying.load(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(audio.MusicFinished.load(), 0);

    // The kept reload flag makes the next load of the name reload too.
    music.Play(0, 0);
    music.Load(song.c_str(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    music.Play(0, 0);
    music.Load(song.c_str(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
}

TEST_F(MusicTest, AnotherNameReplacesTheMusic) {
    const std::string other = dir.File("other.wav");
    WriteWav(other, FramesFor(3000));
    music.Load(song.c_str(), 0);
    music.Play(-1, 0);
    music.Load(other.c_str(), 0);
    EXPECT_STREQ(music.GetName(), other.c_str());
    EXPECT_EQ(audio.MusicPlaying.load(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MusicTest, AFailedLoadIsTriedAgain) {
    const std::string late = dir.File("late.wav");
    music.Load(late.c_str(), 0);
    EXPECT_FALSE(music.IsLoaded());
    music.Play(-1, 0);
    EXPECT_EQ(audio.MusicPlaying.load(), 0);
    WriteWav(late, FramesFor(3000));
    music.Load(late.c_str(), 0);
    EXPECT_TRUE(music.IsLoaded());
}

TEST_F(MusicTest, PlayWhilePlayingRestartsWithoutFade) {
    music.Load(song.c_str(), 0);
    music.Play(-1, 0);
    music.Play(-1, 2000);
    EXPECT_EQ(audio.MusicPlaying.load(), 1);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(Mix_FadingMusic(), MIX_NO_FADING);
    EXPECT_EQ(audio.MusicFinished.load(), 0);
    // From idle the fade-in is used.
    music.Halt(0);
    music.Play(-1, 2000);
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_IN);
}

TEST_F(MusicTest, HaltSetsTheFinishedFlagAsTold) {
    music.Load(song.c_str(), 0);
    music.Play(-1, 0);
    music.Halt(0);
    EXPECT_EQ(audio.MusicFinished.load(), 0);
    EXPECT_EQ(audio.MusicPlaying.load(), 0);
    music.Play(-1, 0);
    music.Halt(1);
    EXPECT_EQ(audio.MusicFinished.load(), 1);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MusicTest, NaturalEndSetsTheFinishedFlag) {
    const std::string tiny = dir.File("tiny.wav");
    WriteWav(tiny, FramesFor(20));
    music.Load(tiny.c_str(), 0);
    music.Play(0, 0);
    ASSERT_TRUE(WaitFor([&] { return audio.MusicFinished.load() != 0; }));
    EXPECT_EQ(audio.MusicPlaying.load(), 0);
}

TEST_F(MusicTest, AFadeOutEndsThroughTheFinishedHook) {
    music.Load(song.c_str(), 0);
    music.Play(-1, 0);
    music.FadeOut(30);
    EXPECT_EQ(Mix_FadingMusic(), MIX_FADING_OUT);
    ASSERT_TRUE(WaitFor([&] { return audio.MusicFinished.load() != 0; }));
    EXPECT_EQ(audio.MusicPlaying.load(), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MusicTest, PauseAndResumeOnlyWhilePlaying) {
    music.Load(song.c_str(), 0);
    music.Pause();  // not playing: nothing
    EXPECT_EQ(Mix_PausedMusic(), 0);
    music.Play(-1, 0);
    music.Pause();
    EXPECT_EQ(Mix_PausedMusic(), 1);
    music.Resume();
    EXPECT_EQ(Mix_PausedMusic(), 0);
}

TEST_F(MusicTest, VolumeIsReadBackFromTheMixer) {
    music.Load(song.c_str(), 0);
    music.SetVolume(50);
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    EXPECT_EQ(music.GetVolume(), 50);
    music.SetVolume(99);
    EXPECT_EQ(Mix_VolumeMusic(-1), 126);
    // A later load and play keep the stored volume.
    music.Load(song.c_str(), 1);
    music.Play(0, 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 126);
}

TEST_F(MusicTest, ClosedDeviceDoesNothing) {
    audio.AudioOpen = 0;
    music.Load(song.c_str(), 0);
    music.Play(-1, 0);
    music.Halt(1);
    audio.AudioOpen = 1;
    EXPECT_FALSE(music.IsLoaded());
    EXPECT_EQ(audio.MusicPlaying.load(), 0);
    EXPECT_EQ(audio.MusicFinished.load(), 0);
}

TEST_F(MusicTest, ReleaseFreesTheMusicBeforeTheDeviceCloses) {
    music.Load(song.c_str(), 0);
    music.Play(-1, 0);
    music.Release();
    EXPECT_FALSE(music.IsLoaded());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

}  // namespace
