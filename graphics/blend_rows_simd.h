// The rows of blend_rows.h written once over a lane type L: only
// blend_rows_sse2.cpp and blend_rows_avx2.cpp include this file, each after
// its intrinsics and after defining L in an unnamed namespace, so every
// function here is built per instruction set and never shared between them
// (this file includes nothing, and nothing here is an inline function of
// its own).
//
// L::V holds L::kPixels raw points. Most blends work on the 16-bit halves
// that Lo8 and Hi8 make, lanes (B, G, R, A) per point; a point that keeps
// its raw value is chosen in that form, which packs back to the same bytes.
// The blends that divide by a per-point alpha use the pair form instead
// (see PairsLo), where per-point values need no spreading.
//
// Why the results are exact, point by point, against the per-point rules:
// - products stay below 2^16, where floor(x / 255) is the high-half
//   multiply (x * 0x8081) >> 23 (Div255);
// - for x of 0 to 255 and y of 0 to 254, floor(x y / 255) is the high half
//   of x * (257 y + 1): that is x y / 255 + x (255 - y) / (255 * 2^16),
//   above it by less than 1/255, and x y / 255 is never closer than 1/255
//   below the next whole number;
// - the sums of two products that may pass 2^16 (BlendAdd, BlendAdd256)
//   saturate at 65535, whose quotient already clamps to 255;
// - division by a varying alpha d of 1..255 (Divisor) multiplies by
//   m = floor(65535 / d), formed once per point: n * m >> 16 falls short of
//   floor(n / d) by at most 1 for every n below 2^16, since
//   n / d - n * m / 2^16 < n / 2^16, and one correction step makes it exact.
#pragma once

namespace GraphAPI::BlendRowKernels {

// Two groups of points of lane type B at a time, each step of one written
// beside the same step of the other. The blends that divide by a per-point
// alpha wait long for its reciprocal; side by side, the two groups' chains
// overlap even where the processor's window holds fewer than two groups.
// Only the helpers those blends use are here.
template <class B>
struct TwoGroups {
    struct V {
        typename B::V a, b;
    };
    static constexpr int kPixels = 2 * B::kPixels;

    static V Load(const uint32_t* p) { return {B::Load(p), B::Load(p + B::kPixels)}; }
    static void Store(uint32_t* p, V v) {
        B::Store(p, v.a);
        B::Store(p + B::kPixels, v.b);
    }
    static V Zero() { return {B::Zero(), B::Zero()}; }
    static V Set16(int v) { return {B::Set16(v), B::Set16(v)}; }
    static V Set32(uint32_t v) { return {B::Set32(v), B::Set32(v)}; }

    static V Add16(V x, V y) { return {B::Add16(x.a, y.a), B::Add16(x.b, y.b)}; }
    static V Sub16(V x, V y) { return {B::Sub16(x.a, y.a), B::Sub16(x.b, y.b)}; }
    static V Mul16(V x, V y) { return {B::Mul16(x.a, y.a), B::Mul16(x.b, y.b)}; }
    static V MulHi16(V x, V y) { return {B::MulHi16(x.a, y.a), B::MulHi16(x.b, y.b)}; }
    static V Srl16(V x, int n) { return {B::Srl16(x.a, n), B::Srl16(x.b, n)}; }
    static V Min16(V x, V y) { return {B::Min16(x.a, y.a), B::Min16(x.b, y.b)}; }
    static V Max16(V x, V y) { return {B::Max16(x.a, y.a), B::Max16(x.b, y.b)}; }
    static V Eq16(V x, V y) { return {B::Eq16(x.a, y.a), B::Eq16(x.b, y.b)}; }
    static V Gt16(V x, V y) { return {B::Gt16(x.a, y.a), B::Gt16(x.b, y.b)}; }
    static V And(V x, V y) { return {B::And(x.a, y.a), B::And(x.b, y.b)}; }
    static V Select(V m, V yes, V no) { return {B::Select(m.a, yes.a, no.a), B::Select(m.b, yes.b, no.b)}; }

    static V AlphaPair(V x) { return {B::AlphaPair(x.a), B::AlphaPair(x.b)}; }
    static V DupLow16(V x) { return {B::DupLow16(x.a), B::DupLow16(x.b)}; }
    static V Floor65535OverPair(V x) { return {B::Floor65535OverPair(x.a), B::Floor65535OverPair(x.b)}; }
    static V JoinColours(V lo, V hi) { return {B::JoinColours(lo.a, hi.a), B::JoinColours(lo.b, hi.b)}; }
    static V JoinColoursAndAlpha(V lo, V hi, V alpha) {
        return {B::JoinColoursAndAlpha(lo.a, hi.a, alpha.a), B::JoinColoursAndAlpha(lo.b, hi.b, alpha.b)};
    }
};

template <class L>
struct Rows {
    using V = typename L::V;
    static constexpr int N = L::kPixels;

    static V C255() { return L::Set16(255); }
    // The alpha lane of every point in 16-bit form.
    static V AlphaLanes() { return L::Set64(0xFFFF000000000000ull); }
    static V Select(V mask, V yes, V no) { return L::Select(mask, yes, no); }
    static V Div255(V x) { return L::Srl16(L::MulHi16(x, L::Set16(0x8081)), 7); }
    // Colour lanes with alpha x, or with 0 in the alpha lane for a
    // destination without alpha (its top byte is written as 0).
    template <bool kDA>
    static V WithAlpha(V colour, V x) {
        if constexpr (kDA)
            return Select(AlphaLanes(), x, colour);
        else
            return L::AndNot(AlphaLanes(), colour);
    }
    static V IsZero16(V x) { return L::Eq16(x, L::Zero()); }
    static V AlphaByte(V raw) { return L::Srl32(raw, 24); }

    // Calls body(scale) once, scale(x) giving x * strength / 255 for x of
    // 0 to 255 in 16-bit lanes: x itself at 255, else the high half of x *
    // (257 strength + 1), exact since x * (255 - strength) < 2^16.
    template <class Body>
    static void WithStrength(uint32_t strength, Body body) {
        if (strength >= 255) {
            body([](V x) { return x; });
        } else {
            const V k = L::Set16(static_cast<int>(257 * strength + 1));
            body([k](V x) { return L::MulHi16(x, k); });
        }
    }

    // The pair form, for the blends that divide by a per-point alpha: a
    // point's bytes as the 16-bit pairs (B, R) (PairsLo) and (G, A)
    // (PairsHi), and a per-point value held in both 16-bit lanes of its
    // point (L::AlphaPair gives alphas so), where it multiplies both pairs
    // of the point with no spreading.
    static V PairsLo(V raw) { return L::And(raw, L::Set32(0x00FF00FFu)); }
    static V PairsHi(V raw) { return L::Srl16(raw, 8); }

    // A per-point divisor of 1 to 255 in pair form (0 is taken as 1), with
    // d - 1 and m = floor(65535 / d) beside it.
    struct Divisor {
        V d, dm1, m;
        explicit Divisor(V value) : Divisor(L::Max16(value, L::Set16(1)), kNonZero) {}
        // For a value known to be 1 or more wherever the quotient is used.
        enum NonZero { kNonZero };
        Divisor(V value, NonZero)
            : d(value), dm1(L::Sub16(d, L::Set16(1))), m(L::DupLow16(L::Floor65535OverPair(d))) {}
        // floor(n / d) for each 16-bit n: q = n * m >> 16 is short by at
        // most 1, and the remainder says when.
        V Quotient(V n) const {
            const V q = L::MulHi16(n, m);
            return L::Sub16(q, L::Gt16(L::Sub16(n, L::Mul16(q, d)), dm1));
        }
    };

    // The colours floor(numerator(d, s) / divisor) of both pairs, saturated
    // to bytes, with 0 in the alpha byte, or with the given alpha (pair
    // form, below 256) there.
    template <class Numerator>
    static V DividedColours(V dv, V sv, const Divisor& divisor, Numerator numerator) {
        return L::JoinColours(divisor.Quotient(numerator(PairsLo(dv), PairsLo(sv))),
                              divisor.Quotient(numerator(PairsHi(dv), PairsHi(sv))));
    }
    template <class Numerator>
    static V DividedColours(V dv, V sv, const Divisor& divisor, Numerator numerator, V alpha) {
        return L::JoinColoursAndAlpha(divisor.Quotient(numerator(PairsLo(dv), PairsLo(sv))),
                                      divisor.Quotient(numerator(PairsHi(dv), PairsHi(sv))), alpha);
    }

    // The over-blend of weight a (pair form) onto a destination with alpha:
    // output alpha oA = a + (255 - a) * dA / 255 and colours ((oA - a) d +
    // a s) / oA. Where a is 0 that is the destination's own bytes; where oA
    // is 0 too, dividing by 1 with weight 1 on d keeps them as well.
    static V OverBlend(V dv, V sv, V a) {
        const V oA = L::Add16(a, Div255(L::Mul16(L::Sub16(C255(), a), L::AlphaPair(dv))));
        const Divisor divisor(oA);
        const V k = L::Sub16(divisor.d, a);
        return DividedColours(
            dv, sv, divisor, [&](V d, V s) { return L::Add16(L::Mul16(k, d), L::Mul16(a, s)); }, oA);
    }

    // Loads a group of points of each row (kSources of s and m are read).
    template <int kSources>
    struct Group {
        V d, s, m;
        Group(const uint32_t* dp, const uint32_t* sp, const uint32_t* mp)
            : d(L::Load(dp)),
              s(kSources >= 1 ? L::Load(sp) : L::Zero()),
              m(kSources >= 2 ? L::Load(mp) : L::Zero()) {}
    };

    // The last w - i < N points of a row through a buffer, so that the
    // code of whole groups, group(Group) -> raw points, does them too.
    template <int kSources, class Fn>
    static void Tail(uint32_t* d, const uint32_t* s, const uint32_t* m, int i, int w, Fn group) {
        const int left = w - i;
        if (left <= 0) return;
        uint32_t bd[N] = {}, bs[N] = {}, bm[N] = {};
        for (int j = 0; j < left; ++j) {
            bd[j] = d[i + j];
            if constexpr (kSources >= 1) bs[j] = s[i + j];
            if constexpr (kSources >= 2) bm[j] = m[i + j];
        }
        L::Store(bd, group(Group<kSources>(bd, bs, bm)));
        for (int j = 0; j < left; ++j) d[i + j] = bd[j];
    }

    // fn(d, s, m) on the raw points of every group of a row.
    template <int kSources, class Fn>
    static void ForRawRow(uint32_t* d, const uint32_t* s, const uint32_t* m, int w, Fn fn) {
        auto group = [&](const Group<kSources>& g) { return fn(g.d, g.s, g.m); };
        int i = 0;
        for (; i + N <= w; i += N)
            L::Store(d + i,
                     group(Group<kSources>(d + i, kSources >= 1 ? s + i : s, kSources >= 2 ? m + i : m)));
        Tail<kSources>(d, s, m, i, w, group);
    }

    // fn(d, s, m) on each 16-bit half of every group of points of a row.
    template <int kSources, class Fn>
    static void ForRow(uint32_t* d, const uint32_t* s, const uint32_t* m, int w, Fn fn) {
        ForRawRow<kSources>(d, s, m, w, [&](V dv, V sv, V mv) {
            return L::Pack16(fn(L::Lo8(dv), L::Lo8(sv), L::Lo8(mv)), fn(L::Hi8(dv), L::Hi8(sv), L::Hi8(mv)));
        });
    }

    template <bool kDA>
    static void Over(uint32_t* d, const uint32_t* s, int w) {
        ForRow<1>(d, s, nullptr, w, [](V d16, V s16, V) {
            const V sA = L::SpreadAlpha16(s16);
            const V c = Div255(L::Add16(L::Mul16(sA, s16), L::Mul16(L::Sub16(C255(), sA), d16)));
            V keep = IsZero16(sA);
            if constexpr (kDA) keep = L::Or(keep, IsZero16(L::SpreadAlpha16(d16)));
            return Select(keep, d16, WithAlpha<kDA>(c, d16));
        });
    }

    template <bool kDA>
    static void Alpha(uint32_t* d, const uint32_t* s, int w, uint32_t strength) {
        if constexpr (kDA) {
            WithStrength(strength, [&](auto scale) {
                ForRawRow<1>(d, s, nullptr, w, [scale](V dv, V sv, V) {
                    const V a = scale(L::AlphaPair(sv));
                    return OverBlend(dv, sv, a);
                });
            });
        } else {
            const V k = L::Set16(static_cast<int>(strength));
            ForRow<1>(d, s, nullptr, w, [k](V d16, V s16, V) {
                const V sA = L::SpreadAlpha16(s16);
                const V a = Div255(L::Mul16(sA, k));
                const V c = Div255(L::Add16(L::Mul16(L::Sub16(C255(), a), d16), L::Mul16(a, s16)));
                return Select(IsZero16(sA), d16, WithAlpha<false>(c, c));
            });
        }
    }

    template <bool kDA>
    static void Add(uint32_t* d, const uint32_t* s, int w) {
        ForRow<1>(d, s, nullptr, w, [](V d16, V s16, V) {
            const V sA = L::SpreadAlpha16(s16);
            const V dA = kDA ? L::SpreadAlpha16(d16) : C255();
            const V sum = L::AddSat16(L::Mul16(s16, sA), L::Mul16(d16, dA));
            const V c = L::Min16(Div255(sum), C255());
            return Select(L::Or(IsZero16(sA), IsZero16(dA)), d16, WithAlpha<kDA>(c, d16));
        });
    }

    template <bool kDA>
    static void Add256(uint32_t* d, const uint32_t* s, int w, uint32_t strength) {
        const V k = L::Set16(static_cast<int>(strength));
        ForRow<1>(d, s, nullptr, w, [k](V d16, V s16, V) {
            const V sA = L::SpreadAlpha16(s16);
            const V a = L::Srl16(L::Mul16(sA, k), 8);
            const V sum = L::AddSat16(L::Mul16(s16, a), L::Mul16(d16, C255()));
            const V c = L::Min16(L::Srl16(sum, 8), C255());
            return Select(IsZero16(sA), d16, WithAlpha<kDA>(c, C255()));
        });
    }

    template <bool kDA>
    static void MaskAlpha(uint32_t* d, const uint32_t* m, int w) {
        ForRawRow<1>(d, m, nullptr, w, [](V dv, V mv, V) {
            const V mA = AlphaByte(mv);
            const V colour = L::And(dv, L::Set32(0x00FFFFFFu));
            const V out = kDA ? L::Or(colour, L::Sll32(mA, 24)) : colour;
            return Select(L::Gt32(L::Set32(255), mA), out, dv);
        });
    }

    static void MaskKeep(uint32_t* d, const uint32_t* m, int w) {
        ForRawRow<1>(d, m, nullptr, w,
                     [](V dv, V mv, V) { return L::AndNot(L::Eq32(AlphaByte(mv), L::Zero()), dv); });
    }

    static void ClearWhereOpaque(uint32_t* d, const uint32_t* s, int w) {
        ForRawRow<1>(d, s, nullptr, w,
                     [](V dv, V sv, V) { return L::AndNot(L::Eq32(AlphaByte(sv), L::Set32(255)), dv); });
    }

    static void CutOut(uint32_t* d, const uint32_t* s, int w) {
        ForRawRow<1>(d, s, nullptr, w,
                     [](V dv, V sv, V) { return L::And(dv, L::Eq32(AlphaByte(sv), L::Zero())); });
    }

    template <bool kDA>
    static void CopyThroughMask(uint32_t* d, const uint32_t* s, const uint32_t* m, int w) {
        ForRawRow<2>(d, s, m, w, [](V dv, V sv, V mv) {
            const V colour = L::And(sv, L::Set32(0x00FFFFFFu));
            const V out = kDA ? L::Or(colour, L::And(mv, L::Set32(0xFF000000u))) : colour;
            return Select(L::Eq32(AlphaByte(mv), L::Zero()), dv, out);
        });
    }

    // a * factor / 255 kept within 0..255, as factor = 255 f + r:
    // a * f + a * r / 255, with f above 256 saturating like f = 256.
    static void ScaleAlpha(uint32_t* d, int w, uint32_t factor) {
        const V f = L::Set32(factor / 255 < 256 ? factor / 255 : 256);
        const V r = L::Set32(factor % 255);
        ForRawRow<0>(d, nullptr, nullptr, w, [f, r](V dv, V, V) {
            const V a = AlphaByte(dv);
            V scaled = L::AddSat16(L::Mul16(a, f), Div255(L::Mul16(a, r)));
            scaled = Select(L::Gt32(scaled, L::Set32(255)), L::Set32(255), scaled);
            return L::Or(L::And(dv, L::Set32(0x00FFFFFFu)), L::Sll32(scaled, 24));
        });
    }

    template <bool kMixing, bool kDA>
    static void Masked(uint32_t* d, const uint32_t* s, const uint32_t* m, int w, uint32_t strength) {
        if constexpr (!kMixing) {
            const V k = L::Set16(static_cast<int>(strength));
            ForRow<2>(d, s, m, w, [k](V d16, V s16, V m16) {
                const V mA = L::SpreadAlpha16(m16);
                const V a = Div255(L::Mul16(L::SpreadAlpha16(s16), k));
                return Select(L::Or(IsZero16(mA), IsZero16(a)), d16,
                              WithAlpha<kDA>(s16, Div255(L::Mul16(a, mA))));
            });
        } else if constexpr (!kDA) {
            // Read without alpha the destination counts as opaque: oA is
            // 255 and the mix is d (255 - a) + s a over 255.
            const V k = L::Set16(static_cast<int>(strength));
            ForRow<2>(d, s, m, w, [k](V d16, V s16, V m16) {
                const V a = Div255(L::Mul16(L::SpreadAlpha16(s16), k));
                const V c = Div255(L::Add16(L::Mul16(L::Sub16(C255(), a), d16), L::Mul16(a, s16)));
                return Select(L::Or(IsZero16(L::SpreadAlpha16(m16)), IsZero16(a)), d16,
                              WithAlpha<false>(c, c));
            });
        } else {
            WithStrength(strength, [&](auto scale) {
                ForRawRow<2>(d, s, m, w, [scale](V dv, V sv, V mv) {
                    const V a = scale(L::AlphaPair(sv)), mA = L::AlphaPair(mv), dA = L::AlphaPair(dv);
                    // With t = dA (255 - a) = 255 q + r: q is the high half of
                    // dA * K, K = 257 (255 - a) + 1 = -257 a modulo 2^16 (exact
                    // for a of 1 or more; points of a = 0 are kept below), and
                    // d * t / 255 is d * q + d * r / 255, the second part the
                    // high half of d * (257 r + 1), 257 r + 1 = 257 t + q + 1
                    // modulo 2^16, 257 t = dA * K - dA.
                    const V K = L::Mul16(a, L::Set16(-257));
                    const V q = L::MulHi16(dA, K);
                    const V t257 = L::Sub16(L::Mul16(dA, K), dA);
                    const V r257 = L::Add16(L::Add16(t257, q), L::Set16(1));
                    const V oA = L::Add16(q, a);
                    // Where t is 0 (destination alpha 0, or a of 255) these are
                    // the source's colours, as the rule writes there; 257 t is
                    // 0 modulo 2^16 only there. Truncation can push a colour
                    // past 255: it saturates. oA is 1 or more wherever a is.
                    auto numerator = [&](V d16, V s16) {
                        return L::Add16(L::Add16(L::Mul16(d16, q), L::MulHi16(d16, r257)), L::Mul16(s16, a));
                    };
                    // Alpha oA * mA / 255, or a (which oA is there) where t is 0.
                    const V alpha = Select(IsZero16(t257), oA, Div255(L::Mul16(oA, mA)));
                    return Select(IsZero16(L::Min16(mA, a)), dv,
                                  DividedColours(dv, sv, Divisor(oA, Divisor::kNonZero), numerator, alpha));
                });
            });
        }
    }

    template <bool kOpaque, bool kDA>
    static void ThroughMask(uint32_t* d, const uint32_t* s, const uint32_t* m, int w) {
        if constexpr (kDA) {
            ForRawRow<2>(d, s, m, w, [](V dv, V sv, V mv) {
                const V mA = L::AlphaPair(mv);
                const V a = kOpaque ? mA : Div255(L::Mul16(L::AlphaPair(sv), mA));
                return OverBlend(dv, sv, a);
            });
        } else {
            // Read without alpha the destination counts as opaque: oA is 255.
            ForRow<2>(d, s, m, w, [](V d16, V s16, V m16) {
                const V mA = L::SpreadAlpha16(m16);
                const V a = kOpaque ? mA : Div255(L::Mul16(L::SpreadAlpha16(s16), mA));
                const V c = Div255(L::Add16(L::Mul16(L::Sub16(C255(), a), d16), L::Mul16(a, s16)));
                return Select(IsZero16(mA), d16, WithAlpha<false>(c, c));
            });
        }
    }

    // row(d, s) on h rows of w points, pitches in bytes. The rows three
    // below are fetched while a row is drawn: a picture's rows lie a
    // screen's pitch apart, further than the processor looks.
    template <class Row>
    static void EachRow(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h, Row row) {
        for (int j = 0; j < h; ++j) {
            if (j + 3 < h) {
                const char* dAhead = reinterpret_cast<const char*>(d) + 3 * dPitch;
                const char* sAhead = reinterpret_cast<const char*>(s) + 3 * sPitch;
                for (int b = 0; b < w * 4; b += 64) {
                    __builtin_prefetch(dAhead + b, 1);
                    __builtin_prefetch(sAhead + b, 0);
                }
            }
            row(d, s);
            d = reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(d) + dPitch);
            s = reinterpret_cast<const uint32_t*>(reinterpret_cast<const char*>(s) + sPitch);
        }
    }

    // SDL's own per-pixel alpha blend onto a destination without alpha:
    // (s * A >> 8) + (d * (255 - A) >> 8) on every byte, the top byte
    // weighing 255 for the source's; A = 0 keeps the destination and
    // A = 255 copies the source.
    static void SdlAlphaBlit(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h) {
        EachRow(d, dPitch, s, sPitch, w, h,
                [w](uint32_t* dr, const uint32_t* sr) { SdlAlphaRow(dr, sr, w); });
    }
    // In pair form: no sum passes 255, so the pairs join back unsaturated.
    static void SdlAlphaRow(uint32_t* d, const uint32_t* s, int w) {
        ForRawRow<1>(d, s, nullptr, w, [](V dv, V sv, V) { return SdlAlphaPoints(dv, sv); });
    }
    static V SdlAlphaPoints(V dv, V sv) {
        const V A = L::AlphaPair(sv), inverse = L::Sub16(C255(), A);
        const V topWeight = L::Or(A, L::Set32(0x00FF0000u));  // (A, 255): the A lane weighs 255
        auto blend = [&](V d16, V s16, V weight) {
            return L::Add16(L::Srl16(L::Mul16(s16, weight), 8), L::Srl16(L::Mul16(d16, inverse), 8));
        };
        const V blended = L::Or(blend(PairsLo(dv), PairsLo(sv), A),
                                L::Sll16(blend(PairsHi(dv), PairsHi(sv), topWeight), 8));
        return Select(IsZero16(A), dv, Select(L::Eq16(A, C255()), sv, blended));
    }

    // SDL 1.2's per-pixel alpha blend onto a destination with alpha: the
    // colours blend, the destination's alpha byte stays. At opacity 255 the
    // colours of SdlAlphaRow; below it the alpha is weighed first, a = A *
    // opacity / 255, and each colour is s * a / 255 + d * (255 - a) / 255
    // (a is below 255 there, and a = 0 gives d).
    static void SdlAlphaKeepBlit(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h,
                                 uint32_t opacity) {
        const V keepAlpha = L::Set32(0xFF000000u);
        if (opacity >= 255) {
            EachRow(d, dPitch, s, sPitch, w, h, [&](uint32_t* dr, const uint32_t* sr) {
                ForRawRow<1>(dr, sr, nullptr, w, [&](V dv, V sv, V) {
                    return L::Or(L::AndNot(keepAlpha, SdlAlphaPoints(dv, sv)), L::And(dv, keepAlpha));
                });
            });
            return;
        }
        const V k = L::Set16(static_cast<int>(opacity));
        EachRow(d, dPitch, s, sPitch, w, h, [&](uint32_t* dr, const uint32_t* sr) {
            ForRawRow<1>(dr, sr, nullptr, w, [&](V dv, V sv, V) {
                const V a = Div255(L::Mul16(L::AlphaPair(sv), k)), inverse = L::Sub16(C255(), a);
                auto blend = [&](V d16, V s16) {
                    return L::Add16(Div255(L::Mul16(s16, a)), Div255(L::Mul16(d16, inverse)));
                };
                const V colours =
                    L::Or(blend(PairsLo(dv), PairsLo(sv)), L::Sll16(blend(PairsHi(dv), PairsHi(sv)), 8));
                return L::Or(L::AndNot(keepAlpha, colours), L::And(dv, keepAlpha));
            });
        });
    }

    // SDL 1.2's per-surface alpha blend of a source without alpha onto a
    // destination with alpha, at an opacity n of 1 to 254, the alpha byte
    // made 255. Each colour is (s n + d (256 - n)) >> 8 (at most 255 * 256,
    // so the pairs' lanes neither wrap nor carry); a keyed source's is SDL's
    // d + (s - d) n / 255 cut toward d, as floor(|s - d| n / 255) added to
    // or taken from d, and the points whose four bytes equal the key stay.
    template <bool kKeyed>
    static void SdlOpacityRows(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h,
                               uint32_t n, uint32_t key) {
        const V weight = L::Set16(static_cast<int>(n)), inverse = L::Set16(static_cast<int>(256 - n));
        const V opaque = L::Set32(0xFF000000u), keyPoints = L::Set32(key);
        auto blend = [&](V d16, V s16) {
            if constexpr (kKeyed) {
                const V q = Div255(L::Mul16(L::Sub16(L::Max16(s16, d16), L::Min16(s16, d16)), weight));
                return Select(L::Gt16(d16, s16), L::Sub16(d16, q), L::Add16(d16, q));
            } else {
                return L::Srl16(L::Add16(L::Mul16(s16, weight), L::Mul16(d16, inverse)), 8);
            }
        };
        EachRow(d, dPitch, s, sPitch, w, h, [&](uint32_t* dr, const uint32_t* sr) {
            ForRawRow<1>(dr, sr, nullptr, w, [&](V dv, V sv, V) {
                const V out = L::Or(L::Or(blend(PairsLo(dv), PairsLo(sv)),
                                          L::Sll16(blend(PairsHi(dv), PairsHi(sv)), 8)),
                                    opaque);
                if constexpr (kKeyed)
                    return Select(L::Eq32(sv, keyPoints), dv, out);
                else
                    return out;
            });
        });
    }
    static void SdlOpacityBlit(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h,
                               uint32_t n, bool keyed, uint32_t key) {
        if (keyed)
            SdlOpacityRows<true>(d, dPitch, s, sPitch, w, h, n, key);
        else
            SdlOpacityRows<false>(d, dPitch, s, sPitch, w, h, n, key);
    }

    // The rows that divide by a per-point alpha take two groups at a time.
    using Wide = Rows<TwoGroups<L>>;

    static constexpr BlendRows Table() {
        return BlendRows{
            {&Over<false>, &Over<true>},
            {&Alpha<false>, &Wide::template Alpha<true>},
            {&Add<false>, &Add<true>},
            {&Add256<false>, &Add256<true>},
            {&MaskAlpha<false>, &MaskAlpha<true>},
            &MaskKeep,
            &ClearWhereOpaque,
            {{&Masked<false, false>, &Masked<false, true>},
             {&Masked<true, false>, &Wide::template Masked<true, true>}},
            {{&ThroughMask<false, false>, &Wide::template ThroughMask<false, true>},
             {&ThroughMask<true, false>, &Wide::template ThroughMask<true, true>}},
            {&CopyThroughMask<false>, &CopyThroughMask<true>},
            &CutOut,
            &ScaleAlpha,
            &SdlAlphaBlit,
            &SdlAlphaKeepBlit,
            &SdlOpacityBlit,
        };
    }
};

}  // namespace GraphAPI::BlendRowKernels
