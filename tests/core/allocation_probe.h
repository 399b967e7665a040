// Watches the allocations made while a probe is alive: the largest single one, so a test can show
// that a reader never trusts a length from its input with memory, and how many there were.
#pragma once

#include <cstddef>

namespace dravo::test {

class AllocationProbe {
  public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe &) = delete;
    AllocationProbe &operator=(const AllocationProbe &) = delete;

    std::size_t Largest() const;
    long Count() const;
};

} // namespace dravo::test

using dravo::test::AllocationProbe;
