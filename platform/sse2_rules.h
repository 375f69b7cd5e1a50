// What the SSE2 probe makes of the processor's answers: whether CPUID's
// feature bits qualify the host, and which value goes to MXCSR. Kept apart
// from the instructions that read the answers, so that any processor's
// answers can be checked on this one.
#pragma once
#include <cstdint>

namespace sse2_rules {

constexpr uint32_t FxsrBit = 1u << 24;
constexpr uint32_t Sse2Bit = 1u << 26;

// EDX of CPUID leaf 1: the host qualifies only with both FXSR and SSE2.
inline bool qualifies(uint32_t edx) { return (edx & FxsrBit) && (edx & Sse2Bit); }

// MXCSR's writable bits, from the MXCSR_MASK field of the FXSAVE state; a
// processor that leaves the field 0 has the default mask.
inline uint32_t writable_bits(uint32_t fxsave_mask) { return fxsave_mask ? fxsave_mask : 0xFFBF; }

// The value loaded: every SSE exception masked, rounding to nearest, no
// flush to zero, within the writable bits.
inline uint32_t control_value(uint32_t writable) { return writable & 0x1F80; }

}  // namespace sse2_rules
