// The "snd" script class on the dummy audio driver: its events, "loop"
// replaying a finished sound, restarts and plays that leave a playing sound
// alone, endless plays, volumes, "loaded", and a sound deleted by its own
// finish handler.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "audio/audio_support.h"
#include "graphics/graph_api.h"
#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/script_machine.h"
#include "script_classes/engine_script_classes.h"
#include "script_classes/sound_class.h"

namespace {

using audio_test::AudioTest;
using audio_test::FramesFor;
using audio_test::WaitFor;
using audio_test::WriteWav;

// Counts starts and finishes of "bang" in script variables.
const char* kCountingScript =
    "new int, starts\n"
    "new int, ends\n"
    "new snd, bang\n"
    "push \"onstart\"\npush \"started\"\ncall bang, addmethod\n"
    "push \"onfinish\"\npush \"ended\"\ncall bang, addmethod\n"
    "method started\n  add starts, 1\n  pop starts\nend method\n"
    "method ended\n  add ends, 1\n  pop ends\nend method\n"
    "method endanddelete\n  add ends, 1\n  pop ends\n  call global, removebang\nend method\n"
    "method removebang\n  delete bang\nend method\n";

class SoundClassTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        staged.emplace(scene);
        shortWav = dir.File("short.wav");
        longWav = dir.File("long.wav");
        WriteWav(shortWav, FramesFor(10));
        WriteWav(longWav, FramesFor(3000));
        machine = std::make_unique<asmScriptMachine>(EngineScriptClasses());
        machine->SetUp();
        machine->LoadText(kCountingScript);
    }
    void TearDown() override {
        machine.reset();
        staged.reset();
        AudioTest::TearDown();
    }

    asmClassObj* Object(const char* name) { return machine->objects.LookupVar(name); }
    asmClassDzwieki* Bang() { return dynamic_cast<asmClassDzwieki*>(Object("bang")); }
    int IntVar(const char* name) {
        auto* v = dynamic_cast<asmVar*>(Object(name));
        return v ? v->GetInt() : -999;
    }
    void Call(const char* method) { machine->objects.Call(Object("bang"), method); }
    void CallWith(const char* method, int arg) {
        PushInt(machine->interp, arg);
        Call(method);
    }
    int Ask(const char* method) {
        Call(method);
        return PopArgInt(machine->interp);
    }
    void LoadBang(const std::string& file) {
        PushString(machine->interp, file.c_str());
        Call("load");
    }
    // Waits for the mixer to end the play, then lets the scene collect it.
    bool CollectNaturalEnd() {
        asmClassDzwieki* s = Bang();
        bool ended = WaitFor([&] { return s->GetFinished() != 0; });
        scene.CheckSounds();
        return ended;
    }

    ddScene scene;
    std::optional<ScopedScene> staged;
    std::unique_ptr<asmScriptMachine> machine;
    std::string shortWav, longWav;
};

TEST_F(SoundClassTest, StartAndFinishEventsReachTheScript) {
    ASSERT_NE(Bang(), nullptr);
    EXPECT_EQ(scene.SoundCount(), 1);
    LoadBang(shortWav);
    Call("play");
    EXPECT_EQ(IntVar("starts"), 1);
    EXPECT_EQ(IntVar("ends"), 0);  // only the scene raises the finish
    ASSERT_TRUE(CollectNaturalEnd());
    EXPECT_EQ(IntVar("ends"), 1);
    EXPECT_EQ(Ask("isplaying"), 0);
    scene.CheckSounds();
    EXPECT_EQ(IntVar("ends"), 1);
}

TEST_F(SoundClassTest, LoopPlaysTheSoundAgainAfterEachFinish) {
    LoadBang(shortWav);
    Call("loop");
    Call("play");
    ASSERT_TRUE(CollectNaturalEnd());
    EXPECT_EQ(IntVar("ends"), 1);
    EXPECT_EQ(IntVar("starts"), 2);  // replayed after the finish event
    ASSERT_TRUE(CollectNaturalEnd());
    EXPECT_EQ(IntVar("ends"), 2);
    EXPECT_EQ(IntVar("starts"), 3);
    CallWith("stop", 0);
}

TEST_F(SoundClassTest, APlayingSoundRestartsOnPlayButNotOnPlayIf) {
    LoadBang(longWav);
    Call("play");
    Call("playif");
    EXPECT_EQ(IntVar("starts"), 1);
    Call("play");
    EXPECT_EQ(IntVar("starts"), 2);
    scene.CheckSounds();
    EXPECT_EQ(IntVar("ends"), 0);  // a restart finishes nothing
    CallWith("stop", 1);
    EXPECT_EQ(Ask("isplaying"), 0);
    scene.CheckSounds();
    EXPECT_EQ(IntVar("ends"), 1);
}

TEST_F(SoundClassTest, PlayLoopGoesOnUntilStopped) {
    LoadBang(shortWav);
    Call("playloop");
    SDL_Delay(100);  // many times the sample's length
    scene.CheckSounds();
    EXPECT_EQ(Ask("isplaying"), 1);
    EXPECT_EQ(IntVar("ends"), 0);
    CallWith("stop", 1);
    EXPECT_EQ(Ask("isplaying"), 0);
    scene.CheckSounds();
    EXPECT_EQ(IntVar("ends"), 1);
}

TEST_F(SoundClassTest, PausedSoundsKeepTheirFinishUntilResumed) {
    LoadBang(longWav);
    Call("play");
    Call("pause");
    CallWith("stop", 1);
    scene.CheckSounds();
    EXPECT_EQ(IntVar("ends"), 0);
    Call("resume");
    scene.CheckSounds();
    EXPECT_EQ(IntVar("ends"), 1);
}

TEST_F(SoundClassTest, VolumeAndChangeVolume) {
    LoadBang(longWav);
    EXPECT_EQ(Ask("getvol"), 100);
    CallWith("setvol", 50);
    EXPECT_EQ(Ask("getvol"), 50);
    EXPECT_EQ(Mix_VolumeChunk(Bang()->GetChunk(), -1), 64);
    CallWith("changevol", 25);
    EXPECT_EQ(Ask("getvol"), 50);
    EXPECT_EQ(Mix_VolumeChunk(Bang()->GetChunk(), -1), 32);
}

TEST_F(SoundClassTest, LoadedByDataOrByNameAndFlag) {
    EXPECT_EQ(Ask("loaded"), 0);
    LoadBang(shortWav);
    EXPECT_EQ(Ask("loaded"), 1);
    // Load flag 0: the name is only kept; "loaded" asks whether it exists.
    PushInt(machine->interp, 0);
    PushInt(machine->interp, 1);
    Call("setstartstopflag");
    EXPECT_EQ(Bang()->GetLoadNow(), 0);
    EXPECT_EQ(Bang()->GetFreeAfterPlay(), 1);
    LoadBang(longWav);
    EXPECT_FALSE(Bang()->IsLoaded());
    EXPECT_EQ(Ask("loaded"), 1);
    LoadBang(dir.File("none.wav"));
    EXPECT_EQ(Ask("loaded"), 0);
    LoadBang(dir.Path().string());  // a folder is not a sound file
    EXPECT_EQ(Ask("loaded"), 0);
    // Free after play: the sample is read for the play and freed at its end.
    LoadBang(shortWav);
    Call("play");
    EXPECT_EQ(IntVar("starts"), 1);
    ASSERT_TRUE(CollectNaturalEnd());
    EXPECT_FALSE(Bang()->IsLoaded());
}

TEST_F(SoundClassTest, DeletedByItsOwnFinishHandler) {
    // A looping sound whose finish handler deletes it: the replay must not
    // reach the deleted sound.
    PushString(machine->interp, "onfinish");
    PushString(machine->interp, "endanddelete");
    Call("addmethod");
    LoadBang(shortWav);
    Call("loop");
    Call("play");
    ASSERT_TRUE(CollectNaturalEnd());
    EXPECT_EQ(IntVar("ends"), 1);
    EXPECT_EQ(IntVar("starts"), 1);
    EXPECT_EQ(Object("bang"), nullptr);
    EXPECT_EQ(scene.SoundCount(), 0);
    for (auto& entry : audio.ChannelTable) EXPECT_EQ(entry.load(), nullptr);
}

TEST_F(SoundClassTest, DeletingAPlayingSoundUnregistersIt) {
    LoadBang(longWav);
    Call("play");
    machine->objects.Call(Object("global"), "removebang");
    EXPECT_EQ(scene.SoundCount(), 0);
    for (auto& entry : audio.ChannelTable) EXPECT_EQ(entry.load(), nullptr);
    scene.CheckSounds();
    EXPECT_EQ(IntVar("ends"), 0);
}

}  // namespace
