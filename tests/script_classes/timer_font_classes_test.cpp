// The "timer" and "font" script classes: timer events against a hand-driven
// clock, a timer deleted by its own handler, a font object's texts falling
// back to the default font, and the fatal unknown method numbers of the
// "snd", "timer" and "font" classes.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/run_process.h"
#include "graphics/font_fixture.h"
#include "graphics/text.h"
#include "platform/headless.h"
#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/script_machine.h"
#include "script_classes/engine_script_classes.h"
#include "script_classes/font_class.h"
#include "script_classes/sound_class.h"
#include "script_classes/timer_class.h"

namespace {

const char* kScript =
    "new font, f\n"
    "new snd, bang\n"
    "new int, ticks\n"
    "new int, ends\n"
    "new int, starts\n"
    "new timer, t\n"
    "push \"onstart\"\npush \"started\"\ncall t, addmethod\n"
    "push \"ontick\"\npush \"ticked\"\ncall t, addmethod\n"
    "push \"onfinish\"\npush \"ended\"\ncall t, addmethod\n"
    "method started\n  add starts, 1\n  pop starts\nend method\n"
    "method ticked\n  add ticks, 1\n  pop ticks\nend method\n"
    "method ended\n  add ends, 1\n  pop ends\nend method\n"
    "method removet\n  delete t\nend method\n"
    "method removef\n  delete f\nend method\n"
    "method tickanddelete\n  add ticks, 1\n  pop ticks\n  call global, removet\nend method\n";

class ScriptClassTest : public FontTest {
protected:
    void SetUp() override {
        FontTest::SetUp();
        SetClock(&clock);
        staged.emplace(scene);
        machine = std::make_unique<asmScriptMachine>(EngineScriptClasses());
        machine->SetUp();
        machine->LoadText(kScript);
    }
    void TearDown() override {
        machine.reset();
        staged.reset();
        SetClock(nullptr);
        FontTest::TearDown();
    }

    asmClassObj* Object(const char* name) { return machine->objects.LookupVar(name); }
    int IntVar(const char* name) {
        auto* v = dynamic_cast<asmVar*>(Object(name));
        return v ? v->GetInt() : -999;
    }
    void Call(const char* object, const char* method) { machine->objects.Call(Object(object), method); }
    void CallWith(const char* object, const char* method, int arg) {
        PushInt(machine->interp, arg);
        Call(object, method);
    }
    int Ask(const char* object, const char* method) {
        Call(object, method);
        return PopArgInt(machine->interp);
    }
    // Frames of 33 ms until `until`; the clock times at which a tick or the
    // finish came.
    std::vector<uint32_t> RunFrames(uint32_t until) {
        std::vector<uint32_t> at;
        while (clock.now < until) {
            clock.now += 33;
            int before = IntVar("ticks") + IntVar("ends");
            scene.UpdateTimers();
            if (IntVar("ticks") + IntVar("ends") != before) at.push_back(clock.now);
        }
        return at;
    }

    SteppedClock clock;
    ddScene scene;
    std::optional<ScopedScene> staged;
    std::unique_ptr<asmScriptMachine> machine;
};

TEST_F(ScriptClassTest, TicksThenFinishesCountingFromEachExpiry) {
    EXPECT_EQ(scene.TimerCount(), 1);
    EXPECT_EQ(Ask("t", "gettick"), 1);  // repeat count 1, nothing to come
    CallWith("t", "delay", 1000);
    CallWith("t", "settick", 3);
    Call("t", "play");
    EXPECT_EQ(IntVar("starts"), 1);
    EXPECT_EQ(Ask("t", "gettick"), 0);
    const std::vector<uint32_t> at = RunFrames(4000);
    // 1023 is the first frame at or after 1000; the next period counts
    // from there.
    EXPECT_EQ(at, (std::vector<uint32_t>{1023, 2046, 3069}));
    EXPECT_EQ(IntVar("ticks"), 2);
    EXPECT_EQ(IntVar("ends"), 1);
    EXPECT_EQ(Ask("t", "gettick"), 3);
    EXPECT_EQ(Ask("t", "isplaying"), 0);
}

TEST_F(ScriptClassTest, PausedTimeDoesNotCount) {
    CallWith("t", "setdelay", 1000);
    Call("t", "play");
    RunFrames(99);  // 3 frames
    Call("t", "pause");
    RunFrames(99 + 495);
    Call("t", "resume");
    const std::vector<uint32_t> at = RunFrames(3000);
    EXPECT_EQ(at, (std::vector<uint32_t>{1518}));  // 1023 + 495 paused
    EXPECT_EQ(IntVar("ends"), 1);
    EXPECT_EQ(IntVar("ticks"), 0);
}

TEST_F(ScriptClassTest, IntervalZeroExpiresEveryFrameAndFramesCountWhenSet) {
    CallWith("t", "settick", 4);
    Call("t", "play");
    RunFrames(33 * 2);
    EXPECT_EQ(IntVar("ticks"), 2);
    CallWith("t", "setcycle", 3);
    Call("t", "play");  // restart: no finish, frames counted now
    EXPECT_EQ(IntVar("ends"), 0);
    EXPECT_EQ(IntVar("starts"), 2);
    RunFrames(clock.now + 33 * 5);
    EXPECT_EQ(IntVar("ticks"), 3);
    EXPECT_EQ(Ask("t", "getdelay"), 0);
}

TEST_F(ScriptClassTest, StopRaisesTheFinishOnlyWhenAsked) {
    CallWith("t", "delay", 100);
    Call("t", "play");
    CallWith("t", "stop", 0);
    EXPECT_EQ(IntVar("ends"), 0);
    EXPECT_EQ(Ask("t", "isplaying"), 0);
    Call("t", "play");
    CallWith("t", "stop", 7);
    EXPECT_EQ(IntVar("ends"), 1);
    RunFrames(1000);
    EXPECT_EQ(IntVar("ticks") + IntVar("ends"), 1);
}

TEST_F(ScriptClassTest, DeletedByItsOwnTickHandler) {
    PushString(machine->interp, "ontick");
    PushString(machine->interp, "tickanddelete");
    Call("t", "addmethod");
    CallWith("t", "settick", 5);
    Call("t", "play");
    RunFrames(33 * 3);
    EXPECT_EQ(IntVar("ticks"), 1);
    EXPECT_EQ(Object("t"), nullptr);
    EXPECT_EQ(scene.TimerCount(), 0);
}

TEST_F(ScriptClassTest, FontObjectSizeAndItsTexts) {
    auto* f = dynamic_cast<asmClassFont*>(Object("f"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(Ask("f", "getsize"), 0);
    EXPECT_EQ(f->GetHandle(), nullptr);
    PushString(machine->interp, kTestFontFile);
    PushInt(machine->interp, 15);
    Call("f", "load");
    EXPECT_EQ(Ask("f", "getsize"), 15);
    EXPECT_NE(f->GetHandle(), nullptr);

    // A text on the font object goes back to the default font when the
    // object is deleted.
    ddTekst text("abc");
    text.SetFont(f);
    EXPECT_EQ(text.GetFont(), f);
    Call("global", "removef");
    EXPECT_EQ(Object("f"), nullptr);
    EXPECT_EQ(text.GetFont(), &DefaultFont());
    EXPECT_GT(text.GetWidth(), 0);
}

TEST_F(ScriptClassTest, UnknownMethodNumbersEndTheProgram) {
    struct Case {
        const char* object;
        int index;
        const char* out;
    };
    const Case cases[] = {
        {"bang", 14, "sound unknown built in method 14\n"},
        {"t", 10, "timer unknown built in method 10\n"},
        {"f", 2, "text unknown built in method 2\n"},
        {"f", -1, "text unknown built in method -1\n"},
    };
    for (const Case& c : cases) {
        asmClassObj* object = Object(c.object);
        ASSERT_NE(object, nullptr) << c.object;
        ProcessResult r = RunInChild([&] {
            object->CallBuiltIn(&machine->interp, c.index);
            return 0;
        });
        EXPECT_EQ(r.exitCode, 1) << c.object;
        EXPECT_EQ(r.out, c.out);
    }
}

}  // namespace
