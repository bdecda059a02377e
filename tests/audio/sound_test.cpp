// Sound effects on the dummy audio driver: volumes read back from the
// mixer, finish marks after stops and natural ends, restarts, pause and
// load flags.
#include <gtest/gtest.h>

#include <memory>

#include "audio/audio_support.h"
#include "audio/sound.h"
#include "graphics/graph_api.h"

namespace {

using audio_test::AudioTest;
using audio_test::FramesFor;
using audio_test::WaitFor;
using audio_test::WriteWav;

int g_starts = 0;
int g_finishes = 0;
void CountStart(intptr_t, Sygnal*) { ++g_starts; }
void CountFinish(intptr_t, Sygnal*) { ++g_finishes; }

class SoundTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        g_starts = g_finishes = 0;
        longWav = dir.File("long.wav");
        shortWav = dir.File("short.wav");
        WriteWav(longWav, FramesFor(3000));
        WriteWav(shortWav, FramesFor(10));
    }
    std::unique_ptr<Dzwieki> NewSound(const std::string& file) {
        auto s = std::make_unique<Dzwieki>();
        s->SetStartCallback(CountStart);
        s->SetFinishCallback(CountFinish);
        s->Load(file.c_str());
        return s;
    }
    static int ChunkVolume(const Dzwieki& s) { return Mix_VolumeChunk(s.GetChunk(), -1); }

    std::string longWav, shortWav;
};

TEST(SoundVolumeArithmetic, MatchesTheRoundingRules) {
    EXPECT_EQ(Dzwieki::MixerVolume(50, 100), 64);
    EXPECT_EQ(Dzwieki::MixerVolume(100, 50), 64);
    EXPECT_EQ(Dzwieki::MixerVolume(1, 1), 0);
    EXPECT_EQ(Dzwieki::MixerVolume(100, 100), 128);
    EXPECT_EQ(Dzwieki::MixerVolume(99, 100), 127);  // 126.72 + 0.5
    EXPECT_EQ(Dzwieki::MixerVolume(-5, 100), 0);
    EXPECT_EQ(Dzwieki::PercentMixerVolume(50), 64);
    EXPECT_EQ(Dzwieki::PercentMixerVolume(99), 127);
}

TEST_F(SoundTest, VolumesAreReadBackFromTheMixer) {
    auto s = NewSound(longWav);
    ASSERT_TRUE(s->IsLoaded());
    EXPECT_EQ(s->GetVolume(), 100);
    EXPECT_EQ(ChunkVolume(*s), 128);

    s->SetVolume(50);
    EXPECT_EQ(ChunkVolume(*s), 64);

    Dzwieki::SetMasterVolume(50);
    s->SetVolume(100);
    EXPECT_EQ(ChunkVolume(*s), 64);

    Dzwieki::SetMasterVolume(1);
    s->SetVolume(1);
    EXPECT_EQ(ChunkVolume(*s), 0);

    // ApplyVolume sets the sample without master volume and stores nothing.
    s->SetVolume(30);
    s->ApplyVolume(50);
    EXPECT_EQ(ChunkVolume(*s), 64);
    EXPECT_EQ(s->GetVolume(), 30);

    Dzwieki::SetMasterVolume(150);
    EXPECT_EQ(Dzwieki::GetMasterVolume(), 100);
    Dzwieki::SetMasterVolume(-3);
    EXPECT_EQ(Dzwieki::GetMasterVolume(), 0);
}

TEST_F(SoundTest, ReloadKeepsTheStoredVolumeWhateverTheMaster) {
    auto s = NewSound(longWav);
    s->SetVolume(80);
    Dzwieki::SetMasterVolume(50);
    for (int i = 0; i < 3; ++i) s->Load(longWav.c_str());
    EXPECT_EQ(s->GetVolume(), 80);
    EXPECT_EQ(ChunkVolume(*s), Dzwieki::MixerVolume(80, 50));

    // A master volume of 0 silences the sample without losing its volume.
    Dzwieki::SetMasterVolume(0);
    s->Load(longWav.c_str());
    EXPECT_EQ(s->GetVolume(), 80);
    EXPECT_EQ(ChunkVolume(*s), 0);
}

TEST_F(SoundTest, StopMarksTheFinishOnlyWhenAsked) {
    auto s = NewSound(longWav);
    s->Play(0);
    ASSERT_TRUE(s->IsPlaying());
    const int ch = s->GetChannel();
    ASSERT_GE(ch, 0);
    EXPECT_EQ(audio.ChannelTable[ch].load(), s.get());
    EXPECT_EQ(g_starts, 1);

    s->Stop(1);
    EXPECT_FALSE(s->IsPlaying());
    EXPECT_EQ(s->GetChannel(), -1);
    EXPECT_EQ(audio.ChannelTable[ch].load(), nullptr);
    EXPECT_EQ(s->GetFinished(), 1);
    EXPECT_EQ(Mix_Playing(ch), 0);

    s->SetFinished(0);
    s->Play(0);
    s->Stop(0);
    EXPECT_FALSE(s->IsPlaying());
    EXPECT_EQ(s->GetFinished(), 0);

    // Idle: Stop(0) clears a pending mark, Stop(1) marks nothing.
    s->SetFinished(1);
    s->Stop(0);
    EXPECT_EQ(s->GetFinished(), 0);
    s->Stop(1);
    EXPECT_EQ(s->GetFinished(), 0);
}

TEST_F(SoundTest, StopHaltsOnlyItsOwnChannel) {
    auto a = NewSound(longWav);
    auto b = NewSound(longWav);
    a->Play(0);
    b->Play(0);
    ASSERT_NE(a->GetChannel(), b->GetChannel());
    a->Stop(1);
    a->Stop(1);  // a second stop with no channel leaves the others alone
    EXPECT_TRUE(b->IsPlaying());
    EXPECT_EQ(Mix_Playing(b->GetChannel()), 1);
}

TEST_F(SoundTest, ALoopForEverIsDetachedOnlyByStop) {
    auto s = NewSound(longWav);
    s->Play(-1);
    const int ch = s->GetChannel();
    s->DetachChannel(1);  // as the mixer's callback would
    EXPECT_TRUE(s->IsPlaying());
    EXPECT_EQ(s->GetChannel(), ch);
    s->Stop(1);
    EXPECT_FALSE(s->IsPlaying());
    EXPECT_EQ(audio.ChannelTable[ch].load(), nullptr);
    EXPECT_EQ(s->GetFinished(), 1);
}

TEST_F(SoundTest, RestartRaisesStartAgainWithoutAFinish) {
    auto s = NewSound(longWav);
    s->Play(0);
    s->Play(0);
    EXPECT_EQ(g_starts, 2);
    EXPECT_TRUE(s->IsPlaying());
    EXPECT_EQ(s->GetFinished(), 0);
    s->PlayIfIdle();  // already playing: nothing
    EXPECT_EQ(g_starts, 2);
}

TEST_F(SoundTest, ManyShortPlaysAllReportTheirEnd) {
    // A sample may end before its play returns; the end still reaches it.
    auto s = NewSound(shortWav);
    for (int i = 0; i < 20; ++i) {
        s->SetFinished(0);
        s->Play(0);
        ASSERT_TRUE(WaitFor([&] { return s->GetFinished() != 0; })) << "play " << i;
        EXPECT_FALSE(s->IsPlaying());
    }
}

TEST_F(SoundTest, PauseAndResumeReachTheChannel) {
    auto s = NewSound(longWav);
    s->Play(0);
    const int ch = s->GetChannel();
    s->Pause();
    EXPECT_TRUE(s->IsPaused());
    EXPECT_EQ(Mix_Paused(ch), 1);
    s->Resume();
    EXPECT_FALSE(s->IsPaused());
    EXPECT_EQ(Mix_Paused(ch), 0);
}

TEST_F(SoundTest, LoadLaterAndFreeAfterPlay) {
    auto s = std::make_unique<Dzwieki>();
    s->SetLoadFlags(0, 1);
    s->Load(longWav.c_str());
    EXPECT_FALSE(s->IsLoaded());
    EXPECT_STREQ(s->GetFileName(), longWav.c_str());

    s->Play(0);
    EXPECT_TRUE(s->IsLoaded());
    EXPECT_TRUE(s->IsPlaying());
    s->Stop(1);
    EXPECT_FALSE(s->IsLoaded());  // freed when it stopped

    s->Play(0);  // read again for the next play
    EXPECT_TRUE(s->IsPlaying());
    s->Stop(1);
    s->Play(0);
    s->Stop(0);
    s->SetFinished(1);
    s->Load(longWav.c_str());
    s->Play(0);
    EXPECT_TRUE(s->IsLoaded());
}

TEST_F(SoundTest, FinishHandlerPlaysAgain) {
    auto s = NewSound(longWav);
    s->InstallFinishHandler();
    s->Play(0);
    s->Stop(1);
    s->TakeFinished();
    s->OnFinished();
    EXPECT_TRUE(s->IsPlaying());
}

TEST_F(SoundTest, MissingFileLeavesASilentSound) {
    auto s = NewSound(dir.File("missing.wav"));
    EXPECT_FALSE(s->IsLoaded());
    s->Play(0);
    EXPECT_FALSE(s->IsPlaying());
    EXPECT_EQ(g_starts, 0);
}

TEST_F(SoundTest, ClosedDeviceLoadsNothing) {
    audio.AudioOpen = 0;
    auto s = NewSound(longWav);
    audio.AudioOpen = 1;
    EXPECT_FALSE(s->IsLoaded());
}

TEST_F(SoundTest, ClearChannelTableEmptiesEveryEntry) {
    auto s = NewSound(longWav);
    s->Play(-1);
    Dzwieki::HaltAll();
    EXPECT_FALSE(s->IsPlaying());
    for (auto& entry : audio.ChannelTable) EXPECT_EQ(entry.load(), nullptr);
    audio.ChannelTable[200] = s.get();
    Dzwieki::ClearChannelTable();
    EXPECT_EQ(audio.ChannelTable[200].load(), nullptr);
}

}  // namespace
