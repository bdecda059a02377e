// libFuzzer target for walk-path graphs (".ptf") and the path finder on
// what was read: any file loads, routes to every vertex are planned and
// walked to the end by an animation, and a graph the engine writes reads
// back as the same graph.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "graphics/animation.h"
#include "graphics/graph_api.h"
#include "paths/path_finder.h"

namespace {

constexpr const char* kCodes[] = {"uu", "ru", "rr", "rd", "dd", "ld", "ll", "lu"};

// An animation with walk and stand actions in the eight directions.
std::unique_ptr<Animacja> Walker(const Image* frame) {
    auto a = std::make_unique<Animacja>();
    for (const char* prefix : {"go", "stand"})
        for (const char* code : kCodes) {
            AkcjaAnimacji* action = a->AddNamedAction((std::string(prefix) + code).c_str());
            action->AddFrameFrom(frame);
            action->AddFrameFrom(frame);
        }
    a->SetDelay(1);
    a->PlayByName("standrr");
    return a;
}

// Plans and walks to a few vertices and points; each walk is ticked out.
void Walk(ddPathFinder& finder, Animacja& anima) {
    finder.LinkAnima(&anima);
    finder.SetDepthSize(10.0f);
    int tried = 0;
    for (int i = 0; i < finder.GetVertexCount() && tried < 4; ++i) {
        const ddpathVertex* v = finder.GetPathVertex(i);
        if (!v) continue;
        ++tried;
        finder.RouteLength(v->GetX(), v->GetY());
        // a point beside the vertex (towards the middle of the int range)
        const int px = v->GetX() > 0 ? v->GetX() - 1 : v->GetX() + 1;
        const int py = v->GetY() > 0 ? v->GetY() - 1 : v->GetY() + 1;
        if (finder.Goto(px, py) == 0)
            for (int t = 0; t < 400 && finder.IsWalking(); ++t) anima.Tick();
        finder.Exclude(i);
        finder.DistanceToGraph(v->GetX(), v->GetY());
        finder.WalkFrom(i, 3, -1);
        finder.VertexAfter(2);
    }
    finder.Goto(-5, 7);
    finder.Stop(true);
    finder.ScaleAtCurrent();
    finder.Turn("ld");
    for (int t = 0; t < 10; ++t) anima.Tick();
    finder.UnlinkAnima();
}

// The vertices, their depths as written (six decimals) and the sets of
// their neighbours. The order of a vertex's edges is not kept: every line
// links both ways, so reading cannot rebuild each vertex's own order.
void ExpectSameGraph(const ddPathFinder& a, const ddPathFinder& b) {
    if (a.GetVertexCount() != b.GetVertexCount()) FuzzFailure("a written graph reads back with other slots");
    auto neighbours = [](const ddpathVertex* v) {
        std::vector<int> to;
        for (const ddEdge& e : v->Edges()) to.push_back(e.to);
        std::sort(to.begin(), to.end());
        return to;
    };
    for (int i = 0; i < a.GetVertexCount(); ++i) {
        const ddpathVertex* x = a.GetPathVertex(i);
        const ddpathVertex* y = b.GetPathVertex(i);
        if (!x != !y) FuzzFailure("a written graph reads back with other vertices");
        if (!x) continue;
        char depth[64];
        std::snprintf(depth, sizeof depth, "%f", static_cast<double>(x->GetDepth()));
        if (x->GetX() != y->GetX() || x->GetY() != y->GetY() || x->GetId() != y->GetId() ||
            std::strtof(depth, nullptr) != y->GetDepth())
            FuzzFailure("a written graph reads back with another vertex");
        if (neighbours(x) != neighbours(y)) FuzzFailure("a written graph reads back with other edges");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    OpenDummyScreenAndFont();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuard guard;
    static Image* frame = [] {
        auto* image = new Image;
        GraphAPI::CreateImage(image, 4, 4, 1);
        return image;
    }();
    WriteInputFile("graph.ptf", {reinterpret_cast<const char*>(data), size});

    ddPathFinder finder;
    finder.LoadGraph("graph.ptf");
    std::unique_ptr<Animacja> anima = Walker(frame);
    anima->SetPos(3, 4);
    Walk(finder, *anima);
    finder.Draw();

    // Written and read back.
    ddPathFinder read;
    read.LoadGraph("graph.ptf");
    if (!read.SaveGraph("saved.ptf")) FuzzFailure("saving into the working folder failed");
    ddPathFinder again;
    again.LoadGraph("saved.ptf");
    ExpectSameGraph(read, again);
    return 0;
}
