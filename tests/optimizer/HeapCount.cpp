#include "HeapCount.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local std::size_t counted = 0;

}  // namespace

void StartHeapCount() {
    counted = 0;
    counting = true;
}

std::size_t StopHeapCount() {
    counting = false;
    return counted;
}

void* operator new(std::size_t size) {
    if (counting) counted += size;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
