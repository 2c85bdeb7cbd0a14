#include "HeapCount.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local std::size_t counted = 0;

void* Allocate(std::size_t size) noexcept {
    if (counting) counted += size;
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void StartHeapCount() {
    counted = 0;
    counting = true;
}

std::size_t StopHeapCount() {
    counting = false;
    return counted;
}

// Every plain form is replaced, not only the one the containers use: the
// standard library's temporary buffers take the nothrow form and give it back
// through plain delete, and a sanitizer reports a pair that mixes its own
// allocator with ours.
void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
