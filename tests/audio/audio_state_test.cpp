// The audio state's seam: a state installed with ScopedAudio is the current
// one while it lives; when it goes, what it played is halted and freed and
// the one before comes back, so nothing of it stays on the mixer.
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <optional>

#include "audio/audio_state.h"
#include "audio/sound.h"
#include "audio_support.h"

namespace {

using audio_test::AudioTest;
using audio_test::EnsureAudioOpen;
using audio_test::FramesFor;
using audio_test::WriteWav;

TEST_F(AudioTest, AScopedStateIsCurrentAndLeavesNothingOnTheMixer) {
    const std::string wav = dir.File("long.wav");
    WriteWav(wav, FramesFor(3000));
    ASSERT_EQ(&CurrentAudio(), &audio);

    AudioState inner;
    std::optional<ScopedAudio> installed(std::in_place, inner);
    EXPECT_EQ(&CurrentAudio(), &inner);
    ASSERT_TRUE(EnsureAudioOpen());
    Dzwieki sound;
    sound.Load(wav.c_str());
    sound.Play(-1);
    ASSERT_TRUE(sound.IsPlaying());
    inner.MusicPlayer.Load(wav.c_str(), 1);
    inner.MusicPlayer.Play(-1, 0);
    ASSERT_EQ(Mix_PlayingMusic(), 1);
    Dzwieki::SetMasterVolume(30);

    installed.reset();
    EXPECT_EQ(&CurrentAudio(), &audio);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_FALSE(inner.MusicPlayer.IsLoaded());
    EXPECT_EQ(inner.MusicPlaying.load(), 0);
    for (auto& entry : inner.ChannelTable) EXPECT_EQ(entry.load(), nullptr);
    EXPECT_EQ(audio.SoundVolume, 100) << "the state before keeps its own volume";
}

}  // namespace
