// The recombination operators on gene arrays.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "optimizer/IdIndex.h"

namespace tarvex {

// Order crossover of two permutations of one set of ids: the child takes its first c
// entries from P and fills the remaining positions, from the end backwards, with
// Q's other entries read from Q's end, so they keep Q's order. A companion array
// aligned with the permutation (the part turnability) moves with its entries.
class OrderCrossover {
  public:
    // The ids every permutation is made of.
    void SetIds(std::span<const std::int32_t> ids);

    void Apply(std::span<const std::int32_t> p, std::span<const std::int32_t> q, int c,
               std::span<std::int32_t> child);
    void Apply(std::span<const std::int32_t> p, std::span<const std::int32_t> pCarry,
               std::span<const std::int32_t> q, std::span<const std::int32_t> qCarry, int c,
               std::span<std::int32_t> child, std::span<std::int32_t> childCarry);

  private:
    IdIndex index_;
    // Marks the ids taken from P: an id is taken when its mark equals the stamp,
    // so the marks need no clearing between children.
    std::vector<std::uint32_t> marks_;
    std::uint32_t stamp_ = 0;
};

// One-point crossover by position: child[k] = p[k] for k < c, q[k] from c on.
void OnePointCrossover(std::span<const std::int32_t> p, std::span<const std::int32_t> q, int c,
                       std::span<std::int32_t> child);

}  // namespace tarvex
