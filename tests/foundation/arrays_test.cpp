#include <gtest/gtest.h>

#include "foundation/arrays.h"

namespace {
int g_destroyed = 0;

struct Counted {
    explicit Counted(int v) : value(v) {}
    ~Counted() { ++g_destroyed; }
    int value;
};

struct ArrayOwner {
    Counted** items = nullptr;
    int count = 0;
    ~ArrayOwner() { ArrResize(items, count, -count); }
    void Add(int v) { ArrAppend(items, new Counted(v), count); }
};
}  // namespace

TEST(Arrays, OnlyAResizeThatEmptiesDeletes) {
    g_destroyed = 0;
    {
        ArrayOwner a;
        for (int i = 0; i < 3; ++i) a.Add(i);
        Counted* last = a.items[2];
        ArrResize(a.items, a.count, -1);
        EXPECT_EQ(a.count, 2);
        EXPECT_EQ(g_destroyed, 0);  // shrinking keeps the elements alive
        delete last;
        EXPECT_EQ(g_destroyed, 1);
        ArrResize(a.items, a.count, -a.count);
        EXPECT_EQ(a.items, nullptr);
        EXPECT_EQ(a.count, 0);
        EXPECT_EQ(g_destroyed, 3);
    }
    EXPECT_EQ(g_destroyed, 3);
}

TEST(Arrays, RemovalLeavesTheElementToTheCaller) {
    g_destroyed = 0;
    ArrayOwner a;
    a.Add(7);
    Counted* only = a.items[0];
    ArrRemoveAt(a.items, a.count, 0);
    EXPECT_EQ(a.items, nullptr);
    EXPECT_EQ(a.count, 0);
    EXPECT_EQ(g_destroyed, 0);
    delete only;

    for (int i = 0; i < 4; ++i) a.Add(i);
    Counted* second = a.items[1];
    ArrRemoveValue(a.items, a.count, second);
    ASSERT_EQ(a.count, 3);
    EXPECT_EQ(a.items[0]->value, 0);
    EXPECT_EQ(a.items[1]->value, 2);
    EXPECT_EQ(a.items[2]->value, 3);
    EXPECT_FALSE(ArrContains(a.items, a.count, second));
    ArrRemoveValue(a.items, a.count, second);  // absent: nothing happens
    EXPECT_EQ(a.count, 3);
    ArrRemoveAt(a.items, a.count, 3);
    ArrRemoveAt(a.items, a.count, -1);
    EXPECT_EQ(a.count, 3);
    delete second;
}

TEST(Arrays, InsertOnlyInsideTheRange) {
    ArrayOwner a;
    a.Add(1);
    a.Add(3);
    ArrInsertAt(a.items, new Counted(2), a.count, 1);
    ArrPrepend(a.items, new Counted(0), a.count);
    Counted* stray = new Counted(9);
    ArrInsertAt(a.items, stray, a.count, a.count + 1);  // refused
    ASSERT_EQ(a.count, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(a.items[i]->value, i);
    ArrInsertAt(a.items, stray, a.count, a.count);  // at count appends
    EXPECT_EQ(a.items[4], stray);
    EXPECT_EQ(ArrFind(a.items, a.count, stray), 4);
    EXPECT_EQ(ArrFind(static_cast<Counted**>(nullptr), 0, stray), -1);
}

TEST(Arrays, QuickSortOrdersByTheComparator) {
    ArrayOwner a;
    int values[] = {5, 3, 9, 1, 5, 7, 2, 8, 0, 6, 4};
    for (int v : values) a.Add(v);
    // less(pivot, x): x belongs before the pivot
    ArrQuickSort(0, a.count, a.items, [](Counted* pivot, Counted* x) { return x->value < pivot->value; });
    for (int i = 1; i < a.count; ++i) EXPECT_LE(a.items[i - 1]->value, a.items[i]->value);
    ArrQuickSort(0, a.count, a.items, [](Counted* pivot, Counted* x) { return x->value > pivot->value; });
    for (int i = 1; i < a.count; ++i) EXPECT_GE(a.items[i - 1]->value, a.items[i]->value);

    ArrayOwner big;  // already sorted input must not recurse deeply
    for (int i = 0; i < 20000; ++i) big.Add(i);
    ArrQuickSort(0, big.count, big.items, [](Counted* p, Counted* x) { return x->value > p->value; });
    EXPECT_EQ(big.items[0]->value, 19999);
}
