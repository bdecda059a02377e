#include "tools/file_loader.h"

#include "foundation/value_files.h"
#include "graphics/text.h"
#include "shell/game_api.h"
#include "tools/fitted_text.h"

namespace {

// The label's box is ten steps darker than the field's; a channel never
// wraps round to a bright value below 0.
int Darker(int channel) {
    const int v = channel - 10;
    return v < 0 ? 0 : v;
}

}  // namespace

void DropLineEnd(std::string& text) {
    if (text.empty() || text.back() != '\n') return;
    text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
}

toolFileLoader::toolFileLoader(const char* memory, int x, int y, int w, int h, int r, int g, int b, int a) {
    label = new toolText("file:");
    const int labelWidth = label->GetWidth();
    label->CreateBackground(x - labelWidth, y, labelWidth, h, Darker(r), Darker(g), Darker(b), a);

    std::string initial;
    if (memory && *memory) {
        memoryFile = memory;
        ddString stored;
        LoadTextFile(stored, memory, "");
        initial = stored.c_str() ? stored.c_str() : "";
        DropLineEnd(initial);
    } else {
        memoryFile = "";
    }
    field = new toolText(initial.c_str());
    field->CreateBackground(x, y, w, h, r, g, b, a);
    field->LetAll();
    // Until the first Open, a cancelled prompt keeps the text the box
    // started with instead of emptying it.
    remembered = field->GetText();

    Add(label);
    Add(field);
}

toolFileLoader::~toolFileLoader() {
    ddTekst* f = GetField();
    if (f && memoryFile.Length() > 0) SaveTextFile(f->GetText(), memoryFile.c_str());
    // The container's own destructor deletes the label and the field.
    DeleteAll();
    label = field = nullptr;
}

ddTekst* toolFileLoader::GetLabel() const { return label && IndexOf(label) >= 0 ? label : nullptr; }

ddTekst* toolFileLoader::GetField() const { return field && IndexOf(field) >= 0 ? field : nullptr; }

void toolFileLoader::Open(GameAPI* game) {
    ddTekst* f = GetField();
    if (!f) return;
    remembered = f->GetText();
    if (game) game->SetInputFocus(f);
}

void toolFileLoader::RestoreText() {
    if (ddTekst* f = GetField()) f->SetText(remembered.c_str());
}

const char* toolFileLoader::GetText() {
    ddTekst* f = GetField();
    return f ? f->GetText() : "";
}
