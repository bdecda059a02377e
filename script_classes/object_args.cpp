#include "script_classes/object_args.h"

#include "graphics/obraz.h"
#include "script/interpreter.h"

asmClassObj* FindNamedObject(asmInterpreter& m, const char* name) { return m.FindVar(name); }

asmClassObj* PopNamedObject(asmInterpreter& m) { return FindNamedObject(m, PopText(m).c_str()); }

void PushNameOrNull(asmInterpreter& m, const char* name) { PushString(m, name && *name ? name : "null"); }

Obraz* PopVisibleObject(asmInterpreter& m, bool unknownIsFatal) {
    if (unknownIsFatal) return PopObject<Obraz>(m);
    std::string name = PopText(m);
    asmObjectModel* model = m.GetObjectModel();
    return model ? dynamic_cast<Obraz*>(model->LookupVar(name.c_str())) : nullptr;
}
