// The "text" script class where a script cannot look: the colour its
// renderings come out in, and the fatal unknown method numbers.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "common/run_process.h"
#include "graphics/font_fixture.h"
#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/script_machine.h"
#include "script_classes/engine_script_classes.h"
#include "script_classes/text_class.h"

namespace {

struct Rgb {
    int r = -1, g = -1, b = -1;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

class TextClassTest : public FontTest {
protected:
    void SetUp() override {
        FontTest::SetUp();
        staged.emplace(scene);
        machine = std::make_unique<asmScriptMachine>(EngineScriptClasses());
        machine->SetUp();
        machine->LoadText("new text, t\n");
        text = dynamic_cast<asmClassText*>(machine->objects.LookupVar("t"));
        ASSERT_NE(text, nullptr);
    }
    void TearDown() override {
        machine.reset();
        staged.reset();
        FontTest::TearDown();
    }

    void Call(const char* method) { machine->objects.Call(text, method); }
    void CallWithColour(const char* method, int r, int g, int b) {
        PushInt(machine->interp, r);
        PushInt(machine->interp, g);
        PushInt(machine->interp, b);
        Call(method);
    }

    // The colour of the most opaque pixel of the rendering.
    Rgb RenderedColour() {
        const Image* shown = text->GetRendered();
        if (!shown || !shown->surface) return {};
        SDL_Surface* s = shown->surface;
        Rgb best;
        int bestAlpha = -1;
        SDL_LockSurface(s);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                Uint8 r, g, b, a;
                SurfaceRGBA(s, x, y, &r, &g, &b, &a);
                if (a > bestAlpha) {
                    bestAlpha = a;
                    best = {r, g, b};
                }
            }
        SDL_UnlockSurface(s);
        return best;
    }

    ddScene scene;
    std::optional<ScopedScene> staged;
    std::unique_ptr<asmScriptMachine> machine;
    asmClassText* text = nullptr;
};

TEST_F(TextClassTest, RenderingsUseTheStoredColourUntilCreatetxtChangesIt) {
    EXPECT_EQ(scene.DrawableCount(), 1);
    PushString(machine->interp, "Hi");
    Call("set");
    EXPECT_EQ(text->GetRendered(), nullptr);  // "set" alone renders nothing
    Call("create");
    EXPECT_EQ(RenderedColour(), (Rgb{0, 0, 0}));

    CallWithColour("createtxt", 255, 0, 0);
    EXPECT_EQ(RenderedColour(), (Rgb{255, 0, 0}));
    const int narrow = text->GetWidth();
    PushString(machine->interp, "Hi there");
    Call("set");
    EXPECT_EQ(text->GetWidth(), narrow);  // still the old rendering
    Call("create");
    EXPECT_GT(text->GetWidth(), narrow);
    EXPECT_EQ(RenderedColour(), (Rgb{255, 0, 0}));

    // "loadtxt" renders in its own colour and leaves the stored one.
    const std::string file = ::testing::TempDir() + "text_class_words.txt";
    std::remove(file.c_str());
    PushString(machine->interp, file.c_str());
    CallWithColour("loadtxt", 0, 255, 0);
    EXPECT_STREQ(text->GetText(), "null");
    EXPECT_EQ(RenderedColour(), (Rgb{0, 255, 0}));
    Call("create");
    EXPECT_EQ(RenderedColour(), (Rgb{255, 0, 0}));
    std::remove(file.c_str());

    // Rendering the empty text drops the old rendering.
    PushString(machine->interp, "");
    Call("set");
    Call("create");
    EXPECT_EQ(text->GetRendered(), nullptr);
}

TEST_F(TextClassTest, UnknownMethodNumbersEndTheProgram) {
    for (int index : {37, -1, 1000}) {
        ProcessResult r = RunInChild([&] {
            text->CallBuiltIn(&machine->interp, index);
            return 0;
        });
        EXPECT_EQ(r.exitCode, 1) << index;
        EXPECT_EQ(r.out, "\ntext unknown built in method " + std::to_string(index));
    }
}

}  // namespace
