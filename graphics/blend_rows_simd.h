// The rows of blend_rows.h written once over a lane type L: only
// blend_rows_sse2.cpp and blend_rows_avx2.cpp include this file, each after
// its intrinsics and after defining L in an unnamed namespace, so every
// function here is built per instruction set and never shared between them
// (this file includes nothing, and nothing here is an inline function of
// its own).
//
// L::V holds L::kPixels raw points. The 16-bit helpers work on the halves
// that Lo8 and Hi8 make, lanes (B, G, R, A) per point; a point that keeps
// its raw value is chosen in that form, which packs back to the same bytes.
//
// Why the results are exact, point by point, against the per-point rules:
// - products stay below 2^16, where floor(x / 255) is the high-half
//   multiply (x * 0x8081) >> 23 (Div255);
// - the sums of two products that may pass 2^16 (BlendAdd, BlendAdd256)
//   saturate at 65535, whose quotient already clamps to 255;
// - division by a varying alpha d of 1..255 (DividedColours) multiplies by
//   m = floor(65535 / d), formed once per point: n * m >> 16 falls short of
//   floor(n / d) by at most 1 for every n below 2^16, since
//   n / d - n * m / 2^16 < n / 2^16, and one correction step makes it exact.
#pragma once

namespace GraphAPI::BlendRowKernels {

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

    // Per-point values sit in 32-bit lanes in point order, below 2^16, so
    // the 16-bit helpers work on them too (Set32 gives their constants).
    // Spread copies each into the four lanes of its point in the two halves.
    struct Pair {
        V lo, hi;
    };
    static Pair Spread(V perPoint) { return {L::SpreadLo(perPoint), L::SpreadHi(perPoint)}; }
    static V C255x32() { return L::Set32(255); }

    // Each colour of both halves, floor(n / d) for the 16-bit numerators
    // numerator(d16, s16, m16, high) of each half and the per-point divisor
    // d of 1 to 255, packed back into points (their alpha bytes are left
    // over). The point's m = floor(65535 / d) is formed once; q = n * m >> 16
    // is short of floor(n / d) by at most 1, and one correction makes it
    // exact.
    template <class Numerator>
    static V DividedColours(V dv, V sv, V mv, V divisor, Numerator numerator) {
        const Pair d = Spread(divisor), m = Spread(L::Floor65535Over(divisor));
        auto quotient = [](V n, V d, V m) {
            const V q = L::MulHi16(n, m);
            const V r = L::Sub16(n, L::Mul16(q, d));
            return L::Sub16(q, L::Gt16(r, L::Sub16(d, L::Set16(1))));
        };
        const V lo = quotient(numerator(L::Lo8(dv), L::Lo8(sv), L::Lo8(mv), false), d.lo, m.lo);
        const V hi = quotient(numerator(L::Hi8(dv), L::Hi8(sv), L::Hi8(mv), true), d.hi, m.hi);
        return L::Pack16(lo, hi);
    }

    // The colour bytes of colours with the alpha byte alpha (per point), or
    // with 0 there for a destination without alpha.
    template <bool kDA>
    static V WithAlphaByte(V colours, V alpha) {
        const V rgb = L::And(colours, L::Set32(0x00FFFFFFu));
        if constexpr (kDA)
            return L::Or(rgb, L::Sll32(alpha, 24));
        else
            return rgb;
    }

    // The over-blend of weight a (per point) onto the destination: output
    // alpha oA = a + (255 - a) * dA / 255 and colours ((oA - a) d + a s) /
    // oA; points where oA is 0 are left to the caller.
    template <bool kDA>
    static V OverBlend(V dv, V sv, V a, V& oA) {
        oA = L::Add16(a, Div255(L::Mul16(L::Sub16(C255x32(), a), AlphaByte(dv))));
        const V divisor = L::Max16(oA, L::Set32(1));
        const Pair k = Spread(L::Sub16(oA, a)), w = Spread(a);
        const V colours = DividedColours(dv, sv, L::Zero(), divisor, [&](V d16, V s16, V, bool high) {
            return L::Add16(L::Mul16(high ? k.hi : k.lo, d16), L::Mul16(high ? w.hi : w.lo, s16));
        });
        return WithAlphaByte<kDA>(colours, oA);
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
            const V k32 = L::Set32(strength);
            ForRawRow<1>(d, s, nullptr, w, [k32](V dv, V sv, V) {
                V oA;
                const V out = OverBlend<true>(dv, sv, Div255(L::Mul16(AlphaByte(sv), k32)), oA);
                return Select(L::Or(L::Eq32(AlphaByte(sv), L::Zero()), L::Eq32(oA, L::Zero())), dv, out);
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
        } else {
            const V k32 = L::Set32(strength);
            ForRawRow<2>(d, s, m, w, [k32](V dv, V sv, V mv) {
                const V a = Div255(L::Mul16(AlphaByte(sv), k32)), mA = AlphaByte(mv);
                const V dA = kDA ? AlphaByte(dv) : C255x32();
                // d * dA * (255 - a) / 255 as d * q + d * r / 255 with
                // dA * (255 - a) = 255 q + r, both parts below 2^16.
                const V t = L::Mul16(dA, L::Sub16(C255x32(), a));
                const V q = Div255(t);
                const V r = L::Sub16(t, L::Mul16(q, C255x32()));
                const V oA = L::Add16(q, a);
                const Pair q16 = Spread(q), r16 = Spread(r), a16 = Spread(a);
                // oA is 0 only where a is, a point that keeps its value.
                const V mixed =
                    DividedColours(dv, sv, mv, L::Max16(oA, L::Set32(1)), [&](V d16, V s16, V, bool high) {
                        const V nd = L::Add16(L::Mul16(d16, high ? q16.hi : q16.lo),
                                              Div255(L::Mul16(d16, high ? r16.hi : r16.lo)));
                        return L::Add16(nd, L::Mul16(s16, high ? a16.hi : a16.lo));
                    });
                // Truncation can push a mixed colour past 255: it saturates
                // in the packing.
                V useMixed = L::AndNot(L::Eq32(a, C255x32()), L::Set32(0xFFFFFFFFu));
                if constexpr (kDA) useMixed = L::AndNot(L::Eq32(dA, L::Zero()), useMixed);
                const V out = Select(useMixed, WithAlphaByte<kDA>(mixed, Div255(L::Mul16(oA, mA))),
                                     WithAlphaByte<kDA>(sv, a));
                return Select(L::Or(L::Eq32(mA, L::Zero()), L::Eq32(a, L::Zero())), dv, out);
            });
        }
    }

    template <bool kOpaque, bool kDA>
    static void ThroughMask(uint32_t* d, const uint32_t* s, const uint32_t* m, int w) {
        if constexpr (kDA) {
            ForRawRow<2>(d, s, m, w, [](V dv, V sv, V mv) {
                const V mA = AlphaByte(mv);
                const V a = kOpaque ? mA : Div255(L::Mul16(AlphaByte(sv), mA));
                V oA;
                const V out = OverBlend<true>(dv, sv, a, oA);
                return Select(L::Or(L::Eq32(mA, L::Zero()), L::Eq32(oA, L::Zero())), dv, out);
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

    // SDL's own per-pixel alpha blend onto a destination without alpha:
    // (s * A >> 8) + (d * (255 - A) >> 8) on every byte, the top byte
    // weighing 255 for the source's; A = 0 keeps the destination and
    // A = 255 copies the source.
    // The rows three below are fetched while a row is drawn: a picture's
    // rows lie a screen's pitch apart, further than the processor looks.
    static void SdlAlphaBlit(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h) {
        for (int j = 0; j < h; ++j) {
            if (j + 3 < h) {
                const char* dAhead = reinterpret_cast<const char*>(d) + 3 * dPitch;
                const char* sAhead = reinterpret_cast<const char*>(s) + 3 * sPitch;
                for (int b = 0; b < w * 4; b += 64) {
                    __builtin_prefetch(dAhead + b, 1);
                    __builtin_prefetch(sAhead + b, 0);
                }
            }
            SdlAlphaRow(d, s, w);
            d = reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(d) + dPitch);
            s = reinterpret_cast<const uint32_t*>(reinterpret_cast<const char*>(s) + sPitch);
        }
    }
    static void SdlAlphaRow(uint32_t* d, const uint32_t* s, int w) {
        ForRow<1>(d, s, nullptr, w, [](V d16, V s16, V) {
            const V A = L::SpreadAlpha16(s16);
            const V weight = L::Or(A, L::And(AlphaLanes(), C255()));
            const V blended =
                L::Add16(L::Srl16(L::Mul16(s16, weight), 8), L::Srl16(L::Mul16(d16, L::Sub16(C255(), A)), 8));
            return Select(IsZero16(A), d16, Select(L::Eq16(A, C255()), s16, blended));
        });
    }

    static constexpr BlendRows Table() {
        return BlendRows{
            {&Over<false>, &Over<true>},
            {&Alpha<false>, &Alpha<true>},
            {&Add<false>, &Add<true>},
            {&Add256<false>, &Add256<true>},
            {&MaskAlpha<false>, &MaskAlpha<true>},
            &MaskKeep,
            &ClearWhereOpaque,
            {{&Masked<false, false>, &Masked<false, true>}, {&Masked<true, false>, &Masked<true, true>}},
            {{&ThroughMask<false, false>, &ThroughMask<false, true>},
             {&ThroughMask<true, false>, &ThroughMask<true, true>}},
            {&CopyThroughMask<false>, &CopyThroughMask<true>},
            &CutOut,
            &ScaleAlpha,
            &SdlAlphaBlit,
        };
    }
};

}  // namespace GraphAPI::BlendRowKernels
