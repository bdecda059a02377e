// Object arrays of the game: animations made from one definition, each
// registered with the scene under the game, numbered and named base + "_"
// + index, renumbered when one goes, and all unregistered when the array
// ends.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/run_process.h"
#include "graphics/animation.h"
#include "loop_fixture.h"
#include "shell/game_api.h"

namespace {

using loop_test::LoopTest;

class ObjectArrays : public LoopTest {
protected:
    void SetUp() override {
        LoopTest::SetUp();
        folder.Write("anims/spin.lum",
                     "<delay>\t3\n<files>\t0\n\t<< >>\tnone.zel\n<action>\tspin\n\t<f>\t-1\ts0\t0\t0\n"
                     "\t<f>\t-1\ts1\t0\t0\n<action>\tstill\n\t<f>\t-1\tt0\t0\t0\n</action>\n");
        file = folder / "anims/spin.lum";
        game.emplace();
    }
    void TearDown() override {
        game.reset();
        LoopTest::TearDown();
    }
    static std::string Name(const Animacja* e) { return e->GetArrayName() ? e->GetArrayName() : ""; }
    static std::string Names(const AnimationArray& a) {
        std::string out;
        for (Animacja* e : a) out += Name(e) + ":" + std::to_string(e->GetArrayIndex()) + " ";
        return out;
    }

    TempFolder folder;
    std::string file;
    // Made inside the fixture's scene, as every game is.
    std::optional<GameAPI> game;
};

TEST_F(ObjectArrays, ElementsAreCopiesOfTheFirstNumberedAndRenumbered) {
    AnimationArray* array = nullptr;
    game->NewObjectArray(array, file.c_str(), 4);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(Names(*array), "spin_0:0 spin_1:1 spin_2:2 spin_3:3 ");
    EXPECT_EQ(scene->DrawableCount(), 4);
    for (Animacja* e : *array) {
        EXPECT_EQ(e->GetActionCount(), 2);
        EXPECT_EQ(e->GetDelay(), 3);
        EXPECT_EQ(e->GetUserData(), reinterpret_cast<intptr_t>(&*game));
    }
    EXPECT_NE((*array)[1], (*array)[2]);

    Animacja* third = (*array)[2];
    game->RemoveFromObjectArray(array, 1);
    EXPECT_EQ(Names(*array), "spin_0:0 spin_1:1 spin_2:2 ");
    EXPECT_EQ((*array)[1], third);
    game->RemoveObjectFromArray(array, third);
    EXPECT_EQ(Names(*array), "spin_0:0 spin_1:1 ");
    EXPECT_EQ(scene->DrawableCount(), 2);
    game->RemoveFromObjectArray(array, 5);  // out of range: nothing
    game->RemoveFromObjectArray(array, -1);
    EXPECT_EQ(array->size(), 2u);

    game->AppendToObjectArray(array, 2);
    game->AppendToObjectArray(array, 0);
    EXPECT_EQ(Names(*array), "spin_0:0 spin_1:1 spin_2:2 spin_3:3 ");
    game->TrimObjectArray(array);
    EXPECT_EQ(Names(*array), "spin_0:0 ");
    EXPECT_EQ(scene->DrawableCount(), 1);

    // Removing the only element ends the array.
    game->RemoveFromObjectArray(array, 0);
    EXPECT_EQ(array, nullptr);
    EXPECT_EQ(scene->DrawableCount(), 0);
}

TEST_F(ObjectArrays, CopiedArraysAndReplacedArraysLeaveNothingBehind) {
    AnimationArray* a = nullptr;
    AnimationArray* b = nullptr;
    game->NewObjectArray(a, file.c_str(), 2);
    game->NewObjectArrayFrom(b, a);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->size(), 1u);
    EXPECT_EQ(Name((*b)[0]), "");
    EXPECT_EQ((*b)[0]->GetActionCount(), 2);
    EXPECT_EQ(scene->DrawableCount(), 3);
    // A second array made into the same reference replaces the first.
    game->NewObjectArray(a, file.c_str(), 3);
    EXPECT_EQ(scene->DrawableCount(), 4);
    game->NewObjectArrayFrom(b, nullptr);  // nothing to copy: b stays
    ASSERT_NE(b, nullptr);
    game->DeleteObjectArray(a);
    game->DeleteObjectArray(b);
    game->DeleteObjectArray(b);  // a null reference is left alone
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
    EXPECT_EQ(scene->DrawableCount(), 0);
}

TEST_F(ObjectArrays, AMissingDefinitionStillGivesANamedEmptyElement) {
    AnimationArray* a = nullptr;
    game->NewObjectArray(a, (folder / "nothing/here.lum").c_str(), 2);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Names(*a), "here_0:0 here_1:1 ");
    EXPECT_EQ((*a)[1]->GetActionCount(), 0);
    game->DeleteObjectArray(a);
}

TEST_F(ObjectArrays, AnimationFactoriesRegisterWithTheGame) {
    Animacja* empty = nullptr;
    Animacja* loaded = nullptr;
    Animacja* copy = nullptr;
    game->NewAnimacja(empty);
    game->NewAnimacja(loaded, file.c_str());
    game->NewAnimacja(copy, *loaded);
    EXPECT_EQ(empty->GetActionCount(), 0);
    EXPECT_EQ(loaded->GetActionCount(), 2);
    EXPECT_EQ(copy->GetActionCount(), 2);
    EXPECT_EQ(copy->GetUserData(), reinterpret_cast<intptr_t>(&*game));
    EXPECT_EQ(scene->DrawableCount(), 3);
    game->DeleteObject(empty);
    game->DeleteObject(loaded);
    game->DeleteObject(copy);
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(scene->DrawableCount(), 0);
}

}  // namespace
