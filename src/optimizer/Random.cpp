#include "optimizer/Random.h"

#include <ctime>

namespace tarvex {

std::uint32_t RandomSource::ClockSeed() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

int RandomSource::Draw() {
    state_ = state_ * 22695477u + 1u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
}

}  // namespace tarvex
