// The animation editor's life: its widgets, states, windows and the moves
// between screen and local coordinates.
#include "tools/lumo_game.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "foundation/fatal.h"
#include "foundation/file_io.h"
#include "foundation/value_files.h"
#include "graphics/font.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "graphics/text.h"
#include "scene/scene.h"
#include "shell/game_kinds.h"
#include "tools/file_loader.h"
#include "tools/fitted_text.h"

namespace {

void AddToScene(Obraz* object, int layer, intptr_t userData) {
    object->SetLayer(layer);
    object->SetUserData(userData);
    CurrentStage().AddDrawable(object);
}

void RemoveFromScene(Obraz* object) {
    if (object) CurrentStage().RemoveDrawable(object);
}

// A text at (x, y) without a box.
ddTekst* PlainText(const char* text, int x, int y) {
    auto* t = new ddTekst(text);
    t->SetPos(x, y);
    return t;
}

// A line of text centred in an unseen w x h box at (x, y), shortened when
// it is wider.
ddTekst* LineText(const char* text, int x, int y, int w, int h) {
    auto* t = new toolText(text);
    t->CreateBackground(x, y, std::max(w, 1), std::max(h, 1), 0, 0, 0, 0);
    return t;
}

}  // namespace

lumo2Game::lumo2Game() {
    GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    video.AppOffsetX = 0;
    video.AppOffsetY = 0;
}

lumo2Game::~lumo2Game() {
    // A game destroyed without its loop having stopped still lets go of
    // everything it made.
    if (started) DeleteWidgets();
}

using L = lumo2Game;

// In the order of the states: name, key, left down, left up, move.
const lumo2Game::StateRow lumo2Game::kStates[kStateCount] = {
    {"initial", &L::KeyInInitial, &L::ClickInInitial, nullptr, nullptr},
    {"loading", &L::KeyInPrompt, &L::ClickInPrompt, nullptr, nullptr},
    {"loading bkg", &L::KeyInPrompt, &L::ClickInPrompt, nullptr, nullptr},
    {"saving", &L::KeyInPrompt, &L::ClickInPrompt, nullptr, nullptr},
    {"set action/frame name", &L::KeyInRename, nullptr, nullptr, nullptr},
    {"move all", nullptr, nullptr, &L::EndDrag, &L::DragAll},
    {"move chosen", &L::KeyInInitial, nullptr, nullptr, &L::DragChosen},
    {"frames along line", nullptr, nullptr, &L::EndDrag, &L::SpreadOnLineMove},
    {"frames along mouse", nullptr, nullptr, &L::EndPathDrag, &L::SpreadAlongPathMove},
    {"move bkg", nullptr, nullptr, &L::EndDrag, &L::DragBackground},
    {"playing animation", &L::KeyWhilePlaying, nullptr, nullptr, nullptr},
    {"set delay", &L::KeyInPrompt, nullptr, nullptr, nullptr},
    {"set move x", &L::KeyInPrompt, nullptr, nullptr, nullptr},
    {"set snd name", &L::KeyInSoundName, nullptr, nullptr, nullptr},
    {"end", nullptr, nullptr, nullptr, nullptr},
};

const lumo2Game::StateRow& lumo2Game::Row(int s) {
    static constexpr StateRow kNone{"", nullptr, nullptr, nullptr, nullptr};
    return s >= 0 && s < kStateCount ? kStates[s] : kNone;
}

const char* lumo2Game::StateName(int s) { return Row(s).name; }

Image* lumo2Game::GetSheetImage(int i) const {
    return i >= 0 && i < static_cast<int>(sheet.size()) ? sheet[static_cast<size_t>(i)] : nullptr;
}

Obraz* lumo2Game::GetGhost(int i) const {
    return i >= 0 && i < static_cast<int>(ghosts.size()) ? ghosts[static_cast<size_t>(i)] : nullptr;
}

int lumo2Game::RowHeight() const { return std::max(DefaultFont().GetSize() + 4, 12); }

// ---- start and stop ----

void lumo2Game::OnStart() {
    if (started) DeleteWidgets();
    CreateWidgets();
    started = true;
    ActivateDraw();
    SetState(kInitial);
}

void lumo2Game::MakeField(ddTekst*& field, const char* file, int x, int y, int w, int h) {
    field = new toolText("");
    field->CreateBackground(x, y, w, h, 20, 20, 60, 255);
    std::string text;
    if (FileExists(file) && ReadWholeFile(file, text)) {
        DropLineEnd(text);
        field->SetText(text.c_str());
    }
    field->LetAll();
    field->Lock();
}

void lumo2Game::CreateWidgets() {
    const intptr_t me = reinterpret_cast<intptr_t>(this);
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    const int width = std::max(video.AppWidth, 40);
    const int height = std::max(video.AppHeight, 40);
    const int rowH = RowHeight();
    const int margin = 4;
    CreateOpaqueBackground(0, 0, 0);

    // Lists: the images pair left, the animation pair right of it, each
    // column wide enough for its header.
    const int column = std::max(width * 3 / 20, DefaultFont().TextWidth("animation") + 2 * margin);
    listPanelWidth = 2 * column;
    images = new Pair;
    images->Upper().Init(0, 0, column, rowH, 70, 70, 70, "images");
    images->Upper().SetRowColour(40, 90, 40);
    images->SetClickArea(0, 0, column, height);
    images->SetNewActionColour(30, 110, 30);
    images->SetCopyEnabled(0);
    animation = new Pair;
    animation->Upper().Init(column, 0, listPanelWidth - column, rowH, 70, 70, 70, "animation");
    animation->Upper().SetRowColour(40, 60, 110);
    animation->SetClickArea(column, 0, listPanelWidth - column, height);
    animation->SetNewActionColour(30, 80, 150);
    animation->SetCopyEnabled(1);
    listPanel.Add(images);
    listPanel.Add(animation);
    AddToScene(&listPanel, kListLayer, me);
    listsHidden = 0;

    // The draw window: its area, the bottom guide, the background.
    const int areaX = listPanelWidth + margin, areaY = margin;
    const int areaW = std::max(width - listPanelWidth - 2 * margin, 1);
    const int areaH = std::max(height - 4 * rowH - 2 * margin, 1);
    drawArea = new ddCanvas(areaX, areaY, areaW, areaH);
    drawArea->SetColor(35, 35, 45, 255);
    AddToScene(drawArea, 0, me);
    background = new ddCanvas(areaX, areaY, areaW, areaH);
    background->Hide();
    AddToScene(background, 1, me);
    backgroundFrame = new ddCanvas(areaX, areaY, areaW, areaH);
    ddCanvas::DrawBorder(backgroundFrame, 1, 255, 255, 255, 128);
    AddToScene(backgroundFrame, 2, me);
    bottomGuide = new ddCanvas(areaX, areaY + areaH * 3 / 4, areaW, 2);
    bottomGuide->SetColor(255, 60, 60, 160);
    AddToScene(bottomGuide, 3, me);
    silhouette = new ddCanvas;
    silhouette->Hide();
    AddToScene(silhouette, 60, me);

    // Ghosts: copies of pictures left behind for comparison.
    for (int i = 0; i < kGhostCount; ++i) {
        auto* ghost = new Obraz;
        ghost->Hide();
        ghosts.push_back(ghost);
        ghostLayer.Add(ghost);
        AddToScene(ghost, kGhostLayer, me);
    }
    ghostNext = 0;

    // The file panel: path and file fields with their labels.
    const int labelW = std::max(DefaultFont().TextWidth("path:"), DefaultFont().TextWidth("file:")) + margin;
    const int fieldW = std::max(width - listPanelWidth - labelW - 3 * margin, 10);
    const int panelY = height / 3;
    pathLabel = PlainText("path:", listPanelWidth + margin, panelY);
    MakeField(pathField, kPathFile, listPanelWidth + labelW + 2 * margin, panelY, fieldW, rowH);
    fileLabel = PlainText("file:", listPanelWidth + margin, panelY + rowH + margin);
    MakeField(fileField, kFileFile, listPanelWidth + labelW + 2 * margin, panelY + rowH + margin, fieldW,
              rowH);
    filePanel.Add(pathLabel);
    filePanel.Add(pathField);
    filePanel.Add(fileLabel);
    filePanel.Add(fileField);
    filePanel.Hide();
    AddToScene(&filePanel, 400, me);

    // The number panel: a prompt over the number field, both centred in the
    // draw window.
    const int lineW = std::max(width - listPanelWidth - 2 * margin, 1);
    promptText = LineText("", listPanelWidth + margin, panelY, lineW, rowH);
    const int numberW = std::min(lineW, 120);
    numberField = new toolText("");
    numberField->CreateBackground(listPanelWidth + margin + (lineW - numberW) / 2, panelY + rowH + margin,
                                  numberW, rowH, 60, 20, 20, 255);
    numberField->SetAllowedChars(2 | 4);  // digits and the minus sign
    numberField->Lock();
    numberPanel.Add(promptText);
    numberPanel.Add(numberField);
    numberPanel.Hide();
    AddToScene(&numberPanel, 400, me);

    // Status lines under the draw area.
    const int statusY = areaY + areaH + margin;
    stateText = LineText("", listPanelWidth + margin, statusY, lineW, rowH);
    windowText = LineText("", listPanelWidth + margin, statusY + rowH, lineW, rowH);
    mouseText = LineText("mouse pos: 0 0", listPanelWidth + margin, statusY + 2 * rowH, lineW, rowH);
    AddToScene(stateText, 300, me);
    AddToScene(windowText, 300, me);
    AddToScene(mouseText, 300, me);
}

void lumo2Game::OnStop() {
    if (started) DeleteWidgets();
}

void lumo2Game::KeepPathAndFile() {
    if (!pathField || !fileField) return;
    std::error_code ec;
    std::filesystem::create_directories(kFactoryFolder, ec);
    const bool pathKept = SaveTextFile(pathField->GetText(), kPathFile);
    const bool fileKept = SaveTextFile(fileField->GetText(), kFileFile);
    if (pathKept && fileKept) return;
    std::printf("lumo: the path and file name cannot be kept in %s/\n", kFactoryFolder);
    std::fflush(stdout);
}

void lumo2Game::DeleteWidgets() {
    started = false;
    FreePath();
    ClearInputFocus();
    KeepPathAndFile();

    for (int i = 0; i < drawn.Count(); ++i) RemoveFromScene(drawn.At(i));
    drawn.Clear();
    chosen = nullptr;
    ghostLayer.Clear();
    for (Obraz* ghost : ghosts) delete ghost;  // leaves the scene as it goes
    ghosts.clear();
    ghostNext = 0;

    FreeBuilt();
    sheetPath = "";

    RemoveFromScene(&listPanel);
    listPanel.DeleteAll();  // the pairs, their rows and pictures
    images = animation = nullptr;

    importedLayers.clear();
    importedAnimations.clear();
    importedPictures.clear();

    RemoveFromScene(&filePanel);
    RemoveFromScene(&numberPanel);
    filePanel.Clear();
    numberPanel.Clear();
    for (ddTekst** text : {&pathLabel, &fileLabel, &pathField, &fileField, &numberField, &promptText,
                           &stateText, &mouseText, &windowText})
        DeleteObject(*text);
    for (ddCanvas** canvas : {&drawArea, &background, &backgroundFrame, &bottomGuide, &silhouette})
        DeleteObject(*canvas);
    DeleteBackgroundCanvas();
}

// ---- shared operations ----

void lumo2Game::SetState(int s) {
    if (s < 0 || s >= kStateCount) return;
    state = s;
    if (stateText) stateText->SetText((std::string("state: ") + kStates[s].name).c_str());
    SetRedraw();
}

void lumo2Game::ToLocal() {
    if (!drawArea || isLocal) return;
    isLocal = true;
    const int x = drawArea->GetX(), y = drawArea->GetY();
    drawn.Move(-x, -y);
    ghostLayer.Move(-x, -y);
}

void lumo2Game::ToScreen() {
    if (!drawArea || !isLocal) return;
    isLocal = false;
    const int x = drawArea->GetX(), y = drawArea->GetY();
    drawn.Move(x, y);
    ghostLayer.Move(x, y);
}

void lumo2Game::ShowSelection(Pair* pair) {
    const bool wasLocal = isLocal;
    ToLocal();
    for (int i = 0; i < drawn.Count(); ++i) RemoveFromScene(drawn.At(i));
    drawn.Clear();
    chosen = nullptr;
    if (pair) {
        pair->CollectSelected(&drawn);
        for (int i = 0; i < drawn.Count(); ++i) CurrentStage().AddDrawable(drawn.At(i));
    }
    if (!wasLocal) ToScreen();  // the ghosts end where they were
    if (silhouette && silhouette->IsVisible()) MakeSilhouette();
    SetRedraw();
}

void lumo2Game::nextwin() {
    switch (activeWindow) {
    case kDrawWindow:
        ActivateImages();
        break;
    case kImagesWindow:
        ActivateAnimation();
        break;
    case kAnimationWindow:
        ActivateDraw();
        break;
    default:
        FatalExit("void lumo2Game::nextwin() unknown window\n", 1);
    }
}

void lumo2Game::ActivateImages() {
    activeWindow = kImagesWindow;
    if (images) {
        if (!images->SomethingSelected()) images->Upper().SelectHeader();
        ShowSelection(images);
    }
    if (windowText) windowText->SetText("active window: images");
}

void lumo2Game::ActivateAnimation() {
    activeWindow = kAnimationWindow;
    if (animation) {
        if (!animation->SomethingSelected()) animation->Upper().SelectHeader();
        ShowSelection(animation);
    }
    if (windowText) windowText->SetText("active window: animation");
}

void lumo2Game::ActivateDraw() {
    activeWindow = kDrawWindow;
    if (windowText) windowText->SetText("active window: draw");
}

void lumo2Game::ToggleLists() {
    const bool wasLocal = isLocal;
    ToLocal();
    // Moved off the screen, the lists are not drawn at all.
    if (!listsHidden) {
        listPanel.Move(-listPanelWidth, 0);
        RemoveFromScene(&listPanel);
        listsHidden = 1;
    } else {
        listPanel.Move(listPanelWidth, 0);
        AddToScene(&listPanel, kListLayer, reinterpret_cast<intptr_t>(this));
        listsHidden = 0;
    }
    if (!wasLocal) ToScreen();
    SetRedraw();
}

void lumo2Game::SetBackground(Obraz* picture) {
    if (!picture || !background) return;
    const int x = background->GetX(), y = background->GetY();
    const int w = std::max(picture->GetWidth(), 1), h = std::max(picture->GetHeight(), 1);
    background->Show();
    background->Create(0, 0, w, h);
    background->SetPos(x, y);
    picture->SetScreenPos(x, y);
    background->Blit(picture);
    if (backgroundFrame) {
        const int fx = backgroundFrame->GetX(), fy = backgroundFrame->GetY();
        backgroundFrame->Create(0, 0, w, h);
        backgroundFrame->SetPos(fx, fy);
        ddCanvas::DrawBorder(backgroundFrame, 1, 255, 255, 255, 128);
    }
    SetRedraw();
}

void lumo2Game::LoadBackground(const char* file) {
    if (!file || !FileExists(file)) return;
    Obraz picture(file);
    if (!picture.GetImage()->surface) return;  // not a picture we can read
    SetBackground(&picture);
}

void lumo2Game::MakeSilhouette() {
    if (!silhouette) return;
    if (drawn.IsEmpty()) {
        silhouette->Hide();
        return;
    }
    silhouette->CopyFromImage(drawn.At(0));
    silhouette->SetColor(255, 255, 0, 64);
    silhouette->Show();
}

void lumo2Game::ToggleSilhouette() {
    if (!silhouette) return;
    if (silhouette->IsVisible())
        silhouette->Hide();
    else
        MakeSilhouette();
}

ddString lumo2Game::FullPath() {
    ddString dir(pathField ? pathField->GetText() : "");
    ddString file(fileField ? fileField->GetText() : "");
    dir.Trim();
    file.Trim();
    std::string full = std::string(dir.c_str() ? dir.c_str() : "") + (file.c_str() ? file.c_str() : "");
    return ddString(full.c_str());
}

void lumo2Game::EndPrompt() {
    ClearInputFocus();
    filePanel.Hide();
    SetState(kInitial);
}

void lumo2Game::EndNumberPrompt() {
    ClearInputFocus();
    numberPanel.Hide();
    SetState(kInitial);
}

void lumo2Game::FreeBuilt() {
    if (built) {
        RemoveFromScene(built);
        delete built;
        built = nullptr;
    }
    sheet.clear();
    allPictures.clear();
}

std::string RunLumoKind(GameKinds) {
    lumo2Game editor;
    editor.Run();
    return "exit";
}
