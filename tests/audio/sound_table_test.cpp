// Sound banks under a fixed seed, and the animation sound table read from
// its tagged text file.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

#include "audio/anim_sound_table.h"
#include "audio/audio_support.h"
#include "audio/sound_bank.h"
#include "foundation/random.h"
#include "graphics/recording_stage.h"

namespace {

using audio_test::AudioTest;
using audio_test::FramesFor;
using audio_test::WriteWav;

std::vector<Dzwieki*> g_started;
void RecordStart(intptr_t, Sygnal* s) { g_started.push_back(static_cast<Dzwieki*>(s)); }

class BankTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        g_started.clear();
        const std::string wav = dir.File("w.wav");
        WriteWav(wav, FramesFor(3000));
        for (int i = 0; i < 3; ++i) {
            wavs.push_back(std::make_unique<Dzwieki>());
            wavs.back()->Load(wav.c_str());
            wavs.back()->SetStartCallback(RecordStart);
            bank.AddWav(wavs.back().get());
        }
    }
    void StopAll() {
        for (auto& w : wavs) w->Stop(0);
    }
    int IndexOf(Dzwieki* s) const {
        for (size_t i = 0; i < wavs.size(); ++i)
            if (wavs[i].get() == s) return static_cast<int>(i);
        return -1;
    }
    std::vector<std::unique_ptr<Dzwieki>> wavs;
    ddSndBank bank;
};

TEST_F(BankTest, RandomModePicksWithTheEngineRandomSource) {
    bank.SetFlags("");
    EXPECT_EQ(bank.GetMode(), ddSndBank::kRandom);
    SeedRandom(4321);
    std::vector<int> expected;
    for (int i = 0; i < 8; ++i) expected.push_back(NextRandom() % 3);
    SeedRandom(4321);
    std::vector<int> got;
    for (int i = 0; i < 8; ++i) {
        bank.Play(0);
        got.push_back(IndexOf(g_started.back()));
        EXPECT_TRUE(bank.IsPlaying());
        StopAll();
        EXPECT_FALSE(bank.IsPlaying());
    }
    EXPECT_EQ(got, expected);
}

TEST_F(BankTest, InTurnModeCyclesFromTheFirstOrARandomStart) {
    bank.SetFlags("r");
    EXPECT_EQ(bank.GetMode(), ddSndBank::kInTurn);
    EXPECT_EQ(bank.GetNextIndex(), 0);
    for (int i = 0; i < 4; ++i) bank.Play(0);
    ASSERT_EQ(g_started.size(), 4u);
    EXPECT_EQ(IndexOf(g_started[0]), 0);
    EXPECT_EQ(IndexOf(g_started[1]), 1);
    EXPECT_EQ(IndexOf(g_started[2]), 2);
    EXPECT_EQ(IndexOf(g_started[3]), 0);

    // "t" with "r": a random start, then in turn.
    SeedRandom(99);
    const int start = NextRandom() % 3;
    SeedRandom(99);
    bank.SetFlags("tr");
    EXPECT_EQ(bank.GetMode(), ddSndBank::kInTurn);
    g_started.clear();
    for (int i = 0; i < 3; ++i) bank.Play(0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IndexOf(g_started[i]), (start + i) % 3);
}

TEST_F(BankTest, AllModePlaysEveryWavAndStopsThemAll) {
    bank.SetFlags("xa");
    EXPECT_EQ(bank.GetMode(), ddSndBank::kAll);
    bank.Play(5);  // the loop count is not used
    EXPECT_EQ(g_started.size(), 3u);
    for (auto& w : wavs) {
        EXPECT_TRUE(w->IsPlaying());
        EXPECT_EQ(w->GetLoops(), 0);
    }
    EXPECT_TRUE(bank.IsPlaying());
    bank.PlayIfIdle();  // still playing: nothing
    EXPECT_EQ(g_started.size(), 3u);
    bank.Stop(1);
    for (auto& w : wavs) EXPECT_FALSE(w->IsPlaying());
    EXPECT_FALSE(bank.IsPlaying());
}

TEST_F(BankTest, RGoesBeforeA) {
    bank.SetFlags("ar");
    EXPECT_EQ(bank.GetMode(), ddSndBank::kInTurn);
}

TEST_F(BankTest, StopStopsTheChosenWav) {
    bank.SetFlags("r");
    EXPECT_FALSE(bank.IsPlaying());  // none chosen yet
    bank.Play(0);
    EXPECT_TRUE(wavs[0]->IsPlaying());
    static_cast<Dzwieki&>(bank).Stop(1);
    EXPECT_FALSE(wavs[0]->IsPlaying());
    EXPECT_EQ(wavs[0]->GetFinished(), 0);  // stopped without a finish mark
}

TEST(SoundBankEmpty, FlagsAndPlayDoNothing) {
    ddSndBank bank;
    bank.SetFlags("rt");
    EXPECT_EQ(bank.GetMode(), ddSndBank::kRandom);
    bank.Play(0);
    EXPECT_FALSE(bank.IsPlaying());
    Dzwieki wav;
    bank.AddWav(&wav);
    bank.AddWav(nullptr);
    EXPECT_EQ(bank.GetWavCount(), 1);
    bank.SetFlags("a");
    bank.Reset();
    EXPECT_EQ(bank.GetWavCount(), 0);
    EXPECT_EQ(bank.GetMode(), ddSndBank::kRandom);
}

TEST(SoundBankDeath, BadModeEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ddSndBank bank;
            Dzwieki wav;
            bank.AddWav(&wav);
            bank.SetMode(7);
            bank.Play(0);
        },
        ::testing::ExitedWithCode(1), "");
    GTEST_FLAG_SET(death_test_style, "fast");
}

class SoundTableTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        g_started.clear();
        for (int i = 0; i < 4; ++i) WriteWav(dir.File("s" + std::to_string(i) + ".wav"), FramesFor(3000));
    }
    std::string WriteTable(const std::string& text) {
        const std::string path = dir.File("table.snd");
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string Wavs() const {
        std::string t = "\t<wav>\n";
        for (int i = 0; i < 4; ++i)
            t += "\t\t<w" + std::to_string(i) + "> " + std::to_string(i) + " " +
                 dir.File("s" + std::to_string(i) + ".wav") + "\r\n\t\t</w" + std::to_string(i) + ">\n";
        return t + "\t</wav>\n";
    }
    RecordingStage stage;  // the table's wavs register here
};

TEST_F(SoundTableTest, ReferencesNameWavsOrBanks) {
    const std::string path =
        WriteTable("<snd>\n" + Wavs() +
                   "\t<set>\n"
                   "\t\t<b> 0 r\n\t\t\t<i> 0</i>\n\t\t\t<i> 1</i>\n\t\t</b>\n"
                   "\t\t<b> 1 a\n\t\t\t<i> 3</i>\n\t\t</b>\n"
                   "\t\t<b> 2 xr\n\t\t\t<i> 2</i>\n\t\t\t<i> 9</i>\n\t\t\t<i> 3</i>\n\t\t</b>\n"
                   "\t</set>\n"
                   "\t<anima>\n"
                   "\t\t<a> 0 0 - 2s</a>\n"
                   "\t\t<a> 0 1 - 2</a>\n"
                   "\t\t<a> 1 0 sc 1s</a>\n"
                   "\t</anima>\n"
                   "</snd>\n");
    ddAnimSnd table;
    table.SetSize({2, 1});
    ASSERT_EQ(table.Load(path.c_str()), 1);
    ASSERT_EQ(table.GetWavCount(), 4);
    ASSERT_EQ(table.GetBankCount(), 3);
    EXPECT_EQ(stage.sounds.size(), 4u);  // the wavs are the stage's sounds
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(table.GetWav(i)->IsLoaded());

    EXPECT_EQ(table.GetBank(0)->GetWavCount(), 2);
    EXPECT_EQ(table.GetBank(0)->GetMode(), ddSndBank::kInTurn);
    EXPECT_EQ(table.GetBank(1)->GetMode(), ddSndBank::kAll);
    EXPECT_EQ(table.GetBank(2)->GetWavCount(), 2);  // wav 9 does not exist

    const auto* bankEntry = table.GetEntry(0, 0);
    ASSERT_NE(bankEntry, nullptr);
    EXPECT_EQ(bankEntry->sound, table.GetBank(2));
    const auto* wavEntry = table.GetEntry(0, 1);
    ASSERT_NE(wavEntry, nullptr);
    EXPECT_EQ(wavEntry->sound, table.GetWav(2));
    EXPECT_EQ(wavEntry->stop, 0);
    EXPECT_EQ(wavEntry->restart, 0);
    const auto* flagged = table.GetEntry(1, 0);
    ASSERT_NE(flagged, nullptr);
    EXPECT_EQ(flagged->sound, table.GetBank(1));
    EXPECT_EQ(flagged->stop, 1);
    EXPECT_EQ(flagged->restart, 1);

    // Frame 0 of action 0 plays bank 2 (in turn: wav 2 first).
    table.OnFrame(0, 0);
    EXPECT_TRUE(table.GetWav(2)->IsPlaying());
    EXPECT_EQ(table.GetCurrentEntry(), bankEntry);
}

TEST_F(SoundTableTest, RowsOutOfRangeAreSkipped) {
    const std::string path = WriteTable("<snd>\n" + Wavs() +
                                        "<set><b> 0 r<i> 0</i></b></set>\n"
                                        "<anima>\n"
                                        "<a> 5 0 - 0</a>\n"  // no action 5
                                        "<a> 0 7 - 0</a>\n"  // no frame 7
                                        "<a> -1 0 - 0</a>\n"
                                        "<a> 0 0 - 4</a>\n"   // no wav 4
                                        "<a> 0 0 - 1s</a>\n"  // no bank 1
                                        "<a> 0 0 -</a>\n"     // no reference
                                        "<a> x 0 - 0</a>\n"
                                        "<a> 0 0 - 99999999999</a>\n"
                                        "<a> 1 1 - 3</a>\n"
                                        "</anima></snd>");
    ddAnimSnd table;
    table.SetSize({1, 2});
    ASSERT_EQ(table.Load(path.c_str()), 1);
    EXPECT_EQ(table.GetEntry(0, 0), nullptr);
    ASSERT_NE(table.GetEntry(1, 1), nullptr);
    EXPECT_EQ(table.GetEntry(1, 1)->sound, table.GetWav(3));
    table.OnFrame(5, 0);  // outside the table: nothing
    table.OnFrame(0, 7);
    table.OnFrame(-1, -1);
}

TEST_F(SoundTableTest, WithoutWavNodeThereIsNoTable) {
    const std::string path = WriteTable("<snd><anima><a> 0 0 - 0</a></anima></snd>");
    ddAnimSnd table;
    table.SetSize({1});
    testing::internal::CaptureStdout();
    EXPECT_EQ(table.Load(path.c_str()), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " no wavs to load \n");
    EXPECT_EQ(table.Load(dir.File("missing").c_str()), 0);
}

TEST_F(SoundTableTest, RestartFlagAndStopFlag) {
    const std::string path = WriteTable("<snd>\n" + Wavs() +
                                        "<anima>\n"
                                        "<a> 0 0 c 0</a>\n"
                                        "<a> 0 1 - 1</a>\n"
                                        "<a> 0 2 s 2</a>\n"
                                        "</anima></snd>");
    ddAnimSnd table;
    table.SetSize({4});
    ASSERT_EQ(table.Load(path.c_str()), 1);
    for (int i = 0; i < 3; ++i) table.GetWav(i)->SetStartCallback(RecordStart);

    // "c": restarted every time the frame is entered.
    table.OnFrame(0, 0);
    table.OnFrame(0, 0);
    EXPECT_EQ(g_started.size(), 2u);

    // Without "c": a sound that still plays goes on.
    g_started.clear();
    table.OnFrame(0, 1);
    table.OnFrame(0, 1);
    EXPECT_EQ(g_started.size(), 1u);

    // "s": the sound stops when its frame is left, not when it is entered
    // again.
    table.OnFrame(0, 2);
    table.OnFrame(0, 2);
    EXPECT_TRUE(table.GetWav(2)->IsPlaying());
    table.OnFrame(0, 3);
    EXPECT_FALSE(table.GetWav(2)->IsPlaying());
    EXPECT_EQ(table.GetWav(2)->GetFinished(), 0);
    EXPECT_TRUE(table.GetWav(1)->IsPlaying());  // no "s": left playing
}

TEST_F(SoundTableTest, DestructionUnregistersTheWavs) {
    const std::string path = WriteTable("<snd>\n" + Wavs() + "</snd>");
    {
        ddAnimSnd table;
        table.SetSize({1});
        ASSERT_EQ(table.Load(path.c_str()), 1);
        table.GetWav(0)->Play(-1);
        EXPECT_EQ(stage.sounds.size(), 4u);
    }
    EXPECT_TRUE(stage.sounds.empty());
    for (auto& entry : audio.ChannelTable) EXPECT_EQ(entry.load(), nullptr);
}

}  // namespace
