// The process-wide random source of the optimizer: one 32-bit linear
// congruential generator, so that a seed fixes the whole search.
#pragma once

#include <cstdint>

void SeedRandom(std::uint32_t seed);
std::uint32_t RandomSeed();  // the seed last set
int RandomDraw();            // 0 .. 32767
double RandomUnit();         // 0 .. 1 inclusive
int RandomIndex(int n);      // 0 .. n - 1
int RandomParent();          // a slot 0 .. 31 of a population
