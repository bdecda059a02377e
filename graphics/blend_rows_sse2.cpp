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

    // floor(n / d) lane by lane, for n below 2^16, d from 1 to 255 alike in
    // every lane of a point, and quotients below 512. The point's
    // reciprocal is formed once, and (n + 1/2) / d truncated: the true value
    // lies at least 1 / (2 d) from a whole number, while the two roundings
    // move it by at most 512 * 2^-23.
    static V Divide16(V n, V d) {
        const __m128 r = _mm_div_ps(_mm_set1_ps(1.0f), _mm_cvtepi32_ps(_mm_srli_epi64(d, 48)));
        const __m128 half = _mm_set1_ps(0.5f);
        const __m128i zero = _mm_setzero_si128();
        const __m128 lo = _mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(_mm_unpacklo_epi16(n, zero)), half),
                                     _mm_shuffle_ps(r, r, 0x00));
        const __m128 hi = _mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(_mm_unpackhi_epi16(n, zero)), half),
                                     _mm_shuffle_ps(r, r, 0xAA));
        return _mm_packs_epi32(_mm_cvttps_epi32(lo), _mm_cvttps_epi32(hi));
    }
};

}  // namespace

}  // namespace GraphAPI

#include "graphics/blend_rows_simd.h"

namespace GraphAPI {

const BlendRows kSse2BlendRows = BlendRowKernels::Rows<Sse2Lanes>::Table();

}  // namespace GraphAPI

#endif
