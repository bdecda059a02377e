// The "keyboard" and "mouse" script objects driven through the input seam:
// key names, held and down keys, the cached key state, typed characters,
// key repeat, the running game's keyboard pause, the mouse position, the
// cursors, and unknown method numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input_events.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/script_machine.h"
#include "script_classes/engine_script_classes.h"
#include "script_classes/keyboard_class.h"
#include "script_classes/mouse_class.h"
#include "script_classes/script_loop_fixture.h"
#include "shell/game_api.h"

namespace {

using loop_test::FakeInput;

// Hands out a copy of the keys at each read, as SDL's array only changes
// when events are pumped; records key repeat settings.
class SnapshotInput : public FakeInput {
public:
    const uint8_t* GetKeyState() override {
        snapshot = keys;
        return snapshot.data();
    }
    void EnableKeyRepeat(int delay, int interval) override { repeats.push_back({delay, interval}); }
    std::vector<uint8_t> snapshot;
    std::vector<std::pair<int, int>> repeats;
};

SDL_Event KeyDown(SDLKey sym, uint16_t unicode) {
    SDL_Event e = loop_test::Key(SDL_KEYDOWN, sym);
    e.key.keysym.unicode = unicode;
    return e;
}

class InputClassesTest : public ScriptLoopTest {
protected:
    void SetUp() override {
        ScriptLoopTest::SetUp();
        SetInput(&keysIn);
    }

    void Load(const std::string& script) { machine->LoadText(script); }
    asmClassKeyboard* Keyboard() { return dynamic_cast<asmClassKeyboard*>(Object("keyboard")); }
    // Calls a method of "keyboard" or "mouse" and pops its int result.
    int AskInt(const char* object, const char* method) {
        machine->objects.Call(Object(object), method);
        return PopArgInt(machine->interp);
    }
    int AskKey(const char* method, const char* key) {
        PushString(machine->interp, key);
        return AskInt("keyboard", method);
    }
    std::string AskText(const char* object, const char* method) {
        machine->objects.Call(Object(object), method);
        ddString s = PopArgString(machine->interp);
        return s.c_str() ? s.c_str() : "";
    }
    void Call(const char* object, const char* method) { machine->objects.Call(Object(object), method); }

    SnapshotInput keysIn;
};

TEST_F(InputClassesTest, KeyNamesMapToSdlSymbols) {
    asmClassKeyboard* kb = Keyboard();
    ASSERT_NE(kb, nullptr);
    for (char c = 'a'; c <= 'z'; ++c) EXPECT_EQ(kb->KeyCode(std::string(1, c).c_str()), c);
    for (char c = '0'; c <= '9'; ++c) EXPECT_EQ(kb->KeyCode(std::string(1, c).c_str()), c);
    // Every punctuation character from 33 to 96 names its own key, except
    // the percent sign and the ampersand, which have no name.
    for (int c = 33; c <= 96; ++c) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) continue;
        const std::string name(1, static_cast<char>(c));
        EXPECT_EQ(kb->KeyCode(name.c_str()), c == '%' || c == '&' ? -1 : c) << name;
    }
    // The word names ("plus", "F1", "kp=", ...) and the names that are not
    // keys are checked in method_tables_test.cpp.
}

TEST_F(InputClassesTest, HeldKeyIsTheLastKeyStillHeldWhileDownIsLive) {
    inputState.LastEvent = KeyDown(SDLK_a, 'a');
    inputState.KeyHeld = 1;
    keysIn.keys[SDLK_a] = 1;
    EXPECT_EQ(AskKey("iskey", "a"), 1);
    EXPECT_EQ(AskKey("iskeydown", "a"), 1);
    // Another key pressed while "a" stays down.
    inputState.LastEvent = KeyDown(SDLK_b, 'b');
    keysIn.keys[SDLK_b] = 1;
    EXPECT_EQ(AskKey("iskey", "a"), 0);
    EXPECT_EQ(AskKey("iskeydown", "a"), 1);
    EXPECT_EQ(AskKey("iskey", "b"), 1);
    inputState.KeyHeld = 0;
    EXPECT_EQ(AskKey("iskey", "b"), 0);
    EXPECT_EQ(AskKey("iskey", "nokey"), 0);
    EXPECT_EQ(AskKey("iskeydown", "nokey"), 0);
}

TEST_F(InputClassesTest, IsKeyDownTakesAnIntAsKeyNameAndMinusOneAsTheLeftButton) {
    keysIn.keys['7'] = 1;
    PushInt(machine->interp, 7);
    EXPECT_EQ(AskInt("keyboard", "iskeydown"), 1);
    PushInt(machine->interp, 8);
    EXPECT_EQ(AskInt("keyboard", "iskeydown"), 0);
    inputState.LastEvent = loop_test::Button(SDL_MOUSEBUTTONDOWN, 1);
    PushInt(machine->interp, -1);
    EXPECT_EQ(AskInt("keyboard", "iskeydown"), 1);
    inputState.LastEvent = loop_test::Button(SDL_MOUSEBUTTONUP, 3);
    PushInt(machine->interp, -1);
    EXPECT_EQ(AskInt("keyboard", "iskeydown"), 0);
    // A text "-1" is a key name, and no key has it.
    inputState.LastEvent = loop_test::Button(SDL_MOUSEBUTTONDOWN, 1);
    EXPECT_EQ(AskKey("iskeydown", "-1"), 0);
    // The argument leaves the registers alone.
    Load("mov $a, 55\n");
    PushInt(machine->interp, 7);
    AskInt("keyboard", "iskeydown");
    EXPECT_EQ(machine->interp.sp, -1);
}

TEST_F(InputClassesTest, KeyPressedReadsTheStateOfTheLastRefresh) {
    keysIn.keys[SDLK_c] = 1;
    EXPECT_EQ(AskKey("keypressed", "c"), 0);  // never refreshed
    Call("keyboard", "getkeystate");
    EXPECT_EQ(AskKey("keypressed", "c"), 1);
    keysIn.keys[SDLK_c] = 0;
    EXPECT_EQ(AskKey("keypressed", "c"), 1);  // still the old state
    EXPECT_EQ(AskKey("iskeydown", "c"), 0);   // refreshes
    EXPECT_EQ(AskKey("keypressed", "c"), 0);
    keysIn.keys[SDLK_ASTERISK] = 1;
    Call("keyboard", "getkeystate");
    EXPECT_EQ(AskKey("keypressed", "*"), 1);
}

TEST_F(InputClassesTest, TypedCharacterAndItsClass) {
    EXPECT_EQ(AskText("keyboard", "getkey"), "");
    EXPECT_EQ(AskInt("keyboard", "isalnum"), 0);
    struct Case {
        uint16_t unicode;
        const char* text;
        int alpha, digit;
    };
    const Case cases[] = {
        {'Q', "Q", 1, 0}, {'z', "z", 1, 0},  {'5', "5", 0, 1},
        {'#', "#", 0, 0}, {0xE9, "i", 1, 0},  // kept to 7 bits
    };
    for (const Case& c : cases) {
        inputState.LastEvent = KeyDown(SDLK_UNKNOWN, c.unicode);
        EXPECT_EQ(AskText("keyboard", "getkey"), c.text);
        EXPECT_EQ(AskInt("keyboard", "isalpha"), c.alpha) << c.text;
        EXPECT_EQ(AskInt("keyboard", "isdigit"), c.digit) << c.text;
        EXPECT_EQ(AskInt("keyboard", "isalnum"), c.alpha | c.digit) << c.text;
    }
}

TEST_F(InputClassesTest, KeyRepeatSwitches) {
    PushInt(machine->interp, 1);
    Call("keyboard", "autorepeat");
    PushInt(machine->interp, 0);
    Call("keyboard", "autorepeat");
    PushInt(machine->interp, 200);
    PushInt(machine->interp, 50);
    Call("keyboard", "setautorepeat");
    const std::vector<std::pair<int, int>> expected = {{500, 30}, {0, 0}, {200, 50}};
    EXPECT_EQ(keysIn.repeats, expected);
}

TEST_F(InputClassesTest, PauseKeepsKeysFromTheRunningGameOnly) {
    Load(
        "new int, downs\n"
        "game g\n"
        "method keydown\n  add downs, 1\n  pop downs\nend method\n"
        "end game\n");
    // No game yet: nothing to pause.
    Call("keyboard", "pause");
    machine->objects.NewObject("g", "g");
    auto* game = dynamic_cast<GameAPI*>(machine->interp.currentGame);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->IsKeyboardPaused(), 0);
    game->HandleKeyDown(KeyEvent(SDLK_a));
    EXPECT_EQ(IntVar("downs"), 1);
    Call("keyboard", "pause");
    EXPECT_EQ(game->IsKeyboardPaused(), 1);
    EXPECT_EQ(game->IsMousePaused(), 0);  // only the keys
    game->HandleKeyDown(KeyEvent(SDLK_a));
    EXPECT_EQ(IntVar("downs"), 1);
    Call("keyboard", "resume");
    game->HandleKeyDown(KeyEvent(SDLK_a));
    EXPECT_EQ(IntVar("downs"), 2);
    machine->interp.SetCurrentGame(nullptr);
    machine->interp.currentObject = machine->interp.globalObject;
    delete game;
    machine->interp.NamesChanged();
}

TEST_F(InputClassesTest, MousePositionsAndTheSystemMouse) {
    inputState.MouseX = 70;
    inputState.MouseY = 20;
    EXPECT_EQ(AskInt("mouse", "getposx"), 70);
    EXPECT_EQ(AskInt("mouse", "getpx"), 70);
    EXPECT_EQ(AskInt("mouse", "getposy"), 20);
    Call("mouse", "getpos");
    EXPECT_EQ(PopArgInt(machine->interp), 20);
    EXPECT_EQ(PopArgInt(machine->interp), 70);

    keysIn.mouseX = 5;
    keysIn.mouseY = 9;
    Call("mouse", "getsyspos");
    EXPECT_EQ(PopArgInt(machine->interp), 9);
    EXPECT_EQ(PopArgInt(machine->interp), 5);

    PushInt(machine->interp, 33);
    PushInt(machine->interp, 44);
    Call("mouse", "setpos");
    EXPECT_EQ(keysIn.warpX, 33);
    EXPECT_EQ(keysIn.warpY, 44);
    EXPECT_EQ(GetMouseX(), 33);
    EXPECT_EQ(GetMouseY(), 44);

    Call("mouse", "showsys");
    EXPECT_EQ(keysIn.shown, 1);
    EXPECT_EQ(keysIn.warpX, 5);  // shown where the system mouse is
    Call("mouse", "hidesys");
    EXPECT_EQ(keysIn.shown, 0);
}

TEST_F(InputClassesTest, CursorPicturesComeFromPicturesOnly) {
    Load(
        "new int, n\nnew img, arrow\npush 16\npush 10\npush 255\npush 255\npush 255\npush 255\n"
        "call arrow, create\n");
    auto* arrow = dynamic_cast<Obraz*>(Object("arrow"));
    ASSERT_NE(arrow, nullptr);
    ddMouse* mouse = ddMouse::Instance();
    ASSERT_NE(mouse, nullptr);

    PushString(machine->interp, "arrow");
    Call("mouse", "setcursor");
    ASSERT_NE(mouse->GetCursorObraz(), nullptr);
    EXPECT_EQ(mouse->GetCursorObraz()->GetImage()->surface, arrow->GetImage()->surface);
    EXPECT_EQ(AskInt("mouse", "getcx"), mouse->GetCursorObraz()->GetCenterX());
    EXPECT_EQ(AskInt("mouse", "getcy"), mouse->GetCursorObraz()->GetCenterY());

    // A name of another kind of object changes nothing.
    Obraz* before = mouse->GetCursorObraz();
    PushString(machine->interp, "n");
    Call("mouse", "setcursor");
    EXPECT_EQ(mouse->GetCursorObraz(), before);

    Obraz* hover = ButtonCursorImage();
    PushString(machine->interp, "n");
    Call("mouse", "stdbutcursor");
    EXPECT_EQ(ButtonCursorImage(), hover);
    PushString(machine->interp, "arrow");
    Call("mouse", "stdbutcursor");
    ASSERT_NE(ButtonCursorImage(), nullptr);
    EXPECT_EQ(ButtonCursorImage()->GetImage()->surface, arrow->GetImage()->surface);

    // The dummy video driver makes no system cursors; the names are still
    // taken from the stack.
    PushString(machine->interp, "n");
    Call("mouse", "setsyscursor");
    PushString(machine->interp, "arrow");
    Call("mouse", "setsyscursor");
    EXPECT_EQ(machine->interp.sp, -1);

    Call("mouse", "stdcursor");
    EXPECT_NE(mouse->GetCursorObraz()->GetImage()->surface, arrow->GetImage()->surface);
    EXPECT_EQ(machine->interp.sp, -1);
}

TEST_F(InputClassesTest, TheMouseObjectFollowsTheCurrentMouse) {
    EXPECT_EQ(AskInt("mouse", "isvisible"), 1);
    Call("mouse", "hide");
    EXPECT_EQ(AskInt("mouse", "isvisible"), 0);
    // A new scene makes a new mouse; the script object steers that one.
    staged.reset();
    delete scene;
    scene = new ddScene();
    staged.emplace(*scene);
    EXPECT_EQ(AskInt("mouse", "isvisible"), 1);
    Call("mouse", "hide");
    EXPECT_EQ(ddMouse::Instance()->IsVisible(), 0);
    Call("mouse", "show");
    EXPECT_EQ(ddMouse::Instance()->IsVisible(), 1);
}

TEST_F(InputClassesTest, UnknownMethodNumbersAreReportedAndTheProgramGoesOn) {
    testing::internal::CaptureStdout();
    Object("keyboard")->CallBuiltIn(&machine->interp, 12);
    Object("mouse")->CallBuiltIn(&machine->interp, 16);
    Object("mouse")->CallBuiltIn(&machine->interp, -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "keyboard unknown built in method 12\n"
              "mouse unknown built in method 16\n"
              "mouse unknown built in method -1\n");
    EXPECT_EQ(machine->interp.sp, -1);
}

}  // namespace
