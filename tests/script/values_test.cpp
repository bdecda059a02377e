// Script values: how ints, reals, strings and register cells convert,
// compare and compute, which results arithmetic pushes or leaves in the
// registers, and the operations that end the program with their words.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "child_process.h"
#include "script_fixture.h"

namespace {

// The kind and text of the value on top of the stack, e.g. "int 5".
std::string TopOf(ScriptMachine& s) {
    asmVarReg& top = s.Top();
    switch (top.GetType()) {
    case TYPE_INT:
        return "int " + std::to_string(top.GetInt());
    case TYPE_REAL:
        return std::string("real ") + top.GetString();
    case TYPE_STRING:
        return std::string("string ") + top.GetString();
    default:
        return "?";
    }
}

}  // namespace

TEST(Values, ConversionsFollowTheRuntimeRules) {
    ScriptMachine s;
    asmVarString str(nullptr, "s");
    EXPECT_STREQ(str.GetString(), "null");
    EXPECT_EQ(str.GetInt(), 0);
    str.SetString("  42abc");
    EXPECT_EQ(str.GetInt(), 42);
    str.SetReal(1.5f);
    EXPECT_STREQ(str.GetString(), "1.500000");
    str.SetInt(-7);
    EXPECT_STREQ(str.GetString(), "-7");

    asmVarReal real(nullptr, "r");
    real.SetReal(2.7f);
    EXPECT_EQ(real.GetInt(), 2);
    real.SetReal(-2.7f);
    EXPECT_EQ(real.GetInt(), -2);
    real.SetString("3.25xyz");
    EXPECT_FLOAT_EQ(real.GetReal(), 3.25f);
    EXPECT_STREQ(real.GetString(), "3.250000");

    asmVarInt i(nullptr, "i");
    i.SetReal(9.99f);
    EXPECT_EQ(i.GetInt(), 9);
    i.SetString("-12");
    EXPECT_EQ(i.GetInt(), -12);
    EXPECT_STREQ(i.GetString(), "-12");
    for (int n : {0, 7, -1, 2147483647, -2147483647 - 1}) {
        i.SetInt(n);
        EXPECT_EQ(i.GetString(), std::to_string(n));
    }
    i.Set(real);
    EXPECT_EQ(i.GetInt(), 3);
}

TEST(Values, RealsOutsideTheIntRangeConvertWithoutUndefinedBehaviour) {
    asmVarInt i(nullptr, "i");
    i.SetReal(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(i.GetInt(), 0);
    i.SetReal(1e20f);
    EXPECT_EQ(i.GetInt(), std::numeric_limits<int>::max());
    i.SetReal(-1e20f);
    EXPECT_EQ(i.GetInt(), std::numeric_limits<int>::min());
    i.SetReal(std::numeric_limits<float>::infinity());
    EXPECT_EQ(i.GetInt(), std::numeric_limits<int>::max());
    i.SetString("99999999999999");
    EXPECT_EQ(i.GetInt(), std::numeric_limits<int>::max());

    asmVarReal r(nullptr, "r");
    r.SetString("1e300");
    EXPECT_TRUE(std::isinf(r.GetReal()));
}

TEST(Values, ComparisonsGiveDifferencesOrSigns) {
    ScriptMachine s;
    asmVarInt five(nullptr, "n");
    five.SetInt(5);
    EXPECT_EQ(five.Cmp(3), 2);
    EXPECT_EQ(five.Cmp(3.0f), 1);
    EXPECT_EQ(five.Cmp(5.0f), 0);
    EXPECT_EQ(five.Cmp(std::numeric_limits<float>::quiet_NaN()), 1);
    EXPECT_EQ(five.Cmp("9"), -4);

    // The sign is right even where the difference does not fit.
    asmVarInt low(nullptr, "low");
    low.SetInt(std::numeric_limits<int>::min());
    EXPECT_LT(low.Cmp(1), 0);
    asmVarInt high(nullptr, "high");
    high.SetInt(std::numeric_limits<int>::max());
    EXPECT_GT(high.Cmp(-1), 0);
    EXPECT_LT(low.Cmp(high), 0);

    asmVarReal x(nullptr, "x");
    x.SetReal(2.5f);
    EXPECT_EQ(x.Cmp(2), 1);
    EXPECT_EQ(x.Cmp(3.0f), -1);
    EXPECT_EQ(x.Cmp("2.5"), 0);
    EXPECT_EQ(x.Cmp(std::numeric_limits<float>::quiet_NaN()), 1);

    asmVarString ten(nullptr, "t");
    ten.SetString("10");
    EXPECT_LT(ten.Cmp(9), 0);
    EXPECT_EQ(ten.Cmp("10"), 0);
    ten.SetString("1.500000");
    EXPECT_EQ(ten.Cmp(1.5f), 0);
}

TEST(Values, AddPushesAResultOfTheRightKind) {
    ScriptMachine s;
    asmVarInt three(nullptr, "n");
    three.SetInt(3);
    asmVarReal x(nullptr, "x");
    x.SetReal(1.5f);
    asmVarString t(nullptr, "t");
    t.SetString("ab");
    ddString cd("cd");

    struct Case {
        std::function<void()> op;
        const char* result;
    };
    const Case cases[] = {
        {[&] { three.Add(s.machine, 2.9f); }, "int 5"},
        {[&] { three.AddR(s.machine, 2.9f); }, "real 5.900000"},
        {[&] { three.Add(s.machine, cd); }, "int 3"},
        {[&] { three.AddR(s.machine, cd); }, "string cd3"},
        {[&] { three.Add(s.machine, x); }, "int 4"},
        {[&] { three.AddR(s.machine, 4); }, "int 7"},
        {[&] { x.Add(s.machine, three); }, "real 4.500000"},
        {[&] { x.AddR(s.machine, cd); }, "string cd1.500000"},
        {[&] { x.AddR(s.machine, 2); }, "real 3.500000"},
        {[&] { t.Add(s.machine, three); }, "string ab3"},
        {[&] { t.Add(s.machine, x); }, "string ab1.500000"},
        {[&] { t.AddR(s.machine, 7); }, "string 7ab"},
        {[&] { t.AddR(s.machine, 0.5f); }, "string 0.500000ab"},
        {[&] { t.AddR(s.machine, cd); }, "string cdab"},
        {[&] { three.Mul(s.machine, 1.5f); }, "int 4"},
        {[&] { three.MulR(s.machine, 1.5f); }, "int 4"},
        {[&] { three.Sub(s.machine, 2.9f); }, "int 1"},
        {[&] { three.SubR(s.machine, 10); }, "int 7"},
        {[&] { three.SubR(s.machine, 0.5f); }, "real -2.500000"},
        {[&] { x.SubR(s.machine, 1); }, "real -0.500000"},
        {[&] { x.Mul(s.machine, 2); }, "real 3.000000"},
    };
    for (const Case& c : cases) {
        c.op();
        EXPECT_EQ(TopOf(s), c.result);
    }
    // The operands never change.
    EXPECT_EQ(three.GetInt(), 3);
    EXPECT_STREQ(t.GetString(), "ab");
    EXPECT_EQ(s.Depth(), static_cast<int>(std::size(cases)));
}

TEST(Values, IntArithmeticWraps) {
    ScriptMachine s;
    asmVarInt big(nullptr, "b");
    big.SetInt(std::numeric_limits<int>::max());
    big.Add(s.machine, 1);
    EXPECT_EQ(s.Top().GetInt(), std::numeric_limits<int>::min());
    big.Mul(s.machine, 2);
    EXPECT_EQ(s.Top().GetInt(), -2);
    asmVarInt low(nullptr, "l");
    low.SetInt(std::numeric_limits<int>::min());
    low.Sub(s.machine, 1);
    EXPECT_EQ(s.Top().GetInt(), std::numeric_limits<int>::max());
    low.Div(s.machine, -1);
    EXPECT_EQ(s.machine.Register(0).GetInt(), std::numeric_limits<int>::min());
    EXPECT_EQ(s.machine.Register(3).GetInt(), 0);
    low.Mul(s.machine, 1e30f);
    EXPECT_EQ(s.Top().GetInt(), std::numeric_limits<int>::min());
}

TEST(Values, DivisionWritesQuotientAndRemainderToRegisters) {
    ScriptMachine s;
    asmVarReg& a = s.machine.Register(0);
    asmVarReg& d = s.machine.Register(3);
    asmVarInt seven(nullptr, "n");
    seven.SetInt(7);
    seven.Div(s.machine, 2);
    EXPECT_EQ(a.GetType(), TYPE_INT);
    EXPECT_EQ(a.GetInt(), 3);
    EXPECT_EQ(d.GetInt(), 1);

    d.AssignInt(99);
    seven.Div(s.machine, 2.0f);
    EXPECT_EQ(a.GetInt(), 3);
    EXPECT_EQ(d.GetInt(), 99);
    seven.DivR(s.machine, 22);
    EXPECT_EQ(a.GetInt(), 3);
    EXPECT_EQ(d.GetInt(), 99);
    seven.DivR(s.machine, 14.0f);
    EXPECT_EQ(a.GetType(), TYPE_REAL);
    EXPECT_FLOAT_EQ(a.GetReal(), 2.0f);

    asmVarInt minus(nullptr, "m");
    minus.SetInt(-7);
    minus.Div(s.machine, 2);
    EXPECT_EQ(a.GetInt(), -3);
    EXPECT_EQ(d.GetInt(), -1);

    asmVarReal r(nullptr, "r");
    r.SetReal(7.0f);
    r.Div(s.machine, 2);
    EXPECT_EQ(a.GetType(), TYPE_REAL);
    EXPECT_FLOAT_EQ(a.GetReal(), 3.5f);
    r.DivR(s.machine, 14);
    EXPECT_FLOAT_EQ(a.GetReal(), 2.0f);
}

TEST(Values, RegisterCellsForwardToTheirTarget) {
    ScriptMachine s;
    asmVarReg cell(nullptr, "c");
    cell.SetInt(5);
    EXPECT_TRUE(cell.HoldsInt());
    EXPECT_EQ(cell.GetType(), TYPE_INT);
    EXPECT_EQ(cell.GetInt(), 5);
    cell.SetString("12x");  // keeps its int kind
    EXPECT_EQ(cell.GetType(), TYPE_INT);
    EXPECT_EQ(cell.GetInt(), 12);

    asmVarString t(nullptr, "t");
    t.SetString("hey");
    asmVarReg other(nullptr, "o");
    other.Set(t);  // unbound: copies by type
    EXPECT_EQ(other.GetType(), TYPE_STRING);
    EXPECT_STREQ(other.GetString(), "hey");
    t.SetString("changed");
    EXPECT_STREQ(other.GetString(), "hey");

    other.SetAs(cell);
    EXPECT_EQ(other.GetType(), TYPE_INT);
    EXPECT_EQ(other.GetInt(), 12);

    cell.SetName("named");
    EXPECT_STREQ(cell.IntPart().GetName(), "named");
    EXPECT_STREQ(cell.StringPart().GetName(), "named");

    other.AssignString("x");
    other.Add(s.machine, 1);
    EXPECT_STREQ(s.Top().GetString(), "x1");
    other.Unbind();
    EXPECT_EQ(other.Target(), nullptr);
}

// Each case runs on a fresh machine in a child process and must end the
// program with exit code 1 and exactly its words.
TEST(Values, ForbiddenOperationsDivisionByZeroAndUnboundCellsEndTheProgram) {
    using Machine = ScriptMachine;
    const struct {
        void (*body)(Machine&);
        const char* out;
    } cases[] = {
        {[](Machine& s) { asmVarString(nullptr, "t").Sub(s.machine, 1); }, "\nforbidden instruction Sub\n"},
        {[](Machine& s) { asmVarString(nullptr, "t").MulR(s.machine, 1.0f); },
         "\nforbidden instruction MulR\n"},
        {[](Machine& s) { asmVarInt(nullptr, "n").Div(s.machine, ddString("2")); },
         "\nforbidden instruction Div\n"},
        {[](Machine& s) {
             asmVarReg c(nullptr, "c");
             c.AssignInt(1);
             c.SubR(s.machine, ddString("2"));
         },
         "\nforbidden instruction SubR\n"},
        {[](Machine&) { asmVarInt(nullptr, "n").Save(); }, "\nforbidden instruction Save\n"},
        {[](Machine&) { asmVarReal(nullptr, "r").Load(); }, "\nforbidden instruction Load\n"},
        {[](Machine& s) { asmVarInt(nullptr, "n").Div(s.machine, 0); }, "\ndivision by 0\n"},
        {[](Machine& s) { asmVarReal(nullptr, "r").Div(s.machine, -0.0f); }, "\ndivision by 0\n"},
        {[](Machine& s) {
             asmVarReal half(nullptr, "h");
             half.SetReal(0.5f);
             asmVarInt(nullptr, "n").Div(s.machine, half);  // the divisor is read as an int: 0
         },
         "\ndivision by 0\n"},
        {[](Machine& s) { asmVarInt(nullptr, "z").DivR(s.machine, 5); }, "\ndivision by 0\n"},
        // Register cells bound to nothing.
        {[](Machine&) { asmVarReg().GetInt(); }, "\ncan't get var from register!"},
        {[](Machine&) { asmVarReg().GetType(); }, "\nunknown register type\n"},
        {[](Machine&) { asmVarReg().Cmp(1); }, "\nunknown register type\n"},
        {[](Machine& s) { asmVarReg().Add(s.machine, 1); }, "\ncan't set var to register!"},
        {[](Machine& s) { asmVarReg().CallBuiltIn(&s.machine, 0); }, "\ncan't set var to register!"},
        {[](Machine& s) { asmVarReg().CallMethod(&s.machine, "x"); }, "\nunknown value of register!"},
        {[](Machine&) {
             asmVar bare(nullptr, "bare");
             asmVarReg().SetAs(bare);
         },
         "\nasmvarreg::setas no such type -1\n"},
    };
    for (const auto& c : cases) {
        ChildOutcome r = RunInChild([&c] {
            ScriptMachine s;
            c.body(s);
        });
        EXPECT_TRUE(r.exited) << c.out;
        EXPECT_EQ(r.exitCode, 1) << c.out;
        EXPECT_EQ(r.out, c.out);
    }
}
