// dravo-cli's memory: blocks of some megabytes (a template's bytes, a large page and its UTF-8)
// are asked to be backed by transparent huge pages. A command runs once over fresh memory, and
// with 4 KB pages a large render spent a third of its time in page faults; with 2 MB pages the
// kernel faults a five-hundredth as often. Where the kernel leaves huge pages to the program's
// asking ("madvise"), nothing else asks; where it never uses them, the advice is ignored.
#include <cstdint>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Smaller blocks would hold less than one whole huge page: the advice would only cost a call.
constexpr std::size_t kLargeBlock = 2 * kHugePage;

// Asks for huge pages over the whole huge pages inside the block. The large blocks of malloc
// are fresh mappings of their own, not yet touched, so the pages are huge from the first fault.
void AdviseHugePages(void *block, std::size_t size) {
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
    if (end > first)
        ::madvise(reinterpret_cast<void *>(first), end - first, MADV_HUGEPAGE);
}

} // namespace

// The replaceable global allocation functions of dravo-cli: malloc and free, with the advice
// for large blocks.
void *operator new(std::size_t size) {
    void *block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    if (size >= kLargeBlock)
        AdviseHugePages(block, size);
    return block;
}

void operator delete(void *block) noexcept {
    std::free(block);
}

void operator delete(void *block, std::size_t) noexcept {
    std::free(block);
}
