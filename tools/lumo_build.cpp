// Turning the editor's lists into an animation with a picture sheet, and
// saving both as a definition text and a sheet file.
#include <cstdint>
#include <cstdio>
#include <string>

#include "foundation/file_io.h"
#include "foundation/text_util.h"
#include "graphics/picture_files.h"
#include "scene/scene.h"
#include "tools/lumo_game.h"

namespace {

std::string Text(const char* s) { return s ? s : ""; }

// The sheet file's bytes: the count, then each picture.
std::string EncodeSheet(const std::vector<Image*>& pictures, bool sixteenBit) {
    std::string bytes;
    const uint32_t n = static_cast<uint32_t>(pictures.size());
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    for (const Image* picture : pictures)
        bytes += sixteenBit ? GraphAPI::EncodeZ16Picture(*picture) : GraphAPI::EncodeZelPicture(*picture);
    return bytes;
}

}  // namespace

bool lumo2Game::BuildAnimation(const char* name, bool sixteenBit) {
    FreeBuilt();
    if (!name || !animation || !images) return false;
    if (animation->Upper().RowCount() == 0 || images->Upper().RowCount() == 0) return false;

    built = new Animacja;
    built->Show();

    ddString dir, file;
    SplitPath(dir, file, name);
    std::string sheetName = Text(file.c_str());
    sheetName.resize(sheetName.size() >= 3 ? sheetName.size() - 3 : 0);
    sheetName += sixteenBit ? "z16" : "zel";
    built->AddFileName(sheetName.c_str());

    for (int g = 0; g < images->Upper().RowCount(); ++g) {
        ActionManager* group = images->Upper().GetRow(g)->GetPayload();
        if (!group) continue;
        for (int i = 0; i < group->RowCount(); ++i)
            if (lumoObraz* picture = group->GetRow(i)->GetPayload())
                allPictures.push_back(picture->GetScreenImage());
    }

    for (int a = 0; a < animation->Upper().RowCount(); ++a) {
        auto* row = animation->Upper().GetRow(a);
        ActionManager* frames = row->GetPayload();
        AkcjaAnimacji* action = built->AddNamedAction(WordName(row->GetText()).c_str());
        if (!frames) continue;
        action->SetLoop(frames->Loops() ? 1 : 0);
        action->SetHide(frames->Hides() ? 1 : 0);
        for (int f = 0; f < frames->RowCount(); ++f) {
            auto* frameRow = frames->GetRow(f);
            lumoObraz* picture = frameRow->GetPayload();
            Image* image = picture ? picture->GetImage() : nullptr;
            if (!image || !image->surface) {
                Image none;
                action->AddFrameFromFile(&none, -1, WordName(frameRow->GetText()).c_str(), 0, 0);
            } else {
                int index = -1;
                for (size_t s = 0; s < sheet.size() && index < 0; ++s)
                    if (sheet[s]->surface == image->surface) index = static_cast<int>(s);
                if (index < 0) {
                    Image* pick = image;
                    for (Image* candidate : allPictures)
                        if (candidate->surface == image->surface) {
                            pick = candidate;
                            break;
                        }
                    sheet.push_back(pick);
                    index = static_cast<int>(sheet.size()) - 1;
                }
                action->AddFrameFromFile(sheet[static_cast<size_t>(index)], index,
                                         WordName(frameRow->GetText()).c_str(), picture->GetX(),
                                         picture->GetY());
            }
            if (picture && *picture->GetSoundName())
                action->SetFrameSound(action->GetFrameCount() - 1, WordName(picture->GetSoundName()).c_str());
        }
    }
    built->SetDelay(delayValue < 1 ? 1 : delayValue);
    // Shown from its first frame, as an animation read from its definition.
    built->Refresh();
    sheetPath = (Text(dir.c_str()) + sheetName).c_str();
    return true;
}

std::string lumo2Game::WordName(const char* name) {
    std::string word = Text(name);
    for (char& c : word)
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '<') c = '_';
    return word.empty() ? "_" : word;
}

// The sheet and the definition go in together or not at all: a failed
// save says so on one line and leaves every file as it was.
bool lumo2Game::SaveLum(const char* name) {
    if (!name) return false;
    std::string file = name;
    bool sixteenBit = true;
    if (file.find(".l32") != std::string::npos) {
        file.replace(file.size() - 3, 3, "lum");
        sixteenBit = false;
    }
    if (!BuildAnimation(file.c_str(), sixteenBit)) return false;

    // Written even without pictures (a count of 0), so that a sheet left
    // from an earlier save never stands beside the new definition.
    const std::string sheetFile = Text(sheetPath.c_str());
    const int failed =
        WriteFilePair(sheetFile, EncodeSheet(sheet, sixteenBit), file, built->WriteDefinitionText());
    if (failed < 0) return true;
    std::printf("SaveLum: cannot write %s\n", (failed == 0 ? sheetFile : file).c_str());
    std::fflush(stdout);
    return false;
}
