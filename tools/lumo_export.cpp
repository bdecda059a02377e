// Saving by the file name's ending: the definition with its sheet, a
// screenshot, and numbered pictures of the sheet or of every frame.
#include <cstdio>
#include <cstring>
#include <string>

#include "scene/scene.h"
#include "tools/lumo_game.h"

namespace {

// The name's last three characters ("" for a shorter name).
std::string Ending(const char* name) {
    const size_t n = name ? std::strlen(name) : 0;
    return n >= 3 ? std::string(name + n - 3) : std::string();
}

// The sheet path less its last four characters.
std::string ExportBase(const ddString& sheetPath) {
    std::string base = sheetPath.c_str() ? sheetPath.c_str() : "";
    base.resize(base.size() >= 4 ? base.size() - 4 : 0);
    return base;
}

}  // namespace

void lumo2Game::SaveFile() {
    const ddString full = FullPath();
    const char* name = full.c_str();
    if (!name || !*name) return;
    if (!animation || animation->Upper().RowCount() == 0) {
        // Nothing is written; saying so keeps the user from believing it saved.
        std::printf("SaveFile: nothing saved to %s: no action\n", name);
        std::fflush(stdout);
        return;
    }
    const std::string ending = Ending(name);
    if (ending == "bmp") {
        SaveBmp(name);
        return;
    }
    if (ending != "lum" && ending != "l32" && ending != "avi" && ending != "png") return;
    const bool wasLocal = isLocal;
    ToLocal();
    if (ending == "avi")
        ExportAvi(name);
    else if (ending == "png")
        ExportPng(name);
    else
        SaveLum(name);
    if (!wasLocal) ToScreen();
}

bool lumo2Game::SaveBmp(const char* name) {
    if (!listsHidden) ToggleLists();
    filePanel.Hide();
    SetRedraw();
    CurrentScene().Frame();
    if (SaveScreenshot(name) == 0) return true;
    std::printf("\nSaveBmp: cannot write %s\n", name ? name : "");
    std::fflush(stdout);
    return false;
}

void lumo2Game::SaveExportPicture(ddCanvas* canvas, const char* name) { canvas->Save(name); }

void lumo2Game::ExportPng(const char* name) {
    if (!BuildAnimation(name, false)) return;
    const std::string base = ExportBase(sheetPath);
    ddCanvas canvas(0, 0, background ? background->GetWidth() : 1, background ? background->GetHeight() : 1);
    for (size_t i = 0; i < sheet.size(); ++i) {
        Obraz picture(sheet[i]);
        picture.ClipLike(&canvas);
        canvas.Clear();
        canvas.Blit(&picture);
        SaveExportPicture(&canvas, (base + std::to_string(i) + ".png").c_str());
    }
}

void lumo2Game::ExportAvi(const char* name) {
    if (!BuildAnimation(name, false)) return;
    const std::string base = ExportBase(sheetPath);
    ddCanvas canvas(0, 0, background ? background->GetWidth() : 1, background ? background->GetHeight() : 1);
    int saved = 0;
    for (int a = 0; a < built->GetActionCount(); ++a) {
        for (int f = 0; f < built->GetActionFrameCount(a); ++f) {
            built->SetActionFrame(a, f);
            Image* shown = built->GetImage();
            if (!shown || !shown->surface) continue;
            canvas.Clear();
            if (background) canvas.Blit(background);
            canvas.Blit(built);
            SaveExportPicture(&canvas, (base + std::to_string(saved++) + ".png").c_str());
        }
    }
}
