#include "script/classes/anima_class.h"

#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "foundation/random.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/classes/object_args.h"
#include "script/classes/script_event.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/scene.h"

asmClass* asmClassAnima::Methods = nullptr;

namespace {

constexpr MethodName kAnimaMethods[] = {
    {"nofactions", 0},   {"actionname", 1},  {"actionnr", 2},     {"nofframes", 3},    {"framename", 4},
    {"framenr", 5},      {"isplaying", 6},   {"lodx", 7},         {"lody", 8},         {"play", 9},
    {"setdelay", 10},    {"setframe", 11},   {"stop", 12},        {"setpos", 13},      {"getpx", 14},
    {"getpy", 15},       {"getcx", 16},      {"getcy", 17},       {"getex", 18},       {"getey", 19},
    {"getposx", 20},     {"getposy", 21},    {"setz", 22},        {"getz", 23},        {"getdelay", 24},
    {"isin", 25},        {"copy", 26},       {"move", 27},        {"getw", 28},        {"geth", 29},
    {"hide", 30},        {"show", 31},       {"clip", 32},        {"pause", 33},       {"resume", 34},
    {"nameofaction", 35}, {"isvisible", 36}, {"withincut", 37},   {"load", 38},        {"loadbank", 39},
    {"getpos", 40},      {"paint", 41},      {"getrgba", 42},     {"getrgb", 43},      {"nameofframe", 44},
    {"nrofframe", 45},   {"putrgba", 46},    {"putrgb", 47},      {"equal", 48},       {"subload", 49},
    {"saveimages", 50},  {"loadimages", 51}, {"blit", 52},        {"hashplay", 53},    {"playsmooth", 54},
    {"setsmooth", 55},   {"getsmooth", 56},  {"setdrawmode", 57}, {"rle", 58},         {"bitmask", 59},
    {"loadzoom", 60},
};
static_assert(std::size(kAnimaMethods) == 61);

asmClassObj* NewAnima(asmClass* cls, const char* name) { return new asmClassAnima(cls, name); }
asmClass* AnimaClass() { return asmClassAnima::Methods; }

int TopType() {
    asmInterpreter* m = asmInterpreter::Instance;
    if (!m || m->sp < 0) return -1;
    return m->StackCell(m->sp).GetType();
}

// An argument that is an action number or an action name.
struct ActionArg {
    bool isNumber = false;
    int number = 0;
    std::string name;
};

// `numberUnlessString`: every value that is not a string counts as a
// number; otherwise every value that is not an int counts as a name.
ActionArg PopActionArg(bool numberUnlessString) {
    const int type = TopType();
    ActionArg a;
    a.isNumber = numberUnlessString ? type != TYPE_STRING : type == TYPE_INT;
    if (a.isNumber)
        a.number = PopArgInt();
    else
        a.name = PopText();
    return a;
}

}  // namespace

asmClassAnima::asmClassAnima(asmClass* cls, const char* name) {
    SetClass(cls);
    if (ddScene::Current) ddScene::Current->AddDrawable(this);
    if (name) SetName(name);
}

asmClassAnima::~asmClassAnima() {
    if (ddScene::Current) ddScene::Current->RemoveDrawable(this);
}

void asmClassAnima::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kAnimaMethods);
}

void asmClassAnima::FreeMethods() { FreeClass(Methods); }

// The hooks report only as script events: the base classes' callbacks are
// not called for a script animation.
void asmClassAnima::OnFinish() { RaiseScriptEvent(this, EV_ONFINISH); }
void asmClassAnima::OnStart() { RaiseScriptEvent(this, EV_ONSTART); }
void asmClassAnima::OnEndFrame() { RaiseScriptEvent(this, EV_ONENDFRAME); }

void asmClassAnima::OnSetFrame() {
    if (GetActionNr() < GetActionCount())
        if (AkcjaAnimacji* action = GetCurrentAction()) action->PlayFrameSound();
    RaiseScriptEvent(this, EV_ONSETFRAME);
}

// The animation's own picture record stays empty: pixels are read from the
// frame it shows, placed where it is shown. Nothing hit leaves rgba as is.
void asmClassAnima::ShownPixel(int x, int y, uint8_t rgba[4]) {
    Image* shown = GetCurrentFrame() ? GetScreenImage() : nullptr;
    if (!shown || !shown->surface) return;
    const int64_t dx = static_cast<int64_t>(x) - shown->x, dy = static_cast<int64_t>(y) - shown->y;
    if (dx < 0 || dy < 0 || dx >= shown->w || dy >= shown->h) return;
    SDL_GetRGBA(GetPixelInImage(x, y, shown), shown->surface->format, &rgba[0], &rgba[1], &rgba[2], &rgba[3]);
}

void asmClassAnima::SubLoad(const char* file) {
    auto other = std::make_unique<Animacja>();
    other->LoadDefinition(file, 1.0f, 1.0f);
    const int firstNew = GetActionCount();
    for (int a = 0; a < other->GetActionCount(); ++a) AddActionCopy(other->GetAction(a));
    // The pictures move into this bank (one whose surface the bank already
    // holds stays behind and goes with the other animation). Pictures from
    // separate files bring their file names, so the bank and its file list
    // stay parallel; frames that came with the actions are renumbered to
    // where their pictures now stand. A saved definition then names every
    // picture right.
    std::vector<int> where(static_cast<size_t>(other->GetBankCount()), -1);
    std::vector<Image*> left;
    const bool namesPerPicture = other->GetFileNameCount() == other->GetBankCount();
    for (int i = 0; i < other->GetBankCount(); ++i) {
        Image* picture = other->GetBankImage(i);
        const int before = GetBankCount();
        const int at = AddBankImage(picture);
        where[static_cast<size_t>(i)] = at;
        if (at < 0 || GetBankImage(at) != picture) left.push_back(picture);
        else if (namesPerPicture && GetBankCount() > before) AddFileName(other->GetFileName(i));
    }
    for (int a = firstNew; a < GetActionCount(); ++a) {
        AkcjaAnimacji* action = GetAction(a);
        for (int f = 0; f < action->GetFrameCount(); ++f) {
            AnimationFrame* frame = action->GetFrame(f);
            const int b = frame->GetBankIndex();
            if (b >= 0 && b < static_cast<int>(where.size())) frame->SetBankIndex(where[static_cast<size_t>(b)]);
        }
    }
    other->ReleaseBank();
    for (Image* picture : left) delete picture;
    Refresh();
}

void asmClassAnima::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0:
        PushInt(GetActionCount());
        return;
    case 1:
        PushNameOrNull(GetActionName());
        return;
    case 2: {
        ActionArg a = PopActionArg(false);
        PushInt(a.isNumber ? GetActionNr() : FindAction(a.name.c_str()));
        return;
    }
    case 3: {
        ActionArg a = PopActionArg(false);
        if (!a.isNumber)
            PushInt(GetActionFrameCountByName(a.name.c_str()));
        else
            PushInt(a.number == -1 ? GetFrameCount() : GetActionFrameCount(a.number));
        return;
    }
    case 4:
        PushNameOrNull(GetFrameName());
        return;
    case 5:
        PushInt(GetFrameNr());
        return;
    case 6: {
        ActionArg a = PopActionArg(false);
        if (!a.isNumber)
            PushInt(IsPlayingActionName(a.name.c_str()));
        else
            PushInt(a.number == -1 ? IsPlaying() : IsPlayingAction(a.number));
        return;
    }
    case 7:
        PushInt(GetLodX());
        return;
    case 8:
        PushInt(GetLodY());
        return;
    case 9:
    case 53: {
        ActionArg a = PopActionArg(index == 53);
        if (a.isNumber)
            Play(a.number);
        else
            PlayByName(a.name.c_str());
        // A random phase, so that copies of one animation do not change
        // frames in step.
        if (index == 53 && GetDelay() > 1) SetTickCounter(NextRandom() % GetDelay());
        return;
    }
    case 10:
        SetDelay(PopArgInt());
        return;
    case 11: {
        const int f = PopArgInt();
        ActionArg a = PopActionArg(false);
        if (!a.isNumber)
            SetFrameByName(a.name.c_str(), f);
        else if (a.number == -1)
            SetFrame(f);
        else
            SetActionFrame(a.number, f);
        return;
    }
    case 12:
        Stop(PopArgInt() != 0);
        return;
    case 13: {
        int v[2];
        PopInts(v);
        SetPos(v[0], v[1]);
        return;
    }
    case 14:
        PushInt(GetX());
        return;
    case 15:
        PushInt(GetY());
        return;
    case 16:
        PushInt(GetCenterX());
        return;
    case 17:
        PushInt(GetCenterY());
        return;
    case 18:
        PushInt(GetEndX());
        return;
    case 19:
        PushInt(GetEndY());
        return;
    case 20:
        PushInt(GetPosX());
        return;
    case 21:
        PushInt(GetPosY());
        return;
    case 22:
        SetLayer(PopArgInt());
        return;
    case 23:
        PushInt(GetLayer());
        return;
    case 24:
        PushInt(GetDelay());
        return;
    case 25: {
        int v[4];
        PopInts(v);
        PushInt(IsIn(v[0], v[1], v[2] != 0, v[3] != 0) ? 1 : 0);
        return;
    }
    case 26: {
        if (auto* other = PopObject<Animacja>()) CopyFrom(*other);
        return;
    }
    case 27: {
        int v[2];
        PopInts(v);
        Move(v[0], v[1]);
        return;
    }
    case 28:
        PushInt(GetWidth());
        return;
    case 29:
        PushInt(GetHeight());
        return;
    case 30:
        Hide();
        return;
    case 31:
        Show();
        return;
    case 32: {
        int v[4];
        PopInts(v);
        Clip(v[0], v[1], v[2], v[3]);
        return;
    }
    case 33:
        Pause();
        return;
    case 34:
        Resume();
        return;
    case 35:
        PushNameOrNull(GetNameOfAction(PopArgInt()));
        return;
    case 36:
        PushInt(IsVisible() ? 1 : 0);
        return;
    case 37: {
        int v[2];
        PopInts(v);
        PushInt(WithinCut(v[0], v[1]) ? 1 : 0);
        return;
    }
    case 38:
        LoadDefinition(PopText().c_str(), 1.0f, 1.0f);
        return;
    case 39:
        LoadSoundBank(PopText().c_str());
        return;
    case 40:
        PushInt(GetPosX());
        PushInt(GetPosY());
        return;
    case 41: {
        int v[5];
        PopInts(v);
        Paint(v[0], v[1], v[2], v[3], v[4]);
        return;
    }
    case 42:
    case 43: {
        int v[2];
        PopInts(v);
        uint8_t rgba[4] = {0, 0, 0, 0};
        ShownPixel(v[0], v[1], rgba);
        for (int i = 0; i < (index == 42 ? 4 : 3); ++i) PushInt(rgba[i]);
        return;
    }
    case 44: {
        const int f = PopArgInt();
        ActionArg a = PopActionArg(false);
        PushNameOrNull(a.isNumber ? GetActionFrameName(a.number, f) : GetFrameNameByName(a.name.c_str(), f));
        return;
    }
    case 45: {
        std::string frame = PopText();
        ActionArg a = PopActionArg(false);
        PushInt(a.isNumber ? FindActionFrame(a.number, frame.c_str())
                           : GetFrameNrByName(a.name.c_str(), frame.c_str()));
        return;
    }
    case 46: {
        int v[6];
        PopInts(v);
        PutRGBA(v[0], v[1], v[2], v[3], v[4], v[5]);
        return;
    }
    case 47: {
        int v[5];
        PopInts(v);
        PutRGB(v[0], v[1], v[2], v[3], v[4]);
        return;
    }
    case 48: {
        Obraz* other = PopVisibleObject(true);
        PushInt(other && Equal(other) ? 1 : 0);
        return;
    }
    case 49:
        SubLoad(PopText().c_str());
        return;
    case 50:
        SaveImages(PopText().c_str());
        return;
    case 51:
        LoadImages(PopText().c_str());
        return;
    case 52:
        if (Obraz* other = PopVisibleObject(true)) Blit(other);
        return;
    case 54: {
        ActionArg a = PopActionArg(true);
        if (a.isNumber)
            PlaySmooth(a.number);
        else
            PlaySmoothByName(a.name.c_str());
        return;
    }
    case 55:
        SetSmooth(PopArgInt() != 0);
        return;
    case 56:
        PushInt(GetSmooth());
        return;
    case 57:
        SetDrawMode(PopArgInt(), 0);
        return;
    case 58:
        SetRLE();
        return;
    case 59:
        SetBitmask(PopArgInt());
        return;
    case 60: {
        const float zy = PopArgReal();
        const float zx = PopArgReal();
        LoadDefinition(PopText().c_str(), zx, zy);
        return;
    }
    default: {
        // Reported, never fatal: the map and this switch disagree.
        std::string line = "\nanimation unknown built in method " + std::to_string(index);
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
        return;
    }
    }
}

void RegisterAnimaScriptClass() {
    RegisterScriptClass({"anima", 9, asmClassAnima::InitMethods, asmClassAnima::FreeMethods, AnimaClass, NewAnima});
}
