// The method tables of the built-in script classes: every name a script
// may call, with the built-in index it reaches, for each class under the
// name scripts know it by. Aliases share an index and a table holds nothing
// else. Also what an index no name reaches does, for the classes whose own
// tests do not cover it, and the keyboard's complete key-name map.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>

#include "common/run_process.h"
#include "foundation/asm_class_obj.h"
#include "scene/scene.h"
#include "script/method_names.h"
#include "script/script_machine.h"
#include "script/script_types.h"
#include "script_classes/engine_script_classes.h"
#include "script_classes/keyboard_class.h"

namespace {

// The built-in classes in the order the machine makes their objects, each
// with its names: one word per index from 0, aliases joined by '/', '-' for
// an index no name reaches (see method_names.h).
const struct {
    const char* className;
    const char* names;
} kClasses[] = {
    {"gameapi",
     "play pause resume exit getgamename setmusicvol getmusicvol playmusic stopmusic stdbkg "
     "freestdbkg pausemusic resumemusic ispaused setsndvol getsndvol startmusic endmusic fadeinmusic "
     "fadeoutmusic loadmusic ismusicplaying getnextgame"},
    {"engine",
     "getimg removeimg removesnd print refresh sortimages stdbutcursor actclassname varexist "
     "setdebugstate getticks fileexist printtypes redraw redrawnoblit getstack getspecialpath mkdir "
     "chdir getscreenres setsndvol setfullscreen getscreensize setscreensize getscreenscale "
     "setvideomode setloopdelay getloopdelay setfps system linkwww getsavepath setmusicvol "
     "getmusicvol startmusic endmusic fadeinmusic fadeoutmusic loadmusic ismusicplaying getactmusic "
     "playmusic stopmusic islocalmusic getappsize getscreenoffset setpath isaudio getxandro "
     "getdesktopres"},
    {"mouse",
     "getpx/getposx getpy/getposy setcursor show hide stdcursor stdbutcursor getcx getcy setpos "
     "getpos isvisible showsys hidesys getsyspos setsyscursor"},
    {"keyboard",
     "iskey iskeydown autorepeat pause resume getkey setautorepeat isalpha isdigit isalnum "
     "getkeystate keypressed"},
    {"snd",
     "load play stop isplaying pause resume loop playif setvol setstartstopflag playloop getvol "
     "loaded changevol"},
    {"anima",
     "nofactions actionname actionnr nofframes framename framenr isplaying lodx lody play setdelay "
     "setframe stop setpos getpx getpy getcx getcy getex getey getposx getposy setz getz getdelay "
     "isin copy move getw geth hide show clip pause resume nameofaction isvisible withincut load "
     "loadbank getpos paint getrgba getrgb nameofframe nrofframe putrgba putrgb equal subload "
     "saveimages loadimages blit hashplay playsmooth setsmooth getsmooth setdrawmode rle bitmask "
     "loadzoom"},
    {"timer", "delay/setdelay isplaying pause play resume settick stop setcycle gettick getdelay"},
    {"menu",
     "hide show on isvissub getid getcheckedtxt getcheckedname isin setz isvisible move next prev "
     "getz addback addfront rewind pause resume"},
    {"text",
     "set isin letall letalf letcyph lock unlock unlocked setz getz setpos getpx getpy setbkg copybkg "
     "getcx getcy getex getey setborders show hide pause resume createtxt get setfont getw geth load "
     "loadtxt buildbkg move isvisible create getcolor clip"},
    {"img",
     "create copy load lodx lody setpos getpx/getposx getpy/getposy getcx getcy getex getey setz getz "
     "isin move show hide transparency save blit clip geth getw isvisible getpos - - getrgba getrgb "
     "clone putrgba putrgb equal convert erase paint blitscreen withincut blitmask scale loadbuffer "
     "createfrombuffer free rle buildrotozoom bitmask setlodxy paintfromgrey paintfromsrc loadnoscale"},
    {"path",
     "build goto stop show hide copy stand iswalking move setpos enable disable setanstep setz getz "
     "getidpath getposx getposy getpx getpy isenabled linkanima getidanpath getidan2path getidgopath "
     "getidan getidan2 getidgo setbase getbase dotcolor setzsize linkfilter unlinkfilter "
     "setscalepower iswayto excludev scalean getfromver getgover getxver getyver getanver getbyname "
     "unlinkanima turn letturn canturn vecdir shift getmovetype setmovetype length"},
    {"button",
     "set enable disable setmouse setan setflags show hide getimg disabled pause resume setrect "
     "setpos setcursorpos"},
    {"font", "load getsize"},
    {"filter",
     "getpx getpy getw geth getex getey getcx getcy normal setzoom rotate rotatezoom setzoomxy "
     "rotatezoomxy link unlink setsmooth isin setpivottype blend removeblend removeallblend "
     "setopacity getopacity setrotpoint getzoomx getzoomy setangle getangle setanglezoom "
     "setanglezoomxy mask setrotate getlevel setlevel reversexy setmaskalpha lineardodge loupe umask"},
};

TEST(MethodTables, EveryClassMapsItsNamesToTheirIndices) {
    std::span<const asmBuiltinClass> classes = EngineScriptClasses();
    ASSERT_EQ(classes.size(), std::size(kClasses));
    for (size_t i = 0; i < classes.size(); ++i) {
        const asmBuiltinClass& c = classes[i];
        ASSERT_STREQ(c.name, kClasses[i].className);
        SCOPED_TRACE(c.name);
        c.initMethods();
        asmClass* methods = c.descriptor();
        ASSERT_NE(methods, nullptr);
        EXPECT_EQ(method_names::Read(methods->methods), method_names::Parse(kClasses[i].names));
        c.freeMethods();
        EXPECT_EQ(c.descriptor(), nullptr);
    }
}

// Unknown indices: one past the last, -1, and the picture's two unnamed
// ones. The engine and the game report and go on; the others end the
// program with their own wording.
ProcessResult CallInChild(asmScriptMachine& machine, const char* object, int index) {
    asmClassObj* o = machine.objects.LookupVar(object);
    return RunInChild([&machine, o, index] {
        o->CallBuiltIn(&machine.interp, index);
        return 7;
    });
}

TEST(MethodTables, UnknownIndicesEndTheProgramForPicturesAndFilters) {
    ddScene scene;
    ScopedScene shown(scene);
    asmScriptMachine machine(EngineScriptClasses());
    machine.SetUp();
    machine.LoadText("new img, p\nnew filter, f\n");
    for (int index : {26, 27, 51, -1}) {
        ProcessResult r = CallInChild(machine, "p", index);
        EXPECT_EQ(r.exitCode, 1) << index;
        EXPECT_EQ(r.out, "image unknown built in method " + std::to_string(index) + "\n");
    }
    for (int index : {40, -1}) {
        ProcessResult r = CallInChild(machine, "f", index);
        EXPECT_EQ(r.exitCode, 1) << index;
        EXPECT_EQ(r.out, "\nfilter unknown built in method " + std::to_string(index) + "\n");
    }
}

TEST(MethodTables, UnknownIndicesAreReportedByTheEngineAndTheRunningGame) {
    ddScene scene;
    ScopedScene shown(scene);
    asmScriptMachine machine(EngineScriptClasses());
    machine.SetUp();
    machine.LoadText("game g\nend game\n");
    asmClassObj* engine = machine.objects.LookupVar("engine");
    testing::internal::CaptureStdout();
    engine->CallBuiltIn(&machine.interp, 50);
    engine->CallBuiltIn(&machine.interp, -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "engine unknown built in method 50\nengine unknown built in method -1\n");

    // Without a running game any game method but "play" ends the program.
    ProcessResult r = CallInChild(machine, "gameapi", 23);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "\ncall game method not within game!\n");

    machine.objects.NewObject("g", "g");
    asmClassObj* game = machine.interp.currentGame;
    ASSERT_NE(game, nullptr);
    testing::internal::CaptureStdout();
    machine.objects.LookupVar("gameapi")->CallBuiltIn(&machine.interp, 23);
    game->CallBuiltIn(&machine.interp, -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nunknown instruction to object game 23\n\nunknown instruction to object game -1\n");
    EXPECT_EQ(machine.interp.sp, -1);
    machine.interp.SetCurrentGame(nullptr);
    machine.interp.currentObject = machine.interp.globalObject;
    delete game;
    machine.interp.NamesChanged();
}

TEST(MethodTables, KeyboardNamesEveryKeyAndNothingElse) {
    asmClassKeyboard keyboard(nullptr, "keyboard");
    const std::pair<const char*, int> named[] = {
        {"space", 32},   {"enter", 13},     {"escape", 27},   {"delete", 127}, {"backspace", 8},
        {"tab", 9},      {"up", 273},       {"down", 274},    {"left", 276},   {"right", 275},
        {"plus", 43},    {"minus", 45},     {"lshift", 304},  {"rshift", 303}, {"lctrl", 306},
        {"rctrl", 305},  {"lalt", 308},     {"ralt", 307},    {"lmeta", 310},  {"kp.", 266},
        {"kp/", 267},    {"kp*", 268},      {"kp+", 270},     {"kp-", 269},    {"kpenter", 271},
        {"kp=", 272},    {"insert", 277},   {"home", 278},    {"end", 279},    {"pgup", 280},
        {"pgdown", 281}, {"capslock", 301}, {"numlock", 300},
    };
    for (const auto& [name, code] : named) EXPECT_EQ(keyboard.KeyCode(name), code) << name;
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(keyboard.KeyCode(("F" + std::to_string(i)).c_str()), 281 + i);
    // Names that are not keys: other cases, the ampersand, right meta, F13,
    // a prefix of names, the empty name.
    for (const char* none : {"Space", "ENTER", "A", "f1", "&", "%", "rmeta", "F13", "F0", "kp", "shift", ""})
        EXPECT_EQ(keyboard.KeyCode(none), -1) << none;
}

}  // namespace
