#include "script_classes/keyboard_class.h"

#include <cstdio>
#include <string>

#include "platform/input_state.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "shell/game_api.h"

namespace {

struct KeyName {
    const char* name;
    int code;
};
// Keys that have a word for a name; letters, digits and punctuation are
// named by their own character.
constexpr KeyName kNamedKeys[] = {
    {"space", 32},    {"enter", 13},     {"escape", 27},   {"delete", 127}, {"backspace", 8}, {"tab", 9},
    {"up", 273},      {"down", 274},     {"left", 276},    {"right", 275},  {"plus", 43},     {"minus", 45},
    {"lshift", 304},  {"rshift", 303},   {"lctrl", 306},   {"rctrl", 305},  {"lalt", 308},    {"ralt", 307},
    {"lmeta", 310},   {"kp.", 266},      {"kp/", 267},     {"kp*", 268},    {"kp+", 270},     {"kp-", 269},
    {"kpenter", 271}, {"kp=", 272},      {"insert", 277},  {"home", 278},   {"end", 279},     {"pgup", 280},
    {"pgdown", 281},  {"capslock", 301}, {"numlock", 300},
};
// Punctuation named by itself (the percent sign and the ampersand have no name).
constexpr char kPunctuation[] = "!\"#$'()*+,-./:;<=>?@[\\]^_`";

// The keyboard pause flag of a game; GameAPI's own Pause also stops the
// scene and the music, which "pause" of the keyboard must not do.
struct KeyboardPauseFlag : GameAPI {
    static void Set(GameAPI& game, int value) { game.*(&KeyboardPauseFlag::KeyboardPaused) = value; }
};

GameAPI* RunningGame(asmInterpreter& m) { return dynamic_cast<GameAPI*>(m.currentGame); }

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The "iskeydown" argument: an int or a text, popped without touching a
// register.
struct KeyArg {
    bool isInt = false;
    int value = 0;
    std::string text;
};

KeyArg PopKeyArg(asmInterpreter& m) {
    if (m.sp < 0) m.Underflow("PopArg");
    KeyArg arg;
    if (m.StackCell(m.sp).GetType() == TYPE_INT) {
        arg.isInt = true;
        arg.value = PopArgInt(m);
        arg.text = std::to_string(arg.value);
    } else {
        arg.text = PopText(m);
    }
    return arg;
}

}  // namespace

asmClassKeyboard::asmClassKeyboard(asmClass* cls, const char* name)
    : asmScriptClass(cls), keyNames(new ddTrie<int>) {
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

void asmClassKeyboard::PushKeyTest(asmInterpreter& m, const char* name, int (*test)(int key)) {
    int code = KeyCode(name);
    PushInt(m, code != -1 && test(code) ? 1 : 0);
}

// The script methods: each name with its built-in index and handler.
struct asmClassKeyboard::ScriptMethods {
    static constexpr MethodRow<asmClassKeyboard> kRows[] = {
        {"iskey", 0,
         [](asmClassKeyboard& self, asmInterpreter& m, int) {
             ddString name = PopArgString(m);
             self.PushKeyTest(m, name.c_str(), IsKeyHeld);
         }},
        {"iskeydown", 1,
         [](asmClassKeyboard& self, asmInterpreter& m, int) {
             KeyArg arg = PopKeyArg(m);
             if (arg.isInt && arg.value == -1)
                 PushInt(m, IsLeftButtonEvent());
             else
                 self.PushKeyTest(m, arg.text.c_str(), IsKeyDown);
         }},
        {"autorepeat", 2,
         [](asmClassKeyboard&, asmInterpreter& m, int) {
             if (PopArgInt(m) == 0)
                 DisableKeyRepeat();
             else
                 SetDefaultKeyRepeat();
         }},
        {"pause", 3,
         [](asmClassKeyboard&, asmInterpreter& m, int) {
             if (GameAPI* game = RunningGame(m)) KeyboardPauseFlag::Set(*game, 1);
         }},
        {"resume", 4,
         [](asmClassKeyboard&, asmInterpreter& m, int) {
             if (GameAPI* game = RunningGame(m)) KeyboardPauseFlag::Set(*game, 0);
         }},
        {"getkey", 5,
         [](asmClassKeyboard& self, asmInterpreter& m, int) {
             self.LastTyped();
             PushString(m, self.typed);
         }},
        {"setautorepeat", 6,
         [](asmClassKeyboard&, asmInterpreter& m, int) {
             int interval = PopArgInt(m);
             int delay = PopArgInt(m);
             SetKeyRepeat(delay, interval);
         }},
        {"isalpha", 7,
         [](asmClassKeyboard& self, asmInterpreter& m, int) {
             PushInt(m, IsAlpha(self.LastTyped()) ? 1 : 0);
         }},
        {"isdigit", 8,
         [](asmClassKeyboard& self, asmInterpreter& m, int) {
             PushInt(m, IsDigit(self.LastTyped()) ? 1 : 0);
         }},
        {"isalnum", 9,
         [](asmClassKeyboard& self, asmInterpreter& m, int) {
             PushInt(m, IsAlpha(self.LastTyped()) || IsDigit(self.LastTyped()) ? 1 : 0);
         }},
        {"getkeystate", 10, [](asmClassKeyboard&, asmInterpreter&, int) { PumpKeys(); }},
        {"keypressed", 11,
         [](asmClassKeyboard& self, asmInterpreter& m, int) {
             ddString name = PopArgString(m);
             self.PushKeyTest(m, name.c_str(), IsKeyDownCached);
         }},
    };
    static_assert(std::size(kRows) == 12);
    static constexpr UnknownMethod kUnknown{"keyboard unknown built in method %d\n", OnUnknown::Report};
    static constexpr MethodTable<asmClassKeyboard> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassKeyboard, asmClassObj>;
