#include "paths/path_finder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/random.h"
#include "foundation/saturating.h"
#include "graphics/animation.h"
#include "graphics/filter.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"

namespace {

constexpr const char* kCodes[8] = {"uu", "ru", "rr", "rd", "dd", "ld", "ll", "lu"};

// Slope bounds of the eight directions: tan(22.5 and 67.5 degrees) would be
// the angles; the slope itself is compared with these numbers.
constexpr float kFlatSlope = 0.3926991f;
constexpr float kSteepSlope = 1.1780972f;

// Every live path finder, so that a destroyed animation reaches them all.
std::vector<ddPathFinder*>& LiveFinders() {
    static std::vector<ddPathFinder*> live;
    return live;
}

std::string LastTwo(const char* name) {
    if (!name) return "";
    const size_t n = std::strlen(name);
    return n <= 2 ? std::string(name) : std::string(name + n - 2);
}

bool StartsWith(const char* text, const std::string& prefix) {
    return text && std::strncmp(text, prefix.c_str(), prefix.size()) == 0;
}

bool IsDirectionCode(const char* code) {
    if (!code || std::strlen(code) != 2) return false;
    for (const char* c : kCodes)
        if (std::strcmp(c, code) == 0) return true;
    return false;
}

// Truncation towards zero of a float that may lie outside int's range.
int TruncPixels(float v) {
    if (!(v > -2147483520.0f && v < 2147483520.0f)) return 0;
    return static_cast<int>(v);
}

// The direction of a vector whose components may not fit an int: scaled
// down, keeping its slope, when one does not.
std::string DirectionOfWide(int64_t dx, int64_t dy, int moveType) {
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const double big = static_cast<double>(std::max(std::llabs(dx), std::llabs(dy)));
    const double f = big > 1e9 ? 1e9 / big : 1.0;
    const int ix = static_cast<int>(static_cast<double>(std::llabs(dx)) * f) * sx;
    const int iy = static_cast<int>(static_cast<double>(std::llabs(dy)) * f) * sy;
    return ddPathFinder::DirectionFromVector(ix, iy, moveType);
}

}  // namespace

// ------------------------------------------------------------------ life

ddPathFinder::ddPathFinder(asmClass* cls, const char* name) {
    SetClass(cls);
    LiveFinders().push_back(this);
    CurrentStage().AddDrawable(this);
    dot.Create(0, 0, 2, 2);
    dot.SetColor(255, 255, 255, 255);
    if (name) SetName(name);
}

ddPathFinder::~ddPathFinder() {
    *alive = false;
    auto& live = LiveFinders();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    depthFilter.reset();
    Animacja* w = walking;
    Animacja* l = linkedAnima;
    walking = nullptr;
    linkedAnima = nullptr;
    watch.anima = nullptr;
    LetGo(w);
    if (l != w) LetGo(l);
    graph.DeleteVertices();
}

// ------------------------------------------------------------------ animation links

void ddPathFinder::LinkWatch::ResetAnimaFrame() {
    Animacja* a = anima;
    if (!a) return;
    AkcjaAnimacji* action = a->GetCurrentAction();
    if (action && action->GetLoop()) {
        a->Show();
        a->SetActionFrame(a->GetActionNr(), 0);
    } else {
        a->Stop(true);
    }
}

void ddPathFinder::LinkWatch::ForgetAnimation(Animacja* animation) { ForgetEverywhere(animation); }

void ddPathFinder::ForgetAnimation(Animacja* animation) { ForgetEverywhere(animation); }

void ddPathFinder::ForgetEverywhere(Animacja* a) {
    if (!a) return;
    for (ddPathFinder* p : LiveFinders()) {
        if (p->walking == a) {
            p->walking = nullptr;
            p->fromIndex = p->toIndex = -1;
            p->direction.clear();
        }
        if (p->linkedAnima == a) p->linkedAnima = nullptr;
        if (p->watch.anima == a) p->watch.anima = nullptr;
        if (p->depthFilter && p->depthFilter->GetLinked() == a) {
            // The animation is half destroyed: the filter lets go without touching it.
            p->depthFilter->ForgetLinkedObject(a);
            if (a->GetLinkedFilter() == p->depthFilter.get()) a->SetLinkedFilter(nullptr);
            p->depthFilter.reset();
        }
    }
}

void ddPathFinder::WatchLinked() {
    watch.anima = linkedAnima;
    if (linkedAnima && !linkedAnima->GetPathFinder()) linkedAnima->SetPathFinder(&watch);
}

void ddPathFinder::LetGo(Animacja* a) {
    if (!a || a == walking) return;
    AnimationWalker* holder = a->GetPathFinder();
    if (holder != this && holder != &watch) return;
    if (a == linkedAnima) {
        // Still linked: the watch stands in for the walk that ended.
        watch.anima = a;
        a->SetPathFinder(&watch);
        return;
    }
    // Another path finder walking it takes the slot, else one linking it.
    AnimationWalker* next = nullptr;
    for (ddPathFinder* p : LiveFinders()) {
        if (p == this) continue;
        if (p->walking == a) {
            next = p;
            break;
        }
        if (!next && p->linkedAnima == a) {
            p->watch.anima = a;
            next = &p->watch;
        }
    }
    a->SetPathFinder(next);
}

void ddPathFinder::LinkAnima(Animacja* anima) {
    if (anima == linkedAnima) return;
    Animacja* old = linkedAnima;
    linkedAnima = anima;
    watch.anima = nullptr;
    LetGo(old);
    WatchLinked();
}

void ddPathFinder::UnlinkAnima() {
    UnlinkFilter();
    if (!linkedAnima) return;
    Animacja* old = linkedAnima;
    Animacja* w = walking;
    walking = nullptr;
    linkedAnima = nullptr;
    watch.anima = nullptr;
    LetGo(old);
    if (w != old) LetGo(w);
}

void ddPathFinder::TakeWalking() {
    Animacja* old = walking;
    walking = linkedAnima;
    if (walking) walking->SetPathFinder(this);
    if (old != walking) LetGo(old);
}

void ddPathFinder::LinkFilter() {
    if (!linkedAnima) return;
    depthFilter = std::make_unique<ddFilter>();
    // Scaled about its position, the walker keeps its hot spot (its feet)
    // on the walk path at every depth.
    depthFilter->SetPlacement(PLACE_SCALED);
    depthFilter->Link(linkedAnima);
}

void ddPathFinder::UnlinkFilter() {
    if (!depthFilter) return;
    depthFilter->Unlink();
    depthFilter.reset();
}

// ------------------------------------------------------------------ graph sources

void ddPathFinder::Reset() {
    Animacja* w = walking;
    Animacja* l = linkedAnima;
    walking = nullptr;
    startIndex = targetIndex = -1;
    fromIndex = toIndex = -1;
    direction.clear();
    ddWalkGraph::Reset();  // forgets the linked animation
    watch.anima = nullptr;
    LetGo(w);
    if (l != w) LetGo(l);
}

void ddPathFinder::Build(Animacja* anima, const char* source, int sx, int sy, float newSpeed, int newTag) {
    ddWalkGraph::Build(anima, source, sx, sy, newSpeed, newTag);
    WatchLinked();
}

void ddPathFinder::CopyFrom(Animacja* anima, const ddPathFinder* other, float newSpeed) {
    ddWalkGraph::CopyFrom(anima, other, newSpeed);
    WatchLinked();
}

// ------------------------------------------------------------------ drawing and placement

void ddPathFinder::Draw() {
    if (!visible) return;
    Image* image = dot.GetImage();
    if (!image || !image->surface) return;
    const int ox = image->x, oy = image->y;
    for (int i = 0; i < graph.GetCount(); ++i) {
        const ddpathVertex* v = GetPathVertex(i);
        if (!v || !v->IsEnabled()) continue;
        image->x = SatAdd(v->GetX(), baseX);
        image->y = SatAdd(v->GetY(), baseY);
        GraphAPI::BlitToScreen(image);
    }
    image->x = ox;
    image->y = oy;
}

void ddPathFinder::Move(int dx, int dy) {
    baseX = SatAdd(baseX, dx);
    baseY = SatAdd(baseY, dy);
    SetRedraw();
}

void ddPathFinder::SetPos(int x, int y) {
    baseX = x;
    baseY = y;
    SetRedraw();
}

bool ddPathFinder::IsIn(int, int, int, int) { return false; }

// ------------------------------------------------------------------ directions

std::string ddPathFinder::DirectionFromVector(int dx, int dy, int type) {
    const bool left = dx <= 0, up = dy <= 0;
    if (type == 1) return left ? "ll" : "rr";
    if (dx == 0) return up ? "uu" : "dd";
    const float r = std::fabs(static_cast<float>(dy) / static_cast<float>(dx));
    if (r < kFlatSlope) return left ? "ll" : "rr";
    if (r <= kSteepSlope) return left ? (up ? "lu" : "ld") : (up ? "ru" : "rd");
    return up ? "uu" : "dd";
}

std::string ddPathFinder::DirectionBetween(const ddpathVertex& from, const ddpathVertex& to, int type,
                                           float depthFactor) {
    const int64_t dx = static_cast<int64_t>(to.GetX()) - from.GetX();
    int64_t dy = static_cast<int64_t>(to.GetY()) - from.GetY();
    const float z = (to.GetDepth() - from.GetDepth()) * depthFactor;
    const int64_t dz = std::isfinite(z) && std::fabs(z) < 1e15f ? static_cast<int64_t>(std::nearbyint(z)) : 0;
    if (std::llabs(dz) > std::llabs(dy)) dy = dz;
    // Only the signs and the slope matter: bring huge values into int range.
    double fx = static_cast<double>(dx), fy = static_cast<double>(dy);
    const double big = std::max(std::fabs(fx), std::fabs(fy));
    if (big > 1e9) {
        fx = fx / big * 1e9;
        fy = fy / big * 1e9;
    }
    return DirectionFromVector(static_cast<int>(fx), static_cast<int>(fy), type);
}

int ddPathFinder::DirectionIndex(const char* code) {
    if (!code) return 7;
    for (int i = 0; i < 7; ++i)
        if (code[0] == kCodes[i][0] && code[0] != '\0' && code[1] == kCodes[i][1]) return i;
    return 7;
}

const char* ddPathFinder::DirectionCode(int index) { return kCodes[((index % 8) + 8) % 8]; }

std::string ddPathFinder::TurnStep(const char* current, const char* target) {
    const int c = DirectionIndex(current);
    const int t = DirectionIndex(target);
    const int d = ((t - c) % 8 + 8) % 8;
    int next;
    if (d >= 1 && d <= 3)
        next = c + 1;
    else if (d >= 5)
        next = c - 1;
    else if (d == 0)
        next = c + 1;
    else {
        // Opposite: a coin decides; the right-hand codes turn clockwise on
        // a set bit, the left-hand ones counter-clockwise.
        const bool bit = (NextRandom() & 1) != 0;
        const bool clockwise = c <= 4 ? bit : !bit;
        next = clockwise ? c + 1 : c - 1;
    }
    return DirectionCode(next);
}

std::string ddPathFinder::CurrentDirection() const {
    return walking ? LastTwo(walking->GetActionName()) : std::string();
}

float ddPathFinder::DepthFactor() const { return depthFilter ? depthSize * scalePower : 0.0f; }

void ddPathFinder::SwitchAction(Animacja* a, const std::string& name, int frame) {
    a->Stop(false);
    a->PlayByName(name.c_str());
    if (a->GetFrameCount() > frame) a->SetFrame(frame);
}

void ddPathFinder::SetDirection(const char* code) {
    Animacja* a = walking;
    if (!a || !code) return;
    direction.assign(code, std::min<size_t>(std::strlen(code), 2));
    ScaleAtCurrent();
    if (startIndex == targetIndex) {
        if (!a->IsPlaying()) a->Play(-1);
        return;
    }
    const std::string current = CurrentDirection();
    if (current == direction) {
        direction.clear();
        const std::string walkName = walkPrefix + current;
        const char* actionName = a->GetActionName();
        if (!actionName || walkName != actionName)
            SwitchAction(a, walkName, a->GetFrameNr());
        else if (!a->IsPlaying())
            a->Play(-1);
        return;
    }
    const std::string step = TurnStep(current.c_str(), direction.c_str());
    if (IsStandAction()) {
        a->PlayByName((standPrefix + step).c_str());
        if (depthFilter) ScaleAtCurrent();
    } else {
        SwitchAction(a, walkPrefix + step, a->GetFrameNr());
    }
}

void ddPathFinder::Turn(const char* code) {
    if (!IsDirectionCode(code) || !linkedAnima) return;
    fromIndex = toIndex = -1;
    TakeWalking();
    SetDirection(code);
}

// ------------------------------------------------------------------ planning

int ddPathFinder::PlanEndpoints(int x, int y, bool skipExcluded) {
    if (!graph.HasVertices() || !linkedAnima) return 0;
    startIndex = targetIndex = -1;
    const float ax = static_cast<float>(linkedAnima->GetPosX());
    const float ay = static_cast<float>(linkedAnima->GetPosY());
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    float bestStart = 0.0f, bestTarget = 0.0f;
    for (int i = 0; i < graph.GetCount(); ++i) {
        ddpathVertex* v = GetPathVertex(i);
        if (!v || !v->IsEnabled()) continue;
        const float sx = static_cast<float>(v->GetX()) + static_cast<float>(baseX);
        const float sy = static_cast<float>(v->GetY()) + static_cast<float>(baseY);
        const float ds = std::sqrt((sx - ax) * (sx - ax) + (sy - ay) * (sy - ay));
        if (startIndex < 0 || ds < bestStart) {
            startIndex = i;
            bestStart = ds;
        }
        if (skipExcluded && v->IsExcluded()) {
            v->SetExcluded(0);
            continue;
        }
        const float dt = std::sqrt((sx - px) * (sx - px) + (sy - py) * (sy - py));
        if (targetIndex < 0 || dt < bestTarget) {
            targetIndex = i;
            bestTarget = dt;
        }
    }
    return startIndex >= 0 && targetIndex >= 0 ? 1 : 0;
}

int ddPathFinder::Goto(int x, int y) {
    fromIndex = toIndex = -1;
    if (!PlanEndpoints(x, y, true)) return -1;
    graph.ShortestPaths(targetIndex, -1.0f);
    ddpathVertex* start = GetPathVertex(startIndex);
    if (!start || start->IsUnreached()) return -1;
    // Number the route; previous links of unreached vertices may be left
    // from older searches, so the walk is bounded by the slot count.
    start->SetStep(0);
    int at = startIndex;
    for (int n = 1; at != targetIndex; ++n) {
        if (n > graph.GetCount()) return -1;
        ddpathVertex* v = GetPathVertex(GetPathVertex(at)->GetPrevious());
        if (!v) return -1;
        v->SetStep(n);
        at = v->GetIndex();
    }

    OnStart();
    remainX = remainY = remainZ = 0;
    travelX = travelY = travelZ = 0;
    carryX = carryY = 0;
    stepAlongX = stepAlongY = stepAlongZ = 0;
    segmentLength = 0;
    TakeWalking();
    gotoX = x;
    gotoY = y;
    if (walking) StartSegment(x, y);
    return 0;
}

void ddPathFinder::StartSegment(int px, int py) {
    Animacja* a = walking;
    const ddpathVertex* from = GetPathVertex(startIndex);
    if (!a || !from) {
        fromIndex = toIndex = -1;
        return;
    }
    fromIndex = startIndex;
    if (startIndex == targetIndex) {
        toIndex = fromIndex;
        // More than a step away from the route's one vertex (sent back
        // towards the vertex it has just left, say): walk there along one
        // segment, then finish. Within a step (where the last walk's final
        // step overshot it) the walker stands there already.
        const int64_t vx = static_cast<int64_t>(from->GetX()) + baseX - a->GetPosX();
        const int64_t vy = static_cast<int64_t>(from->GetY()) + baseY - a->GetPosY();
        const double step = speed * (depthFilter ? ScaleFor(from->GetDepth() + 1.0f) : 1.0f);
        if (static_cast<double>(vx) * vx + static_cast<double>(vy) * vy > step * step) {
            AimAt(*from, *from);
            SetDirection(DirectionOfWide(vx, vy, moveType).c_str());
            return;
        }
        const int64_t dx = static_cast<int64_t>(px) - a->GetPosX();
        const int64_t dy = static_cast<int64_t>(py) - a->GetPosY();
        if (turnOnArrival && (dx != 0 || dy != 0)) {
            SetDirection(DirectionOfWide(dx, dy, moveType).c_str());
        } else {
            direction.clear();
            if (!a->IsPlaying()) a->Play(-1);
        }
        return;
    }
    const ddpathVertex* to = GetPathVertex(from->GetPrevious());
    if (!to) {
        toIndex = -1;
        return;
    }
    toIndex = to->GetIndex();
    SetDirection(DirectionBetween(*from, *to, moveType, DepthFactor()).c_str());
}

float ddPathFinder::RouteLength(int x, int y) {
    Stop(false);
    fromIndex = toIndex = -1;
    if (!PlanEndpoints(x, y, true)) return -1.0f;
    graph.ShortestPaths(targetIndex, -1.0f);
    const ddpathVertex* start = GetPathVertex(startIndex);
    if (!start || start->IsUnreached()) return -1.0f;
    return start->GetDistance();
}

// ------------------------------------------------------------------ walking

void ddPathFinder::Stop(bool notify) {
    Animacja* a = walking;
    if (!a) return;
    standAction = standPrefix + LastTwo(a->GetActionName());
    walking = nullptr;
    LetGo(a);
    std::shared_ptr<bool> stillAlive = alive;
    a->Stop(notify);
    if (!*stillAlive) return;
    if (notify) OnFinish();
}

void ddPathFinder::ResetAnimaFrame() {
    if (walking) walking->Play(-1);
}

void ddPathFinder::Update() {
    Animacja* a = walking;
    if (!a) return;
    std::shared_ptr<bool> stillAlive = alive;

    // Turning: one eighth per frame, nothing else in that frame.
    if (!direction.empty()) {
        const std::string current = CurrentDirection();
        const bool standing = IsStandAction();
        if (current == direction) {
            const int frame = a->IsPlaying() && !standing ? a->GetFrameNr() : 0;
            const std::string name = walkPrefix + direction;
            direction.clear();
            SwitchAction(a, name, frame);
        } else {
            const std::string step = TurnStep(current.c_str(), direction.c_str());
            a->PlayByName(((standing ? standPrefix : walkPrefix) + step).c_str());
        }
        return;
    }

    ddpathVertex* from = GetPathVertex(fromIndex);
    ddpathVertex* to = GetPathVertex(toIndex);
    if (IsStandAction() || !from || !to) {
        Stop(true);
        return;
    }
    if (to->IsExcluded()) {
        to->SetExcluded(0);
        return;
    }

    const auto reached = [](float remain, float travelled) { return remain - std::fabs(travelled) <= 0.1f; };
    if (reached(remainX, travelX) && reached(remainY, travelY) && reached(remainZ, travelZ)) {
        OnVisit();
        if (!*stillAlive || !walking) return;
        if (startIndex == targetIndex) {
            Stop(true);
            return;
        }
        StartSegment(gotoX, gotoY);
        if (!*stillAlive || !walking) return;
        a = walking;
        from = GetPathVertex(fromIndex);
        to = GetPathVertex(toIndex);
        if (!from || !to) {
            Stop(true);
            return;
        }
        AimAt(*from, *to);
        startIndex = toIndex;
    }

    // Moving, scaled by the depth between the segment's ends.
    const float travelled = std::sqrt(travelX * travelX + travelY * travelY + travelZ * travelZ);
    float t = segmentLength > 0.0f ? travelled / segmentLength : 0.0f;
    if (!std::isfinite(t)) t = 0.0f;
    const float scale = ScaleFor((1.0f - t) * (from->GetDepth() + 1.0f) + t * (to->GetDepth() + 1.0f));
    lastScale = scale;
    const float k = depthFilter ? scale : 1.0f;
    const float mx = stepAlongX * k, my = stepAlongY * k, mz = stepAlongZ * k;
    travelX += mx;
    travelY += my;
    travelZ += mz;
    carryX += mx;
    carryY += my;
    const int px = TruncPixels(carryX), py = TruncPixels(carryY);
    carryX -= static_cast<float>(px);
    carryY -= static_cast<float>(py);
    a->Move(px, py);
    if (depthFilter) depthFilter->SetZoom(scale);
}

float ddPathFinder::ScaleFor(float depthPlusOne) const { return DepthScale(depthPlusOne, scalePower); }

void ddPathFinder::AimAt(const ddpathVertex& from, const ddpathVertex& to) {
    Animacja* a = walking;
    if (!a) return;
    remainX = static_cast<float>(to.GetX()) + static_cast<float>(baseX) - static_cast<float>(a->GetPosX());
    remainY = static_cast<float>(to.GetY()) + static_cast<float>(baseY) - static_cast<float>(a->GetPosY());
    remainZ = (to.GetDepth() - from.GetDepth()) * depthSize * scalePower;
    segmentLength = std::sqrt(remainX * remainX + remainY * remainY + remainZ * remainZ);
    travelX = travelY = travelZ = 0;
    carryX = carryY = 0;
    if (segmentLength > 0.0f && std::isfinite(segmentLength)) {
        stepAlongX = speed * remainX / segmentLength;
        stepAlongY = speed * remainY / segmentLength;
        stepAlongZ = speed * remainZ / segmentLength;
    } else {
        // Already there: the next frame arrives without moving.
        stepAlongX = stepAlongY = stepAlongZ = 0;
        remainX = remainY = remainZ = 0;
    }
    remainX = std::fabs(remainX);
    remainY = std::fabs(remainY);
    remainZ = std::fabs(remainZ);
}

void ddPathFinder::ScaleAtCurrent() {
    if (!linkedAnima || !depthFilter) return;
    const int i = NearestVertex(SatSub(linkedAnima->GetPosX(), baseX), SatSub(linkedAnima->GetPosY(), baseY));
    const ddpathVertex* v = GetPathVertex(i);
    if (!v) return;
    depthFilter->SetZoom(ScaleFor(v->GetDepth() + 1.0f));
    SetRedraw();
}

// ------------------------------------------------------------------ queries

int ddPathFinder::NearestVertex(int x, int y) const {
    int best = -1;
    double bestD = 0.0;
    for (int i = 0; i < graph.GetCount(); ++i) {
        const ddpathVertex* v = GetPathVertex(i);
        if (!v) continue;
        // Squares of differences across the whole int range outgrow 64 bits;
        // doubles hold every square below 2^53 exactly.
        const double dx = static_cast<double>(v->GetX()) - x;
        const double dy = static_cast<double>(v->GetY()) - y;
        const double d = dx * dx + dy * dy;
        if (best < 0 || d < bestD) {
            best = i;
            bestD = d;
        }
    }
    return best;
}

float ddPathFinder::DistanceToGraph(int x, int y) const {
    const ddpathVertex* v = GetPathVertex(NearestVertex(x, y));
    if (!v) return -1.0f;
    const double dx = static_cast<double>(v->GetX()) - x;
    const double dy = static_cast<double>(v->GetY()) - y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

bool ddPathFinder::IsStandAction() const {
    return walking && StartsWith(walking->GetActionName(), standPrefix);
}

int ddPathFinder::VertexAfter(int n) const {
    if (n < 1 || n > graph.GetCount()) return -1;
    int at = startIndex;
    if (!GetPathVertex(at)) return -1;
    for (int i = 0; i < n; ++i) {
        if (at == targetIndex) return -1;
        const ddpathVertex* next = GetPathVertex(GetPathVertex(at)->GetPrevious());
        if (!next) return -1;
        at = next->GetIndex();
    }
    return at;
}

int ddPathFinder::WalkFrom(int a, int n, int stop) const {
    if (!GetPathVertex(a)) return -1;
    int at = a;
    for (int i = 0; i < n; ++i) {
        if (at == stop) return stop;
        // No route has more links than there are slots: the rest is a circle.
        if (i >= graph.GetCount()) return -1;
        const ddpathVertex* next = GetPathVertex(GetPathVertex(at)->GetPrevious());
        if (!next) return -1;
        at = next->GetIndex();
    }
    return at;
}

int ddPathFinder::FindById(int id) const {
    for (int i = 0; i < graph.GetCount(); ++i)
        if (const ddpathVertex* v = GetPathVertex(i); v && v->GetId() == id) return i;
    return -1;
}

void ddPathFinder::SetEnabledById(int id, int flag) {
    for (int i = 0; i < graph.GetCount(); ++i)
        if (ddpathVertex* v = GetPathVertex(i); v && v->GetId() == id) v->SetEnabled(flag);
}

int ddPathFinder::IsEnabledById(int id) const {
    const ddpathVertex* v = GetPathVertex(FindById(id));
    return v && v->IsEnabled() ? 1 : 0;
}

void ddPathFinder::Exclude(int index) {
    if (ddpathVertex* v = GetPathVertex(index)) v->SetExcluded(1);
}

int ddPathFinder::VertexScreenX(int index) const {
    const ddpathVertex* v = GetPathVertex(index);
    return v ? SatAdd(v->GetX(), baseX) : 0;
}

int ddPathFinder::VertexScreenY(int index) const {
    const ddpathVertex* v = GetPathVertex(index);
    return v ? SatAdd(v->GetY(), baseY) : 0;
}

void ddPathFinder::ShiftVertices(int dx, int dy) {
    for (int i = 0; i < graph.GetCount(); ++i)
        if (ddpathVertex* v = GetPathVertex(i)) v->MoveBy(dx, dy);
    SetRedraw();
}
