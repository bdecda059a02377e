#include "script/classes/scene_withdraw.h"

#include "graphics/obraz.h"
#include "shell/scene.h"
#include "shell/scene_members.h"

void WithdrawFromScene(asmClassObj* object) {
    ddScene* scene = ddScene::Current;
    if (!scene || !object) return;
    if (auto* drawable = dynamic_cast<Obraz*>(object)) scene->RemoveDrawable(drawable);
    if (auto* timer = dynamic_cast<StageTimer*>(object)) scene->RemoveTimer(timer);
    if (auto* sound = dynamic_cast<StageSound*>(object)) scene->RemoveSound(sound);
    if (auto* button = dynamic_cast<SceneButton*>(object)) scene->RemoveButton(button);
}
