#include "script/classes/text_class.h"

#include <string>

#include "foundation/fatal.h"
#include "graphics/font.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/scene.h"

asmClass* asmClassText::Methods = nullptr;

namespace {

constexpr const char* kTextMethods[] = {
    "set",       "isin",    "letall", "letalf",   "letcyph",    "lock",      "unlock", "unlocked",
    "setz",      "getz",    "setpos", "getpx",    "getpy",      "setbkg",    "copybkg", "getcx",
    "getcy",     "getex",   "getey",  "setborders", "show",     "hide",      "pause",  "resume",
    "createtxt", "get",     "setfont", "getw",    "geth",       "load",      "loadtxt", "buildbkg",
    "move",      "isvisible", "create", "getcolor", "clip",
};
static_assert(std::size(kTextMethods) == 37);

asmClassObj* NewText(asmClass* cls, const char* name) { return new asmClassText(cls, name); }
asmClass* TextClass() { return asmClassText::Methods; }

}  // namespace

asmClassText::asmClassText(asmClass* cls, const char* name) {
    SetClass(cls);
    if (ddScene::Current) ddScene::Current->AddDrawable(this);
    if (name) SetName(name);
    SetText("");
}

asmClassText::~asmClassText() {
    if (ddScene::Current) ddScene::Current->RemoveDrawable(this);
}

void asmClassText::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kTextMethods);
}

void asmClassText::FreeMethods() { FreeClass(Methods); }

void asmClassText::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0:
        SetText(PopText().c_str());
        return;
    case 1: {
        int v[4];
        PopInts(v);
        PushInt(IsIn(v[0], v[1], v[2] != 0, v[3] != 0) ? 1 : 0);
        return;
    }
    case 2:
        LetAll();
        return;
    case 3:
        LetAlpha();
        return;
    case 4:
        LetCiphers();
        return;
    case 5:
        Lock();
        return;
    case 6:
        Unlock();
        return;
    case 7:
        PushInt(IsUnlocked() ? 1 : 0);
        return;
    case 8:
        SetLayer(PopArgInt());
        return;
    case 9:
        PushInt(GetLayer());
        return;
    case 10: {
        int v[2];
        PopInts(v);
        SetPos(v[0], v[1]);
        return;
    }
    case 11:
        PushInt(GetX());
        return;
    case 12:
        PushInt(GetY());
        return;
    case 13: {
        int v[8];
        PopInts(v);
        CreateBackground(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        return;
    }
    case 14: {
        Obraz* object = PopVisibleObject(true);
        int v[2];
        PopInts(v);
        if (object) CopyPlacement(v[0], v[1], object);
        return;
    }
    case 15:
        PushInt(GetCenterX());
        return;
    case 16:
        PushInt(GetCenterY());
        return;
    case 17:
        PushInt(GetEndX());
        return;
    case 18:
        PushInt(GetEndY());
        return;
    case 19: {
        int v[5];
        PopInts(v);
        DrawBackgroundRect(v[0], v[1], v[2], v[3], v[4]);
        return;
    }
    case 20:
        Show();
        return;
    case 21:
        Hide();
        return;
    case 22:
        Pause();
        return;
    case 23:
        Resume();
        return;
    case 24: {
        int v[3];
        PopInts(v);
        textR = v[0];
        textG = v[1];
        textB = v[2];
        Render(textR, textG, textB);
        return;
    }
    case 25:
        PushString(GetText());
        return;
    case 26:
        if (ddFont* f = PopObject<ddFont>()) SetFont(f);
        return;
    case 27:
        PushInt(GetWidth());
        return;
    case 28:
        PushInt(GetHeight());
        return;
    case 29:
        Load(PopText().c_str(), 1);
        return;
    case 30: {
        int v[3];
        PopInts(v);
        std::string file = PopText();
        LoadTextFile(file.c_str(), v[0], v[1], v[2]);
        return;
    }
    case 31: {
        int v[4];
        PopInts(v);
        // A box exactly around the text as its font measures it.
        ddFont* f = GetFont();
        const int w = f ? f->TextWidth(GetText()) : 0;
        const int h = f ? f->TextHeight(GetText()) : 0;
        CreateBackground(GetX(), GetY(), w, h, v[0], v[1], v[2], v[3]);
        return;
    }
    case 32: {
        int v[2];
        PopInts(v);
        Move(v[0], v[1]);
        return;
    }
    case 33:
        PushInt(IsVisible() ? 1 : 0);
        return;
    case 34:
        Render(textR, textG, textB);
        return;
    case 35:
        PushInt(textR);
        PushInt(textG);
        PushInt(textB);
        return;
    case 36: {
        int v[4];
        PopInts(v);
        Clip(v[0], v[1], v[2], v[3]);
        return;
    }
    default:
        FatalExit("\ntext unknown built in method " + std::to_string(index), 1);
    }
}

void RegisterTextScriptClass() {
    RegisterScriptClass({"text", 14, asmClassText::InitMethods, asmClassText::FreeMethods, TextClass, NewText});
}
