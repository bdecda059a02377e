// The animation definition text: exact bytes written, round trips in both
// file forms, scaling, comments, bad input, failed saves, picture banks,
// bank pictures saved and reloaded; a named sound table is kept by name.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "animation_fixture.h"
#include "graphics/picture_files.h"

namespace {

namespace fs = std::filesystem;

class DefinitionTest : public AnimationTest {
protected:
    // A sheet of `n` pictures, picture i of width 3 + i and height 2,
    // stored at (10 * i, i).
    std::string WriteSheet(const std::string& name, int n) {
        std::vector<std::unique_ptr<Image>> pictures;
        std::vector<const Image*> list;
        for (int i = 0; i < n; ++i) {
            pictures.emplace_back(MakePicture(3 + i, 2, static_cast<Uint8>(40 * i), 200, 0));
            pictures.back()->x = 10 * i;
            pictures.back()->y = i;
            list.push_back(pictures.back().get());
        }
        const std::string path = File(name);
        GraphAPI::SaveZelFile(list.data(), path.c_str(), n);
        return path;
    }

    // A picture file under `name` (BMP inside; the loader reads the content).
    std::string WritePictureFile(const std::string& name, Uint8 r, Uint8 g, Uint8 b) {
        std::unique_ptr<Image> picture(MakePicture(2, 2, r, g, b));
        const std::string path = File(name);
        SDL_SaveBMP(picture->surface, path.c_str());
        return path;
    }

    // Writes text as a definition beside the sheets and loads it at scale 1.
    bool Load(Animacja& anim, const std::string& text) {
        const std::string path = File("text.lum");
        WriteText(path, text);
        return anim.LoadDefinition(path.c_str(), 1.0f, 1.0f) == 1;
    }

    // Two actions over a two-picture bank: "walk" loops with a sound on
    // frame 1, "die" hides.
    void Build(Animacja& anim) {
        AddPicture(anim, 2, 2, 255, 0, 0);
        AddPicture(anim, 2, 2, 0, 255, 0);
        AddAction(anim, "walk", 2)->SetLoop(1);
        AddAction(anim, "die", 1)->SetHide(1);
        anim.GetAction(0)->SetFrameSound(1, "step");
        anim.SetDelay(3);
    }

    // Saves the animation, loads what was saved and saves that again: the
    // same animation and the same text. Returns the text.
    std::string ExpectStableSave(Animacja& anim) {
        const std::string first = File("first.lum"), second = File("second.lum");
        anim.SaveDefinition(first.c_str());
        Animacja back;
        EXPECT_EQ(back.LoadDefinition(first.c_str(), 1.0f, 1.0f), 1);
        ExpectSameAnimation(anim, back);
        back.SaveDefinition(second.c_str());
        EXPECT_EQ(ReadText(second), ReadText(first));
        return ReadText(first);
    }

    static void ExpectSameAnimation(Animacja& a, Animacja& b) {
        ASSERT_EQ(a.GetActionCount(), b.GetActionCount());
        EXPECT_EQ(a.GetDelay(), b.GetDelay());
        for (int i = 0; i < a.GetActionCount(); ++i) {
            AkcjaAnimacji* x = a.GetAction(i);
            AkcjaAnimacji* y = b.GetAction(i);
            EXPECT_STREQ(x->GetName(), y->GetName());
            EXPECT_EQ(x->GetLoop(), y->GetLoop());
            EXPECT_EQ(x->GetHide(), y->GetHide());
            EXPECT_EQ(x->GetDelay(), y->GetDelay());
            ASSERT_EQ(x->GetFrameCount(), y->GetFrameCount());
            for (int f = 0; f < x->GetFrameCount(); ++f) {
                EXPECT_STREQ(x->GetFrameName(f), y->GetFrameName(f));
                EXPECT_EQ(x->GetFrame(f)->GetX(), y->GetFrame(f)->GetX());
                EXPECT_EQ(x->GetFrame(f)->GetY(), y->GetFrame(f)->GetY());
                EXPECT_EQ(x->GetFrame(f)->GetBankIndex(), y->GetFrame(f)->GetBankIndex());
                EXPECT_STREQ(x->GetFrameSound(f), y->GetFrameSound(f));
            }
        }
    }
};

TEST_F(DefinitionTest, WritesTheSeparateFilesFormByteForByte) {
    Animacja anim;
    Build(anim);
    anim.AddFileName("a.png");
    anim.AddFileName("b.png");
    anim.SetSoundBankName("walk.snd");
    const std::string path = File("one.lum");
    anim.SaveDefinition(path.c_str());
    EXPECT_EQ(ReadText(path),
              "<delay>\t3\n"
              "<bank>\twalk.snd\n"
              "<files>\t2\n"
              "\t<< 0 >>\ta.png\n"
              "\t<< 1 >>\tb.png\n"
              "<loop>\twalk\n"
              "<snd>\twalk\t1\tstep\n"
              "<hide>\tdie\n"
              "<action>\twalk\n"
              "\t<f>\t0\twalkf0\t0\t0\n"
              "\t<f>\t1\twalkf1\t1\t2\n"
              "<action>\tdie\n"
              "\t<f>\t0\tdief0\t0\t0\n"
              "</action>\n");
}

TEST_F(DefinitionTest, WritesTheBankFormByteForByte) {
    Animacja anim;
    AddPicture(anim, 2, 2, 255, 0, 0);
    AddAction(anim, "a", 1);
    anim.AddFileName("sheet.z16");
    anim.AddFileName("ignored.png");
    const std::string path = File("bank.lum");
    anim.SaveDefinition(path.c_str());
    EXPECT_EQ(ReadText(path),
              "<delay>\t1\n<files>\t0\n\t<< >>\tsheet.z16\n<action>\ta\n\t<f>\t0\taf0\t0\t0\n</action>\n");
}

// The count of separate files is the count of names written, and markers
// past the printable characters start again: every name reads back, and
// so does all that follows them.
TEST_F(DefinitionTest, EveryFileNameWrittenReadsBack) {
    WriteSheet("ba", 2);  // a bank file not named like one: written as separate files
    Animacja anim;
    ASSERT_TRUE(Load(anim, "<delay> 1 <files> 0 ba\n<action> a\n\t<f> 1 x 0 0\n</action>\n"));
    ASSERT_EQ(anim.GetBankCount(), 2);
    EXPECT_NE(ExpectStableSave(anim).find("<files>\t1\n"), std::string::npos);

    Animacja many;
    AddPicture(many, 2, 2, 255, 0, 0);
    AddAction(many, "a", 1);
    for (int i = 0; i < 300; ++i) many.AddFileName(("p" + std::to_string(i) + ".png").c_str());
    const std::string path = File("many.lum");
    many.SaveDefinition(path.c_str());
    const std::string text = ReadText(path);
    EXPECT_NE(text.find("<files>\t300\n"), std::string::npos);  // the names written, all read back
    EXPECT_NE(text.find("\t<< 9 >>\tp9.png\n\t<< : >>\tp10.png\n"), std::string::npos);
    Animacja manyBack;
    ASSERT_EQ(manyBack.LoadDefinition(path.c_str(), 1.0f, 1.0f), 1);
    ASSERT_EQ(manyBack.GetFileNameCount(), 300);
    EXPECT_STREQ(manyBack.GetFileName(299), "p299.png");
    ExpectSameAnimation(many, manyBack);
}

TEST_F(DefinitionTest, NothingIsWrittenWithoutActionsAndFailedSavesSaySo) {
    Animacja empty;
    const std::string path = File("none.lum");
    empty.SaveDefinition(path.c_str());
    EXPECT_FALSE(fs::exists(path));

    Animacja anim;
    Build(anim);
    const std::string bad = File("missing/dir/x.lum");
    testing::internal::CaptureStdout();
    anim.SaveDefinition(bad.c_str());
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(said, "\nSaveDefinition: cannot write " + bad + "\n");
    EXPECT_FALSE(fs::exists(File("missing")));

    // A save over an existing file replaces it whole and leaves nothing beside it.
    WriteText(path, "old");
    anim.SaveDefinition(path.c_str());
    EXPECT_EQ(ReadText(path).rfind("<delay>\t3\n", 0), 0u);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

// Separate picture files are named as they stand, and the same text with
// CR LF line ends reads the same: names, files, flags and pictures.
TEST_F(DefinitionTest, SeparateFilesRoundTripWithEitherLineEnd) {
    Animacja anim;
    Build(anim);
    anim.AddFileName(WritePictureFile("red.bmp", 255, 0, 0).c_str());
    const std::string green = WritePictureFile("green.bmp", 0, 255, 0);
    anim.AddFileName(green.c_str());
    anim.SetSoundBankName("table.snd");
    const std::string plain = File("plain.lum"), crlf = File("crlf.lum");
    anim.SaveDefinition(plain.c_str());
    std::string text;
    for (char c : ReadText(plain)) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteText(crlf, text);

    for (const std::string& path : {plain, crlf}) {
        SCOPED_TRACE(path);
        Animacja back;
        ASSERT_EQ(back.LoadDefinition(path.c_str(), 1.0f, 1.0f), 1);
        ExpectSameAnimation(anim, back);
        EXPECT_EQ(back.FindAction("die"), 1);
        EXPECT_STREQ(back.GetSoundBankName(), "table.snd");
        ASSERT_EQ(back.GetBankCount(), 2);
        ASSERT_EQ(back.GetFileNameCount(), 2);
        EXPECT_STREQ(back.GetFileName(1), green.c_str());
        ASSERT_NE(back.GetBankImage(1)->surface, nullptr);
        EXPECT_EQ(back.GetAction(0)->GetFrame(1)->GetImage()->surface, back.GetBankImage(1)->surface);
        EXPECT_EQ(back.GetArrayCount(), 1);
        const std::string again = File("again.lum");
        back.SaveDefinition(again.c_str());
        EXPECT_EQ(ReadText(again), ReadText(plain));
    }
}

// A CR that does not end a line separates words: no name ends in one, which
// would be written back as a line end.
TEST_F(DefinitionTest, LoneCarriageReturnsSeparateWords) {
    Animacja anim;
    ASSERT_TRUE(Load(anim, "<delay> 2\r<bank> table.snd\r<action> walk\r\t<f> 0 w0 1 2\r</action>\r"));
    EXPECT_STREQ(anim.GetNameOfAction(0), "walk");
    EXPECT_STREQ(anim.GetSoundBankName(), "table.snd");
    EXPECT_EQ(anim.GetAction(0)->GetFrame(0)->GetY(), 2);
    EXPECT_NE(ExpectStableSave(anim).find("<bank>\ttable.snd\n"), std::string::npos);
}

TEST_F(DefinitionTest, BankFileIsReadBesideTheDefinitionAndWrittenBackUnchanged) {
    WriteSheet("sheet.zel", 2);
    const std::string text =
        "<delay>\t2\n<files>\t0\n\t<< >>\tsheet.zel\n"
        "<action>\tstand\n\t<f>\t1\tone\t-3\t4\n\t<f>\t0\tzero\t5\t6\n</action>\n";
    const std::string path = File("sheet.lum");
    WriteText(path, text);

    Animacja anim;
    ASSERT_EQ(anim.LoadDefinition(path.c_str(), 1.0f, 1.0f), 1);
    ASSERT_EQ(anim.GetBankCount(), 2);
    EXPECT_EQ(anim.GetBankImage(1)->w, 4);
    EXPECT_STREQ(anim.GetFileName(0), "sheet.zel");
    ASSERT_EQ(anim.GetActionCount(), 1);
    EXPECT_EQ(anim.GetDelay(), 2);
    AnimationFrame* first = anim.GetAction(0)->GetFrame(0);
    EXPECT_EQ(first->GetX(), -3);
    EXPECT_EQ(first->GetY(), 4);
    EXPECT_EQ(first->GetPosX(), 0);
    EXPECT_EQ(first->GetImage()->surface, anim.GetBankImage(1)->surface);

    const std::string again = File("again.lum");
    anim.SaveDefinition(again.c_str());
    EXPECT_EQ(ReadText(again), text);

    // A path with a folder is taken as it stands.
    const std::string moved = File("elsewhere.lum");
    WriteText(moved, "<delay>\t2\n<files>\t0\n\t<< >>\t" + File("sheet.zel") +
                         "\n<action>\ta\n\t<f>\t0\tz\t0\t0\n</action>\n");
    Animacja direct(moved.c_str());
    EXPECT_EQ(direct.GetBankCount(), 2);
}

TEST_F(DefinitionTest, ScalingMovesHotSpotsWithTheKeptFractions) {
    WriteSheet("sheet.zel", 1);  // one picture, 3 x 2
    const std::string path = File("scaled.lum");
    WriteText(path,
              "<delay>\t1\n<files>\t0\n\t<< >>\tsheet.zel\n<action>\ta\n\t<f>\t0\tf\t3\t3\n</action>\n");

    Animacja twice;
    ASSERT_EQ(twice.LoadDefinition(path.c_str(), 2.0f, 2.0f), 1);
    EXPECT_EQ(twice.GetBankImage(0)->w, 6);
    EXPECT_EQ(twice.GetAction(0)->GetFrame(0)->GetX(), 6);  // trunc(6.5)

    // 3 x 1.5 = 4.5 keeps 0.5 for x; 2 x 1.5 = 3 keeps none for y.
    Animacja half;
    ASSERT_EQ(half.LoadDefinition(path.c_str(), 1.5f, 1.5f), 1);
    EXPECT_EQ(half.GetAction(0)->GetFrame(0)->GetX(), 5);  // trunc(4.5 + 0.5 + 0.5)
    EXPECT_EQ(half.GetAction(0)->GetFrame(0)->GetY(), 5);  // trunc(4.5 + 0.5)

    // The global scale multiplies in.
    video.ScreenScaleX = video.ScreenScaleY = 2.0f;
    Animacja global;
    ASSERT_EQ(global.LoadDefinition(path.c_str(), 1.0f, 1.0f), 1);
    EXPECT_EQ(global.GetAction(0)->GetFrame(0)->GetX(), 6);
}

TEST_F(DefinitionTest, CommentsFlagsAndSoundsAnywhere) {
    Animacja anim;
    ASSERT_TRUE(Load(anim,
                     "<< a comment <delay> 9 >><delay> 4\n"
                     "<files> 0 << >> nosuch.zel\n"
                     "<loop> b\n<loop> nobody\n<hide> a\n"
                     "<snd> a 0 bang\n<snd> a 5 toofar\n<snd> nobody 0 x\n<snd> b 1 \n"
                     "<action> a\n <f> 0 f0 1 1\n <f> -1 own 0 0\n"
                     "<action> b\n <f> 0 g0 2 2\n"
                     "<< unclosed <action> c\n <f> 0 h 0 0\n"));
    EXPECT_EQ(anim.GetDelay(), 4);
    EXPECT_EQ(anim.GetBankCount(), 0);  // the bank file does not exist
    ASSERT_EQ(anim.GetActionCount(), 2);
    EXPECT_EQ(anim.GetActionFrameCount(0), 2);
    EXPECT_EQ(anim.GetActionFrameCount(1), 1);
    EXPECT_EQ(anim.GetAction(0)->GetLoop(), 0);
    EXPECT_EQ(anim.GetAction(0)->GetHide(), 1);
    EXPECT_EQ(anim.GetAction(1)->GetLoop(), 1);
    EXPECT_STREQ(anim.GetAction(0)->GetFrameSound(0), "bang");
    EXPECT_EQ(anim.GetAction(0)->GetFrameSound(1), nullptr);
    EXPECT_EQ(anim.GetAction(0)->GetFrame(1)->GetBankIndex(), -1);
    EXPECT_EQ(anim.GetAction(0)->GetFrame(0)->GetImage()->surface, nullptr);
    // Frames without pictures play and draw nothing, without harm.
    anim.Play(0);
    anim.Tick();
    anim.Draw();
}

TEST_F(DefinitionTest, BadInputLoadsWhatItCanAndNeverCrashes) {
    WriteSheet("sheet.zel", 1);
    Animacja anim;

    // A missing file: 0, and what was there is gone.
    Build(anim);
    EXPECT_EQ(anim.LoadDefinition(File("nope.lum").c_str(), 1.0f, 1.0f), 0);
    EXPECT_EQ(anim.GetActionCount(), 0);

    // No delay tag: delay 0, the timer stays idle.
    ASSERT_TRUE(Load(anim, "<files> 0 sheet.zel <action> a <f> 0 x 0 0 <f> 0 y 0 0"));
    EXPECT_EQ(anim.GetDelay(), 0);
    EXPECT_EQ(anim.GetActionFrameCount(0), 2);
    anim.Play(0);
    anim.Tick();
    EXPECT_EQ(anim.GetFrameNr(), 0);

    // A count far beyond the names given, and bank indexes out of range.
    ASSERT_TRUE(
        Load(anim,
             "<delay> 1 <files> 2000000000 a.png b.png\n<action> a\n <f> 7 x 0 0\n <f> 99999999999 y 0 "
             "0\n</action>\n"));
    EXPECT_EQ(anim.GetBankCount(), 2);  // every name up to the next tag, then no more
    ASSERT_EQ(anim.GetActionFrameCount(0), 2);
    EXPECT_EQ(anim.GetAction(0)->GetFrame(0)->GetBankIndex(), 7);
    EXPECT_EQ(anim.GetAction(0)->GetFrame(1)->GetBankIndex(), 2147483647);
    anim.SetDrawMode(1, 0);
    anim.SetBitmask(1);
    anim.Draw();
    anim.SaveDefinition(File("back.lum").c_str());
    EXPECT_NE(ReadText(File("back.lum")).find("\t<f>\t7\tx\t0\t0\n"), std::string::npos);

    // No action tag: no actions.
    ASSERT_TRUE(Load(anim, "<delay> 1 <files> 0 sheet.zel <f> 0 x 0 0"));
    EXPECT_EQ(anim.GetActionCount(), 0);

    // Tags cut off at the end, empty fields, stray bytes.
    EXPECT_TRUE(Load(anim, std::string("<delay>") + "\xff" + "<action>" + std::string("\0<f>", 4) +
                               "<snd><loop><hide><bank>"));
    EXPECT_TRUE(Load(anim, "<action><f><action><f>-<f>"));
    EXPECT_EQ(anim.GetActionCount(), 2);
    anim.Play(1);
    anim.Tick();
    anim.Draw();

    // At most 1000 actions.
    std::string lots = "<delay> 1 <files> 0 sheet.zel\n";
    for (int i = 0; i < 1005; ++i) lots += "<action> a" + std::to_string(i) + "\n";
    ASSERT_TRUE(Load(anim, lots));
    EXPECT_EQ(anim.GetActionCount(), 1000);

    // A sheet whose count promises more pictures than it holds.
    std::string sheet = ReadText(File("sheet.zel"));
    sheet[0] = 5;
    WriteText(File("short.zel"), sheet);
    ASSERT_TRUE(Load(anim, "<delay> 1 <files> 0 short.zel <action> a <f> 4 x 0 0"));
    EXPECT_EQ(anim.GetBankCount(), 1);
    anim.Draw();
}

// "<files> 0" without a bank name: the next tag is not taken for one, and
// what is written reads back the same.
TEST_F(DefinitionTest, BankFormWithoutANameSurvivesItsSave) {
    for (const char* text : {"<delay> 2 <files> 0\n<action> walk\n\t<f> -1 w0 1 2\n</action>\n",
                             "<delay> 2 <action> walk\n\t<f> -1 w0 1 2\n</action>\n"}) {
        Animacja anim;
        ASSERT_TRUE(Load(anim, text)) << text;
        EXPECT_EQ(anim.GetFileNameCount(), 0);
        EXPECT_EQ(anim.GetActionFrameCount(0), 1);
        EXPECT_NE(ExpectStableSave(anim).find("<files>\t0\n<action>"), std::string::npos);
    }
}

// A tag inside a word is a tag: the word ends there, so what is written
// back reads back as the same animation and the same text.
TEST_F(DefinitionTest, WordsEndWhereATagBegins) {
    Animacja anim;
    ASSERT_TRUE(
        Load(anim,
             "<delay> 1 <files> 2 a.bmp<action>\n<snd> walk 1 step<x>\n<action> walk\n\t<f> -1 a<f>b 1 "
             "2\n</action>\n"));
    ASSERT_EQ(anim.GetFileNameCount(), 1);
    EXPECT_STREQ(anim.GetFileName(0), "a.bmp");
    ASSERT_EQ(anim.GetActionCount(), 2);  // the tag after "a.bmp" opens an action too
    AkcjaAnimacji* walk = anim.GetAction(1);
    ASSERT_EQ(walk->GetFrameCount(), 2);
    EXPECT_STREQ(walk->GetFrameName(0), "a");
    EXPECT_STREQ(walk->GetFrameName(1), "b");
    EXPECT_STREQ(walk->GetFrameSound(1), "step");
    ExpectStableSave(anim);
}

// Lines cut short by the next tag: a frame without a name (and so without
// a hot spot) is written cut short again, and a sound line without a sound
// sets none, so what is written reads back the same.
TEST_F(DefinitionTest, LinesCutShortByATagSurviveTheSave) {
    Animacja anim;
    ASSERT_TRUE(Load(anim, "<delay> 1 <action>\n\t<f> 3\n\t<f> 0 named 0 0\n</action>\n<snd><loop>\n"));
    ASSERT_EQ(anim.GetActionFrameCount(0), 2);
    EXPECT_STREQ(anim.GetAction(0)->GetFrameName(0), "");
    EXPECT_EQ(anim.GetAction(0)->GetFrame(0)->GetBankIndex(), 3);
    EXPECT_EQ(anim.GetAction(0)->GetFrameSound(0), nullptr);
    EXPECT_NE(ExpectStableSave(anim).find("\t<f>\t3\n\t<f>\t0\tnamed\t0\t0\n"), std::string::npos);
}

TEST_F(DefinitionTest, TextsMadeOfScrambledPiecesLoadWithoutHarm) {
    WriteSheet("sheet.zel", 2);
    const char* pieces[] = {"<delay>",    "<bank>", "<files>",   "<loop>",    "<hide>", "<snd>",
                            "<action>",   "<f>",    "</action>", "<<",        ">>",     " ",
                            "\t",         "\n",     "0",         "1",         "-1",     "7",
                            "2147483648", "-",      "a",         "sheet.zel", "\xff",   "b"};
    const int n = static_cast<int>(sizeof pieces / sizeof pieces[0]);
    const std::string path = File("mix.lum");
    unsigned state = 12345;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = 5 + static_cast<int>(state % 40);
        for (int i = 0; i < length; ++i) {
            state = state * 1103515245u + 12345u;
            text += pieces[(state >> 16) % n];
        }
        WriteText(path, text);
        Animacja anim;
        ASSERT_EQ(anim.LoadDefinition(path.c_str(), 1.5f, 0.5f), 1) << text;
        anim.SetDelay(1);
        anim.SetSmooth(true);
        anim.Play(0);
        for (int t = 0; t < 3; ++t) {
            anim.Tick();
            anim.Draw();
        }
        anim.SetBitmask(1);
        anim.SaveDefinition(File("mix_out.lum").c_str());
    }
}

TEST_F(DefinitionTest, LoadBankMakesOneActionPerPicture) {
    const std::string sheet = WriteSheet("three.zel", 3);
    Animacja anim;
    AddAction(anim, "old", 1);
    anim.LoadBank(File("three").c_str());
    ASSERT_EQ(anim.GetActionCount(), 3);
    EXPECT_EQ(anim.GetDelay(), 1);
    EXPECT_EQ(anim.GetFileNameCount(), 1);
    EXPECT_EQ(anim.GetFileName(0), sheet);
    for (int i = 0; i < 3; ++i) {
        AkcjaAnimacji* action = anim.GetAction(i);
        EXPECT_EQ(action->GetName(), std::to_string(i));
        ASSERT_EQ(action->GetFrameCount(), 1);
        EXPECT_EQ(action->GetFrameName(0), std::to_string(i));
        EXPECT_EQ(action->GetFrame(0)->GetBankIndex(), i);
        EXPECT_EQ(action->GetFrame(0)->GetX(), 10 * i);
        EXPECT_EQ(action->GetFrame(0)->GetY(), i);
        EXPECT_EQ(anim.GetBankImage(i)->x, 0);
        EXPECT_EQ(action->GetDelay(), 1);
    }
    // Written as a definition, the sheet is named as the bank.
    anim.SaveDefinition(File("three.lum").c_str());
    EXPECT_EQ(ReadText(File("three.lum")).rfind("<delay>\t1\n<files>\t0\n\t<< >>\t" + sheet + "\n", 0), 0u);

    Animacja missing;
    missing.LoadBank(File("nothing").c_str());
    EXPECT_EQ(missing.GetActionCount(), 0);
}

TEST_F(DefinitionTest, BankPicturesAreSavedAndReplacedFromNumberedFiles) {
    Animacja anim;
    Build(anim);
    const std::string sheet = File("out.zel");
    anim.SaveImages(sheet.c_str());
    EXPECT_EQ(GraphAPI::CountPictures(sheet.c_str()), 2);
    anim.SaveImages(File("out.z16").c_str());
    EXPECT_EQ(GraphAPI::CountPictures(File("out.z16").c_str()), 2);
    anim.SaveImages(File("out.png").c_str());
    EXPECT_FALSE(fs::exists(File("out.png")));

    // Only picture 1 has a replacement.
    WritePictureFile("new1.png", 0, 0, 255);
    SDL_Surface* keep = anim.GetBankImage(0)->surface;
    anim.LoadImages(File("new").c_str());
    EXPECT_EQ(anim.GetBankImage(0)->surface, keep);
    Image* replaced = anim.GetBankImage(1);
    EXPECT_EQ(replaced->imgtype, FIRST);
    EXPECT_EQ(anim.GetAction(0)->GetFrame(1)->GetImage()->surface, replaced->surface);
    anim.SetPos(0, 0);
    anim.SetFrame(1);
    FillScreen(0, 0, 0);
    anim.Draw();
    Uint8 r, g, b;
    ScreenRGB(1, 2, &r, &g, &b);
    EXPECT_EQ(b, 255);
    EXPECT_EQ(g, 0);
}

}  // namespace
