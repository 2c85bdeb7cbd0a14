// A multimap from an exact double to small integer ids (segments), for the
// neighbour lookups of the free fill, which match segment ends by exact equality.
// Its buffers are kept between fills.
#pragma once

#include <cstddef>
#include <vector>

namespace tarvex {

class KeyIndex {
  public:
    void Clear();
    // Files `id` under `key` (a key that is not a number is never found); the id
    // must not be filed yet.
    void Insert(int id, double key);
    void Erase(int id);
    // The largest filed id other than `skip` whose key equals `key`; -1 when none.
    int Last(double key, int skip) const;

  private:
    static constexpr int kEmpty = -1;   // a slot whose ids have all been erased
    static constexpr int kUnused = -2;  // a slot never filled since the last Clear

    struct Slot {
        double key;
        int head;
    };
    std::size_t Home(double key) const;
    std::size_t Find(double key) const;
    std::size_t FindOrAdd(double key);
    void Grow();
    void Link(int id, std::size_t slot);

    // An id's slot (-1 when not filed), key and links in its slot's chain.
    struct Entry {
        long slot;
        double key;
        int next;
        int prev;
    };

    std::vector<Slot> table_;  // open addressing, size a power of two
    int shift_ = 0;            // 64 less the bits of a slot number
    std::vector<std::size_t> usedSlots_;
    std::vector<Entry> entries_;  // by id; only the first idCount_ are current
    std::size_t idCount_ = 0;
};

}  // namespace tarvex
