#include <gtest/gtest.h>

#include "app/config.h"
#include "common/run_process.h"

namespace {
StartupConfig ReadText(const std::string& text) {
    TempFolder dir;
    dir.Write("zel_config", text);
    ddBase tree;
    tree.Load((dir / "zel_config").c_str());
    return ReadStartupConfig(tree);
}
}  // namespace

TEST(StartupConfig, DefaultsWhenEmpty) {
    StartupConfig c = ReadText("");
    EXPECT_FALSE(c.screen);
    EXPECT_FALSE(c.windebug);
    EXPECT_FALSE(c.appSize);
    EXPECT_FALSE(c.caption);
    EXPECT_EQ(c.fontFile, "configs/fonts/normal.ttf");
    EXPECT_EQ(c.fontSize, 12);
    EXPECT_EQ(c.fontR, 250);
    EXPECT_EQ(c.activeGame, "asmgame");
}

TEST(StartupConfig, ReadsEveryKeyAtAnyDepth) {
    StartupConfig c = ReadText(
        "<cfg>\r\n"
        " <screen> 1024 768 16 1 0</screen>\r\n"
        " <group><appoffsetx> 640 1280</appoffsetx></group>\r\n"
        " <appoffsety> 480 1024</appoffsety>\r\n"
        " <appsize> 800 600</appsize>\r\n"
        " <resolutions>\r\n"
        "  <res> 1024 768 1024 768</res>\r\n"
        "  <other> 1 2 3 4</other>\r\n"
        "  <res> 800 600 bad 600</res>\r\n"
        "  <res> 1280 1024 1280 960</res>\r\n"
        " </resolutions>\r\n"
        " <window> My_Game icon.png</window>\r\n"
        " <font> f.ttf 20 1 2 3</font>\r\n"
        " <activegame>  gamechooser \r\n</activegame>\r\n"
        "</cfg>\r\n");
    ASSERT_TRUE(c.screen);
    EXPECT_EQ(c.screen->width, 1024);
    EXPECT_EQ(c.screen->bpp, 16);
    EXPECT_EQ(c.screen->desktopDepth, 0);
    ASSERT_TRUE(c.offsetX);
    EXPECT_EQ(c.offsetX->max, 1280);
    ASSERT_TRUE(c.offsetY);
    EXPECT_EQ(c.offsetY->min, 480);
    ASSERT_TRUE(c.appSize);
    EXPECT_EQ(c.appSize->height, 600);
    ASSERT_EQ(c.resRows.size(), 2u);  // the malformed row is skipped
    EXPECT_EQ(c.resRows[1].videoHeight, 960);
    EXPECT_EQ(*c.caption, "My_Game");
    EXPECT_EQ(*c.icon, "icon.png");
    EXPECT_EQ(c.fontFile, "f.ttf");
    EXPECT_EQ(c.fontB, 3);
    EXPECT_EQ(c.activeGame, "gamechooser");
}

TEST(StartupConfig, KeysWithMissingOrBadFieldsCountAsAbsent) {
    StartupConfig c = ReadText(
        "<cfg><screen> 800 600 32 1</screen><windebug> 640 480x 32 1</windebug>"
        "<appsize> 0 600</appsize><window> OnlyCaption</window><font> f.ttf 12 1 2</font>"
        "<x><screen> 1 2 3 4 5</screen></x></cfg>");
    EXPECT_FALSE(c.screen);  // the first "screen" is the one read
    EXPECT_FALSE(c.windebug);
    EXPECT_FALSE(c.appSize);
    EXPECT_FALSE(c.caption);
    EXPECT_EQ(c.fontFile, "configs/fonts/normal.ttf");
    StartupConfig huge = ReadText(
        "<cfg><windebug> 99999999999 1 1 1</windebug>"
        "<font> " +
        std::string(500, 'f') + ".ttf 12 1 2 3</font></cfg>");
    EXPECT_FALSE(huge.windebug);
    EXPECT_EQ(huge.fontFile.size(), 504u);
    // A size that cannot be drawn keeps the default and says so.
    for (std::string size : {"0", "-2147483645", "2147483647"}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(ReadText("<cfg><font> f.ttf " + size + " 1 2 3</font></cfg>").fontSize, 12);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "font: size " + size + " cannot be drawn, size 12 is used\n");
    }
}

TEST(StartupConfig, EveryBlankThatScanfSkipsSeparatesWords) {
    StartupConfig c =
        ReadText("<cfg><screen> 800\v600\f32 1 0</screen><window> Game\vicon.png</window></cfg>");
    ASSERT_TRUE(c.screen);
    EXPECT_EQ(c.screen->height, 600);
    EXPECT_EQ(c.screen->bpp, 32);
    EXPECT_EQ(*c.caption, "Game");
    EXPECT_EQ(*c.icon, "icon.png");
}
