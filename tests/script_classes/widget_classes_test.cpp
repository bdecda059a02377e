// The "button" and "menu" script objects: button events raised from the
// game loop's input into script methods, pictures that go away while a
// button holds them, menus loaded in code and driven through their script
// methods, and unknown method numbers.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/run_process.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/script_machine.h"
#include "script_classes/button_class.h"
#include "script_classes/menu_class.h"
#include "script_classes/script_loop_fixture.h"
#include "shell/game_api.h"

namespace {

using loop_test::Button;

class WidgetClasses : public ScriptLoopTest {
protected:
    void Call(const char* object, const char* method) { machine->objects.Call(Object(object), method); }
    int AskInt(const char* object, const char* method) {
        Call(object, method);
        return PopArgInt(machine->interp);
    }
    std::string AskText(const char* object, const char* method) {
        Call(object, method);
        ddString s = PopArgString(machine->interp);
        return s.c_str() ? s.c_str() : "";
    }
};

// Each handler adds its own digit, so the order and count show in one number.
const char* kButtonEvents = R"(
new button, b
new int, log
push 10
push 10
push 20
push 20
call b, setrect
push "onclick"
push "clicked"
call b, addmethod
push "onrel"
push "released"
call b, addmethod
push "onmoveon"
push "entered"
call b, addmethod
push "onmoveoff"
push "left"
call b, addmethod
method entered
  mul log, 10
  pop log
  add log, 1
  pop log
end method
method clicked
  mul log, 10
  pop log
  add log, 2
  pop log
end method
method released
  mul log, 10
  pop log
  add log, 3
  pop log
end method
method left
  mul log, 10
  pop log
  add log, 4
  pop log
end method
)";

TEST_F(WidgetClasses, ButtonEventsReachTheScriptFromTheGameLoop) {
    machine->LoadText(kButtonEvents);
    // Move on, press and release on the button, then move off.
    events.frames = {{{}, [&] { input.mouseX = input.mouseY = 15; }},
                     {{Button(SDL_MOUSEBUTTONDOWN, 1, 15, 15), Button(SDL_MOUSEBUTTONUP, 1, 15, 15)}, {}},
                     {{}, [&] { input.mouseX = 100; }}};
    GameAPI game;
    game.Run();
    EXPECT_EQ(IntVar("log"), 1234);

    // A paused button hears nothing; "disable" hides it, which does too.
    Call("b", "pause");
    input.mouseX = 0;
    events = loop_test::FakeEvents();
    events.frames = {{{}, [&] { input.mouseX = input.mouseY = 15; }},
                     {{Button(SDL_MOUSEBUTTONDOWN, 1, 15, 15)}, {}}};
    game.Run();
    EXPECT_EQ(IntVar("log"), 1234);
    Call("b", "resume");
    Call("b", "disable");
    EXPECT_EQ(AskInt("b", "disabled"), 1);
    EXPECT_EQ(scene->PressButtons(15, 15), 0);
    Call("b", "enable");
    EXPECT_EQ(scene->PressButtons(15, 15), 1);
    EXPECT_EQ(IntVar("log"), 12342);
}

TEST_F(WidgetClasses, WithoutHandlersButtonsRaiseNothingAndTheCursorOffsetShiftsTheHitPoint) {
    machine->LoadText(R"(
new button, b
push 100
push 0
push 20
push 20
call b, setrect
push 90
push 0
call b, setcursorpos
)");
    // The click at x = 15 is tested at x = 105.
    EXPECT_EQ(scene->PressButtons(15, 5), 1);
    EXPECT_EQ(scene->PressButtons(105, 5), 0);
}

TEST_F(WidgetClasses, PicturesThatGoAwayLeaveTheButtonsThatHoldThem) {
    machine->LoadText(R"(
new button, b
new img, a
new img, o
push 10
push 10
push 255
push 0
push 0
push 255
call a, create
push 10
push 10
push 0
push 255
push 0
push 255
call o, create
push "a"
push "o"
push "null"
call b, set
push "o"
call b, setmouse
method dropo
  delete o
end method
method dropa
  delete a
end method
)");
    auto* b = dynamic_cast<asmClassButton*>(Object("b"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetOver(), Object("o"));
    EXPECT_EQ(b->GetPressed(), Object("o"));
    machine->objects.Call(machine->interp.globalObject, "dropo");
    EXPECT_EQ(b->GetOver(), Object("a"));
    EXPECT_EQ(b->GetPressed(), Object("a"));
    EXPECT_EQ(b->GetHoverCursor(), nullptr);
    machine->objects.Call(machine->interp.globalObject, "dropa");
    EXPECT_EQ(b->GetNormal(), nullptr);
    EXPECT_EQ(AskText("b", "getimg"), "null");
    // Moving and hit-testing a button whose pictures are gone touches nothing freed.
    PushInt(machine->interp, 3);
    PushInt(machine->interp, 4);
    Call("b", "setpos");
    EXPECT_EQ(scene->PressButtons(5, 5), 0);
    scene->HoverButtons(5, 5);
    EXPECT_EQ(b->IsHovered(), 0);
}

TEST_F(WidgetClasses, AMenuLoadedInCodeAnswersItsScriptMethods) {
    TempFolder folder;
    folder.Write("m.db",
                 "<d><menu> 0 0 right<file> File bottom bottom<open> Open right right</open></file>"
                 "<edit> Edit_it right right</edit></menu></d>");
    folder.Write("e.vec", "7\nbottom\nright\nx\ny\nz\nw\nv\n");
    machine->LoadText("new menu, m\n");
    auto* m = dynamic_cast<asmClassMenu*>(Object("m"));
    ASSERT_NE(m, nullptr);
    EXPECT_GE(scene->DrawableCount(), 1);
    ASSERT_TRUE(m->Load((folder / "m.db").c_str()));

    PushString(machine->interp, "open");
    EXPECT_EQ(AskInt("m", "isvisible"), 0);  // below a closed item
    PushString(machine->interp, "file");
    EXPECT_EQ(AskInt("m", "isvisible"), 1);  // exists, though not open
    PushString(machine->interp, "file");
    EXPECT_EQ(AskInt("m", "isvissub"), 0);
    PushString(machine->interp, "open");
    Call("m", "show");
    PushString(machine->interp, "file");
    EXPECT_EQ(AskInt("m", "isvissub"), 1);
    PushString(machine->interp, "file");
    Call("m", "hide");
    PushString(machine->interp, "file");
    EXPECT_EQ(AskInt("m", "isvissub"), 0);
    PushInt(machine->interp, 0);
    Call("m", "hide");
    EXPECT_TRUE(m->IsTopOnly());

    // A hit records the selection: its node name and its shown text.
    for (int v : {85, 5, 1, 1}) PushInt(machine->interp, v);
    EXPECT_EQ(AskInt("m", "isin"), 1);
    EXPECT_EQ(AskText("m", "getcheckedname"), "edit");
    EXPECT_EQ(AskText("m", "getcheckedtxt"), "Edit it");
    PushString(machine->interp, "edit");
    EXPECT_EQ(AskInt("m", "on"), 1);

    // Filled behind "file", then paged by name.
    PushString(machine->interp, "file");
    PushString(machine->interp, (folder / "e.vec").c_str());
    Call("m", "addback");
    ddMenu* file = m->FindItem("file");
    ASSERT_EQ(file->Items().size(), 6u);  // "open", then the five entries
    PushString(machine->interp, "file");
    Call("m", "show");
    PushString(machine->interp, "file");
    PushInt(machine->interp, 3);
    Call("m", "rewind");
    ASSERT_EQ(file->Items().size(), 3u);  // "x", "y", "Next"
    PushString(machine->interp, "file");
    Call("m", "next");
    ASSERT_EQ(file->Items().size(), 3u);  // "Previous", "z", "Next"
    EXPECT_STREQ(file->Items().front()->GetLabel()->GetText(), "Previous");
    EXPECT_STREQ((*++file->Items().begin())->GetLabel()->GetText(), "z");
    PushString(machine->interp, "file");
    Call("m", "prev");
    EXPECT_STREQ(file->Items().front()->GetLabel()->GetText(), "x");

    PushInt(machine->interp, 5);
    PushInt(machine->interp, 7);
    Call("m", "move");
    EXPECT_EQ(m->GetX(), 5);
    EXPECT_EQ(m->GetY(), 7);
}

TEST_F(WidgetClasses, UnknownMethodNumbersEndTheProgram) {
    machine->LoadText("new button, b\nnew menu, m\n");
    ProcessResult r = RunInChild([this] {
        Object("b")->CallBuiltIn(&machine->interp, 15);
        return 0;
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "\nbutton unknown built in method 15");
    r = RunInChild([this] {
        Object("m")->CallBuiltIn(&machine->interp, 19);
        return 0;
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "\nmenu unknown built in method 19");
}

}  // namespace
