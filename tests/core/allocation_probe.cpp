#include "allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_watching{false};
std::atomic<std::size_t> g_largest{0};
std::atomic<long> g_count{0};
} // namespace

// The replaceable global allocation functions of this test program: plain malloc and free, with
// the size noted while a probe watches.
void *operator new(std::size_t size) {
    if (g_watching.load(std::memory_order_relaxed)) {
        g_count.fetch_add(1, std::memory_order_relaxed);
        std::size_t seen = g_largest.load();
        while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
        }
    }
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept {
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}

namespace dravo::test {

AllocationProbe::AllocationProbe() {
    g_largest = 0;
    g_count = 0;
    g_watching = true;
}

AllocationProbe::~AllocationProbe() {
    g_watching = false;
}

std::size_t AllocationProbe::Largest() const {
    return g_largest.load();
}

long AllocationProbe::Count() const {
    return g_count.load();
}

} // namespace dravo::test
