// The path finder: directions and turns, planning, walking an animation
// along small graphs built here, depth scaling, route queries, and what
// happens when the animation or the path finder goes away.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "graphics/animation.h"
#include "graphics/filter.h"
#include "graphics/graph_api.h"
#include "paths/path_finder.h"
#include "paths/path_screen.h"

namespace {

// Counts the hooks and remembers the vertex each visit happened at.
class CountingFinder : public ddPathFinder {
public:
    void OnVisit() override {
        ++visits;
        visitedStarts.push_back(GetStartIndex());
        if (onVisit) onVisit();
    }
    void OnFinish() override { ++finishes; }
    int visits = 0;
    int finishes = 0;
    std::vector<int> visitedStarts;
    std::function<void()> onVisit;
};

constexpr const char* kCodes[] = {"uu", "ru", "rr", "rd", "dd", "ld", "ll", "lu"};

class PathFinderTest : public PathScreenTest {
protected:
    void SetUp() override { GraphAPI::CreateImage(&frameImage, 4, 4, 1); }

    // An animation with walk and stand actions in all eight directions,
    // two frames each, advancing every tick.
    std::unique_ptr<Animacja> Walker(int x, int y, const char* first = "standrr") {
        auto a = std::make_unique<Animacja>();
        for (const char* prefix : {"go", "stand"})
            for (const char* code : kCodes) {
                AkcjaAnimacji* action = a->AddNamedAction((std::string(prefix) + code).c_str());
                action->AddFrameFrom(&frameImage);
                action->AddFrameFrom(&frameImage);
            }
        a->SetDelay(1);
        a->PlayByName(first);
        a->SetPos(x, y);
        return a;
    }

    // Vertices at the points, each linked to the next.
    static void Line(ddPathFinder& p, const std::vector<std::pair<int, int>>& points,
                     const std::vector<float>& depths = {}) {
        for (size_t i = 0; i < points.size(); ++i) {
            const float d = i < depths.size() ? depths[i] : 0.0f;
            p.GetGraph().AddVertex(
                new ddpathVertex(points[i].first, points[i].second, d, static_cast<int>(i) + 10));
        }
        for (size_t i = 1; i < points.size(); ++i) p.AddEdge(static_cast<int>(i) - 1, static_cast<int>(i));
    }

    // Ticks until the walk ends or the bound runs out; returns the ticks.
    static int WalkOut(Animacja& a, ddPathFinder& p, int bound = 500) {
        int n = 0;
        while (p.IsWalking() && n < bound) {
            a.Tick();
            ++n;
        }
        return n;
    }

    Image frameImage;
};

}  // namespace

TEST_F(PathFinderTest, DirectionsFromVectorsAndTurns) {
    EXPECT_EQ(ddPathFinder::DirectionFromVector(10, 5, 0), "rd");
    EXPECT_EQ(ddPathFinder::DirectionFromVector(10, -3, 0), "rr");
    EXPECT_EQ(ddPathFinder::DirectionFromVector(10, 11, 0), "rd");
    EXPECT_EQ(ddPathFinder::DirectionFromVector(10, 12, 0), "dd");
    EXPECT_EQ(ddPathFinder::DirectionFromVector(-10, -5, 0), "lu");
    EXPECT_EQ(ddPathFinder::DirectionFromVector(0, 0, 0), "uu");
    EXPECT_EQ(ddPathFinder::DirectionFromVector(0, 1, 0), "dd");
    EXPECT_EQ(ddPathFinder::DirectionFromVector(-10, 1, 0), "ll");
    // move type 1 knows only left and right; zero counts as left
    EXPECT_EQ(ddPathFinder::DirectionFromVector(0, -50, 1), "ll");
    EXPECT_EQ(ddPathFinder::DirectionFromVector(3, 50, 1), "rr");

    // Depth outweighs a smaller vertical difference (rounded half to even).
    ddpathVertex from(0, 0, 0.0f, 0), deeper(10, 0, 0.125f, 0);
    EXPECT_EQ(ddPathFinder::DirectionBetween(from, deeper, 0, 0.0f), "rr");
    EXPECT_EQ(ddPathFinder::DirectionBetween(from, deeper, 0, 160.0f), "dd");  // dz 20
    EXPECT_EQ(ddPathFinder::DirectionBetween(from, deeper, 0, 20.0f), "rr");   // dz 2.5 -> 2

    EXPECT_EQ(ddPathFinder::DirectionIndex("rd"), 3);
    EXPECT_EQ(ddPathFinder::DirectionIndex("ll"), 6);
    EXPECT_EQ(ddPathFinder::DirectionIndex("lu"), 7);
    EXPECT_EQ(ddPathFinder::DirectionIndex("xy"), 7);
    EXPECT_EQ(ddPathFinder::DirectionIndex(""), 7);

    EXPECT_EQ(ddPathFinder::TurnStep("uu", "rr"), "ru");
    EXPECT_EQ(ddPathFinder::TurnStep("uu", "ll"), "lu");
    EXPECT_EQ(ddPathFinder::TurnStep("lu", "ru"), "uu");  // across the wrap
    EXPECT_EQ(ddPathFinder::TurnStep("uu", "lu"), "lu");
    // Opposite: either way round, and both ways happen.
    std::set<std::string> seen;
    for (int i = 0; i < 64; ++i) seen.insert(ddPathFinder::TurnStep("uu", "dd"));
    EXPECT_EQ(seen, (std::set<std::string>{"ru", "lu"}));
    seen.clear();
    for (int i = 0; i < 64; ++i) seen.insert(ddPathFinder::TurnStep("ll", "rr"));
    EXPECT_EQ(seen, (std::set<std::string>{"lu", "ld"}));
}

TEST_F(PathFinderTest, WalksAStraightRouteVisitingEveryVertex) {
    CountingFinder p;
    Line(p, {{0, 0}, {10, 0}, {20, 0}});
    p.SetSpeed(2.0f);
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    ASSERT_EQ(p.Goto(25, 3), 0);
    EXPECT_TRUE(p.IsWalking());
    EXPECT_EQ(a->GetPathFinder(), static_cast<AnimationWalker*>(&p));
    EXPECT_EQ(p.GetTargetIndex(), 2);
    EXPECT_EQ(p.GetPathVertex(0)->GetStep(), 0);
    EXPECT_EQ(p.GetPathVertex(1)->GetStep(), 1);
    EXPECT_EQ(p.GetPathVertex(2)->GetStep(), 2);
    EXPECT_EQ(p.VertexAfter(1), 1);
    EXPECT_EQ(p.VertexAfter(2), 2);
    EXPECT_EQ(p.VertexAfter(3), -1);
    EXPECT_EQ(p.VertexAfter(0), -1);

    // Already facing right: the walk action is taken at once.
    EXPECT_STREQ(a->GetActionName(), "gorr");
    a->Tick();
    EXPECT_EQ(p.visits, 1);  // the start vertex, on the first frame
    WalkOut(*a, p);
    EXPECT_FALSE(p.IsWalking());
    EXPECT_EQ(p.visits, 3);
    EXPECT_EQ(p.finishes, 1);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), p.visitedStarts);
    EXPECT_EQ(a->GetPosX(), 20);
    EXPECT_EQ(a->GetPosY(), 0);
    EXPECT_EQ(p.GetStandAction(), "standrr");
    EXPECT_FALSE(a->IsPlaying());
    // Still linked: the animation keeps a watcher, not the walk.
    EXPECT_NE(a->GetPathFinder(), static_cast<AnimationWalker*>(&p));
    EXPECT_NE(a->GetPathFinder(), nullptr);
}

TEST_F(PathFinderTest, TurnsOneStepPerFrameBeforeWalking) {
    CountingFinder p;
    Line(p, {{0, 0}, {0, 30}});
    p.SetSpeed(5.0f);
    auto a = Walker(0, 0, "gouu");
    p.LinkAnima(a.get());
    ASSERT_EQ(p.Goto(0, 30), 0);
    // uu to dd: the first step is taken by the goto itself, then one a frame.
    std::vector<std::string> names{a->GetActionName()};
    for (int i = 0; i < 4; ++i) {
        a->Tick();
        names.push_back(a->GetActionName());
    }
    const std::vector<std::string> right{"goru", "gorr", "gord", "godd", "godd"};
    const std::vector<std::string> left{"golu", "goll", "gold", "godd", "godd"};
    EXPECT_TRUE(names == right || names == left) << names[0] << " " << names[1] << " " << names[2];
    EXPECT_TRUE(p.GetPendingDirection().empty());
    EXPECT_EQ(p.visits, 0);  // turning frames do nothing else
    WalkOut(*a, p);
    EXPECT_EQ(a->GetPosY(), 30);
    EXPECT_EQ(p.finishes, 1);
}

TEST_F(PathFinderTest, OneVertexRouteTurnsOnArrivalOnlyWhenAsked) {
    CountingFinder p;
    Line(p, {{0, 0}});
    auto a = Walker(0, 0, "gouu");
    p.LinkAnima(a.get());
    // A lone vertex has no edges, so the search from it reaches nothing.
    EXPECT_EQ(p.Goto(50, 0), -1);

    // Two vertices far apart: the point lies by the first one.
    CountingFinder q;
    Line(q, {{0, 0}, {100, 100}});
    q.LinkAnima(a.get());
    ASSERT_EQ(q.Goto(0, 0), 0);
    a->Tick();
    EXPECT_EQ(q.finishes, 1);  // at once
    EXPECT_EQ(q.visits, 1);

    q.SetTurnOnArrival(1);
    a->PlayByName("gouu");
    ASSERT_EQ(q.Goto(40, 0), 0);  // the point lies right of the animation
    std::vector<std::string> names;
    for (int i = 0; i < 10 && q.IsWalking(); ++i) {
        a->Tick();
        names.push_back(a->GetActionName());
    }
    EXPECT_EQ((std::vector<std::string>{"goru", "gorr", "gorr", "gorr"}), names);
    EXPECT_EQ(q.finishes, 2);
    EXPECT_EQ(a->GetPosX(), 0);  // turned, never moved
}

// Sent back towards the vertex it has just left, the walker's route is that
// one vertex: from the middle of the edge it walks back to it, visits it and
// finishes there, instead of stopping where it stands; within a step of it,
// it stays.
TEST_F(PathFinderTest, AOneVertexRouteWalksToTheVertexFromAwayButNotFromWithinAStep) {
    CountingFinder p;
    Line(p, {{100, 460}, {400, 460}, {700, 460}});
    p.SetSpeed(1.0f);
    auto a = Walker(100, 460);
    p.LinkAnima(a.get());
    ASSERT_EQ(p.Goto(700, 460), 0);
    for (int i = 0; i < 40; ++i) a->Tick();
    ASSERT_GT(a->GetPosX(), 100);
    ASSERT_LT(a->GetPosX(), 400);
    const int visits = p.visits, finishes = p.finishes;

    ASSERT_EQ(p.Goto(90, 460), 0);
    EXPECT_EQ(p.GetStartIndex(), p.GetTargetIndex());
    WalkOut(*a, p);
    EXPECT_FALSE(p.IsWalking());
    EXPECT_EQ(a->GetPosX(), 100);
    EXPECT_EQ(a->GetPosY(), 460);
    EXPECT_EQ(p.visits - visits, 1);  // on arrival
    EXPECT_EQ(p.finishes - finishes, 1);
    EXPECT_EQ(p.GetStandAction(), "standll");

    // A walk's last step overshoots its end; sent there again, the walker
    // stands within a step of it: it stays, facing as it was, and finishes.
    CountingFinder q;
    Line(q, {{10, 100}, {50, 100}, {90, 100}});
    q.SetSpeed(15.0f);
    auto b = Walker(10, 100);
    q.LinkAnima(b.get());
    ASSERT_EQ(q.Goto(90, 100), 0);
    WalkOut(*b, q);
    ASSERT_EQ(b->GetPosX(), 100);
    for (int again = 1; again <= 2; ++again) {
        ASSERT_EQ(q.Goto(90, 100), 0);
        EXPECT_LE(WalkOut(*b, q), 1);
        EXPECT_EQ(b->GetPosX(), 100);
        EXPECT_EQ(q.GetStandAction(), "standrr");
        EXPECT_EQ(q.finishes, 1 + again);
    }
    // Through a depth filter a step is the speed times the scale: at depth
    // -0.5 half of 15, so from 10 away the walker goes back to the vertex.
    for (int i = 0; i < q.GetVertexCount(); ++i) q.GetPathVertex(i)->SetDepth(-0.5f);
    q.LinkFilter();
    ASSERT_EQ(q.Goto(90, 100), 0);
    WalkOut(*b, q);
    EXPECT_LT(b->GetPosX(), 100);
    EXPECT_EQ(q.GetStandAction(), "standll");
}

TEST_F(PathFinderTest, NoRouteLeavesTheAnimationAlone) {
    CountingFinder p;
    auto a = Walker(5, 5);
    p.LinkAnima(a.get());
    EXPECT_EQ(p.Goto(10, 10), -1);  // empty graph
    EXPECT_EQ(p.RouteLength(10, 10), -1.0f);

    CountingFinder q;
    Line(q, {{0, 0}, {10, 0}});
    EXPECT_EQ(q.Goto(10, 0), -1);  // no animation
    q.GetGraph().AddVertex(new ddpathVertex(100, 100, 0.0f, 7));
    q.GetGraph().AddVertex(new ddpathVertex(110, 100, 0.0f, 7));
    q.AddEdge(2, 3);
    q.LinkAnima(a.get());
    EXPECT_EQ(q.Goto(110, 100), -1);                 // another component
    EXPECT_EQ(q.PlanEndpoints(110, 100, false), 1);  // endpoints exist all the same
    EXPECT_FALSE(q.IsWalking());
    EXPECT_EQ(a->GetPosX(), 5);
    EXPECT_STREQ(a->GetActionName(), "standrr");

    // All vertices disabled: no start.
    q.SetEnabledById(10, 0);
    q.SetEnabledById(11, 0);
    q.SetEnabledById(7, 0);
    EXPECT_EQ(q.PlanEndpoints(0, 0, false), 0);
    EXPECT_EQ(q.IsEnabledById(7), 0);
    EXPECT_EQ(q.IsEnabledById(12345), 0);
}

TEST_F(PathFinderTest, ZeroLengthSegmentsArriveWithoutMoving) {
    CountingFinder p;
    // Two vertices on the same spot and depth, then one further on.
    Line(p, {{0, 0}, {0, 0}, {0, 0}, {12, 0}});
    p.SetSpeed(3.0f);
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    ASSERT_EQ(p.Goto(12, 0), 0);
    const int ticks = WalkOut(*a, p);
    EXPECT_LT(ticks, 20);
    EXPECT_FALSE(p.IsWalking());
    EXPECT_EQ(p.visits, 4);
    EXPECT_EQ(p.finishes, 1);
    EXPECT_EQ(a->GetPosX(), 12);
    EXPECT_EQ(a->GetPosY(), 0);
    EXPECT_TRUE(std::isfinite(p.GetLastScale()));
}

TEST_F(PathFinderTest, RouteQueriesStayWithinTheSlots) {
    CountingFinder p;
    Line(p, {{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    ASSERT_EQ(p.Goto(30, 0), 0);
    EXPECT_EQ(p.WalkFrom(0, 2, -1), 2);
    EXPECT_EQ(p.WalkFrom(0, 3, 1), 1);  // the stop is on the way
    EXPECT_EQ(p.WalkFrom(9, 1, -1), -1);
    EXPECT_EQ(p.WalkFrom(0, 1000, 2), 2);  // a long count still stops on the way
    // Previous links that run in a circle (left by older searches) end
    // after as many links as there are slots.
    for (int i = 0; i < 4; ++i) p.GetPathVertex(i)->SetPrevious((i + 1) % 4);
    EXPECT_EQ(p.WalkFrom(0, 1000000000, -1), -1);
    EXPECT_EQ(p.VertexAfter(1000000000), -1);
    EXPECT_EQ(p.FindById(12), 2);
    EXPECT_EQ(p.FindById(99), -1);
    p.SetPos(100, 50);
    EXPECT_EQ(p.VertexScreenX(3), 130);
    EXPECT_EQ(p.VertexScreenY(3), 50);
    EXPECT_EQ(p.VertexScreenX(44), 0);
    p.Move(-100, -50);
    p.ShiftVertices(1, 2);
    EXPECT_EQ(p.VertexScreenX(0), 1);
    EXPECT_EQ(p.VertexScreenY(0), 2);
    EXPECT_EQ(p.NearestVertex(29, 40), 3);
    EXPECT_FLOAT_EQ(p.DistanceToGraph(1, 12), 10.0f);
    EXPECT_FALSE(p.IsIn(1, 2, 0, 0));

    CountingFinder empty;
    EXPECT_EQ(empty.NearestVertex(0, 0), -1);
    EXPECT_EQ(empty.DistanceToGraph(0, 0), -1.0f);

    // Vertices at the ends of the int range, as a graph file may place them.
    CountingFinder far;
    Line(far, {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {0, 5}});
    EXPECT_EQ(far.NearestVertex(INT_MIN, INT_MIN), 1);
    EXPECT_EQ(far.NearestVertex(INT_MAX, INT_MIN), 2);
    EXPECT_EQ(far.NearestVertex(INT_MAX - 1, INT_MAX), 0);
}

TEST_F(PathFinderTest, RouteLengthIsTheStartsDistanceAlongTheGraph) {
    CountingFinder p;
    // An L: (0,0) - (30,0) - (30,40).
    Line(p, {{0, 0}, {30, 0}, {30, 40}});
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    EXPECT_FLOAT_EQ(p.RouteLength(30, 40), 70.0f);
    EXPECT_FALSE(p.IsWalking());
    ASSERT_EQ(p.Goto(30, 40), 0);
    EXPECT_FLOAT_EQ(p.RouteLength(30, 0), 30.0f);  // stops the walk
    EXPECT_FALSE(p.IsWalking());
    EXPECT_EQ(p.finishes, 0);
}

TEST_F(PathFinderTest, ExcludedTargetIsPassedOverOnceAndHeldUpOnce) {
    CountingFinder p;
    Line(p, {{0, 0}, {10, 0}, {20, 0}});
    p.SetSpeed(2.0f);
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    p.Exclude(2);
    ASSERT_EQ(p.Goto(20, 0), 0);
    EXPECT_EQ(p.GetTargetIndex(), 1);
    EXPECT_FALSE(p.GetPathVertex(2)->IsExcluded());
    WalkOut(*a, p);
    EXPECT_EQ(a->GetPosX(), 10);

    // An excluded vertex ahead holds the walker for one frame.
    a->SetPos(0, 0);
    ASSERT_EQ(p.Goto(20, 0), 0);
    a->Tick();  // the start is visited
    p.Exclude(1);
    const int x = a->GetPosX();
    a->Tick();
    EXPECT_EQ(a->GetPosX(), x);
    EXPECT_FALSE(p.GetPathVertex(1)->IsExcluded());
    WalkOut(*a, p);
    EXPECT_EQ(a->GetPosX(), 20);
}

TEST_F(PathFinderTest, DepthScalesTheWalkerThroughItsFilter) {
    CountingFinder p;
    Line(p, {{0, 0}, {40, 0}}, {-1.0f, -1.0f});
    p.SetSpeed(4.0f);
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    p.LinkFilter();
    ASSERT_NE(p.GetDepthFilter(), nullptr);
    EXPECT_EQ(a->GetLinkedFilter(), p.GetDepthFilter());
    // Scaled where it stands as on the walk: never to nothing, never mirrored.
    p.ScaleAtCurrent();
    EXPECT_DOUBLE_EQ(p.GetDepthFilter()->GetZoomX(), static_cast<double>(0.01f));
    p.SetScalePower(2.0f);  // -1 at depth -1
    p.ScaleAtCurrent();
    EXPECT_DOUBLE_EQ(p.GetDepthFilter()->GetZoomX(), static_cast<double>(0.01f));
    p.SetScalePower(1.0f);
    ASSERT_EQ(p.Goto(40, 0), 0);
    a->Tick();
    a->Tick();
    EXPECT_FLOAT_EQ(p.GetLastScale(), 0.01f);  // depth -1 at both ends
    EXPECT_DOUBLE_EQ(p.GetDepthFilter()->GetZoomX(), static_cast<double>(0.01f));
    p.Stop(false);

    // Power 0: always full size, full speed.
    p.SetScalePower(0.0f);
    a->SetPos(0, 0);
    ASSERT_EQ(p.Goto(40, 0), 0);
    a->Tick();
    a->Tick();
    EXPECT_FLOAT_EQ(p.GetLastScale(), 1.0f);
    EXPECT_EQ(a->GetPosX(), 8);
    p.Stop(false);

    p.UnlinkFilter();
    EXPECT_EQ(p.GetDepthFilter(), nullptr);
    EXPECT_EQ(a->GetLinkedFilter(), nullptr);

    // Half size at depth -0.5: a 32 x 64 walker whose hot spot is its feet
    // is drawn 16 x 32 with its bottom row where it stands.
    Image tall;
    GraphAPI::CreateImage(&tall, 32, 64, 1);
    Animacja feet;
    feet.AddNamedAction("standrr")->AddFrameFromFile(&tall, 0, "feet", -16, -64);
    feet.PlayByName("standrr");
    feet.SetPos(200, 300);
    CountingFinder q;
    Line(q, {{200, 300}}, {-0.5f});
    q.LinkAnima(&feet);
    q.LinkFilter();
    q.ScaleAtCurrent();
    const Image& drawn = *q.GetDepthFilter()->GetOutputImage();
    EXPECT_EQ(std::vector<int>({drawn.x, drawn.y, drawn.w, drawn.h}), std::vector<int>({193, 269, 16, 32}));
}

TEST_F(PathFinderTest, TurnGoesStepByStepAndFinishes) {
    CountingFinder p;
    auto a = Walker(0, 0, "standuu");
    p.Turn("rr");  // nothing linked
    EXPECT_FALSE(p.IsWalking());
    p.LinkAnima(a.get());
    p.Turn("north");  // not a direction
    p.Turn("");
    EXPECT_FALSE(p.IsWalking());
    p.Turn("rd");
    ASSERT_TRUE(p.IsWalking());
    std::vector<std::string> names{a->GetActionName()};
    for (int i = 0; i < 8 && p.IsWalking(); ++i) {
        a->Tick();
        names.push_back(a->GetActionName());
    }
    EXPECT_EQ((std::vector<std::string>{"standuu", "standru", "standrr", "standrd", "gord", "gord"}), names);
    EXPECT_EQ(p.finishes, 1);
    EXPECT_EQ(p.visits, 0);
}

TEST_F(PathFinderTest, StopsWithAndWithoutNotice) {
    CountingFinder p;
    Line(p, {{0, 0}, {50, 0}});
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    p.Stop(true);  // not walking: nothing
    EXPECT_EQ(p.finishes, 0);
    ASSERT_EQ(p.Goto(50, 0), 0);
    p.Stop(false);
    EXPECT_EQ(p.finishes, 0);
    EXPECT_FALSE(a->IsPlaying());
    ASSERT_EQ(p.Goto(50, 0), 0);
    p.Stop(true);
    EXPECT_EQ(p.finishes, 1);
    EXPECT_EQ(p.GetStandAction(), "standrr");
}

TEST_F(PathFinderTest, DeletedAnimationIsForgottenWalkingOrLinked) {
    auto p = std::make_unique<CountingFinder>();
    auto other = std::make_unique<CountingFinder>();
    Line(*p, {{0, 0}, {50, 0}});
    auto a = Walker(0, 0);
    p->LinkAnima(a.get());
    other->LinkAnima(a.get());
    p->LinkFilter();
    ASSERT_EQ(p->Goto(50, 0), 0);
    a->Tick();
    a.reset();
    EXPECT_FALSE(p->IsWalking());
    EXPECT_EQ(p->GetLinkedAnima(), nullptr);
    EXPECT_EQ(other->GetLinkedAnima(), nullptr);
    EXPECT_EQ(p->GetDepthFilter(), nullptr);
    EXPECT_EQ(p->Goto(50, 0), -1);

    // Merely linked, by a path finder that never walked it.
    auto b = Walker(0, 0);
    other->LinkAnima(b.get());
    b.reset();
    EXPECT_EQ(other->GetLinkedAnima(), nullptr);

    // The path finder goes first: the animation lets go of it and plays on.
    auto c = Walker(0, 0);
    p->LinkAnima(c.get());
    ASSERT_EQ(p->Goto(50, 0), 0);
    p.reset();
    EXPECT_EQ(c->GetPathFinder(), nullptr);
    c->PlayByName("gorr");
    for (int i = 0; i < 5; ++i) c->Tick();
    EXPECT_FALSE(c->IsPlaying());  // an action that does not loop ends
}

TEST_F(PathFinderTest, LinkedButIdleAnimationPlaysAsItWould) {
    CountingFinder p;
    auto a = Walker(0, 0);
    a->GetAction(a->FindAction("gorr"))->SetLoop(1);
    p.LinkAnima(a.get());
    a->PlayByName("gorr");
    for (int i = 0; i < 6; ++i) a->Tick();
    EXPECT_TRUE(a->IsPlaying());  // loops
    a->PlayByName("gorr");
    a->GetAction(a->FindAction("gorr"))->SetLoop(0);
    for (int i = 0; i < 6; ++i) a->Tick();
    EXPECT_FALSE(a->IsPlaying());
    p.UnlinkAnima();
    EXPECT_EQ(a->GetPathFinder(), nullptr);
}

TEST_F(PathFinderTest, BuildAndResetForgetTheAnimation) {
    CountingFinder p;
    Line(p, {{0, 0}, {50, 0}});
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    ASSERT_EQ(p.Goto(50, 0), 0);
    p.Build(nullptr, "missing.png", 10, 10, 2.0f, 1);
    EXPECT_EQ(p.GetLinkedAnima(), nullptr);
    EXPECT_FALSE(p.IsWalking());
    EXPECT_EQ(p.GetStartIndex(), -1);
    EXPECT_EQ(p.GetTargetIndex(), -1);
    EXPECT_EQ(a->GetPathFinder(), nullptr);
    EXPECT_EQ(p.Goto(50, 0), -1);

    // A copy takes the graph, the speed and the animation given.
    CountingFinder q;
    Line(q, {{0, 0}, {50, 0}});
    p.CopyFrom(a.get(), &q, 3.0f);
    EXPECT_EQ(p.GetLinkedAnima(), a.get());
    EXPECT_NE(a->GetPathFinder(), nullptr);
    EXPECT_EQ(p.Goto(50, 0), 0);
}

TEST_F(PathFinderTest, VisitHandlerMayStopTheWalk) {
    CountingFinder p;
    Line(p, {{0, 0}, {10, 0}, {20, 0}});
    p.SetSpeed(5.0f);
    auto a = Walker(0, 0);
    p.LinkAnima(a.get());
    p.onVisit = [&] {
        if (p.visits == 2) p.Stop(false);
    };
    ASSERT_EQ(p.Goto(20, 0), 0);
    WalkOut(*a, p);
    EXPECT_EQ(p.visits, 2);
    EXPECT_EQ(a->GetPosX(), 10);
    EXPECT_EQ(p.finishes, 0);
}

TEST_F(PathFinderTest, DrawsEnabledVerticesAsDotsAtTheBaseOffset) {
    SDL_Surface* screen = GraphAPI::CurrentVideo().Screen;
    auto pixel = [screen](int x, int y) {
        Uint8 r = 0, g = 0, b = 0;
        SDL_LockSurface(screen);
        const Uint32 v =
            *reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + y * screen->pitch + x * 4);
        SDL_UnlockSurface(screen);
        SDL_GetRGB(v, screen->format, &r, &g, &b);
        return (r << 16) | (g << 8) | b;
    };
    SDL_FillRect(screen, nullptr, 0);
    CountingFinder p;
    Line(p, {{10, 10}, {30, 10}});
    p.SetPos(5, 7);
    p.GetDot().SetColor(0, 255, 0, 255);
    p.SetEnabledById(11, 0);
    p.Draw();
    EXPECT_EQ(pixel(15, 17), 0x00FF00);
    EXPECT_EQ(pixel(16, 18), 0x00FF00);
    EXPECT_EQ(pixel(17, 17), 0);
    EXPECT_EQ(pixel(35, 17), 0);  // disabled
    SDL_FillRect(screen, nullptr, 0);
    p.Hide();
    p.Draw();
    EXPECT_EQ(pixel(15, 17), 0);
}
