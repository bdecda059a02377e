#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "list_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using TextListTest = ListTest;

TEST_F(TextListTest, RowsStandUnderTheHeaderAndFollowItsMoves) {
    ActionManager list;
    list.Init(kX, kY, kW, kH, 30, 30, 30, "frames");
    EXPECT_EQ(list.GetEndY(), kY + kH);  // no rows: the header's own end
    EXPECT_EQ(list.InsertRow(Picture(), "lost", 0), nullptr) << "no selection point";
    EXPECT_EQ(list.RowCount(), 0);

    list.SelectHeader();
    list.InsertRow(Picture(), "b", 0);
    list.InsertRow(Picture(), "a", 0);  // the header puts each one first
    EXPECT_EQ(Names(list), (Strings{"a", "b"}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(list.GetRow(i)->GetX(), kX);
        EXPECT_EQ(list.GetRow(i)->GetY(), kY + (i + 1) * kH);
        EXPECT_EQ(list.GetRow(i)->GetHeight(), kH);
    }
    EXPECT_EQ(list.GetEndY(), kY + 3 * kH);

    list.ClearSelection();
    list.SelectRow(0);
    list.InsertRow(Picture(), "between", 0);
    EXPECT_EQ(Names(list), (Strings{"a", "between", "b"}));
    EXPECT_EQ(list.GetRow(1)->GetY(), kY + 2 * kH);
    EXPECT_EQ(list.GetRow(2)->GetY(), kY + 3 * kH);

    list.Move(5, 7);
    EXPECT_EQ(list.GetY(), kY + 7);
    EXPECT_EQ(list.GetRow(2)->GetX(), kX + 5);
    EXPECT_EQ(list.GetRow(2)->GetY(), kY + 7 + 3 * kH);
    list.SetPos(0, 0);
    EXPECT_EQ(list.GetRow(0)->GetY(), kH);
    EXPECT_EQ(list.GetEndY(), 4 * kH);

    list.DeleteRow(list.GetRow(0));
    EXPECT_EQ(Names(list), (Strings{"between", "b"}));
    EXPECT_EQ(list.GetRow(0)->GetY(), kH) << "later rows move up";
    EXPECT_EQ(list.GetRow(1)->GetY(), 2 * kH);
}

TEST_F(TextListTest, CopiesAreInsertedInOrderUnderTheSelectionAndOwnTheirPayloads) {
    ActionManager list, source;
    Fill(list, 4);
    Fill(source, 3);
    source.GetRow(0)->SetText("c1");
    source.GetRow(1)->SetText("c2");
    source.GetRow(2)->SetText("c3");
    source.SelectAll();
    std::unique_ptr<ddObrazContainer> copies(source.CopySelected());
    ASSERT_TRUE(copies);
    ASSERT_EQ(copies->Count(), 3);
    EXPECT_NE(static_cast<ActionManager::Row*>(copies->At(0))->GetPayload(), source.GetRow(0)->GetPayload());

    EXPECT_EQ(list.InsertCopies(copies.get()), nullptr) << "nothing selected";
    list.SelectRow(1);
    ActionManager::Row* last = list.InsertCopies(copies.get());
    EXPECT_EQ(Names(list), (Strings{"r0", "r1", "c1", "c2", "c3", "r2", "r3"}));
    EXPECT_EQ(last, list.GetRow(2)) << "the last one inserted";
    EXPECT_STREQ(static_cast<ActionManager::Row*>(copies->At(0))->GetText(), "c1") << "order restored";
    for (int i = 0; i < list.RowCount(); ++i) EXPECT_EQ(list.GetRow(i)->GetY(), kY + (i + 1) * kH);
    // Every row of the list owns its own copy: the source may go.
    source.DeleteAllRows();
    copies.reset();
    EXPECT_EQ(list.GetRow(3)->GetPayload()->GetWidth(), 4);
    EXPECT_NE(dynamic_cast<FrameManager*>(list.GetRow(3)), nullptr) << "an action's rows are frames";

    ActionManager empty;
    empty.Init(0, 0, 10, 10, 0, 0, 0, "e");
    EXPECT_EQ(empty.CopySelected(), nullptr);
}

TEST_F(TextListTest, SharedPayloadsStayWithTheirOwner) {
    ActionManager list;
    list.Init(kX, kY, kW, kH, 0, 0, 0, "shared");
    lumoObraz* picture = Picture();
    list.SelectHeader();
    ActionManager::Row* row = list.InsertRow(picture, "s", 1);
    EXPECT_EQ(row->GetPayload(), picture);
    ActionManager::Row* copy = list.AddRowFrom(row);
    EXPECT_NE(copy->GetPayload(), picture) << "a row made from another does not share";
    delete copy;
    list.DeleteAllRows();
    EXPECT_EQ(picture->GetWidth(), 4) << "the shared picture is still alive";
}

TEST_F(TextListTest, ArrowKeysMoveTheSelectionAndReportLeavingTheList) {
    ActionManager list;
    Fill(list, 12);
    list.SelectHeader();
    Key(SDLK_DOWN);
    EXPECT_EQ(list.OnKey(), 2);
    EXPECT_FALSE(list.IsHeaderSelected());
    EXPECT_EQ(Selected(list), (std::vector<int>{0}));
    Key(SDLK_UP);
    EXPECT_EQ(list.OnKey(), 2) << "up from row 0 selects the header";
    EXPECT_TRUE(list.IsHeaderSelected());
    EXPECT_TRUE(Selected(list).empty());
    Key(SDLK_UP);
    EXPECT_EQ(list.OnKey(), 1);
    EXPECT_FALSE(list.IsHeaderSelected());
    Key(SDLK_UP);
    EXPECT_EQ(list.OnKey(), 0) << "nothing selected: nothing to move";

    list.SelectRow(5);
    Key(SDLK_PAGEDOWN);
    EXPECT_EQ(list.OnKey(), 3);
    EXPECT_TRUE(Selected(list).empty()) << "the selection was cleared";
    list.SelectRow(11);
    Key(SDLK_PAGEUP);
    EXPECT_EQ(list.OnKey(), 2);
    EXPECT_EQ(Selected(list), (std::vector<int>{1}));
    Key(SDLK_PAGEUP);
    EXPECT_EQ(list.OnKey(), 1) << "past the header";
    EXPECT_EQ(Selected(list), (std::vector<int>{1})) << "unchanged";

    // A shift key keeps the old selection while moving.
    Key(SDLK_DOWN, true);
    EXPECT_EQ(list.OnKey(), 2);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2}));

    // From the header, PageDown picks row 9.
    list.ClearSelection();
    list.SelectHeader();
    Key(SDLK_PAGEDOWN);
    EXPECT_EQ(list.OnKey(), 2);
    EXPECT_EQ(Selected(list), (std::vector<int>{9}));

    // A collapsed list's header does not go down into hidden rows.
    list.SelectLastOrHeader();
    list.SelectHeader();
    list.DeselectRows();
    Key(SDLK_LEFT);
    EXPECT_EQ(list.OnKey(), 6);
    EXPECT_TRUE(list.RowsHidden());
    EXPECT_FALSE(list.GetRow(0)->IsVisible());
    Key(SDLK_DOWN);
    EXPECT_EQ(list.OnKey(), 3);
    EXPECT_TRUE(list.IsHeaderSelected());
    EXPECT_TRUE(Selected(list).empty());
    Key(SDLK_RIGHT);
    EXPECT_EQ(list.OnKey(), 5);
    EXPECT_TRUE(list.GetRow(0)->IsVisible());
    list.ClearSelection();
    list.SelectRow(0);
    Key(SDLK_LEFT);
    EXPECT_EQ(list.OnKey(), 0) << "only the header collapses";
    Key(SDLK_a, false, false, 'a');
    EXPECT_EQ(list.OnKey(), 0);

    ActionManager empty;
    empty.Init(0, 0, 10, 10, 0, 0, 0, "e");
    empty.SelectHeader();
    Key(SDLK_DOWN);
    EXPECT_EQ(empty.OnKey(), 0) << "no rows";
}

TEST_F(TextListTest, DeletingSelectsTheRowThatTookThePlace) {
    ActionManager list;
    Fill(list, 5);
    list.SelectRow(3);
    list.SelectRow(1);
    Key(SDLK_DELETE);
    EXPECT_EQ(list.OnKey(), 4);
    EXPECT_EQ(Names(list), (Strings{"r0", "r2", "r4"}));
    EXPECT_EQ(Selected(list), (std::vector<int>{1})) << "the index of the last selected row";
    for (int i = 0; i < list.RowCount(); ++i) EXPECT_EQ(list.GetRow(i)->GetY(), kY + (i + 1) * kH);

    list.ClearSelection();
    list.SelectRow(2);
    list.DeleteSelected();
    EXPECT_EQ(Selected(list), (std::vector<int>{1})) << "past the end: the last row";

    // The header selected: a key deletes nothing, the call deletes all.
    list.ClearSelection();
    list.SelectHeader();
    Key(SDLK_DELETE);
    EXPECT_EQ(list.OnKey(), 4);
    EXPECT_EQ(list.RowCount(), 2);
    list.DeleteSelected();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_FALSE(list.IsHeaderSelected());

    list.AppendRow(Picture(), "only", 0);
    list.SelectRow(0);
    list.DeleteSelected();
    EXPECT_TRUE(list.IsHeaderSelected()) << "no rows left: the header";

    list.AppendRow(Picture(), "kept", 0);
    list.ClearSelection();
    list.SelectRow(0);
    list.SetDeletable(0);
    Key(SDLK_DELETE);
    EXPECT_EQ(list.OnKey(), 0);
    EXPECT_EQ(list.RowCount(), 1);
}

TEST_F(TextListTest, SelectionsKeepTheirOrderAndRangesFillGaps) {
    ActionManager list;
    Fill(list, 6);
    EXPECT_FALSE(list.SelectRow(6));
    EXPECT_FALSE(list.SelectRow(-1));
    EXPECT_TRUE(list.SelectRow(4));
    EXPECT_TRUE(list.SelectRow(1));
    EXPECT_TRUE(list.SelectRow(4));  // already selected: not added twice
    EXPECT_EQ(Selected(list), (std::vector<int>{4, 1}));
    list.SelectRange();
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2, 3, 4}));
    for (int i = 0; i < list.RowCount(); ++i) EXPECT_EQ(list.GetRow(i)->IsSelected(), i >= 1 && i <= 4);
    list.SelectAll();
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2, 3, 4, 0, 5}));
    list.SelectHeader();
    list.ClearSelection();
    EXPECT_FALSE(list.IsHeaderSelected());
    EXPECT_TRUE(Selected(list).empty());
    for (int i = 0; i < list.RowCount(); ++i) EXPECT_FALSE(list.GetRow(i)->IsSelected());
    list.SelectLastOrHeader();
    EXPECT_EQ(Selected(list), (std::vector<int>{5}));
}

TEST_F(TextListTest, ClicksSelectTheHeaderOrTheRowUnderTheMouse) {
    ActionManager list;
    Fill(list, 3);
    ClickAt(kX + 5, kY + 2 * kH + 3);  // row 1
    EXPECT_EQ(list.OnClick(), 7);
    EXPECT_EQ(Selected(list), (std::vector<int>{1}));
    EXPECT_TRUE(list.RowsHit());
    ClickAt(kX + 5, kY + 3 * kH + 3, true);  // row 2 with left Ctrl
    EXPECT_EQ(list.OnClick(), 7);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2}));
    ClickAt(kX + 5, kY + kH + 3);  // row 0 alone
    EXPECT_EQ(list.OnClick(), 7);
    EXPECT_EQ(Selected(list), (std::vector<int>{0}));

    ClickAt(kX + 5, kY + 3);  // the header
    EXPECT_EQ(list.OnClick(), 7);
    EXPECT_TRUE(list.HeaderHit());
    EXPECT_TRUE(list.IsHeaderSelected());
    EXPECT_TRUE(Selected(list).empty());
    ClickAt(kX + 5, kY + kH + 3, true);  // Ctrl on a row: the header wins
    EXPECT_EQ(list.OnClick(), 7);
    EXPECT_TRUE(list.IsHeaderSelected());
    EXPECT_TRUE(Selected(list).empty());

    ClickAt(kX + kW + 5, kY + 3);
    EXPECT_EQ(list.OnClick(), 0);
    ClickAt(kX + 5, kY + 4 * kH + 3);  // under the last row
    EXPECT_EQ(list.OnClick(), 0);
    list.Collapse();
    ClickAt(kX + 5, kY + kH + 3);
    EXPECT_EQ(list.OnClick(), 0) << "hidden rows take no clicks";
}

TEST_F(TextListTest, RowNumbersStandOneRowHeightBelowTheHeader) {
    ActionManager list;
    list.Init(0, 0, 60, 20, 0, 0, 0, "");
    list.SetRowColour(0, 0, 0);
    list.SelectHeader();
    for (int i = 0; i < 2; ++i) list.InsertRow(Picture(), "", 0);
    list.ClearSelection();

    ClearScreenBlack();
    list.Draw();
    EXPECT_FALSE(AnyLit(0, 0, 60, 20)) << "the header has no number";
    EXPECT_TRUE(AnyLit(0, 20, 15, 20)) << "0 on the first row";
    EXPECT_TRUE(AnyLit(0, 40, 15, 20)) << "1 on the second row";
    EXPECT_FALSE(AnyLit(15, 20, 45, 40));

    list.SetNumbering(0);
    ClearScreenBlack();
    list.Draw();
    EXPECT_FALSE(AnyLit(0, 0, 60, 60));

    // A selected row shows the white overlay over its black background.
    list.SelectRow(1);
    ClearScreenBlack();
    list.Draw();
    EXPECT_FALSE(AnyLit(20, 22, 30, 10));
    EXPECT_TRUE(AnyLit(20, 42, 30, 10));

    list.Hide();
    ClearScreenBlack();
    list.Draw();
    EXPECT_FALSE(AnyLit(0, 0, 60, 60));
}

TEST_F(TextListTest, ActionsShowTheirFlagsAndFramesTheirSounds) {
    ActionManager list;
    list.Init(0, 0, 100, 20, 0, 0, 0, "walk");
    list.SetRowColour(0, 0, 0);
    lumoObraz* picture = Picture();
    list.SelectHeader();
    FrameManager* frame = static_cast<FrameManager*>(list.InsertRow(picture, "f", 0));
    list.ClearSelection();
    list.SetNumbering(0);
    const int headerEnd = list.GetTextOffsetX() + DefaultFont().TextWidth("walk");
    const int frameEnd = frame->GetTextOffsetX() + DefaultFont().TextWidth("f");

    ClearScreenBlack();
    list.Draw();
    EXPECT_FALSE(AnyLit(headerEnd + 1, 0, 100 - headerEnd - 1, 20));
    EXPECT_FALSE(AnyLit(frameEnd + 1, 20, 100 - frameEnd - 1, 20));

    list.SetLoop(1);
    frame->GetPayload()->GetSoundText()->SetText("step");
    ClearScreenBlack();
    list.Draw();
    EXPECT_TRUE(AnyLit(headerEnd + 1, 0, 100 - headerEnd - 1, 20)) << "(L)";
    EXPECT_TRUE(AnyLit(frameEnd + 1, 20, 100 - frameEnd - 1, 20)) << " (step)";

    // A copy carries the flags and copies of the frames with their sounds.
    list.SetHide(1);
    ActionManager copy(&list);
    EXPECT_TRUE(copy.Loops());
    EXPECT_TRUE(copy.Hides());
    EXPECT_STREQ(copy.GetText(), "walk");
    ASSERT_EQ(copy.RowCount(), 1);
    EXPECT_NE(dynamic_cast<FrameManager*>(copy.GetRow(0)), nullptr);
    EXPECT_NE(copy.GetRow(0)->GetPayload(), frame->GetPayload());
    EXPECT_STREQ(copy.GetRow(0)->GetPayload()->GetSoundName(), "step");
    EXPECT_EQ(copy.GetRow(0)->GetY(), 20);
    EXPECT_EQ(copy.GetEndY(), 40);
}

}  // namespace
