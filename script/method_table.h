// Method tables of the built-in script classes: each maps the method names
// scripts call to the class's built-in index.
#pragma once

#include <cstddef>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_trie.h"

// A method name and the built-in index it calls (names may share an index).
struct MethodName {
    const char* name;
    int index;
};

// A new table holding every name with its index.
template <size_t N>
asmClass* BuildClass(const MethodName (&names)[N]) {
    auto* cls = new asmClass;
    for (const MethodName& m : names) SetTrieEntryValue(cls->methods, m.name, m.index);
    return cls;
}

// A new table holding every name with its position as index.
template <size_t N>
asmClass* BuildClass(const char* const (&names)[N]) {
    auto* cls = new asmClass;
    for (size_t i = 0; i < N; ++i) SetTrieEntryValue(cls->methods, names[i], static_cast<int>(i));
    return cls;
}

// Deletes the table and leaves the pointer null.
inline void FreeClass(asmClass*& cls) {
    delete cls;
    cls = nullptr;
}
