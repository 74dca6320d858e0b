#pragma once
// The C library's copies, fills and compares for the byte path and the
// drawing, each leaving the vector unit as plain x86-64 code expects it.
//
// On processors with AVX, the library's own memcpy, memmove, memset and
// memcmp may return with the upper halves of the vector registers still in
// use. Until they are cleared, every SSE instruction of code compiled for
// plain x86-64 (struct copies, the cell stores of the run writer, the
// drawing of glyph tiles) waits on the registers' previous contents, which
// makes the byte path run a good deal slower. Every library call of that kind
// on those paths goes through here, so the clearing lives in this one place.
// Code compiled for AVX itself needs none of it (the compiler clears the
// registers where needed), and then the clearing compiles to nothing.

#include <cstddef>
#include <cstring>
#include <string>

namespace korvane {

namespace vector_unit {
inline void ReleaseUpperHalves() {
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__AVX__)
  static const bool avx = __builtin_cpu_supports("avx");
  if (avx) asm volatile("vzeroupper");
#endif
}
}  // namespace vector_unit

// n cells from src to dst (the ranges may overlap).
template <class T>
inline void CopyCells(T* dst, const T* src, size_t n) {
  std::memmove(dst, src, n * sizeof(T));
  vector_unit::ReleaseUpperHalves();
}

// n cells set to zero.
template <class T>
inline void ZeroCells(T* cells, size_t n) {
  std::memset(cells, 0, n * sizeof(T));
  vector_unit::ReleaseUpperHalves();
}

// The n cells at a and at b are the same.
template <class T>
inline bool SameCells(const T* a, const T* b, size_t n) {
  const bool same = std::memcmp(a, b, n * sizeof(T)) == 0;
  vector_unit::ReleaseUpperHalves();
  return same;
}

// n bytes appended to a string.
inline void AppendBytes(std::string& s, const char* bytes, size_t n) {
  s.append(bytes, n);
  vector_unit::ReleaseUpperHalves();
}

}  // namespace korvane
