#include "script_classes/engine_script_classes.h"

#include <string>

#include "audio/audio_state.h"
#include "platform/input_state.h"
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
    if (ddMouse* mouse = ddMouse::Instance()) mouse->Show();
    HideCursor();
    asmScriptMachine machine;
    machine.Run(RunGame);
}

void RegisterScriptGameKind() {
    RegisterGameKind("asmgame", [] {
        RunScriptMachine();
        CurrentAudio().MusicPlayer.Halt(0);  // no game's music outlives the machine
    });
}
