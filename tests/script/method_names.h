// The names a name trie (a class's methods, the common methods, the event
// names) binds, read back whole, and the compact listing tests write them
// in: one word per index in index order, aliases joined by '/', and '-'
// for an index no name reaches.
#pragma once

#include <map>
#include <sstream>
#include <string>

#include "foundation/dd_trie.h"

namespace method_names {

using Table = std::map<std::string, int>;

// Every name with a value in the trie below `node` (`prefix` spells it).
template <class T>
void Collect(ddTrie<T>* node, std::string& prefix, Table& out) {
    if (!node) return;
    if (node->value >= 0) out[prefix] = node->value;
    for (int i = 0; i < node->count; ++i) {
        ddTrie<T>* child = node->children[i];
        prefix.push_back(static_cast<char>(child->key));
        Collect(child, prefix, out);
        prefix.pop_back();
    }
}

template <class T>
Table Read(ddTrie<T>* names) {
    Table got;
    std::string prefix;
    Collect(names, prefix, got);
    return got;
}

// "get/to_i set - load" is {get:0, to_i:0, set:1, load:3}. A name listed
// twice also adds a marked entry, so that no comparison can pass.
inline Table Parse(const std::string& listing) {
    Table want;
    std::istringstream words(listing);
    std::string word;
    for (int index = 0; words >> word; ++index) {
        if (word == "-") continue;
        std::istringstream aliases(word);
        std::string name;
        while (std::getline(aliases, name, '/'))
            if (!want.emplace(name, index).second) want[name + " (listed twice)"] = index;
    }
    return want;
}

}  // namespace method_names
