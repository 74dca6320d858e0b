#pragma once
// On processors with AVX, the C library's own copies and compares (memcpy,
// memmove, memcmp ...) may return with the upper halves of the vector
// registers still in use. Until they are cleared, every SSE instruction of
// code compiled for plain x86-64 (struct copies, the cell stores of the run
// writer) waits on the register's previous contents, which makes the byte
// path run a good deal slower. The byte path clears them after the library
// calls it makes for every chunk and every run.
//
// Code compiled for AVX itself needs none of this (the compiler clears them
// where needed, and there are no SSE instructions to slow down).

namespace korvane {

inline void ReleaseUpperVectorState() {
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__AVX__)
  static const bool avx = __builtin_cpu_supports("avx");
  if (avx) asm volatile("vzeroupper");
#endif
}

}  // namespace korvane
