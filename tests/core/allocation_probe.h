// Watches the largest single allocation made while a probe is alive, so a test can show that a
// reader never trusts a length from its input with memory.
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
};

} // namespace dravo::test

using dravo::test::AllocationProbe;
