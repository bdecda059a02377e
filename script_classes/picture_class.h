// The picture script class "img" (type code 15): a visible picture that
// scripts create with "new", load or create, place, clip, layer, blend and
// save.
#pragma once

#include <SDL/SDL.h>

#include "graphics/obraz.h"

class asmClassObraz : public Obraz {
public:
    // Registers with the scene as a drawable.
    asmClassObraz(asmClass* cls, const char* name);
    ~asmClassObraz() override = default;

    void CallBuiltIn(asmInterpreter* interp, int index) override;

    // Draws every other visible drawable of the scene, in drawing order,
    // into this picture (linked filters draw through themselves).
    void BlitScreen();

    int DisplayFormatDone = 0;

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "img" with the script machine.
void RegisterPictureScriptClass();
