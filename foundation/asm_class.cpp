#include "foundation/asm_class_obj.h"

asmClass::asmClass() : methods(new ddTrie<asmMethod>) {}

asmClass::~asmClass() {
    delete methods;  // frees the method records the trie owns
    methods = nullptr;
}
