#include "engine/KeyIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace tarvex {

namespace {

constexpr std::size_t kNoSlot = static_cast<std::size_t>(-1);

}  // namespace

void KeyIndex::Clear() {
    for (std::size_t s : usedSlots_) table_[s].head = kUnused;
    usedSlots_.clear();
    idCount_ = 0;
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
    for (std::size_t id = 0; id < idCount_; ++id) {
        if (entries_[id].slot < 0) continue;
        entries_[id].slot = -1;
        const std::size_t s = FindOrAdd(entries_[id].key);
        Link(static_cast<int>(id), s);
    }
}

void KeyIndex::Link(int id, std::size_t slot) {
    Entry& e = entries_[id];
    const int head = table_[slot].head;
    e.next = head;
    e.prev = -1;
    if (head >= 0) entries_[head].prev = id;
    table_[slot].head = id;
    e.slot = static_cast<long>(slot);
}

void KeyIndex::Insert(int id, double key) {
    const std::size_t n = static_cast<std::size_t>(id) + 1;
    if (n > entries_.size()) entries_.resize(std::max(n, 2 * entries_.size()));
    for (; idCount_ < n; ++idCount_) entries_[idCount_].slot = -1;
    if (std::isnan(key)) return;
    entries_[id].key = key;
    Link(id, FindOrAdd(key));
}

void KeyIndex::Erase(int id) {
    if (static_cast<std::size_t>(id) >= idCount_ || entries_[id].slot < 0) return;
    Entry& e = entries_[id];
    if (e.prev >= 0)
        entries_[e.prev].next = e.next;
    else
        table_[e.slot].head = e.next;  // kEmpty when it was the only one
    if (e.next >= 0) entries_[e.next].prev = e.prev;
    e.slot = -1;
}

int KeyIndex::Last(double key, int skip) const {
    const std::size_t s = Find(key);
    if (s == kNoSlot) return -1;
    int best = -1;
    for (int id = table_[s].head; id >= 0; id = entries_[id].next)
        if (id != skip && id > best) best = id;
    return best;
}

}  // namespace tarvex
