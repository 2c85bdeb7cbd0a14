// The random source of one search: a 32-bit linear congruential generator, so
// that a seed fixes the whole search.
#pragma once

#include <cstdint>

namespace tarvex {

class RandomSource {
  public:
    explicit RandomSource(std::uint32_t seed) : seed_(seed), state_(seed) {}
    // Seeded from the clock.
    static std::uint32_t ClockSeed();

    std::uint32_t Seed() const { return seed_; }  // the seed it started from
    int Draw();                                   // 0 .. 32767
    double Unit() { return Draw() / 32767.0; }    // 0 .. 1 inclusive
    int Index(int n) { return static_cast<int>(Unit() * (n - 0.00001)); }  // 0 .. n - 1
    int Parent() { return static_cast<int>(Unit() * 31.99999); }  // a slot 0 .. 31 of a population

  private:
    std::uint32_t seed_;
    std::uint32_t state_;
};

}  // namespace tarvex
