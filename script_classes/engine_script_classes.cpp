#include "script_classes/engine_script_classes.h"

#include <string>

#include "audio/audio_state.h"
#include "platform/input_state.h"
#include "script/asm_var.h"
#include "script/script_machine.h"
#include "script/script_objects.h"
#include "script_classes/anima_class.h"
#include "script_classes/asm_game_obj.h"
#include "script_classes/button_class.h"
#include "script_classes/engine_class.h"
#include "script_classes/filter_class.h"
#include "script_classes/font_class.h"
#include "script_classes/keyboard_class.h"
#include "script_classes/menu_class.h"
#include "script_classes/mouse_class.h"
#include "script_classes/path_class.h"
#include "script_classes/picture_class.h"
#include "script_classes/sound_class.h"
#include "script_classes/text_class.h"
#include "script_classes/timer_class.h"
#include "shell/game_kinds.h"
#include "shell/mouse.h"

namespace {

// The built-in objects' classes first, in the order the machine makes the
// objects (their object ids follow it).
constexpr asmBuiltinClass kEngineClasses[] = {
    ScriptClassRow<asmGameObj>("gameapi", TYPE_NONE),
    ScriptClassRow<asmClassEngine>("engine", TYPE_NONE),
    ScriptClassRow<asmClassMouse>("mouse", TYPE_NONE),
    ScriptClassRow<asmClassKeyboard>("keyboard", TYPE_NONE),
    ScriptClassRow<asmClassDzwieki>("snd", 8),
    ScriptClassRow<asmClassAnima>("anima", 9),
    ScriptClassRow<asmClassTimer>("timer", 10),
    ScriptClassRow<asmClassMenu>("menu", 13),
    ScriptClassRow<asmClassText>("text", 14),
    ScriptClassRow<asmClassObraz>("img", 15),
    ScriptClassRow<asmClassPath>("path", 16),
    ScriptClassRow<asmClassButton>("button", 17),
    ScriptClassRow<asmClassFont>("font", 18),
    ScriptClassRow<asmClassFilter>("filter", 19),
};

}  // namespace

std::span<const asmBuiltinClass> EngineScriptClasses() { return kEngineClasses; }

namespace {

std::string RunGame(asmClassObj* object) {
    auto* game = dynamic_cast<GameAPI*>(object);
    if (!game) return "exit";
    const char* next = game->Run();
    return next ? next : "exit";
}

}  // namespace

void RunScriptMachine() {
    if (ddMouse::Instance) ddMouse::Instance->Show();
    HideCursor();
    asmScriptMachine machine(EngineScriptClasses());
    machine.Run(RunGame);
}

std::string RunScriptGameKind(GameKinds) {
    RunScriptMachine();
    CurrentAudio().MusicPlayer.Halt(0);  // no game's music outlives the machine
    return "exit";
}
