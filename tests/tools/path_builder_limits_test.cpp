// The walk-path editor with files at the edges of what they may hold:
// remembered names ending in a line end, graphs with few vertices in many
// slots, and vertices at the ends of the int range.
#include <climits>
#include <filesystem>

#include "graphics/filter.h"
#include "path_builder_fixture.h"

namespace ptb_test {
namespace {

TEST_F(PathBuilderTest, ARememberedNameWithALineEndLoadsAndSavesThatFile) {
    folder.Write(pathbuilderGame::kPathMemory, "data/in.ptf\r\n");
    folder.Write(
        "data/in.ptf",
        "<>\n\t<graph> 1\n\t</graph>\n\t<vertex> \n\t\t<v> 0 7 8 0.0 4\n\t\t</v>\n\t</vertex>\n</>\n");
    Start();
    EXPECT_STREQ(editor->GetPathBox()->GetText(), "data/in.ptf");
    Press('o', true);
    Press(SDLK_RETURN);
    ASSERT_NE(Vertex(0), nullptr);
    EXPECT_EQ(Vertex(0)->GetId(), 4);

    Press('v');
    LeftClick(50, 60);
    Press('s', true);
    Press(SDLK_RETURN);
    EXPECT_FALSE(std::filesystem::exists("data/in.ptf\r\n"));
    ddWalkGraph back;
    back.LoadGraph("data/in.ptf");
    EXPECT_EQ(back.GetVertexCount(), 2);
}

TEST_F(PathBuilderTest, PreviewsAreMadeForTheVerticesPresentNotForEverySlot) {
    WritePicture("walker.bmp", 8, 12, 200, 10, 10);
    WriteAnimation("walker.lum", "walker.bmp");
    Start();
    ddGraph& graph = View().GetGraph();
    for (int i = 0; i < 300; ++i) graph.AddVertex(new ddpathVertex(i, 40, 0.0f, i));
    for (int i = 0; i < 300; ++i)
        if (i != 3 && i != 250) graph.RemoveVertex(i);
    View().RebuildView();
    Prompt('k', "walker.lum");
    EXPECT_EQ(editor->GetPreviewCount(), 2);
    EXPECT_EQ(editor->GetPreviewsLayer().Count(), 2);
    EXPECT_EQ(editor->GetPreview(0), nullptr);
    ASSERT_NE(editor->GetPreview(250), nullptr);
    EXPECT_EQ(editor->GetPreview(250)->GetPosX(), 250);
    EXPECT_EQ(editor->GetPreviewFilter(250)->GetLinked(), editor->GetPreview(250));
    EXPECT_EQ(editor->GetPreview(3)->GetLayer(), 70);

    // A graph loaded has them for its own vertices.
    folder.Write(
        "one.ptf",
        "<>\n\t<graph> 1\n\t</graph>\n\t<vertex> \n\t\t<v> 0 70 80 0.0 1\n\t\t</v>\n\t</vertex>\n</>\n");
    Prompt('o', "one.ptf");
    EXPECT_EQ(editor->GetPreviewsLayer().Count(), 1);
    ASSERT_NE(editor->GetPreview(0), nullptr);
    EXPECT_EQ(editor->GetPreview(0)->GetPosX(), 70);
}

TEST_F(PathBuilderTest, VerticesAtTheIntLimitsNeitherOverflowNorMoveBeyondThem) {
    WritePicture("walker.bmp", 4, 4, 200, 10, 10);
    WriteAnimation("walker.lum", "walker.bmp");
    auto vertex = [](int i, int x, int y) {
        return "\t\t<v> " + std::to_string(i) + " " + std::to_string(x) + " " + std::to_string(y) + " 0.0 " +
               std::to_string(i + 1) + "\n\t\t</v>\n";
    };
    folder.Write("edge.ptf", "<>\n\t<graph> 3\n\t</graph>\n\t<vertex> \n" + vertex(0, INT_MIN, INT_MIN) +
                                 vertex(1, INT_MAX, INT_MAX) + vertex(2, INT_MIN, INT_MAX) +
                                 "\t</vertex>\n\t<edge> \n\t\t<e> 0 1\n\t\t</e>\n\t</edge>\n</>\n");
    Start();
    Prompt('o', "edge.ptf");
    ASSERT_EQ(View().GetPointLayer().Count(), 3);
    EXPECT_EQ(View().GetPointLayer().At(0)->GetPosX(), INT_MIN);

    // Hovering and picking measure distances across the whole range.
    Press('z');
    MoveTo(0, 0);
    LeftDown(INT_MIN, INT_MIN);
    EXPECT_EQ(State(), "moving vertex");
    EXPECT_EQ(editor->GetMarkers().Count(), 1);
    LeftUp(INT_MIN, INT_MIN);
    Press(SDLK_ESCAPE);

    // Panning holds every vertex at the ends of the range.
    MoveTo(300, 300);
    Modifiers(false, false, true);
    LeftDown(300, 300);
    MoveTo(310, 290);
    Modifiers(false);
    LeftUp(310, 290);
    EXPECT_EQ(Vertex(1)->GetX(), INT_MAX);
    EXPECT_EQ(Vertex(1)->GetY(), INT_MAX - 10);
    EXPECT_EQ(Vertex(0)->GetX(), INT_MIN + 10);
    EXPECT_EQ(Vertex(0)->GetY(), INT_MIN);
    Press('p', true);  // back to the origin
    EXPECT_EQ(editor->GetBackground().GetPosX(), 0);
    Prompt('k', "walker.lum");
    EXPECT_EQ(editor->GetPreview(2)->GetLayer(), INT_MAX);

    Prompt('s', "again.ptf");
    ddWalkGraph back;
    back.LoadGraph("again.ptf");
    ASSERT_EQ(back.GetVertexCount(), 3);
    EXPECT_EQ(back.GetPathVertex(2)->GetX(), INT_MIN);
    EXPECT_EQ(back.GetPathVertex(2)->GetY(), INT_MAX);
}

}  // namespace
}  // namespace ptb_test
