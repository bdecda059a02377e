// The tools' file-name box: a "file:" label followed by an editable field;
// a name wider than the field shows its end, where the typing goes.
// With a memory file the field starts with that file's content and writes
// its text back there when the box goes away, so the last name typed
// survives to the next run.
#pragma once

#include <string>

#include "foundation/dd_string.h"
#include "graphics/obraz_container.h"

class ddTekst;
class GameAPI;

// Drops the one line end (LF or CR LF) that a text editor leaves after the
// name in a memory file; other text stays as it is.
void DropLineEnd(std::string& text);

class toolFileLoader : public ddObrazContainer {
public:
    // The field's box is w x h at (x, y) in (r, g, b, a); the label's box,
    // a shade darker, sits just left of it. A null or empty memory file
    // means the box remembers nothing; a missing one is created empty.
    toolFileLoader(const char* memoryFile, int x, int y, int w, int h, int r, int g, int b, int a);
    // Writes the field's text to the memory file (silently skipped when it
    // cannot be written), then deletes both texts.
    ~toolFileLoader() override;

    toolFileLoader(const toolFileLoader&) = delete;
    toolFileLoader& operator=(const toolFileLoader&) = delete;

    // Remembers the field's text and gives the field the game's input focus,
    // so typed characters go into it. A null game only remembers.
    void Open(GameAPI* game);
    // Puts back the text remembered by the last Open (a cancelled prompt).
    void RestoreText();
    // The field's current text; never null.
    const char* GetText();

    // Null once a caller has taken the text out of the container.
    ddTekst* GetLabel() const;
    ddTekst* GetField() const;
    const char* GetMemoryFile() const { return memoryFile.c_str() ? memoryFile.c_str() : ""; }
    const char* GetRememberedText() const { return remembered.c_str() ? remembered.c_str() : ""; }

private:
    ddTekst* label = nullptr;
    ddTekst* field = nullptr;
    ddString memoryFile;
    ddString remembered;
};
