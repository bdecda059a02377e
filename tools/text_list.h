// Keyboard- and mouse-driven lists of text rows, as the animation editor
// shows its pictures and actions.
//
// A row (ddSpreadTxtElement) is a text carrying a payload object; a list
// (ddSpreadText) is a header text with rows below it, a selection, row
// numbers, insertion and deletion; a manager (ddSpreadTxtManager) adds key
// and click handling. Every row is as high as the header and the rows stand
// directly under one another from the header's end down. Row numbers stand
// at the list's left edge; names start after the widest of them and are
// shortened to the list's width (fitted_text.h).
#pragma once

#include <SDL/SDL.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "foundation/saturating.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "graphics/obraz_container.h"
#include "graphics/stage.h"
#include "graphics/text.h"
#include "platform/input_event.h"
#include "platform/input_state.h"
#include "tools/fitted_text.h"

// One row: a text with a payload. A row that does not share its payload
// owns a copy of what it is given; a sharing row only points to it, unless
// the payload was handed over with AdoptPayload.
template <class T>
class ddSpreadTxtElement : public ddTekst {
public:
    ddSpreadTxtElement(ddCanvas* selectionOverlay, ddCanvas* markOverlay)
        : ddTekst(nullptr), selectionOverlay(selectionOverlay), markOverlay(markOverlay) {}
    ~ddSpreadTxtElement() override { DropPayload(); }

    ddSpreadTxtElement(const ddSpreadTxtElement&) = delete;
    ddSpreadTxtElement& operator=(const ddSpreadTxtElement&) = delete;

    // Not sharing: the old payload goes and a copy of the object is kept.
    // Sharing: the pointer is kept.
    void SetPayload(T* object) {
        if (object && object == payload) return;
        DropPayload();
        if (!sharesPayload) {
            payload = object ? new T(object) : nullptr;
            ownsPayload = payload != nullptr;
        } else {
            payload = object;
            ownsPayload = false;
        }
    }
    // Keeps the object itself and deletes it with the row.
    void AdoptPayload(T* object) {
        if (object != payload) DropPayload();
        payload = object;
        ownsPayload = object != nullptr;
    }
    T* GetPayload() const { return payload; }
    void SetShares(int flag) { sharesPayload = flag ? 1 : 0; }

    bool IsSelected() const { return selected != 0; }
    void SetSelected(bool flag) { selected = flag ? 1 : 0; }

    // Where the name starts in the row: right of the list's row numbers.
    void SetTextInset(int pixels) { textInset = pixels; }

    void Draw() override {
        Obraz::Draw();  // the row's box
        DrawInBox(*this, textInset, TextSuffix());
        if (!selected || !selectionOverlay || !IsVisible()) return;
        selectionOverlay->SetPos(GetX(), GetY());
        selectionOverlay->Draw();
    }

protected:
    // What the row shows after its name, fitted into the row with it.
    virtual const char* TextSuffix() { return ""; }

private:
    void DropPayload() {
        if (ownsPayload) delete payload;
        payload = nullptr;
        ownsPayload = false;
    }

    T* payload = nullptr;
    uint8_t sharesPayload = 0;
    int32_t selected = 0;
    ddCanvas* selectionOverlay;
    ddCanvas* markOverlay;
    bool ownsPayload = false;
    int textInset = 0;
};

// A header with rows below it.
template <class T>
class ddSpreadText : public ddTekst {
public:
    using Row = ddSpreadTxtElement<T>;

    ddSpreadText() : ddTekst(nullptr) {}
    ~ddSpreadText() override {
        selection.Clear();  // the selection never owns its rows
        rows.DeleteAll();
        delete rowBackground;
    }

    ddSpreadText(const ddSpreadText&) = delete;
    ddSpreadText& operator=(const ddSpreadText&) = delete;

    // The header at (x, y) in a w x h box of (r, g, b), its text centred;
    // the two overlays made at the same size.
    void Init(int x, int y, int w, int h, int r, int g, int b, const char* text) {
        w = std::max(w, 1);
        h = std::max(h, 1);
        headerW = w;
        headerH = h;
        headerR = r;
        headerG = g;
        headerB = b;
        SetText(text);
        CreateBackground(x, y, w, h, r, g, b, 255);
        selectionOverlay.Create(0, 0, w, h);
        selectionOverlay.SetColor(255, 255, 255, 128);
        markOverlay.Create(0, 0, w, h);
        markOverlay.SetColor(0, 0, 255, 128);
        CenterText();
    }

    // The picture shared by rows made from now on: the header's size in the
    // colour, framed by a thin half-transparent black line.
    void SetRowColour(int r, int g, int b) {
        delete rowBackground;
        rowBackground = new ddCanvas(0, 0, std::max(RowWidth(), 1), std::max(RowHeight(), 1));
        rowBackground->SetColor(r, g, b, 255);
        ddCanvas::DrawBorder(rowBackground, 1, 0, 0, 0, 128);
        rowR = r;
        rowG = g;
        rowB = b;
    }
    bool HasRowColour() const { return rowBackground != nullptr; }
    int RowR() const { return rowR; }
    int RowG() const { return rowG; }
    int RowB() const { return rowB; }
    int HeaderR() const { return headerR; }
    int HeaderG() const { return headerG; }
    int HeaderB() const { return headerB; }

    // A new row at the header's place, not yet in the list.
    Row* MakeRow(T* payload, const char* text, int shares) {
        Row* row = NewRowObject();
        row->SetFont(GetFont());
        row->SetText(text);
        if (!rowBackground) SetRowColour(0, 128, 0);
        row->CopyPlacement(GetX(), GetY(), rowBackground);
        row->SetShares(shares);
        row->SetPayload(payload);
        if (rowsHidden) row->Hide();
        return row;
    }

    // A row with another row's text and payload, not sharing, not inserted.
    virtual Row* AddRowFrom(Row* other) {
        if (!other) return nullptr;
        return MakeRow(other->GetPayload(), other->GetText(), 0);
    }

    // Draws the header text and, when the header is selected, the overlay.
    virtual void DrawHeader() { DrawHeaderWith(""); }

    // Where the header's text starts: right of the numbers of the list whose
    // row the header stands on.
    void SetHeaderInset(int pixels) { headerInset = pixels; }

    // A new row under the selection point: first when the header is
    // selected, else right after the last selected row. Null, and nothing
    // made, when there is no selection point.
    Row* InsertRow(T* payload, const char* text, int shares) {
        int index;
        int y;
        if (headerSelected) {
            index = 0;
            y = HeaderEndY();
        } else if (!selection.IsEmpty()) {
            Obraz* last = selection.At(selection.Count() - 1);
            index = rows.IndexOf(last) + 1;
            if (index <= 0) return nullptr;
            y = last->GetEndY();
        } else {
            return nullptr;
        }
        Row* row = MakeRow(payload, text, shares);
        ShiftRowsFrom(index, RowHeight());
        row->SetPos(GetX(), y);
        rows.InsertAt(row, index);
        SetRedraw();
        return row;
    }

    // A row appended under the last row, whatever is selected.
    Row* AppendRow(T* payload, const char* text, int shares) {
        Row* row = MakeRow(payload, text, shares);
        row->SetPos(GetX(), GetEndY());
        rows.Add(row);
        SetRedraw();
        return row;
    }

    // Copies of the container's rows (their payloads copied), in the
    // container's order, under the selection point; the last row inserted.
    Row* InsertCopies(ddObrazContainer* container) {
        if (!container || container->IsEmpty() || !HasSelectionPoint()) return nullptr;
        Row* last = nullptr;
        container->Reverse();
        for (int i = 0; i < container->Count(); ++i) {
            auto* from = dynamic_cast<Row*>(container->At(i));
            if (!from) continue;
            if (Row* row = InsertRow(from->GetPayload(), from->GetText(), 0)) last = row;
        }
        container->Reverse();
        return last;
    }

    void DeleteRow(Row* row) {
        const int index = rows.IndexOf(row);
        if (index < 0) return;
        ShiftRowsFrom(index + 1, -RowHeight());
        rows.Remove(row);
        selection.Remove(row);
        delete row;
        SetRedraw();
    }

    // Deletes the selected rows and selects the row now at the last one's
    // place; with the header selected instead, deletes every row.
    void DeleteSelected() {
        if (!selection.IsEmpty()) {
            const int lastIndex = rows.IndexOf(selection.At(selection.Count() - 1));
            std::vector<Row*> gone;
            for (int i = 0; i < selection.Count(); ++i) gone.push_back(static_cast<Row*>(selection.At(i)));
            for (Row* row : gone) DeleteRow(row);
            selection.Clear();
            if (rows.IsEmpty() || !SelectRow(lastIndex)) SelectLastOrHeader();
        } else if (headerSelected) {
            DeleteAllRows();
            DeselectHeader();
        }
    }

    void DeleteAllRows() {
        selection.Clear();
        rows.DeleteAll();
        SetRedraw();
    }

    bool SelectRow(Row* row) {
        if (!row || rows.IndexOf(row) < 0) return false;
        if (!row->IsSelected()) {
            row->SetSelected(true);
            selection.Add(row);
            SetRedraw();
        }
        return true;
    }
    bool SelectRow(int index) { return SelectRow(GetRow(index)); }

    void SelectHeader() {
        if (headerSelected) return;
        headerSelected = 1;
        SetRedraw();
    }
    void DeselectHeader() {
        if (!headerSelected) return;
        headerSelected = 0;
        SetRedraw();
    }

    // Deselects every row, leaving the header as it is.
    void DeselectRows() {
        if (selection.IsEmpty()) return;
        for (int i = 0; i < selection.Count(); ++i) static_cast<Row*>(selection.At(i))->SetSelected(false);
        selection.Clear();
        SetRedraw();
    }

    void ClearSelection() {
        DeselectHeader();
        DeselectRows();
    }

    void SelectLastOrHeader() {
        ClearSelection();
        if (!SelectRow(RowCount() - 1)) SelectHeader();
    }

    void SelectAll() {
        for (int i = 0; i < RowCount(); ++i) SelectRow(i);
    }

    // Every row from the lowest to the highest selected index.
    void SelectRange() {
        if (selection.IsEmpty()) return;
        int low = INT_MAX, high = -1;
        for (int i = 0; i < selection.Count(); ++i) {
            const int index = rows.IndexOf(selection.At(i));
            if (index < 0) continue;
            low = std::min(low, index);
            high = std::max(high, index);
        }
        DeselectRows();
        for (int i = low; i <= high; ++i) SelectRow(i);
    }

    // Moves the selection by step rows: 0 moved inside the list, -1 left it
    // at the top, 1 left it at the bottom, -2 nothing to move.
    int MoveSelection(int step, int clear) {
        if (rows.IsEmpty()) return -2;
        if (headerSelected) {
            if (step < 0) {
                if (clear) DeselectHeader();
                return -1;
            }
            if (step == 0) return 0;
            if (rowsHidden) return 1;
            Row* row = GetRow(step - 1);
            if (!row) return 1;
            if (clear) ClearSelection();
            SelectRow(row);
            return 0;
        }
        if (selection.IsEmpty()) return -2;
        const int64_t i = static_cast<int64_t>(rows.IndexOf(selection.At(selection.Count() - 1))) + step;
        if (i == -1) {
            if (clear) ClearSelection();
            SelectHeader();
            return 0;
        }
        if (i < -1) return -1;
        if (clear) ClearSelection();
        if (i > INT_MAX) return 1;
        return SelectRow(static_cast<int>(i)) ? 0 : 1;
    }

    void Collapse() {
        Show();
        rowsHidden = 1;
        for (int i = 0; i < rows.Count(); ++i) rows.At(i)->Hide();
        SetRedraw();
    }
    void Expand() {
        Show();
        rowsHidden = 0;
        for (int i = 0; i < rows.Count(); ++i) rows.At(i)->Show();
        SetRedraw();
    }

    // New rows (owned by the returned container) copying the selected rows
    // in selection order; null when nothing is selected.
    ddObrazContainer* CopySelected() {
        if (selection.IsEmpty()) return nullptr;
        auto* copies = new ddObrazContainer;
        for (int i = 0; i < selection.Count(); ++i)
            copies->Add(AddRowFrom(static_cast<Row*>(selection.At(i))));
        return copies;
    }

    void SetNumbering(int flag) {
        numbering = flag ? 1 : 0;
        SetRedraw();
    }
    bool HasNumbering() const { return numbering != 0; }

    void Draw() override {
        if (!IsVisible()) return;
        DrawHeader();
        const int inset = NumberWidth();
        for (int i = 0; i < rows.Count(); ++i) {
            GetRow(i)->SetTextInset(inset);
            GetRow(i)->Draw();
        }
        DrawNumbers();
    }

    // The room the row numbers take at the left of the rows, a small gap
    // included; 0 while no numbers are shown.
    int NumberWidth() {
        ddFont* font = GetFont();
        if (!numbering || rowsHidden || rows.IsEmpty() || !font) return 0;
        return font->TextWidth(std::to_string(rows.Count() - 1).c_str()) + kNumberGap;
    }

    // Each row's number at the list's left edge, on the row's line.
    void DrawNumbers() {
        ddFont* font = GetFont();
        if (!numbering || rowsHidden || !font || !IsVisible()) return;
        // Each number on its row: one row height more per row, unless an
        // owner laid the rows out further apart.
        const int x = GetX();
        for (int i = 0; i < rows.Count(); ++i) {
            if (!rows.At(i)->IsVisible()) continue;
            const int y = rows.At(i)->GetY();
            font->DrawText(std::to_string(i).c_str(), x,
                           SatAdd(y, std::max(SatSub(RowHeight(), font->TextHeight("0")), 0) / 2));
        }
    }

    void Move(int dx, int dy) override {
        ddTekst::Move(dx, dy);
        rows.Move(dx, dy);
    }

    void SetPos(int x, int y) override {
        const int dx = x - GetX(), dy = y - GetY();
        ddTekst::SetPos(x, y);  // also centres the header's text
        rows.Move(dx, dy);
    }

    int GetEndY() override { return rows.IsEmpty() ? HeaderEndY() : rows.At(rows.Count() - 1)->GetEndY(); }

    bool IsIn(int x, int y, int checkVisible, int checkTransparent) override {
        rowsHit = 0;
        headerHit = ddTekst::IsIn(x, y, checkVisible, checkTransparent) ? 1 : 0;
        if (headerHit) return true;
        rowsHit = rows.IsIn(x, y, checkVisible, checkTransparent) ? 1 : 0;
        return rowsHit != 0;
    }

    // The row at the point (visible rows only), or null.
    Row* RowAt(int x, int y) {
        for (int i = rows.Count() - 1; i >= 0; --i)
            if (rows.At(i)->IsIn(x, y, 1, 0)) return static_cast<Row*>(rows.At(i));
        return nullptr;
    }

    Row* GetRow(int index) const { return static_cast<Row*>(rows.At(index)); }
    int RowCount() const { return rows.Count(); }
    int IndexOf(const Row* row) const { return rows.IndexOf(row); }
    Row* LastSelected() const {
        return selection.IsEmpty() ? nullptr : static_cast<Row*>(selection.At(selection.Count() - 1));
    }
    Row* SelectedAt(int i) const { return static_cast<Row*>(selection.At(i)); }
    int SelectedCount() const { return selection.Count(); }
    bool IsHeaderSelected() const { return headerSelected != 0; }
    bool AnythingSelected() const { return headerSelected || !selection.IsEmpty(); }
    bool HasSelectionPoint() const { return AnythingSelected(); }
    bool RowsHidden() const { return rowsHidden != 0; }
    bool HeaderHit() const { return headerHit != 0; }
    bool RowsHit() const { return rowsHit != 0; }
    int HeaderEndY() { return ddTekst::GetEndY(); }
    int RowHeight() { return headerH > 0 ? headerH : ddTekst::GetHeight(); }
    int RowWidth() { return headerW > 0 ? headerW : ddTekst::GetWidth(); }
    ddCanvas* SelectionOverlay() { return &selectionOverlay; }
    ddCanvas* MarkOverlay() { return &markOverlay; }

protected:
    // The row object that MakeRow fills; lists with their own row type
    // override it.
    virtual Row* NewRowObject() { return new Row(&selectionOverlay, &markOverlay); }

    // The header's box, its text followed by the suffix, and the overlay
    // when the header is selected.
    void DrawHeaderWith(const char* suffix) {
        Obraz::Draw();
        DrawInBox(*this, headerInset, suffix);
        if (!headerSelected || !IsVisible()) return;
        selectionOverlay.SetPos(GetX(), GetY());
        selectionOverlay.Draw();
    }

    static constexpr int kNumberGap = 3;

    // Moves every row from index on by dy.
    void ShiftRowsFrom(int index, int dy) {
        for (int i = std::max(index, 0); i < rows.Count(); ++i) rows.At(i)->Move(0, dy);
    }

    ddObrazContainer rows;       // owns the rows, in display order
    ddObrazContainer selection;  // the selected rows, in the order selected
    ddCanvas selectionOverlay;
    ddCanvas markOverlay;
    ddCanvas* rowBackground = nullptr;  // shared by every row made from it
    int32_t rowR = 0, rowG = 128, rowB = 0;
    int32_t headerHit = 0, rowsHit = 0;
    int32_t headerSelected = 0;
    int32_t numbering = 1;
    int32_t rowsHidden = 0;
    int32_t headerW = 0, headerH = 0;
    int32_t headerR = 0, headerG = 0, headerB = 0;
    int32_t headerInset = 0;
};

// A list that answers keys and clicks.
template <class T>
class ddSpreadTxtManager : public ddSpreadText<T> {
public:
    using Row = typename ddSpreadText<T>::Row;

    ddSpreadTxtManager() = default;
    // A copy of another manager: the same header, colours, flags and place,
    // with rows that own copies of the other's payloads.
    explicit ddSpreadTxtManager(ddSpreadTxtManager* other) {
        if (!other) return;
        CopyFrom(other);
        CopyRowsFrom(other);
    }

    void SetDeletable(int flag) { deletable = flag ? 1 : 0; }

    // The key just pressed: 1 the selection left the list at the top, 2 it
    // moved inside the list, 3 it left at the bottom, 4 delete, 5 expanded,
    // 6 collapsed, 0 nothing. Moving keeps the old selection while a shift
    // key is down.
    int OnKey(const InputEvent& key) {
        const int clear = (key.Modifier(SDLK_LSHIFT) || key.Modifier(SDLK_RSHIFT)) ? 0 : 1;
        if (key.Pressed(SDLK_UP)) return MoveCode(this->MoveSelection(-1, clear));
        if (key.Pressed(SDLK_DOWN)) return MoveCode(this->MoveSelection(1, clear));
        if (key.Pressed(SDLK_PAGEDOWN)) return MoveCode(this->MoveSelection(10, clear));
        if (key.Pressed(SDLK_PAGEUP)) return MoveCode(this->MoveSelection(-10, clear));
        if (key.Pressed(SDLK_DELETE)) {
            if (!deletable) return 0;
            if (!this->headerSelected) this->DeleteSelected();
            return 4;
        }
        if (key.Pressed(SDLK_LEFT)) {
            if (!this->headerSelected) return 0;
            this->Collapse();
            return 6;
        }
        if (key.Pressed(SDLK_RIGHT)) {
            if (!this->headerSelected) return 0;
            this->Expand();
            return 5;
        }
        return 0;
    }

    // A click: 7 when it lies in the list, else 0.
    int OnClick(const InputEvent& click) {
        const int x = click.x, y = click.y;
        if (!this->IsIn(x, y, 1, 0)) return 0;
        if (this->HeaderHit()) {
            this->SelectHeader();
            this->DeselectRows();
            return 7;
        }
        if (!IsKeyDown(SDLK_LCTRL)) this->ClearSelection();
        this->SelectRow(this->RowAt(x, y));
        if (this->headerSelected) this->DeselectRows();
        return 7;
    }

protected:
    void CopyFrom(ddSpreadTxtManager* other) {
        this->SetFont(other->GetFont());
        this->Init(other->GetX(), other->GetY(), other->RowWidth(), other->RowHeight(), other->HeaderR(),
                   other->HeaderG(), other->HeaderB(), other->GetText());
        if (other->HasRowColour()) this->SetRowColour(other->RowR(), other->RowG(), other->RowB());
        this->numbering = other->numbering;
        this->rowsHidden = other->rowsHidden;
        deletable = other->deletable;
        if (!other->IsVisible()) this->Hide();
    }
    // Appends rows copying the other's rows; for constructors of derived
    // lists, whose own row type is in force only once they are built.
    void CopyRowsFrom(ddSpreadTxtManager* other) {
        for (int i = 0; i < other->RowCount(); ++i) {
            Row* from = other->GetRow(i);
            this->AppendRow(from->GetPayload(), from->GetText(), 0);
        }
    }

private:
    static int MoveCode(int moved) {
        switch (moved) {
        case -1:
            return 1;
        case 0:
            return 2;
        case 1:
            return 3;
        default:
            return 0;
        }
    }

    int32_t deletable = 1;
};
