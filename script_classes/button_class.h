// The button script class "button" (type code 17): a ddButton that scripts
// make with "new", give pictures or a rectangle, and that raises "onclick",
// "onrel", "onmoveon" and "onmoveoff" into the script methods added under
// those names.
#pragma once

#include "script/script_class.h"
#include "shell/button.h"

class asmClassButton : public asmScriptClass<asmClassButton, ddButton> {
public:
    // Registers with the scene's button list.
    asmClassButton(asmClass* cls, const char* name);
    ~asmClassButton() override = default;

    void OnMoveOn() override;
    void OnMoveOff() override;
    void OnClick() override;
    void OnRelease() override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassButton, ddButton>;
