// The keyboard script class: the one object "keyboard" through which
// scripts ask about keys by name, read the last typed character, and switch
// key repeat and the running game's keyboard pause.
#pragma once

#include "foundation/asm_class_obj.h"
#include "foundation/dd_trie.h"

class asmClassKeyboard : public asmClassObj {
public:
    asmClassKeyboard(asmClass* cls, const char* name);
    ~asmClassKeyboard() override;
    asmClassKeyboard(const asmClassKeyboard&) = delete;
    asmClassKeyboard& operator=(const asmClassKeyboard&) = delete;

    void CallBuiltIn(asmInterpreter* interp, int index) override;

    // The SDL key symbol of a key name ("a", "F1", "kpenter", ...), or -1
    // when the name is not a key.
    int KeyCode(const char* name);

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;

    // The character of the last key event (7 bits; 0 when none), kept as
    // the one-character text "getkey" pushes.
    char LastTyped();
    // Pushes 1 when `test` holds for the named key, 0 for unknown names.
    void PushKeyTest(asmInterpreter& m, const char* name, int (*test)(int key));

    char typed[2] = {0, 0};  // the last typed character and its terminator
    ddTrie<int>* keyNames;   // key name -> key symbol (owned)
};

// Registers "keyboard" (the object the machine creates at set-up).
void RegisterKeyboardScriptClass();
