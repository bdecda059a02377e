#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "common/run_process.h"
#include "foundation/dd_vector.h"

namespace {

std::vector<std::string> Texts(const ddVector<ddString>& v) {
    std::vector<std::string> out;
    for (int i = 0; i < v.Size(); ++i) out.push_back(v.Get(i).c_str() ? v.Get(i).c_str() : "<none>");
    return out;
}

std::string Slurp(const std::string& path) {
    std::string s;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return "<missing>";
    char buf[256];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
    return s;
}

}  // namespace

TEST(ddVector, EditingOperations) {
    ddVector<ddString> v;
    EXPECT_EQ(v.Add("b"), 1);
    EXPECT_EQ(v.Add(ddString("c")), 2);
    EXPECT_EQ(v.AddBegin("a"), 3);
    EXPECT_EQ(Texts(v), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_STREQ(v.Last().c_str(), "c");
    v.SetAt(1, "B");
    EXPECT_EQ(v.Find("B"), 1);
    EXPECT_EQ(v.Find("B", 2), -1);
    EXPECT_EQ(v.Find("a", -3), 0);
    EXPECT_TRUE(v.Contains("c"));
    EXPECT_FALSE(v.Contains("zz"));
    v.Swap(0, 2);
    EXPECT_EQ(Texts(v), (std::vector<std::string>{"c", "B", "a"}));
    v.RemoveAt(1);
    EXPECT_EQ(Texts(v), (std::vector<std::string>{"c", "a"}));
    v.Remove("c");
    v.Remove("absent");
    EXPECT_EQ(Texts(v), (std::vector<std::string>{"a"}));
    EXPECT_EQ(v.Fill(3, "x"), 3);
    EXPECT_EQ(Texts(v), (std::vector<std::string>{"x", "x", "x"}));
    EXPECT_EQ(v.Resize(0, "x"), 0);

    ddVector<ddString> a, b;
    a.Add("1");
    a.Add("2");
    b.Add("0");
    b += a;
    EXPECT_EQ(Texts(b), (std::vector<std::string>{"0", "1", "2"}));
    b = a;
    EXPECT_EQ(Texts(b), (std::vector<std::string>{"1", "2"}));
    b += b;
    EXPECT_EQ(Texts(b), (std::vector<std::string>{"1", "2", "1", "2"}));
    b.Reverse();
    EXPECT_EQ(Texts(b), (std::vector<std::string>{"2", "1", "2", "1"}));

    ddVector<float> f;
    f.Add(1.5f);
    f.AddBegin(0.5f);
    f.Set(1, 2.5f);
    EXPECT_EQ(f.Get(1), 2.5f);
    f.Remove(0.5f);
    EXPECT_EQ(f.Size(), 1);
}

TEST(ddVector, HashKeepsTheElements) {
    ddVector<int> v;
    for (int i = 0; i < 50; ++i) v.Add(i);
    v.Hash();
    std::vector<int> seen(50, 0);
    for (int i = 0; i < v.Size(); ++i) seen[static_cast<size_t>(v.Get(i))]++;
    for (int c : seen) EXPECT_EQ(c, 1);
}

TEST(ddVector, SortRules) {
    ddVector<ddString> s;
    for (const char* t : {"b", "ab", "abc"}) s.Add(t);
    s.Sort(true);
    EXPECT_EQ(Texts(s), (std::vector<std::string>{"abc", "ab", "b"}));
    s.Sort(false);
    EXPECT_EQ(Texts(s), (std::vector<std::string>{"b", "ab", "abc"}));

    // Bytes above 127 are negative as signed characters.
    ddVector<ddString> hi;
    hi.Add("z");
    hi.Add("\xE9");
    hi.Sort(true);
    EXPECT_STREQ(hi.Get(0).c_str(), "\xE9");

    // Extreme ints would overflow a subtraction.
    ddVector<int> n;
    for (int x : {5, INT_MIN, INT_MAX, -1, 0, INT_MAX, INT_MIN + 1}) n.Add(x);
    n.Sort(true);
    std::vector<int> got;
    for (int i = 0; i < n.Size(); ++i) got.push_back(n.Get(i));
    EXPECT_EQ(got, (std::vector<int>{INT_MIN, INT_MIN + 1, -1, 0, 5, INT_MAX, INT_MAX}));
    n.Sort(false);
    EXPECT_EQ(n.Get(0), INT_MAX);
    EXPECT_EQ(n.Last(), INT_MIN);

    ddVector<float> f;
    for (float x : {2.5f, -1.0f, 3.0f, 0.0f}) f.Add(x);
    f.Sort(true);
    EXPECT_EQ(f.Get(0), -1.0f);
    EXPECT_EQ(f.Get(3), 3.0f);
}

TEST(ddVector, BadIndexEndsTheProgram) {
    ProcessResult r = RunInChild([] {
        ddVector<int> v;
        v.Add(1);
        v.Get(1);
        return 0;
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "ddvector::get wrong pos 1\n");

    r = RunInChild([] {
        ddVector<ddString> v;
        v.Last();
        return 0;
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "ddvector::get wrong pos -1\n");

    r = RunInChild([] {
        ddVector<float> v;
        v.Add(1.0f);
        v.Swap(0, 7);
        return 0;
    });
    EXPECT_EQ(r.out, "ddvector::get wrong pos 7\n");
}

TEST(ddVector, PrintListsTheStrings) {
    ProcessResult r = RunInChild([] {
        ddVector<ddString> v;
        v.Add("one");
        v.Add("two");
        v.Print();
        return 0;
    });
    EXPECT_EQ(r.out, "ddvector : one, two, \n");
}

TEST(ddVector, FileRoundTrips) {
    TempFolder dir;
    ddVector<int> ints;
    for (int x : {3, -4, INT_MIN}) ints.Add(x);
    EXPECT_EQ(ints.Save((dir / "ints").c_str()), 3);
    EXPECT_EQ(Slurp(dir / "ints"), "3\n3\n-4\n-2147483648\n");
    ddVector<int> backInts;
    EXPECT_EQ(backInts.LoadFromFile((dir / "ints").c_str()), 3);
    EXPECT_EQ(backInts.Get(2), INT_MIN);

    ddVector<float> floats;
    floats.Add(2.0f);
    floats.Add(-0.25f);
    floats.Save((dir / "floats").c_str());
    EXPECT_EQ(Slurp(dir / "floats"), "2\n2.000000\n-0.250000\n");
    ddVector<float> backFloats;
    EXPECT_EQ(backFloats.LoadFromFile((dir / "floats").c_str()), 2);
    EXPECT_EQ(backFloats.Get(1), -0.25f);

    // Strings come back one word per element, up to the count.
    ddVector<ddString> strs;
    strs.Add("hello world");
    strs.Add("x");
    strs.Save((dir / "strs").c_str());
    EXPECT_EQ(Slurp(dir / "strs"), "2\nhello world\nx\n");
    ddVector<ddString> backStrs;
    backStrs.Add("stale");
    EXPECT_EQ(backStrs.LoadFromFile((dir / "strs").c_str()), 2);
    EXPECT_EQ(Texts(backStrs), (std::vector<std::string>{"hello", "world"}));

    ddVector<int> none;
    none.Add(9);
    EXPECT_EQ(none.LoadFromFile((dir / "missing").c_str()), -1);
    EXPECT_EQ(none.Size(), 0);
}

TEST(ddVector, ShortOrLyingCountsLoadWhatIsThere) {
    TempFolder dir;
    dir.Write("short", "5\n1\n2\n");
    ddVector<int> v;
    EXPECT_EQ(v.LoadFromFile((dir / "short").c_str()), 2);
    EXPECT_EQ(v.Get(1), 2);

    dir.Write("huge", "99999999999999999999\n7\r\n8\r\n");
    EXPECT_EQ(v.LoadFromFile((dir / "huge").c_str()), 2);
    EXPECT_EQ(v.Get(0), 7);

    dir.Write("negative", "-3\n1\n2\n");
    EXPECT_EQ(v.LoadFromFile((dir / "negative").c_str()), 0);

    dir.Write("fewer", "1\n4\n5\n");  // the count bounds the read
    EXPECT_EQ(v.LoadFromFile((dir / "fewer").c_str()), 1);

    dir.Write("empty", "");
    EXPECT_EQ(v.LoadFromFile((dir / "empty").c_str()), 0);

    // Words and lines of any length, and CRLF line ends.
    std::string longWord(5000, 'w');
    dir.Write("words", "3\r\n" + longWord + "\r\n a\tb\r\n");
    ddVector<ddString> s;
    EXPECT_EQ(s.LoadFromFile((dir / "words").c_str()), 3);
    EXPECT_EQ(s.Get(0).Length(), 5000);
    EXPECT_STREQ(s.Get(1).c_str(), "a");
    EXPECT_STREQ(s.Get(2).c_str(), "b");

    dir.Write("longline", "1\n" + std::string(3000, ' ') + "42\n");
    ddVector<float> f;
    EXPECT_EQ(f.LoadFromFile((dir / "longline").c_str()), 1);
    EXPECT_EQ(f.Get(0), 42.0f);
}

// A NUL ends the text: no element is cut short to nothing, which a save
// would drop.
TEST(ddVector, FileTextEndsAtANul) {
    TempFolder dir;
    using namespace std::string_literals;
    dir.Write("nul", "4\na\nb\n\0x\nc\n"s);
    ddVector<ddString> s;
    EXPECT_EQ(s.LoadFromFile((dir / "nul").c_str()), 2);
    EXPECT_EQ(Texts(s), (std::vector<std::string>{"a", "b"}));
    dir.Write("nulints", "3\n1\n\0 2\n3\n"s);
    ddVector<int> ints;
    EXPECT_EQ(ints.LoadFromFile((dir / "nulints").c_str()), 1);
}

TEST(ddVector, UnopenableFileIsReported) {
    TempFolder dir;
    ddVector<int> v;
    v.Add(1);
    ProcessResult r = RunInChild([&] {
        dup2(STDOUT_FILENO, STDERR_FILENO);  // perror goes to standard error
        return v.Save((dir / "no/such/folder/file").c_str()) == -1 ? 0 : 3;
    });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("Error opening file: ", 0), 0u) << r.out;
}
