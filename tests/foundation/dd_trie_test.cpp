#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/run_process.h"
#include "foundation/dd_trie.h"

namespace {

// Counts live instances so the tests can see what Clear frees.
struct Tracked {
    static int live;
    Tracked() { ++live; }
    ~Tracked() { --live; }
};
int Tracked::live = 0;

std::vector<std::string> Collect(ddTrie<Tracked>& t) {
    ddString** list = nullptr;
    int n = 0;
    ddTrie<Tracked>::CollectNames(&t, list, n);
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) out.push_back(list[i]->c_str() ? list[i]->c_str() : "<null>");
    ArrResize(list, n, -n);  // deletes the strings
    return out;
}

}  // namespace

TEST(ddTrie, PrefixesAndInnerNodes) {
    ddTrie<int> t;
    SetTrieEntryValue(&t, "a", 1);
    SetTrieEntryValue(&t, "ab", 2);
    SetTrieEntryValue(&t, "b", 3);
    ASSERT_NE(t.Find("ab"), nullptr);
    EXPECT_EQ(t.Find("ab")->value, 2);
    EXPECT_EQ(t.Find("a")->value, 1);
    EXPECT_EQ(t.Find("b")->value, 3);
    EXPECT_EQ(t.Find("abc"), nullptr);
    EXPECT_EQ(t.Find("c"), nullptr);
    EXPECT_EQ(t.Find("ba"), nullptr);  // "b" has no children
    EXPECT_EQ(t.Find(""), nullptr);
    EXPECT_EQ(t.Find(static_cast<const char*>(nullptr)), nullptr);

    ddTrie<int> only;
    SetTrieEntryValue(&only, "abc", 7);
    ASSERT_NE(only.Find("a"), nullptr);  // inner node exists, but unset
    EXPECT_EQ(only.Find("a")->value, -1);
    EXPECT_EQ(only.Find("ab")->pointer, nullptr);
    EXPECT_EQ(only.Find("abc")->value, 7);
}

TEST(ddTrie, GetIsIdempotentAndRefusesEmptyNames) {
    ddTrie<int> t;
    ddTrie<int>* first = t.Get("name");
    ddTrie<int>* again = t.Get("name");
    EXPECT_EQ(first, again);
    EXPECT_EQ(t.count, 1);
    EXPECT_EQ(t.Get(""), nullptr);
    EXPECT_EQ(t.Get(static_cast<const char*>(nullptr)), nullptr);
    // Setting under an empty name changes nothing (and does not crash).
    SetTrieEntryValue(&t, "", 5);
    SetTrieEntryValue2(&t, nullptr, 5);
    SetTrieEntryRef<int>(&t, "", 5, nullptr);
    EXPECT_EQ(t.value, -1);
    EXPECT_EQ(t.count, 1);
}

TEST(ddTrie, ChildrenSortedBySignedCharacter) {
    ddTrie<int> t;
    const char* names[] = {"m", "z", "\xE9t\xE9", "a", "M", "0", "\x80"};
    for (int i = 0; i < 7; ++i) SetTrieEntryValue(&t, names[i], i);
    ASSERT_EQ(t.count, 7);
    for (int i = 1; i < t.count; ++i) EXPECT_LT(t.children[i - 1]->key, t.children[i]->key);
    // Bytes above 127 are negative as signed characters: they come first.
    EXPECT_EQ(static_cast<unsigned char>(t.children[0]->key), 0x80);
    EXPECT_EQ(static_cast<unsigned char>(t.children[1]->key), 0xE9);
    for (int i = 0; i < 7; ++i) {
        ASSERT_NE(t.Find(names[i]), nullptr) << i;
        EXPECT_EQ(t.Find(names[i])->value, i);
    }
}

TEST(ddTrie, ManyKeysStayFindable) {
    ddTrie<int> t;
    for (int c = 1; c < 256; c += 3) {
        char name[3] = {static_cast<char>(c), static_cast<char>(256 - c), 0};
        if (name[1] == 0) name[1] = 'x';
        SetTrieEntryValue(&t, name, c);
    }
    for (int c = 1; c < 256; c += 3) {
        char name[3] = {static_cast<char>(c), static_cast<char>(256 - c), 0};
        if (name[1] == 0) name[1] = 'x';
        ASSERT_NE(t.Find(name), nullptr);
        EXPECT_EQ(t.Find(name)->value, c);
    }
}

TEST(ddTrie, ClearFreesOwnedAndKeepsReferencedPointers) {
    Tracked kept;  // a record the trie must never free
    ASSERT_EQ(Tracked::live, 1);
    {
        ddTrie<Tracked> t;
        t.Get("owned")->pointer = new Tracked;
        t.Get("own")->pointer = new Tracked;  // inner node with a pointer
        SetTrieEntryRef(&t, "ref", 4, &kept);
        EXPECT_EQ(t.Find("ref")->owns, 0);
        EXPECT_EQ(t.Find("ref")->value, 4);
        EXPECT_EQ(Tracked::live, 3);
        t.Clear();
        EXPECT_EQ(Tracked::live, 1);
        EXPECT_EQ(t.count, 0);
        EXPECT_EQ(t.children, nullptr);
        EXPECT_EQ(t.Find("owned"), nullptr);
        // Usable again after clearing; the destructor clears the rest.
        t.Get("again")->pointer = new Tracked;
        EXPECT_EQ(Tracked::live, 2);
    }
    EXPECT_EQ(Tracked::live, 1);
}

// A trie is as deep as its longest name; clearing one of a million
// characters must not take a call per character.
TEST(ddTrie, ClearsNamesOfAnyLength) {
    {
        ddTrie<Tracked> t;
        const std::string name(1000000, 'n');
        t.Get(name.c_str())->pointer = new Tracked;
        t.Get((name + "x").c_str())->pointer = new Tracked;
        EXPECT_EQ(Tracked::live, 2);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(ddTrie, DumpPrintsLeafNamesInKeyOrder) {
    ProcessResult r = RunInChild([] {
        ddTrie<int> t;
        SetTrieEntryValue(&t, "beta", 1);
        SetTrieEntryValue(&t, "alpha", 2);
        SetTrieEntryValue(&t, "al", 3);  // ends at an inner node: not printed
        SetTrieEntryValue(&t, "gamma", 4);
        ddTrie<int>::Dump(&t, 0);
        return 0;
    });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "alpha\nbeta\ngamma\n");
}

TEST(ddTrie, DumpAndCollectHoldLongNames) {
    std::string longName(300, 'q');
    longName += "end";
    ProcessResult r = RunInChild([&] {
        ddTrie<int> t;
        SetTrieEntryValue(&t, longName.c_str(), 1);
        ddTrie<int>::Dump(&t, 0);
        return 0;
    });
    EXPECT_EQ(r.out, longName + "\n");

    ddTrie<Tracked> m;
    m.Get(longName.c_str())->value = 1;
    EXPECT_EQ(Collect(m), std::vector<std::string>{longName});
}

TEST(ddTrie, CollectNamesIncludesSetInnerNodes) {
    ddTrie<Tracked> m;
    m.Get("hit")->value = -2;
    m.Get("hi")->value = 0;  // inner node with a value
    m.Get("hitme")->value = 1;
    m.Get("apple")->value = 2;
    m.Get("ap");  // inner node, unset: not a name
    m.Get("z")->value = 3;
    EXPECT_EQ(Collect(m), (std::vector<std::string>{"apple", "hi", "hit", "hitme", "z"}));
}
