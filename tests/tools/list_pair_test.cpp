#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using Pair = ddSpreadTxtList<lumoObraz, ActionManager>;

class ListPairTest : public ListTest {
protected:
    void SetUp() override {
        ListTest::SetUp();
        pair.Upper().Init(0, 0, kW, kH, 40, 40, 40, "actions");
        pair.SetCopyEnabled(1);
        pair.SetClickArea(0, 0, 200, 150);
    }
    void TearDown() override {
        pair.Upper().DeleteAllRows();
        ListTest::TearDown();
    }

    // A new action with frames named <prefix>0, <prefix>1, ...
    ActionManager* Action(const char* name, int frames, const char* prefix = "f") {
        ActionManager* action = pair.NewAction(name);
        for (int i = 0; i < frames; ++i)
            action->AppendRow(Picture(), (prefix + std::to_string(i)).c_str(), 0);
        pair.Upper().ClearSelection();  // adding left the previous row selected
        pair.Arrange();
        return action;
    }

    int KeyDown(SDLKey sym, bool shift = false, bool ctrl = false, Uint16 unicode = 0) {
        Key(sym, shift, ctrl, unicode);
        return pair.ServOnKeyDown(pressed);
    }

    Strings ActionNames() { return Names(pair.Upper()); }

    Pair pair;
};

TEST_F(ListPairTest, ArrowKeysWalkBetweenActionsAndTheirFrames) {
    ActionManager* a = Action("a", 3);
    ActionManager* b = Action("b", 2);
    ASSERT_EQ(ActionNames(), (Strings{"a", "b"}));
    EXPECT_EQ(pair.Upper().GetRow(0)->GetPayload(), a);

    pair.ChooseAction(a);
    EXPECT_EQ(pair.Lower(), a);
    EXPECT_EQ(Selected(*a), (std::vector<int>{2}));
    EXPECT_EQ(KeyDown(SDLK_UP), 2);
    EXPECT_EQ(KeyDown(SDLK_UP), 2);
    EXPECT_EQ(Selected(*a), (std::vector<int>{0}));
    // Up from the first frame: the action's row in the upper list.
    EXPECT_EQ(KeyDown(SDLK_UP), 2);
    EXPECT_EQ(pair.Lower(), nullptr);
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{0}));
    // Up again from the first action's row: the upper header.
    EXPECT_EQ(KeyDown(SDLK_UP), 1);
    EXPECT_TRUE(pair.UpperHeaderSelected());
    EXPECT_TRUE(Selected(pair.Upper()).empty());
    EXPECT_EQ(KeyDown(SDLK_UP), 1);
    EXPECT_TRUE(pair.UpperHeaderSelected()) << "stays on the header";

    EXPECT_EQ(KeyDown(SDLK_DOWN), 2);
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{0}));
    EXPECT_EQ(KeyDown(SDLK_DOWN), 2);  // into a's frames
    EXPECT_EQ(pair.Lower(), a);
    EXPECT_EQ(pair.Chosen(), pair.Upper().GetRow(0));
    EXPECT_TRUE(Selected(pair.Upper()).empty());
    EXPECT_EQ(Selected(*a), (std::vector<int>{0}));
    KeyDown(SDLK_DOWN);
    KeyDown(SDLK_DOWN);
    EXPECT_EQ(KeyDown(SDLK_DOWN), 3);  // past a's last frame: b's row
    EXPECT_EQ(pair.Lower(), nullptr);
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{1}));
    EXPECT_EQ(KeyDown(SDLK_DOWN), 2);
    EXPECT_EQ(pair.Lower(), b);
    EXPECT_EQ(KeyDown(SDLK_DOWN), 2);
    EXPECT_EQ(KeyDown(SDLK_DOWN), 3);  // past the last frame of the last action
    EXPECT_EQ(pair.Lower(), b);
    EXPECT_EQ(Selected(*b), (std::vector<int>{1})) << "kept on the last frame";

    // Up from b's first frame, then up again: into a's frames from below.
    KeyDown(SDLK_UP);
    KeyDown(SDLK_UP);
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{1}));
    EXPECT_EQ(KeyDown(SDLK_UP), 1);
    EXPECT_EQ(pair.Lower(), a);
    EXPECT_TRUE(Selected(pair.Upper()).empty());
    EXPECT_EQ(Selected(*a), (std::vector<int>{2}));

    // A collapsed action is passed over as a row.
    pair.Upper().ClearSelection();
    pair.ChooseAction(b);
    KeyDown(SDLK_UP);
    KeyDown(SDLK_UP);  // b's row
    a->Collapse();
    EXPECT_EQ(KeyDown(SDLK_UP), 1);
    EXPECT_EQ(pair.Lower(), nullptr);
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{0}));
    EXPECT_EQ(KeyDown(SDLK_DOWN), 3) << "a's hidden frames are passed over";
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{1}));

    pair.Upper().ClearSelection();
    EXPECT_EQ(KeyDown(SDLK_DOWN), 0) << "nothing selected";
}

TEST_F(ListPairTest, TheLayoutFollowsExpandedFramesAndMovesAsAWhole) {
    ActionManager* a = Action("a", 3);
    ActionManager* b = Action("b", 2);
    Pair::UpperRow* rowA = pair.Upper().GetRow(0);
    Pair::UpperRow* rowB = pair.Upper().GetRow(1);
    EXPECT_EQ(rowA->GetY(), kH);
    EXPECT_EQ(a->GetY(), kH) << "an action's header sits on its row";
    EXPECT_EQ(a->GetRow(0)->GetY(), 2 * kH);
    EXPECT_EQ(rowB->GetY(), 5 * kH) << "after a's three frames";
    EXPECT_EQ(b->GetRow(1)->GetY(), 7 * kH);

    // Left on an action's row collapses it, and the rows after close up.
    pair.Upper().SelectRow(0);
    EXPECT_EQ(KeyDown(SDLK_LEFT), 6);
    EXPECT_TRUE(a->RowsHidden());
    EXPECT_EQ(rowB->GetY(), 2 * kH);
    EXPECT_EQ(KeyDown(SDLK_RIGHT), 5);
    EXPECT_EQ(rowB->GetY(), 5 * kH);

    // The frame at the bottom is brought up to the bottom line.
    pair.Upper().ClearSelection();
    pair.ChooseAction(b);
    pair.KeepVisible(0, 100);
    EXPECT_EQ(b->GetRow(1)->GetEndY(), 100);
    EXPECT_EQ(pair.Upper().GetY(), 100 - 8 * kH);
    EXPECT_EQ(b->GetY(), rowB->GetY());
    // The header is brought down to the top line.
    pair.Upper().SelectHeader();
    pair.KeepVisible(0, 100);
    EXPECT_EQ(pair.Upper().GetY(), 0);
    EXPECT_EQ(a->GetRow(0)->GetY(), 2 * kH);

    pair.Move(3, 4);
    EXPECT_EQ(pair.Upper().GetX(), 3);
    EXPECT_EQ(b->GetRow(0)->GetY(), 4 + 6 * kH);
    EXPECT_EQ(b->GetRow(0)->GetX(), 3);
}

TEST_F(ListPairTest, DeletingFramesAndActions) {
    ActionManager* a = Action("a", 2);
    Action("b", 1);
    Action("c", 2);

    // The header of a frame list deletes nothing there; the action goes.
    pair.Upper().SelectRow(0);
    EXPECT_EQ(KeyDown(SDLK_DELETE), 4);
    EXPECT_EQ(ActionNames(), (Strings{"b", "c"}));
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{0}));

    // Deleting the only frame of the chosen action deletes the action.
    ActionManager* b = pair.Upper().GetRow(0)->GetPayload();
    pair.ChooseAction(b);
    EXPECT_EQ(KeyDown(SDLK_DELETE), 4);
    EXPECT_EQ(ActionNames(), (Strings{"c"}));
    EXPECT_EQ(pair.Lower(), nullptr);
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{0})) << "the row now at its place";

    // One of two frames: only the frame goes.
    ActionManager* c = pair.Upper().GetRow(0)->GetPayload();
    pair.ChooseAction(c);
    EXPECT_EQ(KeyDown(SDLK_DELETE), 4);
    EXPECT_EQ(c->RowCount(), 1);
    EXPECT_EQ(pair.Lower(), c);

    // The chosen action deleted from the upper list is forgotten.
    pair.Upper().SelectRow(0);
    EXPECT_EQ(KeyDown(SDLK_DELETE), 4);
    EXPECT_EQ(pair.Upper().RowCount(), 0);
    EXPECT_EQ(pair.Lower(), nullptr);
    EXPECT_EQ(pair.Chosen(), nullptr);
    EXPECT_TRUE(pair.UpperHeaderSelected());
    EXPECT_EQ(KeyDown(SDLK_DELETE), 4) << "the upper header deletes nothing";
    (void)a;
}

TEST_F(ListPairTest, RowsDeletedBehindThePairsBackAreLetGo) {
    ActionManager* a = Action("a", 2);
    Action("b", 2);
    pair.ChooseAction(a);
    ASSERT_EQ(pair.StartWriting(), 1);
    pair.Upper().DeleteRow(pair.Chosen());  // the owner deletes the action
    EXPECT_EQ(KeyDown(SDLK_x, false, false, 'x'), 0);
    EXPECT_FALSE(pair.IsWriting());
    EXPECT_EQ(pair.Lower(), nullptr);
    EXPECT_EQ(KeyDown(SDLK_UP), 0);
    ddObrazContainer got;
    pair.CollectSelected(&got);
    EXPECT_TRUE(got.IsEmpty());

    ActionManager* b = pair.Upper().GetRow(0)->GetPayload();
    pair.ChooseAction(b);
    ASSERT_EQ(pair.StartWriting(), 1);
    b->DeleteRow(b->GetRow(1));  // the frame being renamed
    pair.StopWriting();
    EXPECT_FALSE(pair.IsWriting());
    EXPECT_EQ(Names(*b), (Strings{"f0"}));
}

TEST_F(ListPairTest, RenamingPutsTheOldNameBackWhenLeftBlank) {
    ActionManager* a = Action("walk", 2);
    EXPECT_EQ(pair.StartWriting(), 0) << "nothing selected";
    pair.Upper().SelectHeader();
    EXPECT_EQ(pair.StartWriting(), 0) << "the upper header is not renamed";

    // An action's name is written into its row and its list's header.
    pair.Upper().ClearSelection();
    pair.Upper().SelectRow(0);
    ASSERT_EQ(pair.StartWriting(), 1);
    EXPECT_EQ(KeyDown(SDLK_s, false, false, 's'), 0);
    KeyDown(SDLK_DOWN);  // editing keys do not move the selection
    EXPECT_EQ(KeyDown(SDLK_KP_ENTER, false, false, '\r'), 0) << "only Enter ends a rename";
    EXPECT_TRUE(pair.IsWriting());
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{0}));
    EXPECT_STREQ(pair.Upper().GetRow(0)->GetText(), "walks");
    EXPECT_STREQ(a->GetText(), "walks");
    EXPECT_EQ(KeyDown(SDLK_RETURN), 1);
    EXPECT_FALSE(pair.IsWriting());
    EXPECT_STREQ(a->GetText(), "walks");
    EXPECT_FALSE(a->IsUnlocked());
    EXPECT_FALSE(pair.Upper().GetRow(0)->IsUnlocked());

    // Emptied, or only blanks: the old name comes back, in both.
    ASSERT_EQ(pair.StartWriting(), 1);
    KeyDown(SDLK_DELETE);
    KeyDown(SDLK_SPACE, false, false, ' ');
    EXPECT_STREQ(a->GetText(), " ");
    KeyDown(SDLK_RETURN);
    EXPECT_STREQ(pair.Upper().GetRow(0)->GetText(), "walks");
    EXPECT_STREQ(a->GetText(), "walks");

    // A frame: Esc puts the old name back.
    pair.ChooseAction(a);
    ASSERT_EQ(pair.StartWriting(), 1);
    KeyDown(SDLK_x, false, false, 'x');
    EXPECT_STREQ(a->GetRow(1)->GetText(), "f1x");
    EXPECT_STREQ(a->GetText(), "walks") << "the header is not the frame's";
    KeyDown(SDLK_ESCAPE);
    EXPECT_STREQ(a->GetRow(1)->GetText(), "f1");

    // A click ends writing and keeps what was written.
    ASSERT_EQ(pair.StartWriting(), 1);
    KeyDown(SDLK_9, false, false, '9');
    ClickAt(500, 500);
    pair.SetClickArea(0, 0, 10, 10);
    EXPECT_EQ(pair.OnClick(click), 0);
    EXPECT_FALSE(pair.IsWriting());
    EXPECT_STREQ(a->GetRow(1)->GetText(), "f19");
}

TEST_F(ListPairTest, CopiedFramesAndActionsPasteInOrder) {
    ActionManager* a = Action("a", 4, "r");
    ActionManager* b = Action("b", 3, "c");
    pair.ChooseAction(b);
    b->SelectAll();  // after the last row, which choosing selected
    EXPECT_EQ(Selected(*b), (std::vector<int>{2, 0, 1}));
    b->ClearSelection();
    b->SelectAll();
    KeyDown(SDLK_c, false, true, 'c');
    ASSERT_NE(pair.CopiedFrames(), nullptr);
    EXPECT_EQ(pair.CopiedFrames()->Count(), 3);
    EXPECT_EQ(pair.CopiedActions(), nullptr) << "no action was selected";

    pair.ChooseAction(a);
    a->ClearSelection();
    a->SelectRow(1);
    KeyDown(SDLK_v, false, true, 'v');
    EXPECT_EQ(Names(*a), (Strings{"r0", "r1", "c0", "c1", "c2", "r2", "r3"}));
    for (int i = 0; i < a->RowCount(); ++i) EXPECT_EQ(a->GetRow(i)->GetY(), a->GetY() + (i + 1) * kH);

    // Reversed: the clipboard's order turned round.
    a->ClearSelection();
    a->SelectRow(6);
    pair.PasteReversed();
    EXPECT_EQ(Names(*a), (Strings{"r0", "r1", "c0", "c1", "c2", "r2", "r3", "c2", "c1", "c0"}));
    EXPECT_NE(a->GetRow(7)->GetPayload(), b->GetRow(2)->GetPayload()) << "pasted frames are copies";

    // Copying is off: nothing copied or pasted.
    pair.SetCopyEnabled(0);
    KeyDown(SDLK_v, false, true, 'v');
    EXPECT_EQ(a->RowCount(), 10);
    pair.SetCopyEnabled(1);

    // An action copied under another: a copy with copies of its frames.
    a->ClearSelection();
    pair.Upper().ClearSelection();
    pair.Upper().SelectRow(1);
    KeyDown(SDLK_c, false, true, 'c');
    ASSERT_NE(pair.CopiedActions(), nullptr);
    pair.Upper().ClearSelection();
    pair.Upper().SelectRow(0);
    KeyDown(SDLK_v, false, true, 'v');
    ASSERT_EQ(ActionNames(), (Strings{"a", "b", "b"}));
    ActionManager* copy = pair.Upper().GetRow(1)->GetPayload();
    EXPECT_NE(copy, b);
    EXPECT_EQ(Names(*copy), (Strings{"c0", "c1", "c2"}));
    EXPECT_NE(copy->GetRow(0)->GetPayload(), b->GetRow(0)->GetPayload());
    EXPECT_EQ(copy->GetY(), pair.Upper().GetRow(1)->GetY());
    // The clipboard stays for another paste, and outlives its source.
    pair.Upper().ClearSelection();
    pair.Upper().SelectRow(2);
    KeyDown(SDLK_DELETE);
    pair.Upper().ClearSelection();
    pair.Upper().SelectRow(0);
    KeyDown(SDLK_v, false, true, 'v');
    EXPECT_EQ(ActionNames(), (Strings{"a", "b", "b"}));
    EXPECT_EQ(pair.Upper().GetRow(1)->GetPayload()->RowCount(), 3);

    pair.Upper().ClearSelection();
    pair.Upper().SelectHeader();
    KeyDown(SDLK_c, false, true, 'c');
    EXPECT_NE(pair.CopiedActions(), nullptr) << "the upper header copies nothing";
}

TEST_F(ListPairTest, ClicksChooseTheListUnderTheMouse) {
    ActionManager* a = Action("a", 3);
    ActionManager* b = Action("b", 2);
    ClickAt(5, 3 * kH + 3);  // a's second frame
    EXPECT_EQ(pair.OnClick(click), 1);
    EXPECT_EQ(pair.Lower(), a);
    EXPECT_EQ(pair.Chosen(), pair.Upper().GetRow(0));
    EXPECT_EQ(Selected(*a), (std::vector<int>{1}));

    ClickAt(5, 7 * kH + 3);  // b's second frame
    EXPECT_EQ(pair.OnClick(click), 1);
    EXPECT_EQ(pair.Lower(), b);
    EXPECT_TRUE(Selected(*a).empty()) << "the old lower list lets go";
    EXPECT_EQ(Selected(*b), (std::vector<int>{1}));

    ClickAt(5, 5 * kH + 3);  // b's row
    EXPECT_EQ(pair.OnClick(click), 1);
    EXPECT_EQ(pair.Lower(), nullptr);
    EXPECT_TRUE(Selected(*b).empty());
    EXPECT_EQ(Selected(pair.Upper()), (std::vector<int>{1}));
    EXPECT_TRUE(b->IsHeaderSelected());

    ClickAt(5, 3);  // the upper header
    EXPECT_EQ(pair.OnClick(click), 1);
    EXPECT_TRUE(pair.UpperHeaderSelected());

    ClickAt(5, 20 * kH);
    EXPECT_EQ(pair.OnClick(click), 0);
    EXPECT_TRUE(pair.UpperHeaderSelected());
}

TEST_F(ListPairTest, SelectedPicturesAreCollected) {
    ActionManager* a = Action("a", 3);
    ActionManager* b = Action("b", 2);
    ddObrazContainer got;
    pair.CollectSelected(&got);
    EXPECT_TRUE(got.IsEmpty());

    pair.Upper().SelectHeader();
    pair.CollectSelected(&got);
    ASSERT_EQ(got.Count(), 5);
    EXPECT_EQ(got.At(3), b->GetRow(0)->GetPayload());
    got.Clear();

    pair.Upper().ClearSelection();
    pair.Upper().SelectRow(1);
    pair.CollectSelected(&got);
    ASSERT_EQ(got.Count(), 2);
    EXPECT_EQ(got.At(1), b->GetRow(1)->GetPayload());
    got.Clear();

    pair.ChooseAction(a);
    a->ClearSelection();
    a->SelectRow(2);
    a->SelectRow(0);
    pair.CollectSelected(&got);
    ASSERT_EQ(got.Count(), 2);
    EXPECT_EQ(got.At(0), a->GetRow(2)->GetPayload());
    EXPECT_EQ(got.At(1), a->GetRow(0)->GetPayload());
    got.Clear();

    pair.SelectFrameRange();
    EXPECT_EQ(Selected(*a), (std::vector<int>{0, 1, 2}));
    a->ClearSelection();
    a->SelectHeader();
    pair.SelectAllFrames();
    EXPECT_FALSE(a->IsHeaderSelected());
    EXPECT_EQ(Selected(*a), (std::vector<int>{0, 1, 2}));
}

TEST_F(ListPairTest, ActionsAndFramesAreAdded) {
    pair.Upper().SetRowColour(10, 20, 30);
    ActionManager* action = pair.NewAction("new");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->GetX(), 0);
    EXPECT_EQ(action->GetY(), kH);
    EXPECT_EQ(action->HeaderR(), 10) << "the header takes the upper rows' colour";
    EXPECT_EQ(action->GetHeight(), kH);
    EXPECT_TRUE(pair.Upper().HasNumbering());
    EXPECT_EQ(Selected(pair.Upper()), std::vector<int>{}) << "the header was the selection point";

    // A second action goes under the last one, the previous row selected.
    pair.SetNewActionColour(1, 2, 3);
    ActionManager* second = pair.NewAction("second");
    EXPECT_EQ(second->RowR(), 1);
    EXPECT_EQ(ActionNames(), (Strings{"new", "second"}));

    // Frames from rows, and from bare pictures, into the chosen action.
    pair.ChooseAction(second);
    ActionManager source;
    Fill(source, 2);
    source.SelectAll();
    ddObrazContainer* rows = source.CopySelected();
    pair.AddFrames(rows);
    delete rows;
    EXPECT_EQ(Names(*second), (Strings{"r0", "r1"}));
    EXPECT_EQ(Selected(*second), (std::vector<int>{1}));
    ddObrazContainer bare;
    bare.Add(Picture(7, 7));
    bare.Add(Picture(8, 8));
    pair.AddFrames(&bare);
    bare.Clear();
    EXPECT_EQ(Names(*second), (Strings{"r0", "r1", "0", "1"}));
    EXPECT_EQ(second->GetRow(3)->GetPayload()->GetWidth(), 8);
    EXPECT_EQ(Selected(*second), (std::vector<int>{3}));

    // A list added without sharing: the row keeps a copy.
    ActionManager own;
    own.AppendRow(Picture(), "x", 0);
    ActionManager* kept = pair.AddAction(&own, "copied", 0);
    ASSERT_NE(kept, nullptr);
    EXPECT_NE(kept, &own);
    EXPECT_EQ(kept->RowCount(), 1);
}

}  // namespace

namespace {

TEST_F(ListPairTest, ThePairDrawsEachActionOverItsRow) {
    pair.Upper().Init(0, 0, kW, kH, 0, 0, 0, "");
    pair.Upper().SetRowColour(0, 0, 0);
    pair.SetNewActionColour(0, 0, 255);
    ActionManager* a = pair.NewAction("");
    a->SetNumbering(0);
    pair.Upper().SetNumbering(0);
    a->AppendRow(Picture(), "", 0);
    pair.Upper().ClearSelection();
    pair.Arrange();

    ClearScreenBlack();
    pair.Draw();
    EXPECT_FALSE(AnyLit(0, 0, kW, 2 * kH)) << "header and action row are black";
    EXPECT_TRUE(AnyLit(20, 2 * kH + 3, 10, 5)) << "the frame in the action's colour";

    a->SetLoop(1);
    ClearScreenBlack();
    pair.Draw();
    EXPECT_TRUE(AnyLit(0, kH, kW, kH)) << "the action's header, drawn over its row, shows (L)";

    pair.Upper().Collapse();
    ClearScreenBlack();
    pair.Draw();
    EXPECT_FALSE(AnyLit(0, kH, kW, 3 * kH)) << "a collapsed upper list hides its actions";
    pair.Upper().Expand();
    pair.Hide();
    ClearScreenBlack();
    pair.Draw();
    EXPECT_FALSE(AnyLit(0, 0, kW, 3 * kH));
}

}  // namespace
