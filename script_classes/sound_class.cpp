#include "script_classes/sound_class.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"
#include "script_classes/script_event.h"

namespace {

// A file that opens for reading (folders are not files).
bool IsReadableFile(const char* path) {
    if (!path || !*path) return false;
    struct stat st {};
    if (stat(path, &st) != 0 || S_ISDIR(st.st_mode)) return false;
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

}  // namespace

asmClassDzwieki::asmClassDzwieki(asmClass* cls, const char* name) : asmScriptClass(cls) {
    if (name) SetName(name);
    CurrentStage().AddSound(this);
}

asmClassDzwieki::~asmClassDzwieki() { *alive = false; }

void asmClassDzwieki::OnFinish() {
    std::shared_ptr<bool> stillAlive = alive;
    RaiseScriptEvent(this, EV_ONFINISH);
    if (*stillAlive) Dzwieki::OnFinish();
}

void asmClassDzwieki::OnStart() { RaiseScriptEvent(this, EV_ONSTART); }

int asmClassDzwieki::IsAvailable() {
    if (IsLoaded()) return 1;
    return GetLoadNow() == 0 && IsReadableFile(GetFileName()) ? 1 : 0;
}

// The script methods: each name with its built-in index and handler.
struct asmClassDzwieki::ScriptMethods {
    static constexpr MethodRow<asmClassDzwieki> kRows[] = {
        {"load", 0, [](asmClassDzwieki& self, asmInterpreter& m, int) { self.Load(PopText(m).c_str()); }},
        {"play", 1, [](asmClassDzwieki& self, asmInterpreter&, int) { self.Play(0); }},
        {"stop", 2, [](asmClassDzwieki& self, asmInterpreter& m, int) { self.Stop(PopArgInt(m)); }},
        {"isplaying", 3, [](asmClassDzwieki& self, asmInterpreter& m, int) { PushInt(m, self.IsPlaying()); }},
        {"pause", 4, [](asmClassDzwieki& self, asmInterpreter&, int) { self.Pause(); }},
        {"resume", 5, [](asmClassDzwieki& self, asmInterpreter&, int) { self.Resume(); }},
        {"loop", 6, [](asmClassDzwieki& self, asmInterpreter&, int) { self.InstallFinishHandler(); }},
        {"playif", 7, [](asmClassDzwieki& self, asmInterpreter&, int) { self.PlayIfIdle(); }},
        {"setvol", 8, [](asmClassDzwieki& self, asmInterpreter& m, int) { self.SetVolume(PopArgInt(m)); }},
        {"setstartstopflag", 9,
         [](asmClassDzwieki& self, asmInterpreter& m, int) {
             int freeAfterPlay = PopArgInt(m);
             int loadNow = PopArgInt(m);
             self.SetLoadFlags(loadNow, freeAfterPlay);
         }},
        {"playloop", 10, [](asmClassDzwieki& self, asmInterpreter&, int) { self.Play(-1); }},
        {"getvol", 11, [](asmClassDzwieki& self, asmInterpreter& m, int) { PushInt(m, self.GetVolume()); }},
        {"loaded", 12, [](asmClassDzwieki& self, asmInterpreter& m, int) { PushInt(m, self.IsAvailable()); }},
        {"changevol", 13,
         [](asmClassDzwieki& self, asmInterpreter& m, int) { self.ApplyVolume(PopArgInt(m)); }},
    };
    static_assert(std::size(kRows) == 14);
    static constexpr UnknownMethod kUnknown{"sound unknown built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmClassDzwieki> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassDzwieki, Dzwieki>;
