// Name tables: a character trie whose children are kept sorted by key
// (compared as signed characters) and searched by bisection. Each node may
// hold an int value (-1 when unset) and a pointer it may own.
//
// The instantiations differ only in the pointee type and how it is freed:
//   ddTrie<asmClassObj>  script objects (deleted through their virtual destructor)
//   ddTrie<record>       type and class records (SetTrieEntryRef leaves them unowned)
//   ddTrie<asmMethod>    method entries of a class (see asm_class_obj.h)
//   ddTrie<int>          plain integer tables: opcodes, key names, events, ...
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/arrays.h"
#include "foundation/dd_string.h"

// How a trie frees the pointer one of its nodes owns. A type that is only
// forward-declared where the trie is cleared declares a specialisation and
// defines it next to the type.
template <typename T>
struct TrieFree {
    static void Free(T* p) { delete p; }
};

template <typename T>
class ddTrie {
public:
    ddTrie() { Init(); }
    ~ddTrie() { Clear(); }
    ddTrie(const ddTrie&) = delete;
    ddTrie& operator=(const ddTrie&) = delete;

    // Resets the fields of a fresh node (does not free anything).
    void Init() {
        key = 0;
        children = nullptr;
        count = 0;
        value = -1;
        owns = 1;
        pointer = nullptr;
        notFound = 0;
    }

    // Get-or-insert: the node of `name`, creating the missing nodes on its
    // path. Null for a null or empty name.
    ddTrie* Get(const char* name) {
        if (!name || !*name) return nullptr;
        ddTrie* node = this;
        for (const char* p = name; *p; ++p) node = node->Child(static_cast<int8_t>(*p));
        return node;
    }
    ddTrie* Get(const ddString& name) { return Get(name.c_str()); }

    // The node of `name`, or null when the path is incomplete. The node may be
    // an inner node with value -1 and no pointer.
    ddTrie* Find(const char* name) {
        if (!name || !*name) return nullptr;
        ddTrie* node = this;
        for (const char* p = name; *p; ++p) {
            if (!node->children) return nullptr;
            int at = node->Bisect(static_cast<int8_t>(*p));
            if (node->notFound) return nullptr;
            node = node->children[at];
        }
        return node;
    }
    ddTrie* Find(const ddString& name) { return Find(name.c_str()); }

    // Frees the subtree below this node and the node's own pointer when it
    // owns it, children before their parent and in key order. The node
    // stays usable (empty). Without recursion: a trie is as deep as its
    // longest name, and a script can make names of any length.
    void Clear() {
        if (count == 0) {  // a leaf or an empty trie: the common case
            ReleaseOwn();
            return;
        }
        struct Pending {
            ddTrie* node;
            int next;  // the next child to free
        };
        std::vector<Pending> path{{this, 0}};
        while (!path.empty()) {
            Pending& top = path.back();
            if (top.next < top.node->count) {
                ddTrie* child = top.node->children[top.next++];
                path.push_back({child, 0});
                continue;
            }
            ddTrie* node = top.node;
            path.pop_back();
            node->ReleaseOwn();
            if (node != this) delete node;  // nothing is left for its own Clear
        }
    }

    // Prints every name that ends at a leaf below `node`, one per line, in
    // key order.
    static void Dump(ddTrie* node, int depth = 0) {
        std::string name;
        DumpFrom(node, depth, name);
    }

    // Appends every name below `node` that ends at a leaf, or at an inner
    // node with a value or pointer set, as new heap strings in key order.
    // The caller owns the strings.
    static void CollectNames(ddTrie* node, ddString**& list, int& listCount, int depth = 0) {
        std::string name;
        CollectFrom(node, list, listCount, depth, name);
    }

    // Node fields, read directly by the script core.
    int8_t key;
    ddTrie** children;
    int32_t count;
    int32_t value;
    int owns;
    T* pointer;
    int notFound;

private:
    // Frees the children array (not the children) and the owned pointer.
    void ReleaseOwn() {
        delete[] children;
        children = nullptr;
        count = 0;
        if (owns && pointer) TrieFree<T>::Free(pointer);
        pointer = nullptr;
    }

    // Bisection over the sorted children; leaves notFound on the node.
    // Returns the child's index when found, else the insertion position.
    int Bisect(int8_t c) {
        int lo = 0, hi = count - 1, mid = 0;
        notFound = 1;
        while (notFound && lo <= hi) {
            mid = (lo + hi) / 2;
            int8_t k = children[mid]->key;
            if (k > c)
                hi = mid - 1;
            else if (k == c)
                notFound = 0;
            else
                lo = mid + 1;
        }
        return notFound ? lo : mid;
    }

    ddTrie* Child(int8_t c) {
        if (!children) {
            ddTrie* child = new ddTrie;
            child->key = c;
            children = new ddTrie* [1] { child };
            count = 1;
            return child;
        }
        int at = Bisect(c);
        if (!notFound) return children[at];
        ddTrie* child = new ddTrie;
        child->key = c;
        ArrInsertAt(children, child, count, at);
        return child;
    }

    static void Extend(std::string& name, int depth, int8_t key) {
        if (depth <= 0) return;
        name.resize(static_cast<size_t>(depth - 1));
        name.push_back(static_cast<char>(key));
    }

    static void DumpFrom(ddTrie* node, int depth, std::string& name) {
        if (!node) return;
        Extend(name, depth, node->key);
        if (node->count > 0) {
            for (int i = 0; i < node->count; ++i) DumpFrom(node->children[i], depth + 1, name);
        } else {
            std::fwrite(name.data(), 1, name.size(), stdout);
            std::fputc('\n', stdout);
        }
    }

    static void CollectFrom(ddTrie* node, ddString**& list, int& listCount, int depth, std::string& name) {
        if (!node) return;
        Extend(name, depth, node->key);
        if (node->count > 0) {
            if (node->value != -1 || node->pointer) ArrAppend(list, new ddString(name.c_str()), listCount);
            for (int i = 0; i < node->count; ++i)
                CollectFrom(node->children[i], list, listCount, depth + 1, name);
        } else {
            ArrAppend(list, new ddString(name.c_str()), listCount);
        }
    }
};

// Get-or-insert `name` and store `v` as its value. An empty or null name
// changes nothing.
template <typename T>
void SetTrieEntryValue(ddTrie<T>* trie, const char* name, int v) {
    if (!trie) return;
    if (ddTrie<T>* node = trie->Get(name)) node->value = v;
}

template <typename T>
void SetTrieEntryValue2(ddTrie<T>* trie, const char* name, int v) {
    SetTrieEntryValue(trie, name, v);
}

// Get-or-insert `name`, store the value and a pointer the trie must never
// free (owns is cleared).
template <typename T>
void SetTrieEntryRef(ddTrie<T>* trie, const char* name, int v, T* p) {
    if (!trie) return;
    if (ddTrie<T>* node = trie->Get(name)) {
        node->value = v;
        node->pointer = p;
        node->owns = 0;
    }
}
