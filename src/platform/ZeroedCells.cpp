#include "platform/ZeroedCells.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace korvane::platform {

namespace {

size_t PageSize() {
  static const size_t size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

// The mapping of a store of `bytes`: the pages that hold it, then the guard.
size_t DataPages(size_t bytes) { return (bytes + PageSize() - 1) / PageSize() * PageSize(); }

struct Region {
  char* base;    // the start of the mapping
  size_t bytes;  // the store's size
};

// A store given back with at most this many of its pages in memory is
// cleared in place; one with more gives its pages back to the system.
// Dropping pages costs a flush of every processor's address cache and a
// fault for each page touched again, far more than clearing a few of them.
// But a page cleared stays in memory, clean or not, and is cleared again at
// every release: the bound keeps that cost small too.
constexpr size_t kClearedInPlacePages = 16;

// Clears the pages of [base, base + data) that are in memory, when they are
// few. False when the pages must go back to the system instead.
bool ClearResidentPages(char* base, size_t data) {
  const size_t pages = data / PageSize();
  // A small store is cleared whole: cheaper than asking which of its pages
  // are in memory.
  if (pages <= kClearedInPlacePages) {
    std::memset(base, 0, data);
    return true;
  }
  thread_local std::vector<unsigned char> resident;
  resident.resize(pages);
  if (mincore(base, data, resident.data()) != 0) return false;
  const auto inMemory = [](unsigned char page) { return (page & 1) != 0; };
  if (static_cast<size_t>(std::count_if(resident.begin(), resident.end(), inMemory)) > kClearedInPlacePages)
    return false;
  for (size_t i = 0; i < pages; ++i)
    if (inMemory(resident[i])) std::memset(base + i * PageSize(), 0, PageSize());
  return true;
}

// Ranges given back, for the next store of their size. Kept few: a program
// holds only a handful of sessions at once.
constexpr size_t kKeptRegions = 64;

std::mutex& PoolLock() {
  static std::mutex lock;
  return lock;
}
std::vector<Region>& Pool() {
  static std::vector<Region>* pool = new std::vector<Region>();  // outlives every store
  return *pool;
}

// The store sits at the end of its pages, against the guard page.
int16_t* StoreIn(const Region& r) { return reinterpret_cast<int16_t*>(r.base + DataPages(r.bytes) - r.bytes); }

}  // namespace

ZeroedCells MakeZeroedCells(size_t count) {
  const size_t bytes = count * sizeof(int16_t);
  if (bytes == 0) return ZeroedCells(nullptr, ZeroedCellsRelease{0});
  {
    std::lock_guard<std::mutex> hold(PoolLock());
    auto& pool = Pool();
    for (size_t i = pool.size(); i-- > 0;) {
      if (pool[i].bytes != bytes) continue;
      const Region r = pool[i];
      pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(i));
      return ZeroedCells(StoreIn(r), ZeroedCellsRelease{count});
    }
  }
  const size_t data = DataPages(bytes);
  void* map = mmap(nullptr, data + PageSize(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED) throw std::bad_alloc();
  char* base = static_cast<char*>(map);
  if (mprotect(base + data, PageSize(), PROT_NONE) != 0) {
    munmap(map, data + PageSize());
    throw std::bad_alloc();
  }
  return ZeroedCells(StoreIn(Region{base, bytes}), ZeroedCellsRelease{count});
}

void ZeroedCellsRelease::operator()(int16_t* cells) const {
  if (!cells) return;
  const size_t bytes = count * sizeof(int16_t);
  const size_t data = DataPages(bytes);
  char* base = reinterpret_cast<char*>(cells) + bytes - data;
  // Either way the next owner reads zeros. Pages dropped come back as they
  // are touched.
  if (!ClearResidentPages(base, data) && madvise(base, data, MADV_DONTNEED) != 0) {
    munmap(base, data + PageSize());
    return;
  }
  std::lock_guard<std::mutex> hold(PoolLock());
  auto& pool = Pool();
  if (pool.size() >= kKeptRegions) {
    munmap(base, data + PageSize());
    return;
  }
  pool.push_back(Region{base, bytes});
}

}  // namespace korvane::platform
