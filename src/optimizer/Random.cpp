#include "optimizer/Random.h"

#include <ctime>

namespace {
std::uint32_t g_seed = static_cast<std::uint32_t>(std::time(nullptr));
std::uint32_t g_state = g_seed;
}  // namespace

void SeedRandom(std::uint32_t seed) {
    g_seed = seed;
    g_state = seed;
}

std::uint32_t RandomSeed() {
    return g_seed;
}

int RandomDraw() {
    g_state = g_state * 22695477u + 1u;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}

double RandomUnit() {
    return RandomDraw() / 32767.0;
}

int RandomIndex(int n) {
    return static_cast<int>(RandomUnit() * (n - 0.00001));
}

int RandomParent() {
    return static_cast<int>(RandomUnit() * 31.99999);
}
