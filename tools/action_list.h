// One animation action in the editor: a list whose rows are its frames
// (pictures), with the loop and hide flags shown beside its name.
#pragma once

#include <string>

#include "tools/lumo_obraz.h"
#include "tools/text_list.h"

// A frame row: shows the name of its picture's sound, when it has one, in
// brackets after its text.
class FrameManager : public ddSpreadTxtElement<lumoObraz> {
public:
    using ddSpreadTxtElement<lumoObraz>::ddSpreadTxtElement;

protected:
    const char* TextSuffix() override;

private:
    std::string suffix;  // kept, so that drawing reuses its room
};

class ActionManager : public ddSpreadTxtManager<lumoObraz> {
public:
    ActionManager();
    // A copy of another action: header, flags and copies of its frames.
    explicit ActionManager(ActionManager* other);

    // A frame row, made as every row of the list is, not yet inserted.
    virtual FrameManager* NewFrame(lumoObraz* picture, const char* name, int shares);
    // The header, then "(L)" when looping and "(H)" when hiding, after the
    // header's text (side by side when both are set).
    virtual void DrawFlags();
    void DrawHeader() override { DrawFlags(); }

    void SetLoop(int flag);
    void SetHide(int flag);
    bool Loops() const { return loop != 0; }
    bool Hides() const { return hide != 0; }

protected:
    Row* NewRowObject() override;

private:
    int32_t loop = 0;
    int32_t hide = 0;
};
