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
#include "tools/key_table.h"

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
        kInitial = 0,
        kAdding = 1,
        kActiveAdd = 2,
        kZooming = 3,
        kMovingVertex = 4,
        kSetVertex = 5,
        kSuwaking = 6,
        kSetIdpath = 7,
        kWriteIdpath = 8,
        kLoadPath = 9,
        kSavePath = 10,
        kMovingAll = 11,
        kMovingRect = 12,
        kLoadingAn = 13,
        kLoadingBkg = 14,
        kStateCount = 15
    };
    static const char* StateName(int state);

    // Where the editor keeps its files, relative to the working directory.
    static constexpr const char* kMenuFile = "configs/progs/ptbuilder.db";
    static constexpr const char* kBackgroundMemory = "configs/ptbuilder_background";
    static constexpr const char* kPathMemory = "configs/ptbuilder_path";
    static constexpr const char* kAnimationMemory = "configs/ptbuilder_anima";

    pathbuilderGame();
    ~pathbuilderGame() override;

    void OnMouseMove(const InputEvent& move) override;
    void OnLeftDown(const InputEvent& click) override;
    void OnRightDown(const InputEvent& click) override;
    void OnLeftUp(const InputEvent& click) override;
    void OnKeyDown(const InputEvent& key) override;
    void OnStart() override;
    void OnStop() override;

    void SetState(int state);
    void RestoreState();
    void ResetTools();
    // Shifts everything so that the background returns to its origin.
    void InitPos();

    // ----- inspection (tests and tools)
    int GetState() const { return state; }
    ddbuildedptf* GetView() const { return view; }
    int GetActiveVertex() const { return activeVertex; }
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
    // The slider is applied at pointer y.
    void EnterSuwaking(ddCanvas* knob, int y);
    void EnterSetIdpath();
    void EnterWriteIdpath();
    void EnterBox(int boxState);
    void EnterMovingAll();
    void EnterMovingRect(int x, int y);

    // ----- the states: each one's name (what the state text shows) and
    // what it does with a key, the left button going down, the right
    // button going down, the left button going up and a mouse move; a null
    // entry ignores it.
    struct StateRow {
        const char* name;
        void (pathbuilderGame::*key)(const InputEvent& key);
        void (pathbuilderGame::*leftDown)(int x, int y);
        void (pathbuilderGame::*rightDown)(int x, int y);
        void (pathbuilderGame::*leftUp)(int x, int y);
        void (pathbuilderGame::*move)(int x, int y, int dx, int dy);
    };
    static const StateRow kStates[kStateCount];
    // A state's row; for a state outside the table, "" and all null.
    static const StateRow& Row(int state);

    // ----- keys
    // Esc, and the command keys of most states (kCommonKeys); true when it
    // took the key.
    bool CommonKey(const InputEvent& key);
    static const KeyCommand<pathbuilderGame> kCommonKeys[];
    void KeyCommon(const InputEvent& key);
    void KeyActiveAdd(const InputEvent& key);
    void KeySetVertex(const InputEvent& key);
    void KeyWriteIdpath(const InputEvent& key);
    void BoxKey(const InputEvent& key);
    void BoxAction(int boxState);
    void LoadPath(const char* name);
    void SavePath(const char* name);
    void LoadBackground(const char* name);
    toolFileLoader* BoxOf(int boxState) const;

    // ----- mouse buttons
    void MenuClick(int x, int y);
    void AddingClick(int x, int y);
    void ActiveAddClick(int x, int y);
    void ZoomingClick(int x, int y);
    void SetVertexClick(int x, int y);
    void SetIdpathClick(int x, int y);
    void RemoveAt(int x, int y);
    void LeaveActiveAdd(int x, int y);
    void DepthSelect(int x, int y);
    void LeaveSuwaking(int x, int y);
    void DropVertex(int x, int y);
    void ReleaseKnob(int x, int y);
    void EndMovingAll(int x, int y);
    void FinishRectangle(int x, int y);

    // ----- mouse moves, by (dx, dy) since the last one
    void HoverMove(int x, int y, int dx, int dy);
    void RubberLineMove(int x, int y, int dx, int dy);
    void DragVertices(int x, int y, int dx, int dy);
    void CtrlPickMove(int x, int y, int dx, int dy);
    void KnobMove(int x, int y, int dx, int dy);
    void ShiftMove(int x, int y, int dx, int dy);
    void RubberRectMove(int x, int y, int dx, int dy);

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
    // A key moves the knob; `spread` is left Shift as the key event records it.
    void MoveKnobBy(int step, bool spread);

    // ----- previews
    void MakePreviews(const char* definition);
    // Once previews are made, every vertex present has one, placed and
    // zoomed, until they are closed.
    void SyncPreviews();
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
    int state = kInitial;
    int previousState = kInitial;
    ddbuildedptf* view = nullptr;
    int activeVertex = -1;
    int secondVertex = -1;
    // Vertex indexes rather than pointers: a vertex removed or a graph
    // loaded never leaves the selection pointing at freed vertices.
    std::vector<int> selection;
    int lastMouseX = 0, lastMouseY = 0;
    std::string previewDefinition;  // what the previews show; empty when closed
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
