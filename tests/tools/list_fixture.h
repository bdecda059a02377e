// A dummy screen, a font and a keyboard and mouse driven through the input
// state, for the editor's text lists.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/font_fixture.h"
#include "tools/action_list.h"
#include "tools/list_pair.h"

class ListTest : public FontTest {
protected:
    static constexpr int kX = 10, kY = 5, kW = 80, kH = 14;

    void TearDown() override {
        pictures.clear();
        keyboard.keys.assign(SDLK_LAST, 0);
        LastEvent = SDL_Event{};
        KeyHeld = 0;
        MouseX = MouseY = 0;
        FontTest::TearDown();
    }

    // Presses a key with the modifiers given held down.
    void Key(SDLKey sym, bool shift = false, bool ctrl = false, Uint16 unicode = 0) {
        PressKey(sym, unicode, shift);
        keyboard.keys[SDLK_LCTRL] = ctrl ? 1 : 0;
        if (ctrl) LastEvent.key.keysym.mod = static_cast<SDLMod>(LastEvent.key.keysym.mod | KMOD_LCTRL);
    }

    void ClickAt(int x, int y, bool ctrl = false) {
        MouseX = x;
        MouseY = y;
        keyboard.keys[SDLK_LCTRL] = ctrl ? 1 : 0;
    }

    // A picture with a size, kept by the test for rows to copy or share.
    lumoObraz* Picture(int w = 4, int h = 3) {
        pictures.push_back(std::make_unique<lumoObraz>());
        pictures.back()->Create(w, h, 200, 10, 10, 255);
        return pictures.back().get();
    }

    // A list at (kX, kY) with rows named r0, r1, ... owning picture copies.
    void Fill(ActionManager& list, int rows, const char* name = "frames") {
        list.Init(kX, kY, kW, kH, 30, 30, 30, name);
        for (int i = 0; i < rows; ++i) list.AppendRow(Picture(), ("r" + std::to_string(i)).c_str(), 0);
    }

    static std::vector<std::string> Names(ddSpreadText<lumoObraz>& list) {
        std::vector<std::string> names;
        for (int i = 0; i < list.RowCount(); ++i) names.emplace_back(list.GetRow(i)->GetText());
        return names;
    }
    static std::vector<std::string> Names(ddSpreadText<ActionManager>& list) {
        std::vector<std::string> names;
        for (int i = 0; i < list.RowCount(); ++i) names.emplace_back(list.GetRow(i)->GetText());
        return names;
    }
    template <class L>
    static std::vector<int> Selected(L& list) {
        std::vector<int> indexes;
        for (int i = 0; i < list.SelectedCount(); ++i) indexes.push_back(list.IndexOf(list.SelectedAt(i)));
        return indexes;
    }

    std::vector<std::unique_ptr<lumoObraz>> pictures;
};
