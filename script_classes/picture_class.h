// The picture script class "img" (type code 15): a visible picture that
// scripts create with "new", load or create, place, clip, layer, blend and
// save.
#pragma once

#include <SDL/SDL.h>

#include "graphics/obraz.h"
#include "script/script_class.h"

class asmClassObraz : public asmScriptClass<asmClassObraz, Obraz> {
public:
    // Registers with the scene as a drawable.
    asmClassObraz(asmClass* cls, const char* name);
    ~asmClassObraz() override = default;

    // Draws every other visible drawable of the scene, in drawing order,
    // into this picture (linked filters draw through themselves).
    void BlitScreen();

    int DisplayFormatDone = 0;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassObraz, Obraz>;
