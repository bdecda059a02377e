// The blend rows eight points at a time with AVX2. This file alone is
// built for AVX2 (graphics/CMakeLists.txt); its rows run only after the
// processor said it has AVX2 (blend_rows.cpp).
#include "graphics/blend_rows.h"

#if defined(__x86_64__)

#include <immintrin.h>

namespace GraphAPI {

namespace {

struct Avx2Lanes {
    using V = __m256i;
    static constexpr int kPixels = 8;

    static V Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void Store(uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    static V Zero() { return _mm256_setzero_si256(); }
    static V Set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static V Set32(uint32_t v) { return _mm256_set1_epi32(static_cast<int>(v)); }
    static V Set64(uint64_t v) { return _mm256_set1_epi64x(static_cast<long long>(v)); }

    static V Lo8(V v) { return _mm256_unpacklo_epi8(v, _mm256_setzero_si256()); }
    static V Hi8(V v) { return _mm256_unpackhi_epi8(v, _mm256_setzero_si256()); }
    static V Pack16(V lo, V hi) { return _mm256_packus_epi16(lo, hi); }

    static V Add16(V a, V b) { return _mm256_add_epi16(a, b); }
    static V AddSat16(V a, V b) { return _mm256_adds_epu16(a, b); }
    static V Sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
    static V Mul16(V a, V b) { return _mm256_mullo_epi16(a, b); }
    static V MulHi16(V a, V b) { return _mm256_mulhi_epu16(a, b); }
    static V Srl16(V a, int n) { return _mm256_srli_epi16(a, n); }
    static V Sll16(V a, int n) { return _mm256_slli_epi16(a, n); }
    static V Min16(V a, V b) { return _mm256_min_epi16(a, b); }
    static V Max16(V a, V b) { return _mm256_max_epi16(a, b); }
    static V Eq16(V a, V b) { return _mm256_cmpeq_epi16(a, b); }
    // One byte shuffle instead of the two word shuffles SSE2 needs.
    static V SpreadAlpha16(V v) {
        return _mm256_shuffle_epi8(v,
                                   _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6,
                                                    7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15));
    }

    static V Srl32(V a, int n) { return _mm256_srli_epi32(a, n); }
    static V Sll32(V a, int n) { return _mm256_slli_epi32(a, n); }
    static V Eq32(V a, V b) { return _mm256_cmpeq_epi32(a, b); }
    static V Gt32(V a, V b) { return _mm256_cmpgt_epi32(a, b); }

    static V And(V a, V b) { return _mm256_and_si256(a, b); }
    static V Or(V a, V b) { return _mm256_or_si256(a, b); }
    static V AndNot(V a, V b) { return _mm256_andnot_si256(a, b); }

    static V Select(V mask, V yes, V no) { return _mm256_blendv_epi8(no, yes, mask); }

    static V Gt16(V a, V b) { return _mm256_cmpgt_epi16(a, b); }
    // Pair form (blend_rows_simd.h): each point's alpha in both of its
    // 16-bit lanes; a value below 2^16 copied into the high lane; and the
    // pairs (B, R), (G, A) saturated back to bytes, alpha byte 0.
    static V AlphaPair(V v) {
        return _mm256_shuffle_epi8(v, _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15,
                                                       -1, 3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1,
                                                       15, -1));
    }
    static V DupLow16(V v) {
        return _mm256_shuffle_epi8(v, _mm256_setr_epi8(0, 1, 0, 1, 4, 5, 4, 5, 8, 9, 8, 9, 12, 13, 12, 13, 0,
                                                       1, 0, 1, 4, 5, 4, 5, 8, 9, 8, 9, 12, 13, 12, 13));
    }
    static V JoinColours(V lo, V hi) {
        return _mm256_shuffle_epi8(_mm256_packus_epi16(lo, hi),
                                   _mm256_setr_epi8(0, 8, 1, -1, 2, 10, 3, -1, 4, 12, 5, -1, 6, 14, 7, -1, 0,
                                                    8, 1, -1, 2, 10, 3, -1, 4, 12, 5, -1, 6, 14, 7, -1));
    }
    // The alpha (pair form, below 256) takes the place of hi's A lane.
    static V JoinColoursAndAlpha(V lo, V hi, V alpha) {
        return _mm256_shuffle_epi8(_mm256_packus_epi16(lo, _mm256_blend_epi16(hi, alpha, 0xAA)),
                                   _mm256_setr_epi8(0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15, 0,
                                                    8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15));
    }

    // floor(65535 / d) in every 32-bit lane, for d of 1 to 255 in both
    // 16-bit lanes (65537 d): 2^32 / (65537 d) = (65535 + 1/65537) / d has
    // that floor, and its correctly rounded float lies within 2^-8 / d of
    // it, less than its distance 1/d - 1/(65537 d) to the next whole number.
    static V Floor65535OverPair(V d) {
        return _mm256_cvttps_epi32(_mm256_div_ps(_mm256_set1_ps(4294967296.0f), _mm256_cvtepi32_ps(d)));
    }
};

}  // namespace

}  // namespace GraphAPI

#include "graphics/blend_rows_simd.h"

namespace GraphAPI {

const BlendRows kAvx2BlendRows = BlendRowKernels::Rows<Avx2Lanes>::Table();

}  // namespace GraphAPI

#endif
