#include "optimizer/Crossover.h"

#include <algorithm>

namespace tarvex {

void OrderCrossover::SetIds(std::span<const std::int32_t> ids) {
    index_.Build(static_cast<int>(ids.size()), [&](int i) { return ids[i]; });
    marks_.assign(ids.size(), 0);
    stamp_ = 0;
}

void OrderCrossover::Apply(std::span<const std::int32_t> p, std::span<const std::int32_t> q, int c,
                           std::span<std::int32_t> child) {
    Apply(p, {}, q, {}, c, child, {});
}

void OrderCrossover::Apply(std::span<const std::int32_t> p, std::span<const std::int32_t> pCarry,
                           std::span<const std::int32_t> q, std::span<const std::int32_t> qCarry,
                           int c, std::span<std::int32_t> child,
                           std::span<std::int32_t> childCarry) {
    const int n = static_cast<int>(child.size());
    const bool carry = !childCarry.empty();
    c = std::clamp(c, 0, n);
    if (++stamp_ == 0) {
        std::fill(marks_.begin(), marks_.end(), 0);
        stamp_ = 1;
    }
    for (int i = 0; i < c; ++i) {
        child[i] = p[i];
        if (carry) childCarry[i] = pCarry[i];
        const int slot = index_.Find(p[i]);
        if (slot >= 0) marks_[slot] = stamp_;
    }
    // Stopping at position c keeps a parent that is not a permutation of the
    // same ids from writing over the entries taken from P.
    int k = n - 1;
    for (int j = n - 1; j >= 0 && k >= c; --j) {
        const std::int32_t v = q[j];
        const int slot = index_.Find(v);
        if (slot >= 0 && marks_[slot] == stamp_) continue;
        child[k] = v;
        if (carry) childCarry[k] = qCarry[j];
        --k;
    }
}

void OnePointCrossover(std::span<const std::int32_t> p, std::span<const std::int32_t> q, int c,
                       std::span<std::int32_t> child) {
    const int n = static_cast<int>(child.size());
    for (int k = 0; k < n; ++k) child[k] = k < c ? p[k] : q[k];
}

}  // namespace tarvex
