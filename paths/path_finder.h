// The path finder: a visible object that owns a walk-path graph and walks a
// linked animation along the shortest route to a point. It picks the
// vertices nearest to the animation and to the point, searches from the
// target, numbers the route, then each frame of the animation moves it a
// step along the current segment, turns it towards the next vertex one
// eighth of a turn at a time by switching its action to the matching
// direction ("uu", "ru", "rr", "rd", "dd", "ld", "ll", "lu" after the walk
// or stand prefix), scales it by depth through an owned filter, and raises
// OnVisit at every vertex and OnFinish at the end.
//
// Lifetimes: the path finder never owns the animation. Every animation a
// path finder links or walks has a watcher in its walker slot (the walking
// path finder itself, or the link watch of a path finder that links it), so
// an animation destroyed while linked or walked makes every path finder
// forget it. Vertices are held by index, so a graph changed under a walk
// leaves nothing dangling.
#pragma once

#include <memory>
#include <string>

#include "graphics/animation_walker.h"
#include "graphics/canvas.h"
#include "graphics/obraz.h"
#include "paths/walk_graph.h"

class Animacja;
class ddFilter;

class ddPathFinder : public Obraz, public ddWalkGraph, public AnimationWalker {
public:
    // Registers with the scene and takes the name.
    explicit ddPathFinder(asmClass* cls = nullptr, const char* name = nullptr);
    ~ddPathFinder() override;

    // ----- visible object: the vertices drawn as dots at base offset + position
    void Draw() override;
    // Adds to the base offset.
    void Move(int dx, int dy) override;
    // Sets the base offset.
    void SetPos(int x, int y) override;
    // Never under the mouse.
    bool IsIn(int x, int y, int checkVisible, int checkTransparent) override;
    int GetBaseX() const { return baseX; }
    int GetBaseY() const { return baseY; }

    // ----- hooks (the script class raises "onvisit" and "onfinish")
    // The walker reached a vertex.
    virtual void OnVisit() {}

    // ----- graph sources that also look after the animation link
    void Reset() override;
    void Build(Animacja* anima, const char* source, int stepX, int stepY, float speed, int tag);
    void CopyFrom(Animacja* anima, const ddPathFinder* other, float speed);

    // ----- walking
    // Plans a route to the point and starts walking: 0, or -1 without one.
    // A route of one vertex walks to it from wherever the animation stands;
    // standing on it or within one step of it, the animation only turns
    // (towards the point, when asked to turn on arrival).
    int Goto(int x, int y);
    // Ends a walk or turn; with notify the animation and this object finish.
    void Stop(bool notify);
    // Turns the linked animation towards one of the eight codes; other codes
    // are refused.
    void Turn(const char* code);
    // AnimationWalker: the per-frame step of the walking animation.
    void Update() override;
    void ResetAnimaFrame() override;
    void ForgetAnimation(Animacja* animation) override;

    // Start (nearest to the animation) and target (nearest to the point)
    // among enabled vertices; 1 when both exist. With skipExcluded an
    // excluded vertex loses its mark and is not taken as the target.
    int PlanEndpoints(int x, int y, bool skipExcluded);
    // Length of the route the walker would take to the point (the start's
    // distance to the target along the graph), -1.0 without one. Stops a walk.
    float RouteLength(int x, int y);
    // Zooms the filter to the walk's scale (ScaleFor) at the depth of the
    // vertex nearest to the animation.
    void ScaleAtCurrent();
    // Nearest non-empty vertex to (x, y) without the base offset, -1 when none.
    int NearestVertex(int x, int y) const;
    float DistanceToGraph(int x, int y) const;
    bool IsStandAction() const;

    // ----- directions
    static std::string DirectionFromVector(int dx, int dy, int moveType);
    static std::string DirectionBetween(const ddpathVertex& from, const ddpathVertex& to, int moveType,
                                        float depthFactor);
    static int DirectionIndex(const char* code);
    static const char* DirectionCode(int index);
    // One eighth of a turn from current towards target.
    static std::string TurnStep(const char* current, const char* target);
    void SetDirection(const char* code);

    // ----- route queries
    // The vertex n links along the route from the start, -1 when none.
    int VertexAfter(int n) const;
    // From a, n links; stop when reached on the way; -1 on a missing vertex.
    int WalkFrom(int a, int n, int stop) const;
    int FindById(int id) const;
    void SetEnabledById(int id, int flag);
    // Enabled flag of the first vertex with the id, 0 when none has it.
    int IsEnabledById(int id) const;
    void Exclude(int index);
    int VertexScreenX(int index) const;
    int VertexScreenY(int index) const;
    // Moves every vertex.
    void ShiftVertices(int dx, int dy);

    // ----- animation and filter links
    void LinkAnima(Animacja* anima);
    void UnlinkAnima();
    void LinkFilter();
    void UnlinkFilter();

    // ----- state
    bool IsWalking() const { return walking != nullptr; }
    int GetStartIndex() const { return startIndex; }
    int GetTargetIndex() const { return targetIndex; }
    int GetFromIndex() const { return fromIndex; }
    int GetToIndex() const { return toIndex; }
    const std::string& GetStandAction() const { return standAction; }
    const std::string& GetWalkPrefix() const { return walkPrefix; }
    void SetWalkPrefix(const char* p) { walkPrefix = p ? p : ""; }
    const std::string& GetPendingDirection() const { return direction; }
    int GetMoveType() const { return moveType; }
    void SetMoveType(int t) { moveType = t; }
    int GetTurnOnArrival() const { return turnOnArrival; }
    void SetTurnOnArrival(int f) { turnOnArrival = f; }
    void SetScalePower(float p) { scalePower = p; }
    ddFilter* GetDepthFilter() const { return depthFilter.get(); }
    ddCanvas& GetDot() { return dot; }
    // The scale the last walking frame used.
    float GetLastScale() const { return lastScale; }

private:
    // Watches an animation that is linked but not walked, standing in the
    // animation's walker slot so that its destruction reaches the path finders.
    class LinkWatch : public AnimationWalker {
    public:
        Animacja* anima = nullptr;
        void Update() override {}
        // What the animation does at the end of an action without a walker.
        void ResetAnimaFrame() override;
        void ForgetAnimation(Animacja* animation) override;
    };

    // Puts the link watch in the linked animation's slot when it is free.
    void WatchLinked();
    // After this path finder stopped walking or linking `a`: its slot goes
    // to this path finder's watch while still linked, else to another path
    // finder walking or linking it, else is emptied.
    void LetGo(Animacja* a);
    static void ForgetEverywhere(Animacja* a);
    // Makes the linked animation the walking one, calling this path finder.
    void TakeWalking();
    void StartSegment(int px, int py);
    // The walker's scale at a depth (plus one) by this path finder's scale
    // power (DepthScale).
    float ScaleFor(float depthPlusOne) const;
    // The segment from where the walking animation stands to `to`, with the
    // depth change from `from`: what remains on each axis and the step per
    // frame. A segment of no length arrives in the next frame.
    void AimAt(const ddpathVertex& from, const ddpathVertex& to);
    // Keeps the gait's frame across an action change.
    static void SwitchAction(Animacja* a, const std::string& name, int frame);
    // The last two characters of the current action's name.
    std::string CurrentDirection() const;
    float DepthFactor() const;

    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    LinkWatch watch;

    ddCanvas dot;  // 2 x 2, drawn at every enabled vertex
    std::string standAction;
    Animacja* walking = nullptr;  // the linked animation while walking or turning
    int startIndex = -1, targetIndex = -1;
    int fromIndex = -1, toIndex = -1;
    int gotoX = 0, gotoY = 0;
    float remainX = 0, remainY = 0, remainZ = 0;
    float travelX = 0, travelY = 0, travelZ = 0;
    float carryX = 0, carryY = 0;
    float stepAlongX = 0, stepAlongY = 0, stepAlongZ = 0;
    float segmentLength = 0;
    int moveType = 0;
    int baseX = 0, baseY = 0;
    std::string walkPrefix = "go";
    std::string standPrefix = "stand";
    std::string direction;  // pending two-character direction, empty when none
    int turnOnArrival = 0;
    std::unique_ptr<ddFilter> depthFilter;
    float scalePower = 1.0f;
    float lastScale = 1.0f;
};
