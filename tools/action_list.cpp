#include "tools/action_list.h"

#include <string>

const char* FrameManager::TextSuffix() {
    lumoObraz* picture = GetPayload();
    const char* sound = picture ? picture->GetSoundName() : "";
    if (!sound[0]) return "";
    suffix.assign(" (").append(sound).append(")");
    return suffix.c_str();
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
    DrawHeaderWith(loop && hide ? "(L)(H)" : loop ? "(L)" : hide ? "(H)" : "");
}

void ActionManager::SetLoop(int flag) {
    loop = flag ? 1 : 0;
    SetRedraw();
}

void ActionManager::SetHide(int flag) {
    hide = flag ? 1 : 0;
    SetRedraw();
}
