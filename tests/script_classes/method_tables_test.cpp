// The method tables of the built-in script classes: every name a script
// may call, with the built-in index it reaches, for each class under the
// name scripts know it by. Aliases share an index and a table holds nothing
// else. Also what an index no name reaches does, for the classes whose own
// tests do not cover it, and the keyboard's complete key-name map.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/run_process.h"
#include "foundation/asm_class_obj.h"
#include "scene/scene.h"
#include "script/script_machine.h"
#include "script/script_types.h"
#include "script_classes/engine_script_classes.h"
#include "script_classes/keyboard_class.h"

namespace {

struct NameIndex {
    const char* name;
    int index;
};

const NameIndex kEngine[] = {
    {"getimg", 0},          {"removeimg", 1},        {"removesnd", 2},      {"print", 3},
    {"refresh", 4},         {"sortimages", 5},       {"stdbutcursor", 6},   {"actclassname", 7},
    {"varexist", 8},        {"setdebugstate", 9},    {"getticks", 10},      {"fileexist", 11},
    {"printtypes", 12},     {"redraw", 13},          {"redrawnoblit", 14},  {"getstack", 15},
    {"getspecialpath", 16}, {"mkdir", 17},           {"chdir", 18},         {"getscreenres", 19},
    {"setsndvol", 20},      {"setfullscreen", 21},   {"getscreensize", 22}, {"setscreensize", 23},
    {"getscreenscale", 24}, {"setvideomode", 25},    {"setloopdelay", 26},  {"getloopdelay", 27},
    {"setfps", 28},         {"system", 29},          {"linkwww", 30},       {"getsavepath", 31},
    {"setmusicvol", 32},    {"getmusicvol", 33},     {"startmusic", 34},    {"endmusic", 35},
    {"fadeinmusic", 36},    {"fadeoutmusic", 37},    {"loadmusic", 38},     {"ismusicplaying", 39},
    {"getactmusic", 40},    {"playmusic", 41},       {"stopmusic", 42},     {"islocalmusic", 43},
    {"getappsize", 44},     {"getscreenoffset", 45}, {"setpath", 46},       {"isaudio", 47},
    {"getxandro", 48},      {"getdesktopres", 49},
};
const NameIndex kKeyboard[] = {
    {"iskey", 0},   {"iskeydown", 1}, {"autorepeat", 2},    {"pause", 3},
    {"resume", 4},  {"getkey", 5},    {"setautorepeat", 6}, {"isalpha", 7},
    {"isdigit", 8}, {"isalnum", 9},   {"getkeystate", 10},  {"keypressed", 11},
};
const NameIndex kMouse[] = {
    {"getpx", 0},    {"getposx", 0},    {"getpy", 1},         {"getposy", 1},      {"setcursor", 2},
    {"show", 3},     {"hide", 4},       {"stdcursor", 5},     {"stdbutcursor", 6}, {"getcx", 7},
    {"getcy", 8},    {"setpos", 9},     {"getpos", 10},       {"isvisible", 11},   {"showsys", 12},
    {"hidesys", 13}, {"getsyspos", 14}, {"setsyscursor", 15},
};
const NameIndex kPicture[] = {
    {"create", 0},
    {"copy", 1},
    {"load", 2},
    {"lodx", 3},
    {"lody", 4},
    {"setpos", 5},
    {"getpx", 6},
    {"getposx", 6},
    {"getpy", 7},
    {"getposy", 7},
    {"getcx", 8},
    {"getcy", 9},
    {"getex", 10},
    {"getey", 11},
    {"setz", 12},
    {"getz", 13},
    {"isin", 14},
    {"move", 15},
    {"show", 16},
    {"hide", 17},
    {"transparency", 18},
    {"save", 19},
    {"blit", 20},
    {"clip", 21},
    {"geth", 22},
    {"getw", 23},
    {"isvisible", 24},
    {"getpos", 25},
    {"getrgba", 28},
    {"getrgb", 29},
    {"clone", 30},
    {"putrgba", 31},
    {"putrgb", 32},
    {"equal", 33},
    {"convert", 34},
    {"erase", 35},
    {"paint", 36},
    {"blitscreen", 37},
    {"withincut", 38},
    {"blitmask", 39},
    {"scale", 40},
    {"loadbuffer", 41},
    {"createfrombuffer", 42},
    {"free", 43},
    {"rle", 44},
    {"buildrotozoom", 45},
    {"bitmask", 46},
    {"setlodxy", 47},
    {"paintfromgrey", 48},
    {"paintfromsrc", 49},
    {"loadnoscale", 50},
};
const NameIndex kAnima[] = {
    {"nofactions", 0},    {"actionname", 1},  {"actionnr", 2},     {"nofframes", 3}, {"framename", 4},
    {"framenr", 5},       {"isplaying", 6},   {"lodx", 7},         {"lody", 8},      {"play", 9},
    {"setdelay", 10},     {"setframe", 11},   {"stop", 12},        {"setpos", 13},   {"getpx", 14},
    {"getpy", 15},        {"getcx", 16},      {"getcy", 17},       {"getex", 18},    {"getey", 19},
    {"getposx", 20},      {"getposy", 21},    {"setz", 22},        {"getz", 23},     {"getdelay", 24},
    {"isin", 25},         {"copy", 26},       {"move", 27},        {"getw", 28},     {"geth", 29},
    {"hide", 30},         {"show", 31},       {"clip", 32},        {"pause", 33},    {"resume", 34},
    {"nameofaction", 35}, {"isvisible", 36},  {"withincut", 37},   {"load", 38},     {"loadbank", 39},
    {"getpos", 40},       {"paint", 41},      {"getrgba", 42},     {"getrgb", 43},   {"nameofframe", 44},
    {"nrofframe", 45},    {"putrgba", 46},    {"putrgb", 47},      {"equal", 48},    {"subload", 49},
    {"saveimages", 50},   {"loadimages", 51}, {"blit", 52},        {"hashplay", 53}, {"playsmooth", 54},
    {"setsmooth", 55},    {"getsmooth", 56},  {"setdrawmode", 57}, {"rle", 58},      {"bitmask", 59},
    {"loadzoom", 60},
};
const NameIndex kText[] = {
    {"set", 0},       {"isin", 1},      {"letall", 2},   {"letalf", 3},     {"letcyph", 4},
    {"lock", 5},      {"unlock", 6},    {"unlocked", 7}, {"setz", 8},       {"getz", 9},
    {"setpos", 10},   {"getpx", 11},    {"getpy", 12},   {"setbkg", 13},    {"copybkg", 14},
    {"getcx", 15},    {"getcy", 16},    {"getex", 17},   {"getey", 18},     {"setborders", 19},
    {"show", 20},     {"hide", 21},     {"pause", 22},   {"resume", 23},    {"createtxt", 24},
    {"get", 25},      {"setfont", 26},  {"getw", 27},    {"geth", 28},      {"load", 29},
    {"loadtxt", 30},  {"buildbkg", 31}, {"move", 32},    {"isvisible", 33}, {"create", 34},
    {"getcolor", 35}, {"clip", 36},
};
const NameIndex kSound[] = {
    {"load", 0},      {"play", 1},    {"stop", 2},    {"isplaying", 3},  {"pause", 4},
    {"resume", 5},    {"loop", 6},    {"playif", 7},  {"setvol", 8},     {"setstartstopflag", 9},
    {"playloop", 10}, {"getvol", 11}, {"loaded", 12}, {"changevol", 13},
};
const NameIndex kFont[] = {
    {"load", 0},
    {"getsize", 1},
};
const NameIndex kTimer[] = {
    {"delay", 0},   {"setdelay", 0}, {"isplaying", 1}, {"pause", 2},   {"play", 3},     {"resume", 4},
    {"settick", 5}, {"stop", 6},     {"setcycle", 7},  {"gettick", 8}, {"getdelay", 9},
};
const NameIndex kButton[] = {
    {"set", 0},      {"enable", 1},  {"disable", 2},  {"setmouse", 3}, {"setan", 4},
    {"setflags", 5}, {"show", 6},    {"hide", 7},     {"getimg", 8},   {"disabled", 9},
    {"pause", 10},   {"resume", 11}, {"setrect", 12}, {"setpos", 13},  {"setcursorpos", 14},
};
const NameIndex kMenu[] = {
    {"hide", 0},          {"show", 1},           {"on", 2},     {"isvissub", 3}, {"getid", 4},
    {"getcheckedtxt", 5}, {"getcheckedname", 6}, {"isin", 7},   {"setz", 8},     {"isvisible", 9},
    {"move", 10},         {"next", 11},          {"prev", 12},  {"getz", 13},    {"addback", 14},
    {"addfront", 15},     {"rewind", 16},        {"pause", 17}, {"resume", 18},
};
const NameIndex kFilter[] = {
    {"getpx", 0},
    {"getpy", 1},
    {"getw", 2},
    {"geth", 3},
    {"getex", 4},
    {"getey", 5},
    {"getcx", 6},
    {"getcy", 7},
    {"normal", 8},
    {"setzoom", 9},
    {"rotate", 10},
    {"rotatezoom", 11},
    {"setzoomxy", 12},
    {"rotatezoomxy", 13},
    {"link", 14},
    {"unlink", 15},
    {"setsmooth", 16},
    {"isin", 17},
    {"setpivottype", 18},
    {"blend", 19},
    {"removeblend", 20},
    {"removeallblend", 21},
    {"setopacity", 22},
    {"getopacity", 23},
    {"setrotpoint", 24},
    {"getzoomx", 25},
    {"getzoomy", 26},
    {"setangle", 27},
    {"getangle", 28},
    {"setanglezoom", 29},
    {"setanglezoomxy", 30},
    {"mask", 31},
    {"setrotate", 32},
    {"getlevel", 33},
    {"setlevel", 34},
    {"reversexy", 35},
    {"setmaskalpha", 36},
    {"lineardodge", 37},
    {"loupe", 38},
    {"umask", 39},
};
const NameIndex kGame[] = {
    {"play", 0},         {"pause", 1},           {"resume", 2},       {"exit", 3},
    {"getgamename", 4},  {"setmusicvol", 5},     {"getmusicvol", 6},  {"playmusic", 7},
    {"stopmusic", 8},    {"stdbkg", 9},          {"freestdbkg", 10},  {"pausemusic", 11},
    {"resumemusic", 12}, {"ispaused", 13},       {"setsndvol", 14},   {"getsndvol", 15},
    {"startmusic", 16},  {"endmusic", 17},       {"fadeinmusic", 18}, {"fadeoutmusic", 19},
    {"loadmusic", 20},   {"ismusicplaying", 21}, {"getnextgame", 22},
};
const NameIndex kPath[] = {
    {"build", 0},        {"goto", 1},          {"stop", 2},           {"show", 3},
    {"hide", 4},         {"copy", 5},          {"stand", 6},          {"iswalking", 7},
    {"move", 8},         {"setpos", 9},        {"enable", 10},        {"disable", 11},
    {"setanstep", 12},   {"setz", 13},         {"getz", 14},          {"getidpath", 15},
    {"getposx", 16},     {"getposy", 17},      {"getpx", 18},         {"getpy", 19},
    {"isenabled", 20},   {"linkanima", 21},    {"getidanpath", 22},   {"getidan2path", 23},
    {"getidgopath", 24}, {"getidan", 25},      {"getidan2", 26},      {"getidgo", 27},
    {"setbase", 28},     {"getbase", 29},      {"dotcolor", 30},      {"setzsize", 31},
    {"linkfilter", 32},  {"unlinkfilter", 33}, {"setscalepower", 34}, {"iswayto", 35},
    {"excludev", 36},    {"scalean", 37},      {"getfromver", 38},    {"getgover", 39},
    {"getxver", 40},     {"getyver", 41},      {"getanver", 42},      {"getbyname", 43},
    {"unlinkanima", 44}, {"turn", 45},         {"letturn", 46},       {"canturn", 47},
    {"vecdir", 48},      {"shift", 49},        {"getmovetype", 50},   {"setmovetype", 51},
    {"length", 52},
};

using Table = std::map<std::string, int>;

// Every name with a value in the trie below `node` (`prefix` spells it).
void Collect(ddTrie<asmMethod>* node, std::string& prefix, Table& out) {
    if (!node) return;
    if (node->value >= 0) out[prefix] = node->value;
    for (int i = 0; i < node->count; ++i) {
        ddTrie<asmMethod>* child = node->children[i];
        prefix.push_back(static_cast<char>(child->key));
        Collect(child, prefix, out);
        prefix.pop_back();
    }
}

// The row of `className` in this floor's table, or null.
const asmBuiltinClass* EngineClass(const char* className) {
    for (const asmBuiltinClass& c : EngineScriptClasses())
        if (std::string(c.name) == className) return &c;
    return nullptr;
}

// The table of this floor's class `className`, as its set-up builds it.
template <size_t N>
void ExpectTable(const char* className, const NameIndex (&expected)[N]) {
    SCOPED_TRACE(className);
    const asmBuiltinClass* c = EngineClass(className);
    ASSERT_NE(c, nullptr);
    c->initMethods();
    asmClass* methods = c->descriptor();
    ASSERT_NE(methods, nullptr);
    Table want;
    for (const NameIndex& e : expected) want[e.name] = e.index;
    ASSERT_EQ(want.size(), N) << "a name is listed twice";
    Table got;
    std::string prefix;
    Collect(methods->methods, prefix, got);
    EXPECT_EQ(got, want);
    c->freeMethods();
    EXPECT_EQ(c->descriptor(), nullptr);
}

TEST(MethodTables, EveryClassMapsItsNamesToTheirIndices) {
    // The built-in objects come first, in the order the machine makes them.
    std::vector<std::string> names;
    for (const asmBuiltinClass& c : EngineScriptClasses()) names.push_back(c.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"gameapi", "engine", "mouse", "keyboard", "snd", "anima", "timer",
                                        "menu", "text", "img", "path", "button", "font", "filter"}));
    ExpectTable("engine", kEngine);
    ExpectTable("keyboard", kKeyboard);
    ExpectTable("mouse", kMouse);
    ExpectTable("img", kPicture);
    ExpectTable("anima", kAnima);
    ExpectTable("text", kText);
    ExpectTable("snd", kSound);
    ExpectTable("font", kFont);
    ExpectTable("timer", kTimer);
    ExpectTable("button", kButton);
    ExpectTable("menu", kMenu);
    ExpectTable("path", kPath);
    ExpectTable("filter", kFilter);
    ExpectTable("gameapi", kGame);
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
    const NameIndex named[] = {
        {"space", 32},   {"enter", 13},     {"escape", 27},   {"delete", 127}, {"backspace", 8},
        {"tab", 9},      {"up", 273},       {"down", 274},    {"left", 276},   {"right", 275},
        {"plus", 43},    {"minus", 45},     {"lshift", 304},  {"rshift", 303}, {"lctrl", 306},
        {"rctrl", 305},  {"lalt", 308},     {"ralt", 307},    {"lmeta", 310},  {"kp.", 266},
        {"kp/", 267},    {"kp*", 268},      {"kp+", 270},     {"kp-", 269},    {"kpenter", 271},
        {"kp=", 272},    {"insert", 277},   {"home", 278},    {"end", 279},    {"pgup", 280},
        {"pgdown", 281}, {"capslock", 301}, {"numlock", 300},
    };
    for (const NameIndex& k : named) EXPECT_EQ(keyboard.KeyCode(k.name), k.index) << k.name;
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(keyboard.KeyCode(("F" + std::to_string(i)).c_str()), 281 + i);
    // Names that are not keys: other cases, the ampersand, right meta, F13.
    for (const char* none : {"Space", "ENTER", "&", "%", "rmeta", "F13", "F0", "kp", "shift"})
        EXPECT_EQ(keyboard.KeyCode(none), -1) << none;
}

}  // namespace
