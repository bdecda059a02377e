#include "script_classes/anima_class.h"

#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "foundation/random.h"
#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/object_model.h"
#include "script_classes/object_args.h"
#include "script_classes/script_event.h"

namespace {

// Sends "play" to the script object named by the action's current frame
// sound; nothing without a sound, a running machine or such an object.
void PlayFrameSound(const AkcjaAnimacji& action) {
    const char* name = action.GetFrameSound(action.GetCurrentFrameNr());
    // Called from the animation's frame hook, which the graphics floor runs
    // without a machine to hand over: the running one is the only way in.
    asmInterpreter* machine = asmInterpreter::Instance;
    if (!name || !machine || !machine->GetObjectModel()) return;
    // The name may go away while "play" runs.
    const std::string held = name;
    if (asmClassObj* object = machine->GetObjectModel()->LookupVar(held.c_str()))
        object->CallMethod(machine, "play");
}

int TopType(asmInterpreter& m) { return m.sp < 0 ? -1 : m.StackCell(m.sp).GetType(); }

// An argument that is an action number or an action name.
struct ActionArg {
    bool isNumber = false;
    int number = 0;
    std::string name;
};

// `numberUnlessString`: every value that is not a string counts as a
// number; otherwise every value that is not an int counts as a name.
ActionArg PopActionArg(asmInterpreter& m, bool numberUnlessString) {
    const int type = TopType(m);
    ActionArg a;
    a.isNumber = numberUnlessString ? type != TYPE_STRING : type == TYPE_INT;
    if (a.isNumber)
        a.number = PopArgInt(m);
    else
        a.name = PopText(m);
    return a;
}

}  // namespace

asmClassAnima::asmClassAnima(asmClass* cls, const char* name) {
    SetClass(cls);
    CurrentStage().AddDrawable(this);
    if (name) SetName(name);
}

// The hooks report only as script events: the base classes' callbacks are
// not called for a script animation.
void asmClassAnima::OnFinish() { RaiseScriptEvent(this, EV_ONFINISH); }
void asmClassAnima::OnStart() { RaiseScriptEvent(this, EV_ONSTART); }
void asmClassAnima::OnEndFrame() { RaiseScriptEvent(this, EV_ONENDFRAME); }

void asmClassAnima::OnSetFrame() {
    if (GetActionNr() < GetActionCount())
        if (AkcjaAnimacji* action = GetCurrentAction()) PlayFrameSound(*action);
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
        if (at < 0 || GetBankImage(at) != picture)
            left.push_back(picture);
        else if (namesPerPicture && GetBankCount() > before)
            AddFileName(other->GetFileName(i));
    }
    for (int a = firstNew; a < GetActionCount(); ++a) {
        AkcjaAnimacji* action = GetAction(a);
        for (int f = 0; f < action->GetFrameCount(); ++f) {
            AnimationFrame* frame = action->GetFrame(f);
            const int b = frame->GetBankIndex();
            if (b >= 0 && b < static_cast<int>(where.size()))
                frame->SetBankIndex(where[static_cast<size_t>(b)]);
        }
    }
    other->ReleaseBank();
    for (Image* picture : left) delete picture;
    Refresh();
}

// The script methods: each name with its built-in index and handler.
struct asmClassAnima::ScriptMethods {
    static void PlayAction(asmClassAnima& self, asmInterpreter& m, int index) {
        ActionArg a = PopActionArg(m, index == 53);
        if (a.isNumber)
            self.Play(a.number);
        else
            self.PlayByName(a.name.c_str());
        // A random phase, so that copies of one animation do not change
        // frames in step.
        if (index == 53 && self.GetDelay() > 1) self.SetTickCounter(NextRandom() % self.GetDelay());
    }
    static void PushShownPixel(asmClassAnima& self, asmInterpreter& m, int index) {
        int v[2];
        PopInts(m, v);
        uint8_t rgba[4] = {0, 0, 0, 0};
        self.ShownPixel(v[0], v[1], rgba);
        for (int i = 0; i < (index == 42 ? 4 : 3); ++i) PushInt(m, rgba[i]);
    }
    static constexpr MethodRow<asmClassAnima> kRows[] = {
        {"nofactions", 0, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetActionCount()); }},
        {"actionname", 1,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             PushNameOrNull(m, self.GetActionName());
         }},
        {"actionnr", 2,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             ActionArg a = PopActionArg(m, false);
             PushInt(m, a.isNumber ? self.GetActionNr() : self.FindAction(a.name.c_str()));
         }},
        {"nofframes", 3,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             ActionArg a = PopActionArg(m, false);
             if (!a.isNumber)
                 PushInt(m, self.GetActionFrameCountByName(a.name.c_str()));
             else
                 PushInt(m, a.number == -1 ? self.GetFrameCount() : self.GetActionFrameCount(a.number));
         }},
        {"framename", 4,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             PushNameOrNull(m, self.GetFrameName());
         }},
        {"framenr", 5, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetFrameNr()); }},
        {"isplaying", 6,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             ActionArg a = PopActionArg(m, false);
             if (!a.isNumber)
                 PushInt(m, self.IsPlayingActionName(a.name.c_str()));
             else
                 PushInt(m, a.number == -1 ? self.IsPlaying() : self.IsPlayingAction(a.number));
         }},
        {"lodx", 7, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetLodX()); }},
        {"lody", 8, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetLodY()); }},
        {"play", 9, PlayAction},
        {"setdelay", 10, [](asmClassAnima& self, asmInterpreter& m, int) { self.SetDelay(PopArgInt(m)); }},
        {"setframe", 11,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             const int f = PopArgInt(m);
             ActionArg a = PopActionArg(m, false);
             if (!a.isNumber)
                 self.SetFrameByName(a.name.c_str(), f);
             else if (a.number == -1)
                 self.SetFrame(f);
             else
                 self.SetActionFrame(a.number, f);
         }},
        {"stop", 12, [](asmClassAnima& self, asmInterpreter& m, int) { self.Stop(PopArgInt(m) != 0); }},
        {"setpos", 13,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.SetPos(v[0], v[1]);
         }},
        {"getpx", 14, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetX()); }},
        {"getpy", 15, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetY()); }},
        {"getcx", 16, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetCenterX()); }},
        {"getcy", 17, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetCenterY()); }},
        {"getex", 18, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetEndX()); }},
        {"getey", 19, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetEndY()); }},
        {"getposx", 20, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetPosX()); }},
        {"getposy", 21, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetPosY()); }},
        {"setz", 22, [](asmClassAnima& self, asmInterpreter& m, int) { self.SetLayer(PopArgInt(m)); }},
        {"getz", 23, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetLayer()); }},
        {"getdelay", 24, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetDelay()); }},
        {"isin", 25,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             int v[4];
             PopInts(m, v);
             PushInt(m, self.IsIn(v[0], v[1], v[2] != 0, v[3] != 0) ? 1 : 0);
         }},
        {"copy", 26,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             if (auto* other = PopObject<Animacja>(m)) self.CopyFrom(*other);
         }},
        {"move", 27,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.Move(v[0], v[1]);
         }},
        {"getw", 28, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetWidth()); }},
        {"geth", 29, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetHeight()); }},
        {"hide", 30, [](asmClassAnima& self, asmInterpreter&, int) { self.Hide(); }},
        {"show", 31, [](asmClassAnima& self, asmInterpreter&, int) { self.Show(); }},
        {"clip", 32,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             int v[4];
             PopInts(m, v);
             self.Clip(v[0], v[1], v[2], v[3]);
         }},
        {"pause", 33, [](asmClassAnima& self, asmInterpreter&, int) { self.Pause(); }},
        {"resume", 34, [](asmClassAnima& self, asmInterpreter&, int) { self.Resume(); }},
        {"nameofaction", 35,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             PushNameOrNull(m, self.GetNameOfAction(PopArgInt(m)));
         }},
        {"isvisible", 36,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             PushInt(m, self.IsVisible() ? 1 : 0);
         }},
        {"withincut", 37,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             PushInt(m, self.WithinCut(v[0], v[1]) ? 1 : 0);
         }},
        {"load", 38,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             self.LoadDefinition(PopText(m).c_str(), 1.0f, 1.0f);
         }},
        {"loadbank", 39,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             self.LoadSoundBank(PopText(m).c_str());
         }},
        {"getpos", 40,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             PushInt(m, self.GetPosX());
             PushInt(m, self.GetPosY());
         }},
        {"paint", 41,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             int v[5];
             PopInts(m, v);
             self.Paint(v[0], v[1], v[2], v[3], v[4]);
         }},
        {"getrgba", 42, PushShownPixel},
        {"getrgb", 43, PushShownPixel},
        {"nameofframe", 44,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             const int f = PopArgInt(m);
             ActionArg a = PopActionArg(m, false);
             PushNameOrNull(m, a.isNumber ? self.GetActionFrameName(a.number, f) : self.GetFrameNameByName(a.name.c_str(), f));
         }},
        {"nrofframe", 45,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             std::string frame = PopText(m);
             ActionArg a = PopActionArg(m, false);
             PushInt(m, a.isNumber ? self.FindActionFrame(a.number, frame.c_str())
                                : self.GetFrameNrByName(a.name.c_str(), frame.c_str()));
         }},
        {"putrgba", 46,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             int v[6];
             PopInts(m, v);
             self.PutRGBA(v[0], v[1], v[2], v[3], v[4], v[5]);
         }},
        {"putrgb", 47,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             int v[5];
             PopInts(m, v);
             self.PutRGB(v[0], v[1], v[2], v[3], v[4]);
         }},
        {"equal", 48,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             Obraz* other = PopVisibleObject(m, true);
             PushInt(m, other && self.Equal(other) ? 1 : 0);
         }},
        {"subload", 49, [](asmClassAnima& self, asmInterpreter& m, int) { self.SubLoad(PopText(m).c_str()); }},
        {"saveimages", 50,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             self.SaveImages(PopText(m).c_str());
         }},
        {"loadimages", 51,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             self.LoadImages(PopText(m).c_str());
         }},
        {"blit", 52,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             if (Obraz* other = PopVisibleObject(m, true)) self.Blit(other);
         }},
        {"hashplay", 53, PlayAction},
        {"playsmooth", 54,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             ActionArg a = PopActionArg(m, true);
             if (a.isNumber)
                 self.PlaySmooth(a.number);
             else
                 self.PlaySmoothByName(a.name.c_str());
         }},
        {"setsmooth", 55,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             self.SetSmooth(PopArgInt(m) != 0);
         }},
        {"getsmooth", 56, [](asmClassAnima& self, asmInterpreter& m, int) { PushInt(m, self.GetSmooth()); }},
        {"setdrawmode", 57,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             self.SetDrawMode(PopArgInt(m), 0);
         }},
        {"rle", 58, [](asmClassAnima& self, asmInterpreter&, int) { self.SetRLE(); }},
        {"bitmask", 59, [](asmClassAnima& self, asmInterpreter& m, int) { self.SetBitmask(PopArgInt(m)); }},
        {"loadzoom", 60,
         [](asmClassAnima& self, asmInterpreter& m, int) {
             const float zy = PopArgReal(m);
             const float zx = PopArgReal(m);
             self.LoadDefinition(PopText(m).c_str(), zx, zy);
         }},
    };
    static_assert(std::size(kRows) == 61);
    // Reported, never fatal (indices come only from the class's own map).
    static constexpr UnknownMethod kUnknown{"\nanimation unknown built in method %d", OnUnknown::Report};
    static constexpr MethodTable<asmClassAnima> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassAnima, Animacja>;
