// The animation editor: pictures gathered from files into an images window,
// arranged into named actions of frames in an animation window, shown for
// editing in a draw window where they are moved, aligned and spread along
// lines and mouse paths, played, and saved as an animation definition with
// its picture sheet.
//
// Positions of pictures that are not shown are relative to the draw area;
// shown pictures stand at screen positions (the area's place added). Saving,
// copying and spreading run in local coordinates (ToLocal .. ToScreen).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/dd_string.h"
#include "graphics/animation.h"
#include "graphics/canvas.h"
#include "graphics/obraz_container.h"
#include "shell/game_api.h"
#include "shell/game_kinds.h"
#include "tools/action_list.h"
#include "tools/key_table.h"
#include "tools/layer_list.h"
#include "tools/list_pair.h"
#include "tools/lumo_obraz.h"

class ddTekst;

class lumo2Game : public GameAPI {
public:
    using Pair = ddSpreadTxtList<lumoObraz, ActionManager>;

    enum State {
        kInitial = 0,
        kLoading,
        kLoadingBkg,
        kSaving,
        kSetName,
        kMoveAll,
        kMoveChosen,
        kFramesAlongLine,
        kFramesAlongMouse,
        kMoveBkg,
        kPlaying,
        kSetDelay,
        kSetMoveX,
        kSetSndName,
        kEnd,
        kStateCount
    };
    enum Window { kImagesWindow = 0, kAnimationWindow = 1, kDrawWindow = 2 };

    // The path and file fields are kept here between runs; the folder is
    // made when it is missing.
    static constexpr const char* kFactoryFolder = "lumo_factory";
    static constexpr const char* kPathFile = "lumo_factory/txtpath";
    static constexpr const char* kFileFile = "lumo_factory/txtfile";
    static constexpr const char* kPlayName = "lumo_factory/tmp.lum";
    static constexpr int kPictureLayer = 100;
    static constexpr int kGhostLayer = 50;
    static constexpr int kPlayLayer = 777;
    static constexpr int kListLayer = 200;
    static constexpr int kGhostCount = 3;

    lumo2Game();
    ~lumo2Game() override;

    lumo2Game(const lumo2Game&) = delete;
    lumo2Game& operator=(const lumo2Game&) = delete;

    void OnMouseMove(const InputEvent& move) override;
    void OnLeftDown(const InputEvent& click) override;
    void OnRightDown(const InputEvent& click) override;
    void OnLeftUp(const InputEvent& click) override;
    void OnKeyDown(const InputEvent& key) override;
    void OnKeyUp(const InputEvent& key) override;
    void OnStart() override;
    void OnStop() override;

    // Shared operations.
    void SetState(int state);
    void ToLocal();
    void ToScreen();
    // Empties the draw window; with a pair, shows what is selected in it.
    void ShowSelection(Pair* pair);
    void nextwin();
    void ActivateImages();
    void ActivateAnimation();
    void ActivateDraw();
    void ToggleLists();
    void SetBackground(Obraz* picture);
    void LoadBackground(const char* file);
    void ToggleSilhouette();
    void MakeSilhouette();
    ddString FullPath();

    // Building, saving, export and import.
    void Open();
    // Saves or exports by the name's ending; without an action nothing is
    // written and one line says so.
    void SaveFile();
    bool BuildAnimation(const char* name, bool sixteenBit);
    // A name as a definition keeps it: one word, each blank and each '<'
    // (which would start a tag or a comment) turned into '_'; "" gives "_".
    static std::string WordName(const char* name);
    // False when a file could not be written (said on standard output).
    bool SaveLum(const char* name);
    bool SaveBmp(const char* name);
    void ExportPng(const char* name);
    void ExportAvi(const char* name);
    void ImportImage(const char* name);
    void ImportXcf(const char* name);
    void ImportLum(const char* name);

    // Read access for whoever drives the editor.
    int GetState() const { return state; }
    static const char* StateName(int state);
    int GetActiveWindow() const { return activeWindow; }
    int GetDelayValue() const { return delayValue; }
    int GetMoveStep() const { return moveStep; }
    Pair* ImagesPair() const { return images; }
    Pair* AnimationPair() const { return animation; }
    Animacja* GetBuilt() const { return built; }
    int GetSheetCount() const { return static_cast<int>(sheet.size()); }
    Image* GetSheetImage(int i) const;
    ddObrazContainer& DrawnObjects() { return drawn; }
    Obraz* GetGhost(int i) const;
    int GetGhostIndex() const { return ghostNext; }
    int GetListPanelWidth() const { return listPanelWidth; }
    bool ListsHidden() const { return listsHidden != 0; }
    ddTekst* PathField() const { return pathField; }
    ddTekst* FileField() const { return fileField; }
    ddTekst* NumberField() const { return numberField; }
    ddTekst* StateText() const { return stateText; }
    ddTekst* WindowText() const { return windowText; }
    ddTekst* MouseText() const { return mouseText; }
    Obraz* DrawArea() const { return drawArea; }
    Obraz* BottomGuide() const { return bottomGuide; }
    ddCanvas* BackgroundCanvas() const { return background; }
    const ddString& CopiedSound() const { return copiedSound; }
    ddObrazContainer& FilePanel() { return filePanel; }
    ddObrazContainer& NumberPanel() { return numberPanel; }

protected:
    // Where an export picture goes; a seam for tests.
    virtual void SaveExportPicture(ddCanvas* canvas, const char* name);

private:
    struct PathPoint {
        int x, y;
        float length;  // distance to the older neighbour (0 for the first)
    };

    // Widgets.
    void CreateWidgets();
    void DeleteWidgets();
    // Writes the path and file fields to their files; says so on one line
    // when they cannot be kept.
    void KeepPathAndFile();
    void MakeField(ddTekst*& field, const char* file, int x, int y, int w, int h);
    void EndPrompt();
    void EndNumberPrompt();
    int RowHeight() const;

    // The states: each one's name (what the state text shows) and what it
    // does with a key, the left button going down, the left button going up
    // and a mouse move; a null entry ignores it.
    struct StateRow {
        const char* name;
        void (lumo2Game::*key)(const InputEvent& key);
        void (lumo2Game::*leftDown)(const InputEvent& click);
        void (lumo2Game::*leftUp)(const InputEvent& click);
        void (lumo2Game::*move)(int x, int y, int dx, int dy);
    };
    static const StateRow kStates[kStateCount];
    // A state's row; for a state outside the table, "" and all null.
    static const StateRow& Row(int state);

    // Keys: each is handed the key going down.
    void KeyInPrompt(const InputEvent& key);
    void KeyInInitial(const InputEvent& key);
    void KeyInRename(const InputEvent& key);
    void KeyInSoundName(const InputEvent& key);
    void KeyWhilePlaying(const InputEvent& key);
    bool ArrowKeys(const InputEvent& key);
    // The command keys of "initial" and "move chosen" (kKeyCommands).
    void KeyTable(const InputEvent& key);
    void SpaceKey(const InputEvent& key);
    void SpaceInImages(const InputEvent& key);
    void NewActionFromSelection(const InputEvent& key);
    void NewEmptyAction();
    void Renumber();
    void CopySoundName(const InputEvent& key);
    void Play();
    void SpreadOnLineByKey();
    void MoveUpperList(Pair* pair, int dy);
    Pair* ActivePair() const;
    bool FrameSelected() const;
    bool ActionSelected() const;
    lumoObraz* LastSelectedFrame() const;
    bool PictureSelected() const;
    // A prompt state with the file panel and the focus on the path field.
    void StartFilePrompt(int promptState);
    // A prompt state with the number panel showing the prompt and value.
    void StartNumberPrompt(int promptState, const char* prompt, int value);

    static const KeyCommand<lumo2Game> kKeyCommands[];

    // Mouse: the buttons, then the moves by (dx, dy) since the last one.
    void ClickInInitial(const InputEvent& click);
    void ClickInPrompt(const InputEvent& click);
    void EndDrag(const InputEvent& click);
    void EndPathDrag(const InputEvent& click);
    void DragAll(int x, int y, int dx, int dy);
    void DragChosen(int x, int y, int dx, int dy);
    void DragBackground(int x, int y, int dx, int dy);
    void SpreadOnLineMove(int x, int y, int dx, int dy);
    void SpreadAlongPathMove(int x, int y, int dx, int dy);
    void SpreadOnLine(int x, int y);
    void SpreadAlongPath(int x, int y);
    void SetOrigin();
    void FreePath() { path.clear(); }

    // Building.
    void FreeBuilt();
    static void PlayFinished(intptr_t userData, Sygnal* self);

    // Imported things kept while their pictures are in use.
    std::vector<std::unique_ptr<XcfLayerList>> importedLayers;
    std::vector<std::unique_ptr<Animacja>> importedAnimations;
    std::vector<std::unique_ptr<Obraz>> importedPictures;

    Pair* images = nullptr;
    Pair* animation = nullptr;

    Animacja* built = nullptr;
    ddString sheetPath;
    std::vector<Image*> sheet;        // distinct pictures, in order of first use
    std::vector<Image*> allPictures;  // every picture of the images window

    std::vector<Obraz*> ghosts;  // owned
    int ghostNext = 0;
    ddObrazContainer ghostLayer;  // holds the ghosts, does not own them

    int32_t delayValue = 1;
    int32_t moveStep = 0;
    int32_t actionCounter = 0;  // names of Shift-made actions

    ddCanvas* background = nullptr;
    ddCanvas* drawArea = nullptr;
    ddCanvas* bottomGuide = nullptr;
    ddCanvas* silhouette = nullptr;
    ddCanvas* backgroundFrame = nullptr;
    ddTekst* pathField = nullptr;
    ddTekst* fileField = nullptr;
    ddTekst* pathLabel = nullptr;
    ddTekst* fileLabel = nullptr;
    ddTekst* numberField = nullptr;
    ddTekst* promptText = nullptr;
    ddTekst* stateText = nullptr;
    ddTekst* windowText = nullptr;
    ddTekst* mouseText = nullptr;

    ddObrazContainer numberPanel;
    ddObrazContainer filePanel;
    ddObrazContainer listPanel;

    int32_t state = kInitial;
    int32_t activeWindow = kDrawWindow;

    ddString copiedSound;

    int spreadCount = 0;
    Obraz* chosen = nullptr;
    int lastMouseX = 0, lastMouseY = 0;
    int dragStartX = 0, dragStartY = 0;
    int listPanelWidth = 0;
    float pathLength = 0.0f;
    std::vector<PathPoint> path;  // oldest first
    int originX = 0, originY = 0;

    ddObrazContainer drawn;  // the pictures shown for editing (not owned)
    int32_t listsHidden = 0;
    bool isLocal = false;  // between ToLocal and ToScreen
    bool started = false;
};

// The game kind "lumo": runs the editor; names no successor.
std::string RunLumoKind(GameKinds kinds);
