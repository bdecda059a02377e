// The sound script class "snd" (type code 8): a sound effect scripts create
// with "new", load, play, stop, pause and set the volume of. It raises
// "onstart" when it starts playing and "onfinish" when the scene collects
// it finished.
#pragma once

#include <memory>

#include "audio/sound.h"
#include "script/script_class.h"

class asmClassDzwieki : public asmScriptClass<asmClassDzwieki, Dzwieki> {
public:
    // Registers with the scene's sounds.
    asmClassDzwieki(asmClass* cls, const char* name);
    ~asmClassDzwieki() override;

    // Raises "onfinish", then runs the sound's own finish handler, so a
    // sound told to "loop" plays again.
    void OnFinish() override;
    void OnStart() override;

    // "loaded": the sample is in memory, or it is to be read at the first
    // play (load flag 0) and its file exists.
    int IsAvailable();

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;

private:
    // False once the object is destroyed; an event handler may delete it.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

extern template class asmScriptClass<asmClassDzwieki, Dzwieki>;
