#include "engine/KeyIndex.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::size_t kNoSlot = static_cast<std::size_t>(-1);

}  // namespace

void KeyIndex::Clear() {
    for (std::size_t s : usedSlots_) table_[s].head = kUnused;
    usedSlots_.clear();
    slotOf_.clear();
    keyOf_.clear();
    next_.clear();
    prev_.clear();
}

std::size_t KeyIndex::Home(double key) const {
    // 0.0 and -0.0 compare equal and must share a slot.
    const std::uint64_t bits = key == 0 ? 0 : std::bit_cast<std::uint64_t>(key);
    // Whole numbers leave the low bits of the key (and of the product) zero: take
    // the slot from the high bits.
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> shift_);
}

std::size_t KeyIndex::Find(double key) const {
    if (table_.empty()) return kNoSlot;
    for (std::size_t s = Home(key);; s = (s + 1) & (table_.size() - 1)) {
        if (table_[s].head == kUnused) return kNoSlot;
        if (table_[s].key == key) return s;
    }
}

std::size_t KeyIndex::FindOrAdd(double key) {
    if (2 * (usedSlots_.size() + 1) > table_.size()) Grow();
    std::size_t s = Home(key);
    for (; table_[s].head != kUnused; s = (s + 1) & (table_.size() - 1))
        if (table_[s].key == key) return s;
    table_[s] = Slot{key, kEmpty};
    usedSlots_.push_back(s);
    return s;
}

// Rebuilds a table twice as large holding only the slots that still file ids.
void KeyIndex::Grow() {
    table_.assign(table_.empty() ? 64 : 2 * table_.size(), Slot{0.0, kUnused});
    shift_ = 64 - std::countr_zero(table_.size());
    usedSlots_.clear();
    for (std::size_t id = 0; id < slotOf_.size(); ++id) {
        if (slotOf_[id] < 0) continue;
        slotOf_[id] = -1;
        const std::size_t s = FindOrAdd(keyOf_[id]);
        Link(static_cast<int>(id), s);
    }
}

void KeyIndex::Link(int id, std::size_t slot) {
    const int head = table_[slot].head;
    next_[id] = head;
    prev_[id] = -1;
    if (head >= 0) prev_[head] = id;
    table_[slot].head = id;
    slotOf_[id] = static_cast<long>(slot);
}

void KeyIndex::Insert(int id, double key) {
    if (static_cast<std::size_t>(id) >= slotOf_.size()) {
        slotOf_.resize(id + 1, -1);
        keyOf_.resize(id + 1, 0.0);
        next_.resize(id + 1, -1);
        prev_.resize(id + 1, -1);
    }
    if (std::isnan(key)) return;
    keyOf_[id] = key;
    Link(id, FindOrAdd(key));
}

void KeyIndex::Erase(int id) {
    if (static_cast<std::size_t>(id) >= slotOf_.size() || slotOf_[id] < 0) return;
    const std::size_t slot = static_cast<std::size_t>(slotOf_[id]);
    if (prev_[id] >= 0)
        next_[prev_[id]] = next_[id];
    else
        table_[slot].head = next_[id] >= 0 ? next_[id] : kEmpty;
    if (next_[id] >= 0) prev_[next_[id]] = prev_[id];
    slotOf_[id] = -1;
}

int KeyIndex::Last(double key, int skip) const {
    const std::size_t s = Find(key);
    if (s == kNoSlot) return -1;
    int best = -1;
    for (int id = table_[s].head; id >= 0; id = next_[id])
        if (id != skip && id > best) best = id;
    return best;
}
