// The animation definition text (".lum"): writing, reading, and building an
// animation straight from a picture bank or attaching its sound table.
//
//   <delay>  TAB delay
//   <bank>   TAB sound table file              (only when there is one)
//   <files>  TAB 0, then TAB "<< >>" TAB bank file
//   <files>  TAB n, then n lines TAB "<< c >>" TAB picture file
//   <loop>   TAB action         <hide> TAB action
//   <snd>    TAB action TAB frame TAB sound object
//   <action> TAB name, then per frame TAB "<f>" TAB bank TAB name TAB x TAB y
//   </action>                                  (once, after the last action)
//
// "<<" ... ">>" blocks are comments and are removed before reading.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/saturating.h"
#include "foundation/text_util.h"
#include "graphics/animation.h"
#include "graphics/frame_sounds.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"

namespace {

constexpr int kMaxActions = 1000;

// Where the searches of the text utilities stop: the NUL or a 0xFF byte.
int TextEnd(const char* text) {
    int i = 0;
    while (text[i] && static_cast<unsigned char>(text[i]) != 0xFF) ++i;
    return i;
}

bool HasText(const char* s) { return s && *s; }

const char* OrEmpty(const char* s) { return s ? s : ""; }

// What truncating v drops.
float Fraction(float v) { return v - std::trunc(v); }

// A definition written on Windows ends its lines with CR LF; the CR belongs
// to the line end, not to the name before it. Any other CR separates words
// like a blank: a name ending in one would be written back as a line end.
void DropCarriageReturns(std::string& text) {
    DropCrBeforeLf(text);
    for (char& c : text)
        if (c == '\r') c = ' ';
}

// Reading position over the comment-free text.
class Cursor {
public:
    explicit Cursor(const char* t) : text(t), end(TextEnd(t)) {}

    bool AtEnd() const { return pos >= end; }
    // Moves past the next `tag` (and its blanks) from `from`; false, with
    // the cursor at the end, when there is none.
    bool SkipTo(const char* tag, int from) {
        const int at = FindText(text, tag, from);
        pos = FindAndSkip(text, tag, from);
        if (pos < 0) pos = end;
        return at >= 0 && at < end;
    }
    bool SkipTo(const char* tag) { return SkipTo(tag, pos); }
    int Int() {
        int v = 0;
        pos += ReadInt(text + pos, v);
        return v;
    }
    // A word ends at a blank or where a tag begins: the searches take
    // every tag for one, so no name may hold one, and a name written back
    // reads back whole. At a tag the word is empty and the cursor stays.
    std::string Word() {
        std::string w;
        const int next = ReadWord(text + pos, w);
        const size_t tag = w.find('<');
        if (tag == std::string::npos) {
            pos += next;
        } else {
            w.resize(tag);
            pos += static_cast<int>(tag);
        }
        return w;
    }

    const char* text;
    int end;
    int pos = 0;
};

// Frame counts of the actions: the "<f>" tags after each "<action>" tag and
// before the next one.
std::vector<int> CountFrames(const char* text) {
    std::vector<int> counts;
    Cursor c(text);
    while (!c.AtEnd() && static_cast<int>(counts.size()) < kMaxActions) {
        if (!c.SkipTo("<action>")) break;
        const int p = c.pos;
        int q = FindAndSkip(text, "<action>", p);
        if (q < 0) q = c.end;
        int frames = 0;
        for (int r = p;;) {
            const int at = FindText(text, "<f>", r);
            if (at < 0 || at >= c.end) break;
            const int after = at + 3;
            if (after >= q - 5) break;
            ++frames;
            r = after;
        }
        counts.push_back(frames);
        if (q >= c.end) break;
    }
    return counts;
}

}  // namespace

// ------------------------------------------------------------------ writing

std::string Animacja::WriteDefinitionText() {
    std::string out;
    out += "<delay>\t";
    out += std::to_string(delay);
    out += '\n';
    if (HasText(soundBankName.c_str())) {
        out += "<bank>\t";
        out += soundBankName.c_str();
        out += '\n';
    }
    const char* first = GetFileName(0);
    if (EndsWith(first, "zel") || EndsWith(first, "z16")) {
        out += "<files>\t0\n\t<< >>\t";
        out += first;
        out += '\n';
    } else {
        // The count is that of the names written, which is what reading
        // them gives back (a bank read from a file that is not named as a
        // picture bank holds more pictures than names).
        out += "<files>\t";
        out += std::to_string(GetFileNameCount());
        out += '\n';
        for (int i = 0; i < GetFileNameCount(); ++i) {
            // The marker is a comment; it runs through the printable
            // characters again rather than reach a byte 0xFF, which would
            // leave the comment open and hide the rest of the text.
            out += "\t<< ";
            out += static_cast<char>('0' + i % 79);
            out += " >>\t";
            out += GetFileName(i);
            out += '\n';
        }
    }
    for (const auto& action : actions) {
        const char* name = OrEmpty(action->GetName());
        if (action->GetLoop()) {
            out += "<loop>\t";
            out += name;
            out += '\n';
        }
        if (action->GetHide()) {
            out += "<hide>\t";
            out += name;
            out += '\n';
        }
        for (int j = 0; j < action->GetFrameCount(); ++j) {
            const char* sound = action->GetFrameSound(j);
            if (!sound) continue;
            out += "<snd>\t";
            out += name;
            out += '\t';
            out += std::to_string(j);
            out += '\t';
            out += sound;
            out += '\n';
        }
    }
    for (const auto& action : actions) {
        out += "<action>\t";
        out += OrEmpty(action->GetName());
        out += '\n';
        for (int j = 0; j < action->GetFrameCount(); ++j) {
            AnimationFrame* frame = action->GetFrame(j);
            out += "\t<f>\t";
            out += std::to_string(frame->GetBankIndex());
            // A frame line cut short by the next tag reads as no name and a
            // hot spot of (0, 0); such a frame is written cut short again,
            // since an empty name would take the next field for the name.
            const char* frameName = OrEmpty(frame->GetName());
            if (*frameName || frame->GetX() != 0 || frame->GetY() != 0) {
                out += '\t';
                out += frameName;
                out += '\t';
                out += std::to_string(frame->GetX());
                out += '\t';
                out += std::to_string(frame->GetY());
            }
            out += '\n';
        }
    }
    out += "</action>\n";
    return out;
}

void Animacja::SaveDefinition(const char* file) {
    if (actions.empty() || !file) return;
    const std::string text = WriteDefinitionText();
    AtomicFileWriter out(file, "wb");
    bool ok = out.Open();
    ok = ok && std::fwrite(text.data(), 1, text.size(), out.Stream()) == text.size();
    ok = ok && out.Commit();
    if (!ok) {
        std::printf("\nSaveDefinition: cannot write %s\n", file);
        std::fflush(stdout);
    }
}

// ------------------------------------------------------------------ reading

int Animacja::LoadDefinition(const char* file, float scaleX, float scaleY) {
    Clear();
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    scaleX *= video.ScreenScaleX;
    scaleY *= video.ScreenScaleY;
    ddString dir, name;
    SplitPath(dir, name, file);
    const std::string folder = OrEmpty(dir.c_str());
    std::string text;
    if (!file || !ReadWholeFile(file, text)) return 0;
    DropCarriageReturns(text);
    StripCommentBlocks(text);
    ReadDefinitionText(text.c_str(), folder, scaleX, scaleY);
    arrayCount = 1;
    Refresh();
    if (HasText(soundBankName.c_str())) LoadSoundBank((folder + soundBankName.c_str()).c_str());
    return 1;
}

void Animacja::ReadDefinitionText(const char* text, const std::string& folder, float scaleX, float scaleY) {
    Cursor c(text);

    c.SkipTo("<delay>", 0);
    delay = c.Int();

    if (c.SkipTo("<bank>", 0)) soundBankName = c.Word().c_str();

    // The pictures: one bank file, or one picture file per entry.
    float fx = 0.0f, fy = 0.0f;
    c.SkipTo("<files>", 0);
    const int count = c.Int();
    if (count == 0) {
        // No name before the next tag: no bank. What is written then
        // ("<files> 0" and no name) reads back the same.
        const std::string bankFile = c.Word();
        const bool named = !bankFile.empty();
        if (named) fileNames.emplace_back(bankFile.c_str());
        const std::string path = bankFile.find('/') == std::string::npos ? folder + bankFile : bankFile;
        const int room = named ? GraphAPI::CountPictures(path.c_str()) : 0;
        if (room > 0) {
            std::vector<Image*> loaded(static_cast<size_t>(room), nullptr);
            const int n = bankFile.find(".z16") != std::string::npos
                              ? GraphAPI::LoadZ16(loaded.data(), path.c_str(), room)
                              : GraphAPI::LoadZel(loaded.data(), path.c_str(), room);
            for (int i = 0; i < room; ++i) {
                if (i < n && loaded[static_cast<size_t>(i)])
                    bank.push_back(loaded[static_cast<size_t>(i)]);
                else
                    delete loaded[static_cast<size_t>(i)];
            }
        }
        if (scaleX != 1.0f || scaleY != 1.0f) {
            for (Image* image : bank) {
                fx = Fraction(static_cast<float>(image->w) * scaleX);
                fy = Fraction(static_cast<float>(image->h) * scaleY);
                GraphAPI::ScaleImage(image, scaleX, scaleY);
            }
        }
    } else {
        // No more names than the text holds before the next tag, whatever
        // the count says.
        for (int i = 0; i < count && !c.AtEnd(); ++i) {
            const std::string pictureFile = c.Word();
            if (pictureFile.empty()) break;
            fileNames.emplace_back(pictureFile.c_str());
            auto* image = new Image;
            GraphAPI::LoadImage(image, pictureFile.c_str());
            bank.push_back(image);
        }
    }

    // The actions and their frames.
    const std::vector<int> frameCounts = CountFrames(text);
    const bool scaled = scaleX != 1.0f || scaleY != 1.0f;
    c.pos = 0;
    for (int frames : frameCounts) {
        c.SkipTo("<action>");
        const std::string actionName = c.Word();
        const int actionTag = c.pos;
        auto action = std::make_unique<AkcjaAnimacji>();
        action->SetName(actionName.c_str());
        action->SetDelay(delay);
        Cursor f(text);
        f.pos = actionTag;
        for (int j = 0; j < frames; ++j) {
            f.SkipTo("<f>");
            const int bankIndex = f.Int();
            const std::string frameName = f.Word();
            int x = f.Int();
            int y = f.Int();
            if (scaled) {
                x = SatTrunc(static_cast<double>(static_cast<float>(x) * scaleX + 0.5f + fx));
                y = SatTrunc(static_cast<double>(static_cast<float>(y) * scaleY + 0.5f + fy));
            }
            const Image* shown = bankIndex < 0 ? &picture : GetBankImage(bankIndex);
            action->AddFrameFromFile(shown, bankIndex, frameName.c_str(), x, y);
        }
        action->SetLayer(layer);
        actions.push_back(std::move(action));
    }

    // Loop and hide flags go to the first action of each name.
    auto flag = [&](const char* tag, void (AkcjaAnimacji::*set)(int)) {
        Cursor r(text);
        while (r.SkipTo(tag)) {
            const std::string actionName = r.Word();
            if (AkcjaAnimacji* action = GetAction(FindAction(actionName.c_str()))) (action->*set)(1);
        }
    };
    flag("<loop>", &AkcjaAnimacji::SetLoop);
    flag("<hide>", &AkcjaAnimacji::SetHide);

    Cursor s(text);
    while (s.SkipTo("<snd>")) {
        const std::string actionName = s.Word();
        const int frame = s.Int();
        const std::string sound = s.Word();
        // A line cut short by the next tag names no sound.
        if (sound.empty()) continue;
        if (AkcjaAnimacji* action = GetAction(FindAction(actionName.c_str())))
            action->SetFrameSound(frame, sound.c_str());
    }
}

// ------------------------------------------------------------------ picture bank

void Animacja::LoadBank(const char* baseName) {
    if (!actions.empty()) Clear();
    const std::string path = std::string(OrEmpty(baseName)) + ".zel";
    Obraz::SetDelay(1);
    const int room = GraphAPI::CountPictures(path.c_str());
    if (room > 0) {
        std::vector<Image*> loaded(static_cast<size_t>(room), nullptr);
        const int n = GraphAPI::LoadZel(loaded.data(), path.c_str(), room);
        for (int i = 0; i < room; ++i) {
            if (i < n && loaded[static_cast<size_t>(i)])
                bank.push_back(loaded[static_cast<size_t>(i)]);
            else
                delete loaded[static_cast<size_t>(i)];
        }
    }
    fileNames.emplace_back(path.c_str());
    for (int i = 0; i < GetBankCount(); ++i) {
        Image* image = bank[static_cast<size_t>(i)];
        const std::string number = std::to_string(i);
        auto action = std::make_unique<AkcjaAnimacji>();
        action->SetName(number.c_str());
        action->SetDelay(delay);
        const int x = image->x, y = image->y;
        image->x = image->y = 0;
        action->AddFrameFromFile(image, i, number.c_str(), x, y);
        action->SetLayer(layer);
        actions.push_back(std::move(action));
    }
    arrayCount = 1;
    Refresh();
}

// ------------------------------------------------------------------ sound table

void Animacja::LoadSoundBank(const char* path) {
    soundTable.reset();
    ownsSoundTable = false;
    FrameSoundsLoader load = CurrentFrameSoundsLoader();
    if (!load) return;
    std::vector<int> framesPerAction;
    framesPerAction.reserve(actions.size());
    for (const auto& action : actions) framesPerAction.push_back(action->GetFrameCount());
    soundTable = load(this, framesPerAction, path);
    ownsSoundTable = soundTable != nullptr;
}
