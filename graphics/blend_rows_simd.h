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
// - division by a varying alpha 1..255 runs in float, exact for the
//   numerators below 2^16 and quotients below 512 that occur (L::Divide16).
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

    // fn(d, s, m) on the 16-bit halves of every group of points of a row:
    // whole groups in place, the last partial group through a buffer so the
    // same code does it.
    template <int kSources, class Fn>
    static void ForRow(uint32_t* d, const uint32_t* s, const uint32_t* m, int w, Fn fn) {
        auto group = [&](V dv, V sv, V mv) {
            return L::Pack16(fn(L::Lo8(dv), L::Lo8(sv), L::Lo8(mv)), fn(L::Hi8(dv), L::Hi8(sv), L::Hi8(mv)));
        };
        ForRawRow<kSources>(d, s, m, w, group);
    }

    // fn(d, s, m) on the raw points of every group of a row.
    template <int kSources, class Fn>
    static void ForRawRow(uint32_t* d, const uint32_t* s, const uint32_t* m, int w, Fn fn) {
        int i = 0;
        for (; i + N <= w; i += N) {
            V sv = L::Zero(), mv = L::Zero();
            if constexpr (kSources >= 1) sv = L::Load(s + i);
            if constexpr (kSources >= 2) mv = L::Load(m + i);
            L::Store(d + i, fn(L::Load(d + i), sv, mv));
        }
        const int left = w - i;
        if (left <= 0) return;
        uint32_t bd[N] = {}, bs[N] = {}, bm[N] = {};
        for (int j = 0; j < left; ++j) {
            bd[j] = d[i + j];
            if constexpr (kSources >= 1) bs[j] = s[i + j];
            if constexpr (kSources >= 2) bm[j] = m[i + j];
        }
        L::Store(bd, fn(L::Load(bd), L::Load(bs), L::Load(bm)));
        for (int j = 0; j < left; ++j) d[i + j] = bd[j];
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
        const V k = L::Set16(static_cast<int>(strength));
        ForRow<1>(d, s, nullptr, w, [k](V d16, V s16, V) {
            const V sA = L::SpreadAlpha16(s16);
            const V a = Div255(L::Mul16(sA, k));
            if constexpr (kDA) {
                const V oA = L::Add16(a, Div255(L::Mul16(L::Sub16(C255(), a), L::SpreadAlpha16(d16))));
                const V n = L::Add16(L::Mul16(L::Sub16(oA, a), d16), L::Mul16(a, s16));
                const V c = L::Divide16(n, L::Max16(oA, L::Set16(1)));
                return Select(L::Or(IsZero16(sA), IsZero16(oA)), d16, WithAlpha<true>(c, oA));
            } else {
                const V c = Div255(L::Add16(L::Mul16(L::Sub16(C255(), a), d16), L::Mul16(a, s16)));
                return Select(IsZero16(sA), d16, WithAlpha<false>(c, c));
            }
        });
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
        const V k = L::Set16(static_cast<int>(strength));
        ForRow<2>(d, s, m, w, [k](V d16, V s16, V m16) {
            const V mA = L::SpreadAlpha16(m16);
            const V a = Div255(L::Mul16(L::SpreadAlpha16(s16), k));
            const V skip = L::Or(IsZero16(mA), IsZero16(a));
            V out;
            if constexpr (!kMixing) {
                out = WithAlpha<kDA>(s16, Div255(L::Mul16(a, mA)));
            } else {
                const V dA = kDA ? L::SpreadAlpha16(d16) : C255();
                // d * dA * (255 - a) / 255 as d * q + d * r / 255 with
                // dA * (255 - a) = 255 q + r, both parts below 2^16.
                const V t = L::Mul16(dA, L::Sub16(C255(), a));
                const V q = Div255(t);
                const V r = L::Sub16(t, L::Mul16(q, C255()));
                const V oA = L::Add16(q, a);
                const V n = L::Add16(L::Add16(L::Mul16(d16, q), Div255(L::Mul16(d16, r))), L::Mul16(s16, a));
                // oA is 0 only where a is, a skipped point.
                const V c = L::Min16(L::Divide16(n, L::Max16(oA, L::Set16(1))), C255());
                const V mixed = WithAlpha<kDA>(c, Div255(L::Mul16(oA, mA)));
                const V plain = WithAlpha<kDA>(s16, a);
                V useMixed = L::AndNot(L::Eq16(a, C255()), L::Set16(-1));
                if constexpr (kDA) useMixed = L::AndNot(IsZero16(dA), useMixed);
                out = Select(useMixed, mixed, plain);
            }
            return Select(skip, d16, out);
        });
    }

    template <bool kOpaque, bool kDA>
    static void ThroughMask(uint32_t* d, const uint32_t* s, const uint32_t* m, int w) {
        ForRow<2>(d, s, m, w, [](V d16, V s16, V m16) {
            const V mA = L::SpreadAlpha16(m16);
            const V a = kOpaque ? mA : Div255(L::Mul16(L::SpreadAlpha16(s16), mA));
            if constexpr (kDA) {
                const V oA = L::Add16(a, Div255(L::Mul16(L::Sub16(C255(), a), L::SpreadAlpha16(d16))));
                const V n = L::Add16(L::Mul16(L::Sub16(oA, a), d16), L::Mul16(a, s16));
                const V c = L::Divide16(n, L::Max16(oA, L::Set16(1)));
                return Select(L::Or(IsZero16(mA), IsZero16(oA)), d16, WithAlpha<true>(c, oA));
            } else {
                // Read without alpha the destination counts as opaque: oA is 255.
                const V c = Div255(L::Add16(L::Mul16(L::Sub16(C255(), a), d16), L::Mul16(a, s16)));
                return Select(IsZero16(mA), d16, WithAlpha<false>(c, c));
            }
        });
    }

    // SDL's own per-pixel alpha blend onto a destination without alpha:
    // (s * A >> 8) + (d * (255 - A) >> 8) on every byte, the top byte
    // weighing 255 for the source's; A = 0 keeps the destination and
    // A = 255 copies the source.
    static void SdlAlphaBlit(uint32_t* d, const uint32_t* s, int w) {
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
