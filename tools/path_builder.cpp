// The walk-path editor: its widgets, the state table and the entry actions
// of the states, and the operations the hooks share.
#include "tools/path_builder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "foundation/file_io.h"
#include "foundation/saturating.h"
#include "graphics/canvas.h"
#include "graphics/filter.h"
#include "graphics/font.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "graphics/text.h"
#include "platform/input_state.h"
#include "scene/scene.h"
#include "shell/game_kinds.h"
#include "shell/menu.h"
#include "tools/file_loader.h"
#include "tools/fitted_text.h"
#include "tools/ptf_view.h"

namespace {

// The menu used when the game has no menu definition of its own: "game"
// and "anima" side by side, each opening its commands below it. Its size
// row comes first (DefaultMenu).
const char* kDefaultMenuItems =
    "\t<color> 50 60 110 220\n\t</color>\n"
    "\t<border> 1\n\t</border>\n"
    "\t<menu> 0 0 right\n"
    "\t\t<game> game bottom bottom\n"
    "\t\t\t<addrem> add/remove bottom bottom\n\t\t\t</addrem>\n"
    "\t\t\t<zoom> depth bottom bottom\n\t\t\t</zoom>\n"
    "\t\t\t<setpath> ids bottom bottom\n\t\t\t</setpath>\n"
    "\t\t\t<loadpt> load_path bottom bottom\n\t\t\t</loadpt>\n"
    "\t\t\t<savept> save_path bottom bottom\n\t\t\t</savept>\n"
    "\t\t\t<initpos> origin bottom bottom\n\t\t\t</initpos>\n"
    "\t\t\t<loadbg> background bottom bottom\n\t\t\t</loadbg>\n"
    "\t\t\t<exit> exit bottom bottom\n\t\t\t</exit>\n"
    "\t\t</game>\n"
    "\t\t<anima> anima bottom bottom\n"
    "\t\t\t<loadan> load_anima bottom bottom\n\t\t\t</loadan>\n"
    "\t\t\t<closean> close_anima bottom bottom\n\t\t\t</closean>\n"
    "\t\t</anima>\n"
    "\t</menu>\n";

// The built-in menu's smallest item.
constexpr int kMenuItemWidth = 90, kMenuItemHeight = 18;

// Widgets draw over the graph and the previews.
constexpr int kWidgetLayer = 100000;

void AddToScene(Obraz* o) { CurrentStage().AddDrawable(o); }

void TakeFromScene(Obraz* o) { CurrentStage().RemoveDrawable(o); }

// A text in a w x h box of (r, g, b, a) at (x, y) that stays inside its box,
// drawn with the widgets.
void NewBoxedText(ddTekst*& ref, const char* text, int x, int y, int w, int h, int r, int g, int b, int a) {
    ref = new toolText(text);
    ref->CreateBackground(x, y, std::max(w, 1), std::max(h, 1), r, g, b, a);
    ref->SetLayer(kWidgetLayer);
    AddToScene(ref);
}

// The widgets' line height: a line of the default font and a little room.
int LineHeight() { return std::max(kMenuItemHeight, DefaultFont().TextHeight("0") + 3); }

// The built-in menu, its items as wide as the widest label (the word after
// an item's tag) and a line high in the default font.
std::string DefaultMenu() {
    int widest = 0;
    std::istringstream lines(kDefaultMenuItems);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string tag, label;
        if (!(words >> tag >> label)) continue;
        std::replace(label.begin(), label.end(), '_', ' ');
        widest = std::max(widest, DefaultFont().TextWidth(label.c_str()));
    }
    const int width = std::max(kMenuItemWidth, widest + 10);
    return "<ptbuilder>\n\t<size> " + std::to_string(width) + " " + std::to_string(LineHeight()) +
           "\n\t</size>\n" + kDefaultMenuItems + "</ptbuilder>\n";
}

// Where a w x h box stands beside a label: right of it, else left of it,
// below it or above it, the first place that lies wholly within x 0..right
// and y 0..bottom; else the first, moved into them.
struct Spot {
    int x, y;
};
Spot Beside(const ddbuildedptf::Box& label, int w, int h, int right, int bottom) {
    constexpr int kGap = 2;
    const int maxX = std::max(SatSub(right, w), 0), maxY = std::max(SatSub(bottom, h), 0);
    const Spot spots[] = {{SatAdd(SatAdd(label.x, label.w), kGap), label.y},
                          {SatSub(SatSub(label.x, kGap), w), label.y},
                          {label.x, SatAdd(SatAdd(label.y, label.h), kGap)},
                          {label.x, SatSub(SatSub(label.y, kGap), h)}};
    for (const Spot& s : spots)
        if (s.x >= 0 && s.x <= maxX && s.y >= 0 && s.y <= maxY) return s;
    return {std::clamp(spots[0].x, 0, maxX), std::clamp(spots[0].y, 0, maxY)};
}

}  // namespace

pathbuilderGame::pathbuilderGame() = default;

pathbuilderGame::~pathbuilderGame() {
    // Run always stops what it started; an editor started by hand and never
    // stopped still lets go of everything here.
    if (started) OnStop();
}

int pathbuilderGame::PreviewSlot(int i) const {
    const auto end = previewVertices.begin() + previewCount;
    const auto at = std::lower_bound(previewVertices.begin(), end, i);
    return at != end && *at == i ? static_cast<int>(at - previewVertices.begin()) : -1;
}

Animacja* pathbuilderGame::GetPreview(int i) const {
    const int k = PreviewSlot(i);
    return k >= 0 ? (*previews)[static_cast<size_t>(k)] : nullptr;
}

ddFilter* pathbuilderGame::GetPreviewFilter(int i) const {
    const int k = PreviewSlot(i);
    return k >= 0 ? previewFilters[static_cast<size_t>(k)] : nullptr;
}

// ---------------------------------------------------------------- start and stop

void pathbuilderGame::MakeMenu() {
    if (access(kMenuFile, R_OK) == 0) {
        NewMenu(menu, kMenuFile);
    } else {
        // The built-in definition goes through a private temporary file,
        // since menus are read from files.
        std::string path = (std::filesystem::temp_directory_path() / "ptbuilder_menu_XXXXXX").string();
        int fd = mkstemp(path.data());
        bool written = false;
        if (fd >= 0) {
            const std::string text = DefaultMenu();
            written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
            close(fd);
        }
        NewMenu(menu, written ? path.c_str() : nullptr);
        if (fd >= 0) std::remove(path.c_str());
    }
    menu->SetLayer(kWidgetLayer);
    menu->Hide();
}

void pathbuilderGame::MakeDepthPanel() {
    // Each value text stands centred over its track; the tracks stand far
    // enough apart for the widest value, 254.
    const int valueW = std::max(34, DefaultFont().TextWidth("000") + 8);
    const int spacing = std::max(40, valueW + 6);
    const int x0 = std::max(60, GraphAPI::CurrentVideo().AppWidth - 30 - spacing);
    const int top = 40;
    NewCanvas(track1, x0, top, 10, 254);
    track1->SetColor(90, 90, 90, 255);
    NewCanvas(track2, x0 + spacing, top, 10, 254);
    track2->SetColor(90, 90, 90, 255);
    NewCanvas(knob1, x0 - 5, top, 20, 4);
    knob1->SetColor(230, 200, 40, 255);
    NewCanvas(knob2, x0 + spacing - 5, top, 20, 4);
    knob2->SetColor(40, 200, 230, 255);
    const int valueH = LineHeight() - 2;
    NewBoxedText(value1, "0", x0 + 5 - valueW / 2, top - valueH - 4, valueW, valueH, 20, 20, 20, 200);
    NewBoxedText(value2, "0", x0 + spacing + 5 - valueW / 2, top - valueH - 4, valueW, valueH, 20, 20, 20,
                 200);
    for (Obraz* part : {static_cast<Obraz*>(track1), static_cast<Obraz*>(track2), static_cast<Obraz*>(knob1),
                        static_cast<Obraz*>(knob2), static_cast<Obraz*>(value1), static_cast<Obraz*>(value2)})
        depthPanel.Add(part);
    depthPanel.SetLayer(kWidgetLayer);
    depthPanel.Hide();
}

void pathbuilderGame::OnStart() {
    started = true;
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    const int w = video.AppWidth, h = video.AppHeight;

    CreateOpaqueBackground(0, 0, 0);  // under the background picture too
    view = new ddbuildedptf();        // registers itself with the scene
    AddToScene(&background);
    background.SetLayer(-10);
    AddToScene(&rubberLine);
    for (ddgfxline& line : rectLines) AddToScene(&line);
    AddToScene(&markersLayer);
    markersLayer.SetLayer(kWidgetLayer - 1);

    MakeMenu();
    // The bottom line: the state text as wide as the widest state name, the
    // mouse-position text after it, wide enough for "-00000,-00000". Both
    // are opaque: nothing of the graph shows through them, and the ids stay
    // above them.
    const ddFont& font = DefaultFont();
    const int lineH = LineHeight();
    int stateW = 0;
    for (int s = 0; s < kStateCount; ++s) stateW = std::max(stateW, font.TextWidth(StateName(s)));
    stateW = std::min(stateW + 10, w);
    const int mouseW = std::min(font.TextWidth("-00000,-00000") + 10, w - stateW);
    NewBoxedText(stateText, StateName(kInitial), 0, h - lineH, stateW, lineH, 0, 0, 0, 255);
    NewBoxedText(mouseText, "0,0", stateW, h - lineH, mouseW, lineH, 0, 0, 0, 255);
    view->SetLabelArea(w, stateText->GetY());
    NewBoxedText(idField, "", 0, 0, font.TextWidth("-2147483648") + 10, lineH - 2, 30, 30, 60, 230);
    idField->SetAllowedChars(2 | 4);  // digits and a sign
    idField->Lock();
    idField->Hide();

    const int boxX = std::max(40, font.TextWidth("file:") + 4);
    const int boxW = std::max(100, w - boxX - 40), boxH = lineH;
    backgroundBox = new toolFileLoader(kBackgroundMemory, boxX, h / 2 - 30, boxW, boxH, 40, 70, 40, 230);
    pathBox = new toolFileLoader(kPathMemory, boxX, h / 2, boxW, boxH, 40, 40, 80, 230);
    animationBox = new toolFileLoader(kAnimationMemory, boxX, h / 2 + 30, boxW, boxH, 80, 40, 40, 230);
    for (toolFileLoader* box : {backgroundBox, pathBox, animationBox}) {
        AddToScene(box);
        box->SetLayer(kWidgetLayer);
        box->Hide();
    }
    MakeDepthPanel();

    state = previousState = kInitial;
    activeVertex = secondVertex = -1;
    SetState(kInitial);
    SetRedraw();
}

void pathbuilderGame::OnStop() {
    if (!started) return;
    started = false;
    ClosePreviews();
    for (ddgfxline& line : rectLines) {
        line.DeleteAll();
        TakeFromScene(&line);
    }
    activeKnob = nullptr;
    depthPanel.Clear();  // its parts are deleted one by one below
    DeleteObject(value1);
    DeleteObject(value2);
    DeleteObject(track1);
    DeleteObject(track2);
    DeleteObject(knob1);
    DeleteObject(knob2);
    DeleteObject(idField);
    TakeFromScene(&markersLayer);
    markersLayer.DeleteAll();
    // each box writes its memory file as it goes
    DeleteObject(animationBox);
    DeleteObject(backgroundBox);
    DeleteObject(pathBox);
    TakeFromScene(&rubberLine);
    TakeFromScene(&background);
    DeleteObject(menu);
    DeleteObject(stateText);
    DeleteObject(mouseText);
    DeleteObject(view);
    DeleteBackgroundCanvas();
    selection.clear();
}

// ---------------------------------------------------------------- states

void pathbuilderGame::SetState(int s) {
    if (s < 0 || s >= kStateCount) return;
    previousState = state;
    state = s;
    if (stateText) stateText->SetText(StateName(s));
}

void pathbuilderGame::RestoreState() { SetState(previousState); }

void pathbuilderGame::ResetTools() {
    for (toolFileLoader* box : {backgroundBox, pathBox, animationBox})
        if (box) box->Hide();
    ClearInputFocus();
    if (menu) menu->Close(nullptr);
    rubberLine.DeleteAll();
    depthPanel.Hide();
    markersLayer.DeleteAll();
    if (view) view->HideLabels();
    if (idField) idField->Hide();
    for (ddgfxline& line : rectLines) line.DeleteAll();
    SetRedraw();
}

void pathbuilderGame::EnterInitial() {
    SetState(kInitial);
    ResetTools();
}

void pathbuilderGame::EnterAdding() {
    SetState(kAdding);
    ResetTools();
    activeVertex = secondVertex = -1;
}

void pathbuilderGame::EnterActiveAdd(int vertex) {
    SetState(kActiveAdd);
    activeVertex = vertex;
    rubberLine.Show();
}

void pathbuilderGame::EnterZooming() {
    SetState(kZooming);
    ResetTools();
    ShowDepthPanel();
}

void pathbuilderGame::EnterMovingVertex() {
    SetState(kMovingVertex);
    ResetTools();
    ShowSelectionMarkers();
}

void pathbuilderGame::EnterSetVertex() {
    SetState(kSetVertex);
    ResetTools();
    ShowSelectionMarkers();
    PruneSelection();
    if (!selection.empty() && view) {
        PlaceKnob(knob1, view->GetVertex(selection.front()));
        PlaceKnob(knob2, view->GetVertex(selection.back()));
    }
    ShowDepthPanel();
}

void pathbuilderGame::EnterSuwaking(ddCanvas* knob, int y) {
    SetState(kSuwaking);
    activeKnob = knob;
    ResetTools();
    ShowSelectionMarkers();
    ApplySlider(y);
    ShowDepthPanel();
}

void pathbuilderGame::EnterSetIdpath() {
    SetState(kSetIdpath);
    ResetTools();
    if (view) view->ShowLabels();
}

void pathbuilderGame::EnterWriteIdpath() {
    SetState(kWriteIdpath);
    ResetTools();
    if (view) view->ShowLabels();
    const ddpathVertex* v = view ? view->GetVertex(activeVertex) : nullptr;
    if (!idField) return;
    idField->Show();
    SetInputFocus(idField);
    if (v) {
        const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
        const Spot at = Beside(view->LabelBox(activeVertex), idField->GetWidth(), idField->GetHeight(),
                               video.AppWidth, stateText ? stateText->GetY() : video.AppHeight);
        idField->SetNumberAt(v->GetId(), at.x, at.y);
        AddMarker(v);
    }
}

toolFileLoader* pathbuilderGame::BoxOf(int boxState) const {
    switch (boxState) {
    case kLoadPath:
    case kSavePath:
        return pathBox;
    case kLoadingAn:
        return animationBox;
    case kLoadingBkg:
        return backgroundBox;
    default:
        return nullptr;
    }
}

void pathbuilderGame::EnterBox(int boxState) {
    SetState(boxState);
    if (toolFileLoader* box = BoxOf(boxState)) {
        box->Open(this);
        box->Show();
    }
    if (menu) menu->Close(nullptr);
}

void pathbuilderGame::EnterMovingAll() { SetState(kMovingAll); }

void pathbuilderGame::EnterMovingRect(int x, int y) {
    SetState(kMovingRect);
    ResetTools();
    rectStartX = x;
    rectStartY = y;
    selection.clear();
}

// ---------------------------------------------------------------- shared operations

void pathbuilderGame::Shift(int dx, int dy) {
    if (view) view->ShiftVertices(dx, dy);
    background.Move(dx, dy);
    rubberLine.Move(dx, dy);
    for (ddgfxline& line : rectLines) line.Move(dx, dy);
    markersLayer.Move(dx, dy);
    previewsLayer.Move(dx, dy);
    if (view) view->RebuildView();
}

void pathbuilderGame::InitPos() { Shift(SatSub(0, background.GetPosX()), SatSub(0, background.GetPosY())); }

int pathbuilderGame::PickVertex(int x, int y) const {
    if (!view) return -1;
    const float d = view->DistanceToGraph(x, y);
    return d >= 0.0f && d <= 10.0f ? view->NearestVertex(x, y) : -1;
}

int pathbuilderGame::PickOrAdd(int x, int y) {
    if (!view) return -1;
    int picked = PickVertex(x, y);
    if (picked >= 0) return picked;
    ddVertex* added = view->GetGraph().AddVertex(new ddpathVertex(x, y, 0.0f, 0));
    view->RebuildView();
    SyncPreviews();
    return added->GetIndex();
}

bool pathbuilderGame::Select(int x, int y, int nextState) {
    activeVertex = PickVertex(x, y);
    if (activeVertex < 0) return false;
    if (!IsKeyDown(SDLK_LCTRL)) selection.clear();
    DropFromSelection(activeVertex);
    selection.push_back(activeVertex);
    switch (nextState) {
    case kMovingVertex:
        EnterMovingVertex();
        break;
    case kSetVertex:
        EnterSetVertex();
        break;
    case kWriteIdpath:
        EnterWriteIdpath();
        break;
    default:
        SetState(nextState);
        break;
    }
    return true;
}

void pathbuilderGame::DropFromSelection(int index) {
    selection.erase(std::remove(selection.begin(), selection.end(), index), selection.end());
}

void pathbuilderGame::PruneSelection() {
    selection.erase(std::remove_if(selection.begin(), selection.end(),
                                   [this](int i) { return !view || !view->GetVertex(i); }),
                    selection.end());
}

void pathbuilderGame::RubberRectangle(int x, int y) {
    const int sx = rectStartX, sy = rectStartY;
    rectLines[0].DrawLine(sx, sy, x, sy);
    rectLines[1].DrawLine(x, sy, x, y);
    rectLines[2].DrawLine(x, y, sx, y);
    rectLines[3].DrawLine(sx, y, sx, sy);
    for (ddgfxline& line : rectLines) line.SetColor(100, 200, 100);
    const int x1 = std::min(sx, x), x2 = std::max(sx, x);
    const int y1 = std::min(sy, y), y2 = std::max(sy, y);
    selection.clear();
    for (int i = 0; view && i < view->GetVertexCount(); ++i) {
        const ddpathVertex* v = view->GetVertex(i);
        if (v && v->GetX() >= x1 && v->GetX() <= x2 && v->GetY() >= y1 && v->GetY() <= y2)
            selection.push_back(i);
    }
    ShowSelectionMarkers();
}

// ---------------------------------------------------------------- markers

void pathbuilderGame::AddMarker(const ddpathVertex* v) {
    if (!v) return;
    auto* marker = new ddgfxpoint(0, 0, 8);
    marker->SetPos(SatSub(v->GetX(), marker->GetWidth() / 2), SatSub(v->GetY(), marker->GetHeight() / 2));
    marker->SetGrey(ddbuildedptf::DepthToShade(v->GetDepth()));
    marker->Show();
    markersLayer.Add(marker);
    SetRedraw();
}

void pathbuilderGame::ShowSelectionMarkers() {
    markersLayer.DeleteAll();
    PruneSelection();
    for (int i : selection) AddMarker(view->GetVertex(i));
    SetRedraw();
}

void pathbuilderGame::ShowHoverMarker(int x, int y) {
    // one marker at a time: the last one goes whether or not a vertex is hit
    markersLayer.DeleteAll();
    const int picked = PickVertex(x, y);
    if (picked >= 0) AddMarker(view->GetVertex(picked));
    SetRedraw();
}

// ---------------------------------------------------------------- the depth slider

int pathbuilderGame::KnobValue(const ddCanvas* knob) const {
    if (!knob || !track1) return 0;
    return const_cast<ddCanvas*>(knob)->GetPosY() - track1->GetPosY();
}

void pathbuilderGame::PlaceKnob(ddCanvas* knob, const ddpathVertex* v) {
    if (!knob || !v || !track1) return;
    knob->SetPos(knob->GetPosX(), track1->GetPosY() + ddbuildedptf::DepthToShade(v->GetDepth()));
}

void pathbuilderGame::UpdateValueTexts() {
    if (value1) value1->SetText(KnobValue(knob1));
    if (value2) value2->SetText(KnobValue(knob2));
}

void pathbuilderGame::ShowDepthPanel() {
    depthPanel.Show();
    UpdateValueTexts();
    SetRedraw();
}

void pathbuilderGame::ApplySlider(int y) { ApplySlider(y, IsKeyDown(SDLK_LSHIFT) != 0); }

void pathbuilderGame::ApplySlider(int y, bool spread) {
    if (!activeKnob || !track1 || !view) return;
    const int top = track1->GetPosY();
    const int end = track1->GetEndY();
    activeKnob->SetPos(activeKnob->GetPosX(), std::clamp(y, top, std::max(top, end)));
    PruneSelection();
    if (!spread) {
        const float depth = ddbuildedptf::SliderToDepth(KnobValue(activeKnob));
        for (int i : selection) {
            view->SetVertexDepth(i, depth);
            UpdatePreview(i, true);
        }
    } else {
        const int n = static_cast<int>(selection.size());
        if (n < 1) return;
        float a = static_cast<float>(KnobValue(knob1));
        const float b = static_cast<float>(KnobValue(knob2));
        const float step = (b - a) / static_cast<float>(n);
        for (int i : selection) {
            view->SetVertexDepthFromSlider(i, static_cast<int>(a));
            UpdatePreview(i, true);
            a += step;
        }
    }
    view->RebuildView();
    UpdateValueTexts();
}

void pathbuilderGame::MoveKnobBy(int step, bool spread) {
    if (!activeKnob) return;
    ApplySlider(activeKnob->GetPosY() + step, spread);
}

std::string RunPathBuilderKind(GameKinds) {
    GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    video.AppOffsetX = 0;
    video.AppOffsetY = 0;
    pathbuilderGame editor;
    editor.Run();
    return "exit";
}
