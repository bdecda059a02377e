#include "script/classes/object_args.h"

#include "graphics/obraz.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"

Obraz* PopVisibleObject(bool unknownIsFatal) {
    std::string name = PopText();
    asmInterpreter* m = asmInterpreter::Instance;
    if (!m) return nullptr;
    asmClassObj* object = nullptr;
    if (unknownIsFatal)
        object = m->FindVar(name.c_str());
    else if (asmObjectModel* model = m->GetObjectModel())
        object = model->LookupVar(name.c_str());
    return dynamic_cast<Obraz*>(object);
}

std::string PopText() {
    ddString s = PopArgString();
    return s.c_str() ? s.c_str() : "";
}
