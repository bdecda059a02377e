// The walk-path editor, the game kind "ptbuilder": edits one walk-path
// graph over a background picture. Vertices and edges are added and removed
// with the mouse, vertices dragged, given depth with a two-knob slider and
// ids typed in, a walking animation previewed at every vertex scaled by its
// depth, and the graph loaded and saved as a graph file. A state machine of
// fifteen named states drives it; the state text always shows the current
// state's name.
#pragma once

#include <string>
#include <vector>

#include "graphics/animation.h"
#include "graphics/gfx_line.h"
#include "graphics/obraz.h"
#include "graphics/obraz_container.h"
#include "shell/game_api.h"
#include "shell/game_kinds.h"

class ddMenu;
class ddTekst;
class ddCanvas;
class ddFilter;
class ddbuildedptf;
class ddpathVertex;
class toolFileLoader;

class pathbuilderGame : public GameAPI {
public:
    enum State {
        INITIAL = 0,
        ADDING = 1,
        ACTIVE_ADD = 2,
        ZOOMING = 3,
        MOVING_VERTEX = 4,
        SET_VERTEX = 5,
        SUWAKING = 6,
        SET_IDPATH = 7,
        WRITE_IDPATH = 8,
        LOAD_PATH = 9,
        SAVE_PATH = 10,
        MOVING_ALL = 11,
        MOVING_RECT = 12,
        LOADING_AN = 13,
        LOADING_BKG = 14,
        STATE_COUNT = 15
    };
    static const char* StateName(int state);

    // Where the editor keeps its files, relative to the working directory.
    static constexpr const char* kMenuFile = "configs/progs/ptbuilder.db";
    static constexpr const char* kBackgroundMemory = "configs/ptbuilder_background";
    static constexpr const char* kPathMemory = "configs/ptbuilder_path";
    static constexpr const char* kAnimationMemory = "configs/ptbuilder_anima";

    pathbuilderGame();
    ~pathbuilderGame() override;

    void OnMouseMove() override;
    void OnLeftDown() override;
    void OnRightDown() override;
    void OnLeftUp() override;
    void OnKeyDown() override;
    void OnStart() override;
    void OnStop() override;

    void SetState(int state);
    void RestoreState();
    void ResetTools();
    // Shifts everything so that the background returns to its origin.
    void InitPos();

    // ----- inspection (tests and tools)
    int GetState() const { return state; }
    int GetPreviousState() const { return previousState; }
    ddbuildedptf* GetView() const { return view; }
    int GetActiveVertex() const { return activeVertex; }
    int GetSecondVertex() const { return secondVertex; }
    // Vertex indexes of the selection, in selection order.
    const std::vector<int>& GetSelection() const { return selection; }
    ddMenu* GetMenu() const { return menu; }
    ddTekst* GetIdField() const { return idField; }
    ddTekst* GetStateText() const { return stateText; }
    ddTekst* GetMouseText() const { return mouseText; }
    toolFileLoader* GetBackgroundBox() const { return backgroundBox; }
    toolFileLoader* GetPathBox() const { return pathBox; }
    toolFileLoader* GetAnimationBox() const { return animationBox; }
    Obraz& GetBackground() { return background; }
    ddgfxline& GetRubberLine() { return rubberLine; }
    ddgfxline& GetRectLine(int i) { return rectLines[i]; }
    ddObrazContainer& GetMarkers() { return markersLayer; }
    ddObrazContainer& GetPreviewsLayer() { return previewsLayer; }
    ddObrazContainer& GetDepthPanel() { return depthPanel; }
    // Previews are made for the vertices present, none for empty slots.
    int GetPreviewCount() const { return previewCount; }
    // The preview of vertex i and its filter; null when it has none.
    Animacja* GetPreview(int i) const;
    ddFilter* GetPreviewFilter(int i) const;
    ddCanvas* GetKnob(int i) const { return i == 0 ? knob1 : knob2; }
    ddCanvas* GetTrack(int i) const { return i == 0 ? track1 : track2; }
    ddTekst* GetValueText(int i) const { return i == 0 ? value1 : value2; }
    ddCanvas* GetActiveKnob() const { return activeKnob; }
    // A knob's slider value: its y less the first track's top.
    int KnobValue(const ddCanvas* knob) const;

    // Applies the slider with the active knob at pointer y; with `spread`
    // (left Shift) the selected vertices get depths spread between the two
    // knobs. The one-argument form is the mouse's: left Shift as the
    // keyboard holds it now.
    void ApplySlider(int y, bool spread);
    void ApplySlider(int y);

private:
    // ----- the state entry actions
    void EnterInitial();
    void EnterAdding();
    void EnterActiveAdd(int vertex);
    void EnterZooming();
    void EnterMovingVertex();
    void EnterSetVertex();
    void EnterSuwaking(ddCanvas* knob);
    void EnterSetIdpath();
    void EnterWriteIdpath();
    void EnterBox(int boxState);
    void EnterMovingAll();
    void EnterMovingRect(int x, int y);

    // ----- keys
    bool CommonKey();
    void BoxKey();
    void BoxAction(int boxState);
    void LoadPath(const char* name);
    void SavePath(const char* name);
    void LoadBackground(const char* name);
    toolFileLoader* BoxOf(int boxState) const;

    // ----- mouse
    void MenuClick(int x, int y);
    void RemoveAt(int x, int y);
    void SetVertexClick(int x, int y);
    void FinishRectangle();

    // ----- vertices and selection
    // The vertex within 10 of the point, -1 when none.
    int PickVertex(int x, int y) const;
    int PickOrAdd(int x, int y);
    bool Select(int x, int y, int nextState);
    void DropFromSelection(int index);
    // Every selected index that still names a vertex.
    void PruneSelection();
    void Shift(int dx, int dy);
    void RubberRectangle(int x, int y);

    // ----- markers
    void AddMarker(const ddpathVertex* v);
    void ShowSelectionMarkers();
    void ShowHoverMarker(int x, int y);

    // ----- the depth slider
    void PlaceKnob(ddCanvas* knob, const ddpathVertex* v);
    void UpdateValueTexts();
    void ShowDepthPanel();
    void MoveKnobBy(int step);

    // ----- previews
    void MakePreviews(const char* definition);
    void ClosePreviews();
    void UpdatePreview(int index, bool zoom);
    // Where vertex i's preview stands in the preview arrays, -1 for none.
    int PreviewSlot(int i) const;

    // ----- widgets
    void MakeMenu();
    void MakeDepthPanel();

    Obraz background;
    Animacja backgroundAnima;
    ddMenu* menu = nullptr;
    ddTekst* idField = nullptr;
    ddTekst* stateText = nullptr;
    ddTekst* mouseText = nullptr;
    toolFileLoader* backgroundBox = nullptr;
    toolFileLoader* pathBox = nullptr;
    toolFileLoader* animationBox = nullptr;
    int state = INITIAL;
    int previousState = INITIAL;
    ddbuildedptf* view = nullptr;
    int activeVertex = -1;
    int secondVertex = -1;
    // Vertex indexes rather than pointers: a vertex removed or a graph
    // loaded never leaves the selection pointing at freed vertices.
    std::vector<int> selection;
    int lastMouseX = 0, lastMouseY = 0;
    AnimationArray* previews = nullptr;
    std::vector<ddFilter*> previewFilters;
    std::vector<int> previewVertices;  // the vertex of each preview, ascending
    int previewCount = 0;
    ddObrazContainer previewsLayer;
    ddgfxline rectLines[4] = {ddgfxline(1), ddgfxline(1), ddgfxline(1), ddgfxline(1)};
    ddgfxline rubberLine{1};
    ddTekst* value1 = nullptr;
    ddTekst* value2 = nullptr;
    ddCanvas* knob1 = nullptr;
    ddCanvas* knob2 = nullptr;
    ddCanvas* track1 = nullptr;
    ddCanvas* track2 = nullptr;
    ddCanvas* activeKnob = nullptr;
    ddObrazContainer depthPanel;
    ddObrazContainer markersLayer;
    int rectStartX = 0, rectStartY = 0;
    bool started = false;
};

// The game kind "ptbuilder": the editor, with the view moved back to the
// origin first; names no successor.
std::string RunPathBuilderKind(GameKinds kinds);
