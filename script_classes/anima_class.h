// The animation script class "anima" (type code 9): an animation scripts
// create with "new", load from a definition text or picture bank, play by
// action number or name, place, layer and query. It raises "onstart",
// "onfinish", "onsetframe" and "onendframe" as calls of its own script
// methods of those names.
#pragma once

#include <cstdint>

#include "graphics/animation.h"
#include "script/script_class.h"

class asmClassAnima : public asmScriptClass<asmClassAnima, Animacja> {
public:
    // Registers with the scene as a drawable.
    asmClassAnima(asmClass* cls, const char* name);
    ~asmClassAnima() override = default;

    void OnFinish() override;
    void OnStart() override;
    void OnEndFrame() override;
    // Plays the frame's sound, then raises "onsetframe".
    void OnSetFrame() override;

    // Merges the actions and pictures of another definition file into this
    // animation.
    void SubLoad(const char* file);

    // The colour at (x, y) of the frame shown, into rgba; nothing when the
    // point is off the frame.
    void ShownPixel(int x, int y, uint8_t rgba[4]);

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassAnima, Animacja>;
