// The animation editor building animations from its lists, saving them as a
// definition with a picture sheet, reading them back, exporting and
// importing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/picture_files.h"
#include "lumo_fixture.h"

namespace {

namespace fs = std::filesystem;

class LumoBuild : public LumoTest {
protected:
    void SetUp() override {
        LumoTest::SetUp();
        WritePicture("pics/a.bmp", 8, 6, 250, 0, 0);
        WritePicture("pics/b.bmp", 5, 7, 0, 250, 0);
        Start();
        Import("pics/", "a.bmp");
        Import("pics/", "b.bmp");
    }

    // The action "new" with the frames a and b.
    ActionManager* ActionOfBothPictures() {
        SelectPictures(0, {0});
        Press(SDLK_RETURN);
        SelectPictures(1, {0});
        Press(SDLK_SPACE);
        return editor->AnimationPair()->Upper().GetRow(0)->GetPayload();
    }

    // What the editor prints while saving to dir/file.
    std::string SaidSaving(const std::string& dir, const std::string& file) {
        testing::internal::CaptureStdout();
        Save(dir, file);
        return testing::internal::GetCapturedStdout();
    }

    std::vector<std::string> Files(const std::string& dir) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(LumoBuild, ImportedPicturesMakeActionsThatSaveAndReadBack) {
    lumo2Game::Pair* images = editor->ImagesPair();
    ASSERT_EQ(images->Upper().RowCount(), 2);
    EXPECT_STREQ(images->Upper().GetRow(0)->GetText(), "a.bmp");
    EXPECT_STREQ(images->Upper().GetRow(1)->GetText(), "b.bmp");
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    EXPECT_FALSE(editor->FilePanel().IsVisible());

    // Enter makes "new" from picture a; Space adds b to it as a frame.
    ActionManager* action = ActionOfBothPictures();
    lumo2Game::Pair* anim = editor->AnimationPair();
    ASSERT_EQ(anim->Upper().RowCount(), 1);
    ASSERT_EQ(action->RowCount(), 2);
    EXPECT_STREQ(action->GetRow(0)->GetText(), "a.bmp");

    // Give frame b a place and a sound, the action the loop flag.
    action->GetRow(1)->GetPayload()->SetPos(12, 3);
    action->GetRow(1)->GetPayload()->GetSoundText()->SetText("step");
    anim->Upper().ClearSelection();
    anim->ChooseAction(action);
    anim->Upper().ClearSelection();
    action->ClearSelection();
    anim->Upper().SelectRow(0);
    editor->ActivateAnimation();
    Press(SDLK_l, {SDLK_LSHIFT});
    EXPECT_TRUE(action->Loops());

    EXPECT_EQ(SaidSaving("out/", "walk.lum"), "");
    EXPECT_EQ(editor->GetState(), lumo2Game::kInitial);
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"walk.lum", "walk.z16"}));
    EXPECT_EQ(GraphAPI::CountPictures("out/walk.z16"), 2);

    Animacja back("out/walk.lum");
    ASSERT_EQ(back.GetActionCount(), 1);
    EXPECT_STREQ(back.GetNameOfAction(0), "new");
    EXPECT_EQ(back.GetAction(0)->GetLoop(), 1);
    ASSERT_EQ(back.GetActionFrameCount(0), 2);
    EXPECT_EQ(back.GetBankCount(), 2);
    AnimationFrame* second = back.GetAction(0)->GetFrame(1);
    EXPECT_EQ(second->GetBankIndex(), 1);
    EXPECT_EQ(second->GetX(), 12);
    EXPECT_EQ(second->GetY(), 3);
    EXPECT_EQ(second->GetWidth(), 5);
    EXPECT_STREQ(back.GetAction(0)->GetFrameSound(1), "step");
    EXPECT_EQ(back.GetAction(0)->GetFrameSound(0), nullptr);
}

TEST_F(LumoBuild, TheSheetHoldsEachPictureOnceAndIsWhatTheSheetWriterWrites) {
    // Two actions, each with picture a twice.
    SelectPictures(0, {0});
    Press(SDLK_RETURN);
    SelectPictures(0, {0});
    Press(SDLK_SPACE);
    editor->AnimationPair()->Upper().ClearSelection();
    if (editor->AnimationPair()->Lower()) editor->AnimationPair()->Lower()->ClearSelection();
    SelectPictures(0, {0});
    Press(SDLK_RETURN, {SDLK_LSHIFT});  // named by the run's counter
    SelectPictures(0, {0});
    Press(SDLK_SPACE);

    lumo2Game::Pair* anim = editor->AnimationPair();
    ASSERT_EQ(anim->Upper().RowCount(), 2);
    EXPECT_STREQ(anim->Upper().GetRow(1)->GetText(), "0");
    // Nothing shown: every picture keeps its place relative to the draw
    // area after the save too, so the sheet can be written again below.
    editor->ShowSelection(nullptr);
    Save("out/", "walk.l32");
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"walk.lum", "walk.zel"}));
    EXPECT_EQ(editor->GetSheetCount(), 1);

    Animacja back("out/walk.lum");
    ASSERT_EQ(back.GetActionCount(), 2);
    EXPECT_EQ(back.GetBankCount(), 1);
    for (int a = 0; a < 2; ++a) {
        ASSERT_EQ(back.GetActionFrameCount(a), 2);
        for (int f = 0; f < 2; ++f) EXPECT_EQ(back.GetAction(a)->GetFrame(f)->GetBankIndex(), 0);
    }

    // The sheet is byte for byte what the engine's sheet writer makes.
    const Image* one[] = {editor->GetSheetImage(0)};
    GraphAPI::SaveZelFile(one, "out/ref.zel", 1);
    EXPECT_EQ(ReadText("out/ref.zel"), ReadText("out/walk.zel"));
    Save("out/", "w16.lum");
    one[0] = editor->GetSheetImage(0);
    GraphAPI::SaveZ16File(one, "out/ref.z16", 1);
    EXPECT_EQ(ReadText("out/ref.z16"), ReadText("out/w16.z16"));
}

TEST_F(LumoBuild, AnEmptyFrameIsSavedWithoutAPictureAndTheDelayIsAtLeastOne) {
    SelectPictures(0, {0});
    Press(SDLK_SPACE, {SDLK_RSHIFT});
    lumo2Game::Pair* anim = editor->AnimationPair();
    ASSERT_EQ(anim->Upper().RowCount(), 1);
    EXPECT_STREQ(anim->Upper().GetRow(0)->GetText(), "empty");
    folder.Write("out/e.z16", "stale sheet");
    Save("out/", "e.lum");
    const std::string text = ReadText("out/e.lum");
    EXPECT_NE(text.find("<delay>\t1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\t<f>\t-1\tempty\t0\t0\n"), std::string::npos) << text;
    // The sheet holds no picture: a count of 0 replaces an older sheet.
    EXPECT_EQ(ReadText("out/e.z16"), std::string(4, '\0'));
}

TEST_F(LumoBuild, AFailedSaveSaysSoAndLeavesNoFile) {
    SelectPictures(0, {0});
    Press(SDLK_RETURN);

    std::string out = SaidSaving("nowhere/", "walk.lum");
    EXPECT_NE(out.find("cannot write nowhere/walk.z16"), std::string::npos) << out;
    EXPECT_FALSE(fs::exists("nowhere"));

    // The definition's place is taken by a folder: the sheet is not left
    // behind either.
    fs::create_directories("out/walk.lum/inside");
    out = SaidSaving("out/", "walk.lum");
    EXPECT_NE(out.find("cannot write out/walk.lum"), std::string::npos) << out;
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"walk.lum"}));
    EXPECT_TRUE(fs::is_directory("out/walk.lum"));

    // An unknown ending writes nothing.
    Save("out/", "walk.txt");
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"walk.lum"}));

    // Screenshots: the lists go out of the way, the file is whole or absent.
    out = SaidSaving("nowhere/", "shot.bmp");
    EXPECT_NE(out.find("cannot write nowhere/shot.bmp"), std::string::npos) << out;
    EXPECT_TRUE(editor->ListsHidden());
    Save("out/", "shot.bmp");
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"shot.bmp", "walk.lum"}));
    EXPECT_EQ(ReadText("out/shot.bmp").substr(0, 2), "BM");
}

TEST_F(LumoBuild, ASaveThatFailsLeavesEveryFileByteForByte) {
    SelectPictures(0, {0});
    Press(SDLK_RETURN);
    Save("out/", "keep.lum");
    Save("out/", "dir.lum");
    const std::string keepLum = ReadText("out/keep.lum"), keepSheet = ReadText("out/keep.z16");
    const std::string dirSheet = ReadText("out/dir.z16");
    ASSERT_FALSE(keepLum.empty());
    SelectPictures(1, {0});
    Press(SDLK_SPACE);  // a second frame: a save that went through would differ

    // The sheet cannot be written: the definition stays as it was.
    fs::create_directories("out/keep.zel");
    EXPECT_EQ(SaidSaving("out/", "keep.l32"), "SaveLum: cannot write out/keep.zel\n");
    EXPECT_EQ(ReadText("out/keep.lum"), keepLum);
    EXPECT_EQ(ReadText("out/keep.z16"), keepSheet);

    // The definition's name is a folder: the sheet beside it stays.
    fs::remove("out/dir.lum");
    fs::create_directories("out/dir.lum");
    EXPECT_EQ(SaidSaving("out/", "dir.lum"), "SaveLum: cannot write out/dir.lum\n");
    EXPECT_EQ(ReadText("out/dir.z16"), dirSheet);
    EXPECT_EQ(Files("out"),
              (std::vector<std::string>{"dir.lum", "dir.z16", "keep.lum", "keep.z16", "keep.zel"}));

    // Both go in when both can.
    Save("out/", "keep.lum");
    Animacja back("out/keep.lum");
    EXPECT_EQ(back.GetActionFrameCount(0), 2);
    EXPECT_EQ(GraphAPI::CountPictures("out/keep.z16"), 2);
}

TEST_F(LumoBuild, NamesWithBlanksAreSavedAsOneWordAndReadBackTheSame) {
    ActionManager* action = ActionOfBothPictures();
    lumo2Game::Pair* anim = editor->AnimationPair();
    action->SetLoop(1);
    action->GetRow(1)->GetPayload()->SetPos(12, 3);
    action->GetRow(1)->GetPayload()->GetSoundText()->SetText("big step");
    // Renamed as a person does: Space, the new name, Enter.
    editor->ActivateAnimation();
    action->ClearSelection();
    anim->Upper().ClearSelection();
    anim->Upper().SelectRow(0);
    Press(SDLK_SPACE);
    ASSERT_EQ(editor->GetState(), lumo2Game::kSetName);
    for (int i = 0; i < 3; ++i) Press(SDLK_BACKSPACE);
    Type("go left");
    Press(SDLK_RETURN);
    ASSERT_STREQ(anim->Upper().GetRow(0)->GetText(), "go left");
    action->GetRow(0)->SetText("my frame");
    action->GetRow(1)->SetText("\tlast<f> ");

    Save("out/", "blank.lum");
    Animacja back("out/blank.lum");
    ASSERT_EQ(back.GetActionCount(), 1);
    EXPECT_STREQ(back.GetNameOfAction(0), "go_left");
    EXPECT_EQ(back.GetAction(0)->GetLoop(), 1);
    ASSERT_EQ(back.GetActionFrameCount(0), 2);
    EXPECT_STREQ(back.GetAction(0)->GetFrameName(0), "my_frame");
    EXPECT_STREQ(back.GetAction(0)->GetFrameName(1), "_last_f>_");
    EXPECT_EQ(back.GetAction(0)->GetFrame(1)->GetX(), 12);
    EXPECT_EQ(back.GetAction(0)->GetFrame(1)->GetY(), 3);
    EXPECT_STREQ(back.GetAction(0)->GetFrameSound(1), "big_step");
}

TEST_F(LumoBuild, NothingIsSavedWithoutActionsAndTheEditorSaysSo) {
    EXPECT_EQ(SaidSaving("out/", "walk.lum"), "SaveFile: nothing saved to out/walk.lum: no action\n");
    EXPECT_EQ(SaidSaving("out/", "walk.l32"), "SaveFile: nothing saved to out/walk.l32: no action\n");
    EXPECT_TRUE(Files("out").empty());
    EXPECT_EQ(editor->GetBuilt(), nullptr);
}

// Records where export pictures would go.
class RecordingEditor : public lumo2Game {
public:
    std::vector<std::string> names;

protected:
    void SaveExportPicture(ddCanvas* canvas, const char* name) override {
        EXPECT_GT(canvas->GetWidth(), 0);
        names.emplace_back(name);
    }
};

TEST_F(LumoBuild, ExportsNumberTheSheetAndTheFrames) {
    WritePicture("pics/c.bmp", 3, 3, 0, 0, 250);
    editor.reset();
    auto* recorder = new RecordingEditor;
    editor.reset(recorder);
    editor->OnStart();
    Import("pics/", "a.bmp");
    Import("pics/", "b.bmp");
    Import("pics/", "c.bmp");
    for (int g = 0; g < 3; ++g) {
        SelectPictures(g, {0});
        Press(g == 0 ? SDLK_RETURN : SDLK_SPACE);
    }
    // Picture a once more: the sheet stays at three.
    SelectPictures(0, {0});
    Press(SDLK_SPACE);
    Save("out/", "seq.png");
    EXPECT_EQ(recorder->names, (std::vector<std::string>{"out/seq0.png", "out/seq1.png", "out/seq2.png"}));
    recorder->names.clear();
    Save("out/", "film.avi");
    EXPECT_EQ(recorder->names,
              (std::vector<std::string>{"out/film0.png", "out/film1.png", "out/film2.png", "out/film3.png"}));
}

TEST_F(LumoBuild, AnImportedDefinitionSavesAgainWithEverythingKept) {
    ActionManager* action = ActionOfBothPictures();
    action->SetHide(1);
    action->GetRow(0)->GetPayload()->SetPos(-4, 9);
    action->GetRow(1)->GetPayload()->GetSoundText()->SetText("thud");
    action->GetRow(1)->SetText("last");
    Save("out/", "one.lum");
    const std::string first = ReadText("out/one.lum");

    editor.reset();
    Start();
    Import("out/", "one.lum");
    ASSERT_EQ(editor->AnimationPair()->Upper().RowCount(), 1);
    ASSERT_EQ(editor->ImagesPair()->Upper().RowCount(), 1);
    EXPECT_STREQ(editor->ImagesPair()->Upper().GetRow(0)->GetText(), "one.lum");
    EXPECT_EQ(editor->GetActiveWindow(), lumo2Game::kImagesWindow);
    Save("out/", "two.lum");
    std::string second = ReadText("out/two.lum");
    const size_t at = second.find("two.z16");
    ASSERT_NE(at, std::string::npos) << second;
    second.replace(at, 7, "one.z16");
    EXPECT_EQ(second, first);
    EXPECT_EQ(ReadText("out/two.z16"), ReadText("out/one.z16"));
}

TEST_F(LumoBuild, OpeningMissingOrUnknownFilesDoesNothing) {
    testing::internal::CaptureStdout();
    Import("pics/", "none.bmp");
    Import("pics/", "a.txt");
    WritePicture("pics/a.txt", 2, 2, 1, 1, 1);
    Import("pics/", "a.txt");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(editor->ImagesPair()->Upper().RowCount(), 2);
    // A layer file gives an empty group named after it.
    WritePicture("pics/l.xcf", 2, 2, 1, 1, 1);
    Import("pics/", "l.xcf");
    ASSERT_EQ(editor->ImagesPair()->Upper().RowCount(), 3);
    EXPECT_STREQ(editor->ImagesPair()->Upper().GetRow(2)->GetText(), "l.xcf");
    EXPECT_EQ(editor->ImagesPair()->Upper().GetRow(2)->GetPayload()->RowCount(), 0);
    // A file that is no picture gives a group whose picture has no pixels.
    folder.Write("pics/bad.png", "not a picture");
    Import("pics/", "bad.png");
    EXPECT_EQ(editor->ImagesPair()->Upper().RowCount(), 4);
    // Definitions that are no definitions, or name a missing sheet.
    WritePicture("pics/junk.lum", 3, 3, 9, 9, 9);
    Import("pics/", "junk.lum");
    folder.Write(
        "pics/nosheet.lum",
        "<delay> 0\n<files> 0\n<< >> missing.z16\n<action> a\n<f> 7 x 1 2\n<f> -1 y 0 0\n</action>\n");
    Import("pics/", "nosheet.lum");
    EXPECT_EQ(editor->ImagesPair()->Upper().RowCount(), 6);
    Save("out/", "again.lum");
    EXPECT_EQ(editor->GetDelayValue(), 0);  // taken from the last definition
    EXPECT_NE(ReadText("out/again.lum").find("<delay>\t1\n"), std::string::npos);
}

}  // namespace
