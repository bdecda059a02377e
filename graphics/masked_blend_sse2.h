// Four points at a time of BlendMasked for ARGB 8888 source and mask onto
// an ARGB or XRGB 8888 destination, with SSE2 (every x86-64 has it).
//
// Gives the same bits as the per-point rules in blends.cpp:
// - every product stays inside 16 bits, so floor(x / 255) is the exact
//   high-half multiply (x * 0x8081) >> 23 for every x < 2^16;
// - d * dA * (255 - a) / 255 is split as d * q + d * r / 255 with
//   dA * (255 - a) = 255 q + r, whose parts are both below 2^16;
// - the division by the varying output alpha oA runs in float: the
//   numerator is below 2^16, so the correctly rounded quotient truncates to
//   the exact floor (a true quotient that is not whole lies at least 1 / oA
//   below the next integer, far more than the rounding error).
#pragma once

#if defined(__SSE2__)
#define ENGINE_MASKED_BLEND_SSE2 1

#include <emmintrin.h>

#include <cstdint>

namespace GraphAPI::MaskedBlendSse2 {

// floor(x / 255) in every 16-bit lane, exact for 0 <= x < 2^16.
inline __m128i Div255(__m128i x) {
    return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
}

// Each point's alpha lane copied into its four lanes.
inline __m128i SpreadAlpha(__m128i v) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF); }

// floor(n / d) lane by lane for 16-bit n < 2^16 and 1 <= d <= 255.
inline __m128i DivideLanes(__m128i n, __m128i d) {
    const __m128i zero = _mm_setzero_si128();
    const __m128 lo = _mm_div_ps(_mm_cvtepi32_ps(_mm_unpacklo_epi16(n, zero)),
                                 _mm_cvtepi32_ps(_mm_unpacklo_epi16(d, zero)));
    const __m128 hi = _mm_div_ps(_mm_cvtepi32_ps(_mm_unpackhi_epi16(n, zero)),
                                 _mm_cvtepi32_ps(_mm_unpackhi_epi16(d, zero)));
    // Quotients stay below 2^15 (at most about 2 x 255), so the signed pack keeps them.
    return _mm_packs_epi32(_mm_cvttps_epi32(lo), _mm_cvttps_epi32(hi));
}

inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// Two points (16-bit lanes B, G, R, A each) of destination d, source s and
// mask m; returns the 16-bit result lanes and sets skip where the
// destination keeps its raw value.
template <bool kMixing, bool kDestinationAlpha>
inline __m128i TwoPoints(__m128i d, __m128i s, __m128i m, __m128i strength, __m128i& skip) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i c255 = _mm_set1_epi16(255);
    const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
    const __m128i mA = SpreadAlpha(m);
    const __m128i a = Div255(_mm_mullo_epi16(SpreadAlpha(s), strength));
    skip = _mm_or_si128(_mm_cmpeq_epi16(mA, zero), _mm_cmpeq_epi16(a, zero));
    // Source colour with alpha lane x; without destination alpha the lane packs as 0.
    auto withAlpha = [&](__m128i colour, __m128i x) {
        return kDestinationAlpha ? Select(alphaLanes, x, colour) : _mm_andnot_si128(alphaLanes, colour);
    };
    if constexpr (!kMixing) {
        return withAlpha(s, Div255(_mm_mullo_epi16(a, mA)));
    } else {
        const __m128i dA = kDestinationAlpha ? SpreadAlpha(d) : c255;
        const __m128i k = _mm_sub_epi16(c255, a);
        const __m128i t = _mm_mullo_epi16(dA, k);
        const __m128i q = Div255(t);
        const __m128i r = _mm_sub_epi16(t, _mm_mullo_epi16(q, c255));
        const __m128i oA = _mm_add_epi16(q, a);
        // d * dA * k / 255 + s * a, below 255 * (k + a) = 65025.
        const __m128i n = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(d, q), Div255(_mm_mullo_epi16(d, r))),
                                        _mm_mullo_epi16(s, a));
        // oA is 0 only where a is 0, a skipped point; keep the division finite there.
        const __m128i c = _mm_min_epi16(DivideLanes(n, _mm_max_epi16(oA, _mm_set1_epi16(1))), c255);
        const __m128i mixed = withAlpha(c, Div255(_mm_mullo_epi16(oA, mA)));
        const __m128i plain = withAlpha(s, a);
        __m128i useMixed = _mm_andnot_si128(_mm_cmpeq_epi16(a, c255), _mm_set1_epi16(-1));
        if constexpr (kDestinationAlpha) useMixed = _mm_andnot_si128(_mm_cmpeq_epi16(dA, zero), useMixed);
        return Select(useMixed, mixed, plain);
    }
}

// w points of one row; returns how many it did (a multiple of four).
template <bool kMixing, bool kDestinationAlpha>
inline int Row(uint32_t* destination, const uint32_t* source, const uint32_t* mask, int w,
               uint32_t strength) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i strengthLanes = _mm_set1_epi16(static_cast<short>(strength));
    int i = 0;
    for (; i + 4 <= w; i += 4) {
        const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination + i));
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
        __m128i skipLo, skipHi;
        const __m128i lo =
            TwoPoints<kMixing, kDestinationAlpha>(_mm_unpacklo_epi8(raw, zero), _mm_unpacklo_epi8(s, zero),
                                                  _mm_unpacklo_epi8(m, zero), strengthLanes, skipLo);
        const __m128i hi =
            TwoPoints<kMixing, kDestinationAlpha>(_mm_unpackhi_epi8(raw, zero), _mm_unpackhi_epi8(s, zero),
                                                  _mm_unpackhi_epi8(m, zero), strengthLanes, skipHi);
        const __m128i out = _mm_packus_epi16(lo, hi);
        const __m128i skip = _mm_packs_epi16(skipLo, skipHi);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + i), Select(skip, raw, out));
    }
    return i;
}

}  // namespace GraphAPI::MaskedBlendSse2

#endif
