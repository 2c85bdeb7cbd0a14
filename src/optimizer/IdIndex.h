// Positions of record ids within a list, found without a scan. Job input numbers
// the records consecutively, so a table over the id range serves; scattered ids
// fall back to a sorted list. Rebuilding reuses the storage.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace tarvex {

class IdIndex {
  public:
    // idAt(i) is the id at position i of a list of `count` records.
    template <class IdAt>
    void Build(int count, IdAt idAt) {
        table_.clear();
        sorted_.clear();
        if (count <= 0) return;
        std::int64_t low = idAt(0), high = low;
        for (int i = 1; i < count; ++i) {
            low = std::min<std::int64_t>(low, idAt(i));
            high = std::max<std::int64_t>(high, idAt(i));
        }
        if (high - low < 4 * static_cast<std::int64_t>(count) + 64) {
            base_ = low;
            table_.assign(static_cast<std::size_t>(high - low + 1), -1);
            for (int i = 0; i < count; ++i) table_[idAt(i) - base_] = i;
        } else {
            sorted_.reserve(count);
            for (int i = 0; i < count; ++i) sorted_.emplace_back(idAt(i), i);
            std::sort(sorted_.begin(), sorted_.end());
        }
    }

    // The position of the id, or -1 when no record carries it.
    int Find(std::int32_t id) const {
        if (!table_.empty()) {
            const std::int64_t slot = id - base_;
            if (slot < 0 || slot >= static_cast<std::int64_t>(table_.size())) return -1;
            return table_[slot];
        }
        auto it =
            std::lower_bound(sorted_.begin(), sorted_.end(), std::pair<std::int32_t, int>(id, -1));
        return it != sorted_.end() && it->first == id ? it->second : -1;
    }

  private:
    std::int64_t base_ = 0;
    std::vector<int> table_;
    std::vector<std::pair<std::int32_t, int>> sorted_;
};

}  // namespace tarvex
