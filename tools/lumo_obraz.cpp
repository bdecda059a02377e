#include "tools/lumo_obraz.h"

#include "graphics/text.h"

lumoObraz::lumoObraz() = default;

lumoObraz::lumoObraz(Obraz* other) {
    Copy(other);
    auto* picture = dynamic_cast<lumoObraz*>(other);
    if (picture && picture->soundText) GetSoundText()->SetText(picture->soundText->GetText());
}

lumoObraz::lumoObraz(const Image* image) : Obraz(image) {}

lumoObraz::~lumoObraz() { delete soundText; }

ddTekst* lumoObraz::GetSoundText() {
    if (!soundText) {
        soundText = new ddTekst("");
        soundText->LetAll();
    }
    return soundText;
}

const char* lumoObraz::GetSoundName() const { return soundText ? soundText->GetText() : ""; }
