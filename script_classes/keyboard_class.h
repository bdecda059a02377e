// The keyboard script class: the one object "keyboard" through which
// scripts ask about keys by name, read the last typed character, and switch
// key repeat and the running game's keyboard pause.
#pragma once

#include "foundation/asm_class_obj.h"
#include "foundation/dd_trie.h"
#include "script/script_class.h"

class asmClassKeyboard : public asmScriptClass<asmClassKeyboard, asmClassObj> {
public:
    asmClassKeyboard(asmClass* cls, const char* name);
    ~asmClassKeyboard() override;
    asmClassKeyboard(const asmClassKeyboard&) = delete;
    asmClassKeyboard& operator=(const asmClassKeyboard&) = delete;

    // The SDL key symbol of a key name ("a", "F1", "kpenter", ...), or -1
    // when the name is not a key.
    int KeyCode(const char* name);

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;

private:
    // The character of the last key event (7 bits; 0 when none), kept as
    // the one-character text "getkey" pushes.
    char LastTyped();
    // Pushes 1 when `test` holds for the named key, 0 for unknown names.
    void PushKeyTest(asmInterpreter& m, const char* name, int (*test)(int key));

    char typed[2] = {0, 0};  // the last typed character and its terminator
    ddTrie<int>* keyNames;   // key name -> key symbol (owned)
};

extern template class asmScriptClass<asmClassKeyboard, asmClassObj>;
