#include "script_classes/object_args.h"

#include "graphics/obraz.h"
#include "script/interpreter.h"

asmClassObj* FindNamedObject(const char* name) {
    asmInterpreter* m = asmInterpreter::Instance;
    return m ? m->FindVar(name) : nullptr;
}

asmClassObj* PopNamedObject() { return FindNamedObject(PopText().c_str()); }

void PushNameOrNull(const char* name) { PushString(name && *name ? name : "null"); }

Obraz* PopVisibleObject(bool unknownIsFatal) {
    if (unknownIsFatal) return PopObject<Obraz>();
    std::string name = PopText();
    asmInterpreter* m = asmInterpreter::Instance;
    asmObjectModel* model = m ? m->GetObjectModel() : nullptr;
    return model ? dynamic_cast<Obraz*>(model->LookupVar(name.c_str())) : nullptr;
}
