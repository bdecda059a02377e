// A two-level list: an upper list whose rows each hold an action (a list of
// frames), and, under the chosen upper row, that action's own frames. Keys
// that run past the end of one level carry the selection to the other; rows
// can be renamed, copied and pasted.
//
// The pair owns every action in its upper list. It lays the levels out
// itself: each action's header sits on its upper row, and an expanded
// action's frames push the rows after it down.
#pragma once

#include <SDL/SDL.h>

#include <cstdio>
#include <string>

#include "foundation/dd_string.h"
#include "foundation/fatal.h"
#include "graphics/obraz.h"
#include "graphics/obraz_container.h"
#include "graphics/text.h"
#include "platform/input_event.h"
#include "tools/text_list.h"

template <class T, class T2>
class ddSpreadTxtList : public Obraz {
public:
    using UpperRow = ddSpreadTxtElement<T2>;
    using LowerRow = ddSpreadTxtElement<T>;

    ddSpreadTxtList() = default;
    ~ddSpreadTxtList() override {
        text = secondText = nullptr;
        ClearClipboard();
    }

    ddSpreadTxtList(const ddSpreadTxtList&) = delete;
    ddSpreadTxtList& operator=(const ddSpreadTxtList&) = delete;

    ddSpreadTxtManager<T2>& Upper() { return upper; }
    T2* Lower() const { return lower; }
    UpperRow* Chosen() const { return chosen; }
    void SetCopyEnabled(int flag) { copyEnabled = flag ? 1 : 0; }
    void SetNewActionColour(int r, int g, int b) {
        newR = r;
        newG = g;
        newB = b;
    }
    bool IsWriting() const { return writing != 0; }
    ddObrazContainer* CopiedActions() const { return copiedActions; }
    ddObrazContainer* CopiedFrames() const { return copiedFrames; }

    // The upper header, an upper row or a lower row is selected.
    bool SomethingSelected() const {
        return upper.AnythingSelected() || (lower && lower->SelectedCount() > 0);
    }
    bool UpperHeaderSelected() const { return upper.IsHeaderSelected(); }

    // The key just pressed; the code of the list that handled it.
    int ServOnKeyDown(const InputEvent& key) {
        ForgetGoneRows();
        if (writing) return ServWritingKeys(key);
        if (!upper.AnythingSelected() && !lower) return 0;
        int code = 0;
        if (key.Modifier(SDLK_LCTRL)) {
            if (key.Pressed(SDLK_c) && copyEnabled && SomethingSelected() && !upper.IsHeaderSelected())
                Copy();
            if (key.Pressed(SDLK_v) && copyEnabled) Paste();
        } else if (upper.SelectedCount() > 0) {
            code = KeyOnUpperRow(key);
        } else if (upper.IsHeaderSelected()) {
            code = upper.OnKey(key);
            ForgetGoneActions();
            if (code == 1) {
                upper.ClearSelection();
                upper.SelectHeader();
            }
        } else if (lower) {
            code = KeyOnLower(key);
        }
        Arrange();
        return code;
    }

    // Renaming: 1 when a row's text is now being written.
    int StartWriting() {
        ForgetGoneRows();
        if (!SomethingSelected() || upper.IsHeaderSelected()) return 0;
        writing = 1;
        if (lower && lower->SelectedCount() > 0) {
            text = lower->LastSelected();
            secondText = nullptr;
        } else if (upper.SelectedCount() > 0) {
            UpperRow* row = upper.LastSelected();
            text = row;
            secondText = row->GetPayload();
            if (secondText) {
                secondText->Unlock();
                secondText->LetAll();
            }
        } else {
            FatalExit("\nint ddSpreadTxtList<T,T2>::StartWriting() error!\n", 1);
        }
        text->Unlock();
        text->LetAll();
        remembered = text->GetText();
        return 1;
    }

    // Enter ends the rename, Esc puts the old text back; other keys edit.
    // The keypad's Enter is no exception: the editor leaves its renaming
    // state on Enter alone, and the two must end together.
    // 1 when the key ended writing.
    int ServWritingKeys(const InputEvent& key) {
        ForgetGoneRows();
        if (!writing || !text) return 0;
        if (key.Pressed(SDLK_RETURN)) {
            StopWriting();
            return 1;
        }
        if (key.Pressed(SDLK_ESCAPE)) {
            text->SetText(remembered);
            StopWriting();
            return 1;
        }
        text->HandleKey(key);
        if (secondText) secondText->HandleKey(key);
        return 0;
    }

    // Ends a rename; an empty or all-blank name puts the old one back.
    void StopWriting() {
        ForgetGoneRows();
        if (writing && text) {
            writing = 0;
            text->Lock();
            ddString written(text->GetText());
            written.Trim();
            if (written.Length() == 0) text->SetText(remembered);
            if (secondText) {
                secondText->Lock();
                secondText->SetText(text->GetText());
            }
        }
        writing = 0;
        text = nullptr;
        secondText = nullptr;
    }

    // A click: 1 when one of the lists took it.
    int OnClick(const InputEvent& click) {
        StopWriting();
        if (!IsInRect(click.x, click.y, &picture)) return 0;
        if (upper.OnClick(click) == 7) {
            if (lower) lower->ClearSelection();
            lower = nullptr;
            chosen = nullptr;
            for (int i = 0; i < upper.SelectedCount(); ++i)
                if (T2* list = upper.SelectedAt(i)->GetPayload()) list->SelectHeader();
            Arrange();
            return 1;
        }
        int took = 0;
        for (int i = 0; i < upper.RowCount(); ++i) {
            UpperRow* row = upper.GetRow(i);
            T2* list = row->GetPayload();
            if (!list) continue;
            if (!took && list->OnClick(click) == 7) {
                if (lower && lower != list) lower->ClearSelection();
                lower = list;
                chosen = row;
                upper.ClearSelection();
                took = 1;
            } else {
                list->ClearSelection();
            }
        }
        Arrange();
        return took;
    }

    using Obraz::Copy;  // copying another visible object stays available
    // The clipboard takes copies of the selected actions and frames.
    void Copy() {
        ForgetGoneRows();
        ClearClipboard();
        if (upper.SelectedCount() > 0) {
            copiedActions = upper.CopySelected();
            if (!copiedActions)
                std::printf("ddObrazContainer *ddSpreadTxtList<T,T2>::Copy() error con=NULL\n");
        }
        if (lower) copiedFrames = lower->CopySelected();
    }

    // Copied frames go under the selection of the chosen action, then
    // copied actions under the upper selection.
    void Paste() {
        ForgetGoneRows();
        if (copiedFrames && !copiedFrames->IsEmpty()) PasteFrames(copiedFrames);
        if (copiedActions && !copiedActions->IsEmpty()) {
            ddObrazContainer copies;
            for (int i = 0; i < copiedActions->Count(); ++i)
                if (auto* row = dynamic_cast<UpperRow*>(copiedActions->At(i)))
                    copies.Add(upper.AddRowFrom(row));
            if (lower && lower->SelectedCount() > 0) {
                lower->ClearSelection();
                upper.ClearSelection();
                upper.SelectRow(chosen);
                lower = nullptr;
                chosen = nullptr;
            }
            upper.InsertCopies(&copies);
        }
        Arrange();
    }

    void PasteReversed() {
        ForgetGoneRows();
        if (!SomethingSelected() || !copyEnabled) return;
        if (copiedFrames) copiedFrames->Reverse();
        if (copiedActions) copiedActions->Reverse();
        Paste();
    }

    // Adds the list as an action named name under the last upper row: the
    // row takes the list itself when shares is set, else a copy. Returns
    // the action now in the row.
    T2* AddAction(T2* list, const char* name, int shares) {
        if (!list) return nullptr;
        list->SetFont(upper.GetFont());
        list->Init(upper.GetX(), upper.GetEndY(), upper.RowWidth(), upper.RowHeight(), upper.RowR(),
                   upper.RowG(), upper.RowB(), name);
        if (list->HasNumbering()) upper.SetNumbering(1);
        upper.SelectLastOrHeader();
        UpperRow* row = upper.InsertRow(shares ? nullptr : list, name, shares);
        if (!row) return nullptr;
        if (shares) row->AdoptPayload(list);
        Arrange();
        return row->GetPayload();
    }

    T2* NewAction(const char* name) {
        T2* list = AddAction(new T2, name, 1);
        if (list) list->SetRowColour(newR, newG, newB);
        return list;
    }

    // Makes the row holding the list the chosen one; its list selects its
    // last row or its header, and the upper selection is cleared so that
    // keys go to it.
    void ChooseAction(T2* list) {
        UpperRow* row = RowOf(list);
        if (!row) return;
        lower = nullptr;
        chosen = nullptr;
        upper.ClearSelection();
        chosen = row;
        lower = list;
        lower->SelectLastOrHeader();
        Arrange();
    }

    // Rows (or bare pictures, named by their place) pasted as frames of the
    // chosen action; the last becomes the lower list's only selected row.
    void AddFrames(ddObrazContainer* container) {
        ForgetGoneRows();
        if (!container || container->IsEmpty()) return;
        T2* into = PasteTarget();
        if (!into) return;
        ddObrazContainer made;
        ddObrazContainer* rows = container;
        if (!dynamic_cast<LowerRow*>(container->At(0))) {
            for (int i = 0; i < container->Count(); ++i)
                if (T* picture = dynamic_cast<T*>(container->At(i)))
                    made.Add(into->MakeRow(picture, std::to_string(i).c_str(), 0));
            rows = &made;
        }
        const int before = into->RowCount();
        LowerRow* last = PasteFrames(rows);
        if (lower && last) {
            // The copies stand in the container's order from the row
            // returned; the bottom one is the last pasted.
            const int added = lower->RowCount() - before;
            lower->ClearSelection();
            lower->SelectRow(lower->IndexOf(last) + added - 1);
        }
        Arrange();
    }

    // Adds the pictures of what is selected to the container, which does
    // not own them: the caller empties it with Clear.
    void CollectSelected(ddObrazContainer* container) {
        ForgetGoneRows();
        if (!container) return;
        if (upper.IsHeaderSelected()) {
            for (int i = 0; i < upper.RowCount(); ++i)
                CollectFrames(upper.GetRow(i)->GetPayload(), container);
        } else if (upper.SelectedCount() > 0) {
            for (int i = 0; i < upper.SelectedCount(); ++i)
                CollectFrames(upper.SelectedAt(i)->GetPayload(), container);
        } else if (lower) {
            for (int i = 0; i < lower->SelectedCount(); ++i)
                if (T* picture = lower->SelectedAt(i)->GetPayload()) container->Add(picture);
        }
    }

    void SelectAllFrames() {
        ForgetGoneRows();
        if (!lower) return;
        lower->ClearSelection();
        lower->SelectAll();
    }

    void SelectFrameRange() {
        ForgetGoneRows();
        if (lower) lower->SelectRange();
    }

    // Moves the lists so that the selected item lies between top and bottom.
    void KeepVisible(int top, int bottom) {
        ForgetGoneRows();
        if (!SomethingSelected()) return;
        int y, endY;
        if (upper.IsHeaderSelected()) {
            y = upper.GetY();
            endY = upper.GetEndY();
        } else if (UpperRow* row = upper.LastSelected()) {
            y = row->GetY();
            endY = row->GetEndY();
        } else {
            LowerRow* frame = lower->LastSelected();
            y = frame->GetY();
            endY = frame->GetEndY();
        }
        if (y < top)
            MoveLists(top - y);
        else if (endY > bottom)
            MoveLists(bottom - endY);
    }

    // Places every action's header on its upper row, and each upper row
    // under the one before it and that one's shown frames.
    void Arrange() {
        const int x = upper.GetX();
        int y = upper.HeaderEndY();
        for (int i = 0; i < upper.RowCount(); ++i) {
            UpperRow* row = upper.GetRow(i);
            if (row->GetX() != x || row->GetY() != y) row->SetPos(x, y);
            const int rowHeight = upper.RowHeight();
            y += rowHeight;
            T2* list = row->GetPayload();
            if (!list) continue;
            if (list->GetX() != x || list->GetY() != row->GetY()) list->SetPos(x, row->GetY());
            if (!list->RowsHidden() && list->IsVisible()) y += list->RowCount() * list->RowHeight();
        }
    }

    // The upper header, then every upper row, where an action stands in
    // for the row it covers; the upper row numbers last, over the actions'
    // headers, whose names start right of them.
    void Draw() override {
        if (!IsVisible() || !upper.IsVisible()) return;
        upper.DrawHeader();
        if (upper.RowsHidden()) return;
        const int inset = upper.NumberWidth();
        for (int i = 0; i < upper.RowCount(); ++i) {
            UpperRow* row = upper.GetRow(i);
            if (!row->IsVisible()) continue;
            if (T2* list = row->GetPayload(); list && list->IsVisible()) {
                list->SetHeaderInset(inset);
                list->Draw();
            } else {
                row->SetTextInset(inset);
                row->Draw();
            }
        }
        upper.DrawNumbers();
    }

    // The click area and the lists move together.
    void Move(int dx, int dy) override {
        Obraz::Move(dx, dy);
        upper.Move(dx, dy);
        Arrange();
    }

    void Show() override {
        Obraz::Show();
        upper.Show();
    }
    void Hide() override {
        Obraz::Hide();
        upper.Hide();
    }

    // Sets where the pair takes clicks.
    void SetClickArea(int x, int y, int w, int h) {
        picture.x = x;
        picture.y = y;
        picture.w = w;
        picture.h = h;
        Refresh();
    }

private:
    // Step 4 of the key handling: an upper row is selected; its action's
    // header takes the key first.
    int KeyOnUpperRow(const InputEvent& key) {
        UpperRow* a = upper.LastSelected();
        T2* list = a->GetPayload();
        if (!list) {
            const int code = upper.OnKey(key);
            ForgetGoneActions();
            return code;
        }
        list->SelectHeader();
        int code = list->OnKey(key);
        const int index = upper.IndexOf(a);
        switch (code) {
        case 2:
            upper.ClearSelection();
            chosen = a;
            lower = list;
            break;
        case 0:
            code = upper.OnKey(key);
            ForgetGoneActions();
            break;
        case 1:
            if (index == 0) {
                upper.ClearSelection();
                upper.SelectHeader();
            } else {
                UpperRow* before = upper.GetRow(index - 1);
                upper.ClearSelection();
                upper.SelectRow(before);
                T2* beforeList = before->GetPayload();
                if (beforeList && !beforeList->RowsHidden()) {
                    upper.ClearSelection();
                    beforeList->DeselectHeader();
                    beforeList->SelectLastOrHeader();
                    lower = beforeList;
                    chosen = before;
                }
            }
            break;
        case 3:
            if (index + 1 < upper.RowCount()) {
                upper.ClearSelection();
                upper.SelectRow(index + 1);
            } else {
                upper.SelectLastOrHeader();
            }
            break;
        case 4:
            upper.DeleteSelected();
            ForgetGoneActions();
            if (upper.RowCount() == 0) {
                upper.ClearSelection();
                upper.SelectHeader();
            }
            break;
        default:
            break;
        }
        return code;
    }

    // Step 6 of the key handling: the chosen action's frames take the key.
    int KeyOnLower(const InputEvent& key) {
        T2* list = lower;
        const int code = list->OnKey(key);
        const int index = upper.IndexOf(chosen);
        switch (code) {
        case 1:
            list->ClearSelection();
            if (index == 0) {
                Unchoose();
                upper.SelectHeader();
            } else {
                UpperRow* before = upper.GetRow(index - 1);
                if (!before) FatalExit("\nddSpreadTxtList::ServOnKeyDown() error : sptel = NULL\n", 1);
                chosen = before;
                lower = before->GetPayload();
                if (!lower || lower->RowsHidden()) {
                    Unchoose();
                    upper.SelectRow(before);
                } else {
                    lower->SelectLastOrHeader();
                }
            }
            break;
        case 3:
            if (index >= 0 && index + 1 < upper.RowCount()) {
                upper.SelectRow(index + 1);
                Unchoose();
            } else {
                list->SelectLastOrHeader();
            }
            break;
        case 2:
            if (list->IsHeaderSelected()) {
                upper.SelectRow(chosen);
                Unchoose();
            }
            break;
        case 4:
            if (list->RowCount() == 0) {
                UpperRow* gone = chosen;
                Unchoose();
                upper.DeleteRow(gone);
                upper.ClearSelection();
                if (!upper.SelectRow(index)) upper.SelectLastOrHeader();
            }
            break;
        default:
            break;
        }
        return code;
    }

    // Copies of the rows' pictures go under the selection of the chosen
    // action (the last selected upper row becomes the chosen one, its
    // header the selection point). The last row inserted.
    LowerRow* PasteFrames(ddObrazContainer* rows) {
        if (UpperRow* row = upper.LastSelected(); row && row->GetPayload()) {
            chosen = row;
            lower = row->GetPayload();
            lower->DeselectRows();
            lower->SelectHeader();
        }
        return lower ? lower->InsertCopies(rows) : nullptr;
    }

    // The action that frames are pasted into: the last selected upper
    // row's, else the chosen one.
    T2* PasteTarget() const {
        if (UpperRow* row = upper.LastSelected(); row && row->GetPayload()) return row->GetPayload();
        return lower;
    }

    void CollectFrames(T2* list, ddObrazContainer* container) {
        if (!list) return;
        for (int i = 0; i < list->RowCount(); ++i)
            if (T* picture = list->GetRow(i)->GetPayload()) container->Add(picture);
    }

    UpperRow* RowOf(const T2* list) const {
        if (!list) return nullptr;
        for (int i = 0; i < upper.RowCount(); ++i)
            if (upper.GetRow(i)->GetPayload() == list) return upper.GetRow(i);
        return nullptr;
    }

    void Unchoose() {
        lower = nullptr;
        chosen = nullptr;
    }

    // After upper rows went: forget a chosen action that went with them.
    void ForgetGoneActions() {
        if (chosen && upper.IndexOf(chosen) < 0) Unchoose();
    }

    // Rows that the owner deleted from the lists directly: a chosen action
    // or a text being written that is no longer there is let go of, never
    // used. Only addresses are compared.
    void ForgetGoneRows() {
        ForgetGoneActions();
        if (!text) return;
        bool found = false;
        for (int i = 0; i < upper.RowCount() && !found; ++i)
            found = static_cast<ddTekst*>(upper.GetRow(i)) == text;
        for (int i = 0; lower && i < lower->RowCount() && !found; ++i)
            found = static_cast<ddTekst*>(lower->GetRow(i)) == text;
        if (found) return;
        writing = 0;
        text = nullptr;
        secondText = nullptr;
    }

    void MoveLists(int dy) {
        upper.Move(0, dy);
        Arrange();
    }

    void ClearClipboard() {
        delete copiedActions;
        delete copiedFrames;
        copiedActions = copiedFrames = nullptr;
    }

    ddObrazContainer* copiedActions = nullptr;  // owned rows
    ddObrazContainer* copiedFrames = nullptr;   // owned rows
    int32_t copyEnabled = 0;
    ddString remembered;
    ddTekst* text = nullptr;        // the text being written
    ddTekst* secondText = nullptr;  // an action's header renamed with its row
    int32_t writing = 0;
    ddSpreadTxtManager<T2> upper;
    T2* lower = nullptr;
    UpperRow* chosen = nullptr;
    int32_t newR = 0, newG = 96, newB = 160;
};
