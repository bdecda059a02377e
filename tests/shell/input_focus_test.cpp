// The game's input focus: keys reach the focused text before the game's
// hooks, one text is editable at a time, and a text that goes away is never
// left behind as the focus.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/text.h"
#include "loop_fixture.h"
#include "shell/game_api.h"

namespace loop_test {
namespace {

SDL_Event TypedKey(SDLKey sym, Uint16 unicode, int mod = KMOD_NONE) {
    SDL_Event e = Key(SDL_KEYDOWN, sym, mod);
    e.key.keysym.unicode = unicode;
    return e;
}

// Notes what the focus text held each time a key reached the game.
class FocusGame : public GameAPI {
public:
    void OnKeyDown() override {
        ddTekst* focus = GetInputFocus();
        seen.push_back(focus ? focus->GetText() : "<none>");
        if (onKey) onKey(*this);
    }
    void OnKeyUp() override { seen.push_back("up"); }
    void OnStart() override {
        if (onStart) onStart(*this);
    }

    std::vector<std::string> seen;
    std::function<void(FocusGame&)> onKey, onStart;
};

class InputFocus : public LoopTest {
protected:
    void Frames(std::vector<FakeEvents::Frame> frames) { events.frames = std::move(frames); }
};

TEST_F(InputFocus, KeysEditTheFocusedTextBeforeTheGameHearsThem) {
    FocusGame game;
    ddTekst* text = nullptr;
    game.NewText(text, "x");
    text->LetAlpha();
    text->Lock();
    game.SetInputFocus(text);
    EXPECT_TRUE(text->IsUnlocked());
    Frames({{{TypedKey(SDLK_a, 'a'), Key(SDL_KEYUP, SDLK_a), TypedKey(SDLK_1, '1')}, {}},
            {{TypedKey(SDLK_b, 'b', KMOD_LSHIFT)}, {}},
            {{TypedKey(SDLK_RETURN, '\r', KMOD_LSHIFT)}, {}},
            {{TypedKey(SDLK_RETURN, '\r')}, {}},
            {{TypedKey(SDLK_c, 'c')}, {}}});
    game.Run();
    // The digit is refused but still reaches the game; shift+return breaks
    // the line, return alone ends editing, so "c" is not typed.
    EXPECT_EQ(game.seen, (std::vector<std::string>{"xa", "up", "xa", "xab", "xab\n", "xab\n", "xab\n"}));
    EXPECT_FALSE(text->IsUnlocked());
    EXPECT_TRUE(game.HasInputFocus(text));
    game.DeleteObject(text);
}

TEST_F(InputFocus, APausedGameKeepsKeysFromTheFocusToo) {
    FocusGame game;
    ddTekst* text = nullptr;
    game.NewText(text);
    text->LetAll();
    game.SetInputFocus(text);
    game.onStart = [](FocusGame& g) { g.Pause(); };
    Frames({{{TypedKey(SDLK_a, 'a')}, {}}, {{TypedKey(SDLK_b, 'b')}, [&] { game.Resume(); }}});
    game.Run();
    EXPECT_EQ(game.seen, (std::vector<std::string>{"b"}));
    game.DeleteObject(text);
}

TEST_F(InputFocus, OneTextIsEditableAtATime) {
    FocusGame game;
    ddTekst *first = nullptr, *second = nullptr;
    game.NewText(first);
    game.NewText(second);
    first->LetAll();
    second->LetAll();
    EXPECT_TRUE(game.HasInputFocus(nullptr));

    game.SetInputFocus(first);
    EXPECT_TRUE(first->IsUnlocked());
    game.SetInputFocus(second);
    EXPECT_FALSE(first->IsUnlocked());
    EXPECT_TRUE(second->IsUnlocked());
    EXPECT_TRUE(game.HasInputFocus(second));
    EXPECT_FALSE(game.HasInputFocus(first));
    // Focusing the focus again leaves it editable.
    game.SetInputFocus(second);
    EXPECT_TRUE(second->IsUnlocked());

    game.SetInputFocus(nullptr);
    EXPECT_EQ(game.GetInputFocus(), second);
    EXPECT_TRUE(second->IsUnlocked());

    Frames({{{TypedKey(SDLK_q, 'q')}, [&] { game.SetInputFocus(first); }}, {{TypedKey(SDLK_w, 'w')}, {}}});
    game.Run();
    EXPECT_STREQ(first->GetText(), "qw");
    EXPECT_STREQ(second->GetText(), "");

    game.ClearInputFocus();
    EXPECT_EQ(game.GetInputFocus(), nullptr);
    EXPECT_FALSE(first->IsUnlocked());
    game.ClearInputFocus();  // nothing to clear
    EXPECT_EQ(game.GetInputFocus(), nullptr);
    game.DeleteObject(first);
    game.DeleteObject(second);
}

TEST_F(InputFocus, ADeletedFocusIsNoLongerTheFocusOfAnyGame) {
    // Deleted by the game's own key hook in the middle of a frame's events:
    // the next key must not reach it.
    FocusGame game;
    ddTekst* text = nullptr;
    game.NewText(text);
    text->LetAll();
    game.SetInputFocus(text);
    game.onKey = [&](FocusGame& g) {
        if (text) g.DeleteObject(text);
    };
    Frames({{{TypedKey(SDLK_a, 'a'), TypedKey(SDLK_b, 'b')}, {}}, {{TypedKey(SDLK_c, 'c')}, {}}});
    game.Run();
    EXPECT_EQ(game.seen, (std::vector<std::string>{"a", "<none>", "<none>"}));
    EXPECT_EQ(game.GetInputFocus(), nullptr);
    EXPECT_EQ(text, nullptr);

    // Several games over time: each keeps its own focus, and a text deleted
    // outside any game leaves only the game that held it.
    auto older = std::make_unique<FocusGame>();
    auto middle = std::make_unique<FocusGame>();
    auto newer = std::make_unique<FocusGame>();
    middle.reset();
    auto a = std::make_unique<ddTekst>("a");
    auto b = std::make_unique<ddTekst>("b");
    older->SetInputFocus(a.get());
    newer->SetInputFocus(b.get());
    a.reset();
    EXPECT_EQ(older->GetInputFocus(), nullptr);
    EXPECT_EQ(newer->GetInputFocus(), b.get());
    newer->SetInputFocus(nullptr);
    newer.reset();  // a game that goes first leaves the text alone
    EXPECT_TRUE(b->IsUnlocked());
    older->SetInputFocus(b.get());
    b.reset();
    EXPECT_EQ(older->GetInputFocus(), nullptr);
}

TEST_F(InputFocus, NewTextIsRegisteredWithTheGameAsItsUserData) {
    FocusGame game;
    ddTekst *plain = nullptr, *boxed = nullptr;
    game.NewText(plain, "plain");
    game.NewText(boxed, "boxed", 10, 20, 100, 30, 0, 0, 255, 255);
    EXPECT_EQ(scene->DrawableCount(), 2);
    EXPECT_EQ(plain->GetUserData(), reinterpret_cast<intptr_t>(&game));
    EXPECT_EQ(boxed->GetUserData(), reinterpret_cast<intptr_t>(&game));
    EXPECT_STREQ(plain->GetText(), "plain");
    EXPECT_EQ(plain->GetBackground(), nullptr);
    ASSERT_NE(boxed->GetBackground(), nullptr);
    EXPECT_EQ(boxed->GetX(), 10);
    EXPECT_EQ(boxed->GetY(), 20);
    EXPECT_EQ(boxed->GetWidth(), 100);
    EXPECT_EQ(boxed->GetHeight(), 30);
    game.SetInputFocus(boxed);
    game.DeleteObject(boxed);
    game.DeleteObject(plain);
    EXPECT_EQ(boxed, nullptr);
    EXPECT_EQ(scene->DrawableCount(), 0);
    EXPECT_EQ(game.GetInputFocus(), nullptr);
}

}  // namespace
}  // namespace loop_test
