#include "tests/support/allocation_meter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Counting the bytes held needs the size at release too; malloc_usable_size (on Windows _msize)
// gives the same number at both ends, with glibc's allocator and the sanitizers' alike.
namespace {

std::size_t UsableSize(void* p) {
#ifdef _WIN32
  return _msize(p);
#else
  return malloc_usable_size(p);
#endif
}

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};

void* Take(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  const std::size_t now = held += UsableSize(p);
  std::size_t top = peak.load();
  while (now > top && !peak.compare_exchange_weak(top, now)) {
  }
  return p;
}

void Give(void* p) noexcept {
  if (p == nullptr) return;
  held -= UsableSize(p);
  std::free(p);
}

}  // namespace

// <new> declares the sized forms only where the compiler uses them, which clang 14 does not by
// default; declared here so that every replacement below has its declaration.
void operator delete(void* p, std::size_t) noexcept;
void operator delete[](void* p, std::size_t) noexcept;

void* operator new(std::size_t size) {
  return Take(size);
}
void* operator new[](std::size_t size) {
  return Take(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Take(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Take(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept {
  Give(p);
}
void operator delete[](void* p) noexcept {
  Give(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Give(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  Give(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  Give(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  Give(p);
}

namespace sfxtal::test_support {

AllocationMeter::AllocationMeter() : start_(held.load()) {
  peak = start_;
}

std::size_t AllocationMeter::PeakBytes() const {
  const std::size_t top = peak.load();
  return top > start_ ? top - start_ : 0;
}

}  // namespace sfxtal::test_support
