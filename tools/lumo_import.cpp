// Bringing pictures, layer files and animation definitions into the
// editor's lists.
#include <cstring>
#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "graphics/text.h"
#include "tools/lumo_game.h"

namespace {

std::string FilePart(const char* name) {
    ddString dir, file;
    SplitPath(dir, file, name);
    return file.c_str() ? file.c_str() : "";
}

std::string Ending(const char* name) {
    const size_t n = name ? std::strlen(name) : 0;
    return n >= 3 ? std::string(name + n - 3) : std::string();
}

// Inserts the picture under the list's selection point as a row that owns
// it; the picture goes when no row could be made.
void InsertOwned(ActionManager* list, lumoObraz* picture, const char* name) {
    if (auto* row = list->InsertRow(picture, name, 1))
        row->AdoptPayload(picture);
    else
        delete picture;
}

void ClearPairSelection(lumo2Game::Pair* pair) {
    pair->Upper().ClearSelection();
    if (pair->Lower()) pair->Lower()->ClearSelection();
}

// A new, undeletable picture group named after the file, its header
// selected.
ActionManager* NewGroup(lumo2Game::Pair* images, const std::string& name) {
    images->Upper().ClearSelection();
    images->Upper().SelectLastOrHeader();
    ActionManager* group = images->NewAction(name.c_str());
    if (!group) return nullptr;
    group->ClearSelection();
    group->SelectHeader();
    group->SetDeletable(0);
    return group;
}

}  // namespace

void lumo2Game::Open() {
    const ddString full = FullPath();
    const char* name = full.c_str();
    if (!name || !FileExists(name)) return;
    const std::string ending = Ending(name);
    if (ending == "xcf")
        ImportXcf(name);
    else if (ending == "lum")
        ImportLum(name);
    else if (ending == "bmp" || ending == "png" || ending == "jpg")
        ImportImage(name);
}

void lumo2Game::ImportImage(const char* name) {
    if (!images || !name) return;
    const std::string file = FilePart(name);
    ActionManager* group = NewGroup(images, file);
    if (!group) return;
    importedPictures.push_back(std::make_unique<Obraz>(name));
    auto* picture = new lumoObraz(importedPictures.back().get());
    picture->SetLayer(kPictureLayer);
    picture->BakeLod();
    InsertOwned(group, picture, file.c_str());
    group->Collapse();
    images->Arrange();
}

void lumo2Game::ImportXcf(const char* name) {
    if (!images || !name) return;
    const std::string file = FilePart(name);
    ActionManager* group = NewGroup(images, file);
    if (!group) return;
    importedLayers.push_back(std::make_unique<XcfLayerList>(name));
    XcfLayerList* layers = importedLayers.back().get();
    for (int i = 0; i < layers->GetCount(); ++i) {
        auto* picture = new lumoObraz(layers->GetImageAt(i));
        picture->SetLayer(kPictureLayer);
        picture->BakeLod();
        InsertOwned(group, picture, WordName(layers->GetNameAt(i)).c_str());
    }
    group->Collapse();
    images->Arrange();
    ActivateImages();
}

void lumo2Game::ImportLum(const char* name) {
    if (!images || !animation || !name) return;
    images->Upper().ClearSelection();
    images->Upper().SelectLastOrHeader();
    animation->Upper().ClearSelection();
    animation->Upper().SelectLastOrHeader();

    importedAnimations.push_back(std::make_unique<Animacja>(name));
    Animacja* source = importedAnimations.back().get();
    delayValue = source->GetDelay();
    if (numberField) numberField->SetText(delayValue);

    const std::string file = FilePart(name);
    ActionManager* group = NewGroup(images, file);
    if (!group) return;
    for (int i = 0; i < source->GetBankCount(); ++i) {
        auto* picture = new lumoObraz(source->GetBankImage(i));
        picture->BakeLod();
        picture->SetLayer(kPictureLayer);
        InsertOwned(group, picture, std::to_string(i).c_str());
        group->SelectLastOrHeader();
    }
    group->Collapse();
    ClearPairSelection(images);
    images->Arrange();

    for (int a = 0; a < source->GetActionCount(); ++a) {
        AkcjaAnimacji* action = source->GetAction(a);
        if (!action) continue;
        ClearPairSelection(animation);
        animation->Upper().SelectLastOrHeader();
        source->SetActionFrame(a, 0);
        const char* actionName = source->GetNameOfAction(a);
        ActionManager* frames = animation->NewAction(actionName ? actionName : "");
        if (!frames) continue;
        frames->SetLoop(action->GetLoop());
        frames->SetHide(action->GetHide());
        for (int f = 0; f < action->GetFrameCount(); ++f) {
            frames->SelectLastOrHeader();
            source->SetActionFrame(a, f);
            auto* picture = new lumoObraz(source->GetScreenImage());
            if (const char* sound = action->GetFrameSound(f)) picture->GetSoundText()->SetText(sound);
            const Image* shown = source->GetImage();
            for (int b = 0; shown && shown->surface && b < source->GetBankCount(); ++b) {
                const Image* bank = source->GetBankImage(b);
                if (!bank || bank->surface != shown->surface) continue;
                const int x = picture->GetPosX(), y = picture->GetPosY();
                picture->SetLod(bank->x, bank->y);
                picture->SetPos(x - bank->x, y - bank->y);
                break;
            }
            picture->SetLayer(kPictureLayer);
            const char* frameName = action->GetFrameName(f);
            InsertOwned(frames, picture, frameName ? frameName : "");
        }
        frames->Collapse();
        ClearPairSelection(animation);
        animation->Arrange();
    }
    ActivateImages();
}
