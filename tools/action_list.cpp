#include "tools/action_list.h"

#include <string>

#include "graphics/font.h"

void FrameManager::Draw() {
    ddSpreadTxtElement<lumoObraz>::Draw();
    lumoObraz* picture = GetPayload();
    ddFont* font = GetFont();
    if (!picture || !font || !IsVisible()) return;
    const char* sound = picture->GetSoundName();
    if (!sound[0]) return;
    const std::string label = std::string(" (") + sound + ")";
    font->DrawText(label.c_str(), GetX() + GetTextOffsetX() + font->TextWidth(GetText()),
                   GetY() + GetTextOffsetY());
}

ActionManager::ActionManager() = default;

ActionManager::ActionManager(ActionManager* other) {
    if (!other) return;
    CopyFrom(other);
    CopyRowsFrom(other);
    loop = other->loop;
    hide = other->hide;
}

FrameManager* ActionManager::NewFrame(lumoObraz* picture, const char* name, int shares) {
    return static_cast<FrameManager*>(MakeRow(picture, name, shares));
}

ddSpreadTxtElement<lumoObraz>* ActionManager::NewRowObject() {
    return new FrameManager(SelectionOverlay(), MarkOverlay());
}

void ActionManager::DrawFlags() {
    ddSpreadTxtManager<lumoObraz>::DrawHeader();
    ddFont* font = GetFont();
    if (!font || !IsVisible() || (!loop && !hide)) return;
    const int x = GetX() + GetTextOffsetX() + font->TextWidth(GetText());
    const int y = GetY() + GetTextOffsetY();
    if (loop) font->DrawText("(L)", x, y);
    if (hide) font->DrawText("(H)", x, y);
}

void ActionManager::SetLoop(int flag) {
    loop = flag ? 1 : 0;
    SetRedraw();
}

void ActionManager::SetHide(int flag) {
    hide = flag ? 1 : 0;
    SetRedraw();
}
