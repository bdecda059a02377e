#include "script/classes/sound_class.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/classes/script_event.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/scene.h"

asmClass* asmClassDzwieki::Methods = nullptr;

namespace {

constexpr const char* kSoundMethods[] = {
    "load",   "play",  "stop",    "isplaying", "pause",            "resume",   "loop",
    "playif", "setvol", "setstartstopflag", "playloop", "getvol", "loaded", "changevol",
};
static_assert(std::size(kSoundMethods) == 14);

asmClassObj* NewSound(asmClass* cls, const char* name) { return new asmClassDzwieki(cls, name); }
asmClass* SoundClass() { return asmClassDzwieki::Methods; }

// A file that opens for reading (folders are not files).
bool IsReadableFile(const char* path) {
    if (!path || !*path) return false;
    struct stat st{};
    if (stat(path, &st) != 0 || S_ISDIR(st.st_mode)) return false;
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

}  // namespace

asmClassDzwieki::asmClassDzwieki(asmClass* cls, const char* name) : Dzwieki(cls) {
    if (name) SetName(name);
    if (ddScene::Current) ddScene::Current->AddSound(this);
}

asmClassDzwieki::~asmClassDzwieki() {
    *alive = false;
    if (ddScene::Current) ddScene::Current->RemoveSound(this);
}

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

void asmClassDzwieki::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kSoundMethods);
}

void asmClassDzwieki::FreeMethods() { FreeClass(Methods); }

void asmClassDzwieki::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0:
        Load(PopText().c_str());
        return;
    case 1:
        Play(0);
        return;
    case 2:
        Stop(PopArgInt());
        return;
    case 3:
        PushInt(IsPlaying());
        return;
    case 4:
        Pause();
        return;
    case 5:
        Resume();
        return;
    case 6:
        InstallFinishHandler();
        return;
    case 7:
        PlayIfIdle();
        return;
    case 8:
        SetVolume(PopArgInt());
        return;
    case 9: {
        int freeAfterPlay = PopArgInt();
        int loadNow = PopArgInt();
        SetLoadFlags(loadNow, freeAfterPlay);
        return;
    }
    case 10:
        Play(-1);
        return;
    case 11:
        PushInt(GetVolume());
        return;
    case 12:
        PushInt(IsAvailable());
        return;
    case 13:
        ApplyVolume(PopArgInt());
        return;
    default:
        FatalExit("sound unknown built in method " + std::to_string(index) + "\n", 1);
    }
}

void RegisterSoundScriptClass() {
    RegisterScriptClass({"snd", 8, asmClassDzwieki::InitMethods, asmClassDzwieki::FreeMethods, SoundClass, NewSound});
}
