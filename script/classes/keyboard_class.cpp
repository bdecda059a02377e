#include "script/classes/keyboard_class.h"

#include <cstdio>
#include <string>

#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/game_api.h"
#include "shell/input_state.h"

asmClass* asmClassKeyboard::Methods = nullptr;

namespace {

constexpr const char* kKeyboardMethods[] = {
    "iskey",         "iskeydown", "autorepeat", "pause",   "resume",      "getkey",
    "setautorepeat", "isalpha",   "isdigit",    "isalnum", "getkeystate", "keypressed",
};
static_assert(std::size(kKeyboardMethods) == 12);

struct KeyName {
    const char* name;
    int code;
};
// Keys that have a word for a name; letters, digits and punctuation are
// named by their own character.
constexpr KeyName kNamedKeys[] = {
    {"space", 32},    {"enter", 13},    {"escape", 27},   {"delete", 127},   {"backspace", 8},
    {"tab", 9},       {"up", 273},      {"down", 274},    {"left", 276},     {"right", 275},
    {"plus", 43},     {"minus", 45},    {"lshift", 304},  {"rshift", 303},   {"lctrl", 306},
    {"rctrl", 305},   {"lalt", 308},    {"ralt", 307},    {"lmeta", 310},    {"kp.", 266},
    {"kp/", 267},     {"kp*", 268},     {"kp+", 270},     {"kp-", 269},      {"kpenter", 271},
    {"kp=", 272},     {"insert", 277},  {"home", 278},    {"end", 279},      {"pgup", 280},
    {"pgdown", 281},  {"capslock", 301}, {"numlock", 300},
};
// Punctuation named by itself (the percent sign and the ampersand have no name).
constexpr char kPunctuation[] = "!\"#$'()*+,-./:;<=>?@[\\]^_`";

asmClassObj* NewKeyboard(asmClass* cls, const char* name) { return new asmClassKeyboard(cls, name); }
asmClass* KeyboardClass() { return asmClassKeyboard::Methods; }

// The keyboard pause flag of a game; GameAPI's own Pause also stops the
// scene and the music, which "pause" of the keyboard must not do.
struct KeyboardPauseFlag : GameAPI {
    static void Set(GameAPI& game, int value) { game.*(&KeyboardPauseFlag::KeyboardPaused) = value; }
};

GameAPI* RunningGame(asmInterpreter* m) { return m ? dynamic_cast<GameAPI*>(m->currentGame) : nullptr; }

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The "iskeydown" argument: an int or a text, popped without touching a
// register.
struct KeyArg {
    bool isInt = false;
    int value = 0;
    std::string text;
};

KeyArg PopKeyArg() {
    asmInterpreter& m = *asmInterpreter::Instance;
    if (m.sp < 0) m.Underflow("PopArg");
    KeyArg arg;
    if (m.StackCell(m.sp).GetType() == TYPE_INT) {
        arg.isInt = true;
        arg.value = PopArgInt();
        arg.text = std::to_string(arg.value);
    } else {
        arg.text = PopText();
    }
    return arg;
}

}  // namespace

asmClassKeyboard::asmClassKeyboard(asmClass* cls, const char* name) : asmClassObj(cls), keyNames(new ddTrie<int>) {
    SetName(name);
    char one[2] = {0, 0};
    for (char c = 'a'; c <= 'z'; ++c) {
        one[0] = c;
        SetTrieEntryValue(keyNames, one, c);
    }
    for (char c = '0'; c <= '9'; ++c) {
        one[0] = c;
        SetTrieEntryValue(keyNames, one, c);
    }
    for (const char* p = kPunctuation; *p; ++p) {
        one[0] = *p;
        SetTrieEntryValue(keyNames, one, static_cast<unsigned char>(*p));
    }
    for (const KeyName& k : kNamedKeys) SetTrieEntryValue(keyNames, k.name, k.code);
    for (int i = 1; i <= 12; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "F%d", i);
        SetTrieEntryValue(keyNames, name, 281 + i);
    }
}

asmClassKeyboard::~asmClassKeyboard() {
    keyNames->Clear();
    delete keyNames;
}

int asmClassKeyboard::KeyCode(const char* name) {
    ddTrie<int>* node = keyNames->Find(name);
    return node ? node->value : -1;
}

char asmClassKeyboard::LastTyped() {
    typed[0] = static_cast<char>(GetTypedChar());
    return typed[0];
}

void asmClassKeyboard::PushKeyTest(const char* name, int (*test)(int key)) {
    int code = KeyCode(name);
    PushInt(code != -1 && test(code) ? 1 : 0);
}

void asmClassKeyboard::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kKeyboardMethods);
}

void asmClassKeyboard::FreeMethods() { FreeClass(Methods); }

void asmClassKeyboard::CallBuiltIn(asmInterpreter* interp, int index) {
    asmInterpreter* m = interp ? interp : asmInterpreter::Instance;
    switch (index) {
    case 0: {
        ddString name = PopArgString();
        PushKeyTest(name.c_str(), IsKeyHeld);
        return;
    }
    case 1: {
        KeyArg arg = PopKeyArg();
        if (arg.isInt && arg.value == -1)
            PushInt(IsLeftButtonEvent());
        else
            PushKeyTest(arg.text.c_str(), IsKeyDown);
        return;
    }
    case 2:
        if (PopArgInt() == 0)
            DisableKeyRepeat();
        else
            SetDefaultKeyRepeat();
        return;
    case 3:
        if (GameAPI* game = RunningGame(m)) KeyboardPauseFlag::Set(*game, 1);
        return;
    case 4:
        if (GameAPI* game = RunningGame(m)) KeyboardPauseFlag::Set(*game, 0);
        return;
    case 5:
        LastTyped();
        PushString(typed);
        return;
    case 6: {
        int interval = PopArgInt();
        int delay = PopArgInt();
        SetKeyRepeat(delay, interval);
        return;
    }
    case 7:
        PushInt(IsAlpha(LastTyped()) ? 1 : 0);
        return;
    case 8:
        PushInt(IsDigit(LastTyped()) ? 1 : 0);
        return;
    case 9:
        PushInt(IsAlpha(LastTyped()) || IsDigit(LastTyped()) ? 1 : 0);
        return;
    case 10:
        PumpKeys();
        return;
    case 11: {
        ddString name = PopArgString();
        PushKeyTest(name.c_str(), IsKeyDownCached);
        return;
    }
    default: {
        std::string line = "keyboard unknown built in method " + std::to_string(index) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
        return;
    }
    }
}

void RegisterKeyboardScriptClass() {
    RegisterScriptClass({"keyboard", -1, asmClassKeyboard::InitMethods, asmClassKeyboard::FreeMethods, KeyboardClass,
                         NewKeyboard});
}
