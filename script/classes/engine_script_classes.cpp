#include "script/classes/engine_script_classes.h"

#include <string>

#include "graphics/music.h"
#include "platform/input_state.h"
#include "script/classes/anima_class.h"
#include "script/classes/asm_game_obj.h"
#include "script/classes/button_class.h"
#include "script/classes/engine_class.h"
#include "script/classes/filter_class.h"
#include "script/classes/font_class.h"
#include "script/classes/keyboard_class.h"
#include "script/classes/menu_class.h"
#include "script/classes/mouse_class.h"
#include "script/classes/path_class.h"
#include "script/classes/picture_class.h"
#include "script/classes/sound_class.h"
#include "script/classes/text_class.h"
#include "script/classes/timer_class.h"
#include "script/script_machine.h"
#include "script/script_objects.h"
#include "shell/game_kinds.h"
#include "shell/mouse.h"

void RegisterEngineScriptClasses() {
    RegisterGameScriptClass();
    RegisterEngineScriptClass();
    RegisterPictureScriptClass();
    RegisterFilterScriptClass();
    RegisterMouseScriptClass();
    RegisterKeyboardScriptClass();
    RegisterSoundScriptClass();
    RegisterFontScriptClass();
    RegisterTextScriptClass();
    RegisterTimerScriptClass();
    RegisterButtonScriptClass();
    RegisterMenuScriptClass();
    RegisterPathScriptClass();
    RegisterAnimaScriptClass();
}

namespace {

std::string RunGame(asmClassObj* object) {
    auto* game = dynamic_cast<GameAPI*>(object);
    if (!game) return "exit";
    const char* next = game->Run();
    return next ? next : "exit";
}

}  // namespace

void RunScriptMachine() {
    RegisterEngineScriptClasses();
    if (ddMouse::Instance) ddMouse::Instance->Show();
    HideCursor();
    asmScriptMachine machine;
    machine.Run(RunGame);
}

void RegisterScriptGameKind() {
    RegisterGameKind("asmgame", [] {
        RunScriptMachine();
        MusicPlayer.Halt(0);  // no game's music outlives the machine
    });
}
