// The animation editor's picture: a visible picture that can carry the name
// of a sound to play with it, kept as an editable text made on first use.
#pragma once

#include "graphics/obraz.h"

class ddTekst;

class lumoObraz : public Obraz {
public:
    lumoObraz();
    // A copy of another picture (sharing its pixels); a sound name that the
    // other carries is copied too.
    explicit lumoObraz(Obraz* other);
    explicit lumoObraz(const Image* image);
    ~lumoObraz() override;

    lumoObraz(const lumoObraz&) = delete;
    lumoObraz& operator=(const lumoObraz&) = delete;

    // The sound-name text, made empty (all characters allowed) on first use.
    ddTekst* GetSoundText();
    // The sound-name text when one was made, else null.
    // The sound name, "" when there is none.
    const char* GetSoundName() const;

private:
    ddTekst* soundText = nullptr;
};
