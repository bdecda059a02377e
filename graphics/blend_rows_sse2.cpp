// The blend rows four points at a time with SSE2, which every x86-64 has.
#include "graphics/blend_rows.h"

#if defined(__x86_64__)

#include <emmintrin.h>

namespace GraphAPI {

namespace {

struct Sse2Lanes {
    using V = __m128i;
    static constexpr int kPixels = 4;

    static V Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void Store(uint32_t* p, V v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    static V Zero() { return _mm_setzero_si128(); }
    static V Set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static V Set32(uint32_t v) { return _mm_set1_epi32(static_cast<int>(v)); }
    static V Set64(uint64_t v) { return _mm_set1_epi64x(static_cast<long long>(v)); }

    static V Lo8(V v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
    static V Hi8(V v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }
    static V Pack16(V lo, V hi) { return _mm_packus_epi16(lo, hi); }

    static V Add16(V a, V b) { return _mm_add_epi16(a, b); }
    static V AddSat16(V a, V b) { return _mm_adds_epu16(a, b); }
    static V Sub16(V a, V b) { return _mm_sub_epi16(a, b); }
    static V Mul16(V a, V b) { return _mm_mullo_epi16(a, b); }
    static V MulHi16(V a, V b) { return _mm_mulhi_epu16(a, b); }
    static V Srl16(V a, int n) { return _mm_srli_epi16(a, n); }
    static V Sll16(V a, int n) { return _mm_slli_epi16(a, n); }
    static V Min16(V a, V b) { return _mm_min_epi16(a, b); }
    static V Max16(V a, V b) { return _mm_max_epi16(a, b); }
    static V Eq16(V a, V b) { return _mm_cmpeq_epi16(a, b); }
    static V SpreadAlpha16(V v) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xFF), 0xFF); }

    static V Srl32(V a, int n) { return _mm_srli_epi32(a, n); }
    static V Sll32(V a, int n) { return _mm_slli_epi32(a, n); }
    static V Eq32(V a, V b) { return _mm_cmpeq_epi32(a, b); }
    static V Gt32(V a, V b) { return _mm_cmpgt_epi32(a, b); }

    static V And(V a, V b) { return _mm_and_si128(a, b); }
    static V Or(V a, V b) { return _mm_or_si128(a, b); }
    static V AndNot(V a, V b) { return _mm_andnot_si128(a, b); }

    static V Select(V mask, V yes, V no) {
        return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
    }

    static V Gt16(V a, V b) { return _mm_cmpgt_epi16(a, b); }
    // Pair form (blend_rows_simd.h): each point's alpha in both of its
    // 16-bit lanes; a value below 2^16 copied into the high lane; and the
    // pairs (B, R), (G, A) saturated back to bytes, alpha byte 0.
    static V AlphaPair(V v) {
        const V a = _mm_srli_epi32(v, 24);
        return _mm_or_si128(a, _mm_slli_epi32(a, 16));
    }
    static V DupLow16(V v) { return _mm_or_si128(v, _mm_slli_epi32(v, 16)); }
    static V JoinColours(V lo, V hi) {
        const V bytes = _mm_packus_epi16(lo, hi);  // B R pairs, then G A pairs
        return _mm_and_si128(_mm_unpacklo_epi8(bytes, _mm_srli_si128(bytes, 8)), _mm_set1_epi32(0x00FFFFFF));
    }
    static V JoinColoursAndAlpha(V lo, V hi, V alpha) {
        return _mm_or_si128(JoinColours(lo, hi), _mm_slli_epi32(alpha, 24));
    }

    // floor(65535 / d) in every 32-bit lane, for d of 1 to 255 in both
    // 16-bit lanes (65537 d): 2^32 / (65537 d) = (65535 + 1/65537) / d has
    // that floor, and its correctly rounded float lies within 2^-8 / d of
    // it, less than its distance 1/d - 1/(65537 d) to the next whole number.
    static V Floor65535OverPair(V d) {
        return _mm_cvttps_epi32(_mm_div_ps(_mm_set1_ps(4294967296.0f), _mm_cvtepi32_ps(d)));
    }
};

}  // namespace

}  // namespace GraphAPI

#include "graphics/blend_rows_simd.h"

namespace GraphAPI {

const BlendRows kSse2BlendRows = BlendRowKernels::Rows<Sse2Lanes>::Table();

}  // namespace GraphAPI

#endif
