// The sweeps of the plan check against the plain definitions, on random boxes of
// a coarse grid where edges often meet exactly, and the cut search on random
// arrangements made by guillotine cuts.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "job/SheetGeometry.h"

using namespace tarvex;

namespace {

constexpr double kTol = 1e-6;

std::vector<Box> RandomBoxes(std::mt19937_64& rng, int count) {
    std::vector<Box> boxes;
    for (int k = 0; k < count; ++k) {
        const double x = static_cast<double>(rng() % 20), y = static_cast<double>(rng() % 20);
        boxes.push_back(Box{x, y, x + 1 + rng() % 6, y + 1 + rng() % 6});
    }
    return boxes;
}

double Apart(const Box& a, const Box& b) {
    return std::max({b.left - a.right, a.left - b.right, b.bottom - a.top, a.bottom - b.top});
}

TEST(SheetGeometry, SweepsFindWhatComparingEveryPairFinds) {
    std::mt19937_64 rng(3);
    for (int c = 0; c < 3000; ++c) {
        const std::vector<Box> boxes = RandomBoxes(rng, 1 + static_cast<int>(rng() % 8));
        const std::vector<Box> others = RandomBoxes(rng, static_cast<int>(rng() % 4));
        const double gap = static_cast<double>(rng() % 3);

        std::optional<std::pair<std::size_t, std::size_t>> close, overlap;
        for (std::size_t i = 0; i < boxes.size() && !close; ++i)
            for (std::size_t j = i + 1; j < boxes.size() && !close; ++j)
                if (Apart(boxes[i], boxes[j]) < gap - kTol) close = std::pair{i, j};
        for (std::size_t o = 0; o < others.size() && !overlap; ++o)
            for (std::size_t i = 0; i < boxes.size() && !overlap; ++i)
                if (Apart(boxes[i], others[o]) < -kTol) overlap = std::pair{o, i};

        ASSERT_EQ(FirstPairCloserThan(boxes, gap, kTol), close) << "case " << c;
        ASSERT_EQ(FirstOverlap(boxes, others, kTol), overlap) << "case " << c;
    }
}

// Cuts the rectangle at random, `kerf` wide, into boxes that lie exactly one kerf
// apart.
void CutAtRandom(std::mt19937_64& rng, const Box& r, double kerf, int depth,
                 std::vector<Box>& boxes) {
    const bool alongX = rng() % 2 == 0;
    const double extent = alongX ? r.right - r.left : r.top - r.bottom;
    if (depth == 0 || extent < 2 + kerf || rng() % 5 == 0) {
        boxes.push_back(r);
        return;
    }
    const double at = 1 + static_cast<double>(rng() % static_cast<int>(extent - 1 - kerf));
    Box first = r, second = r;
    if (alongX)
        first.right = r.left + at, second.left = r.left + at + kerf;
    else
        first.top = r.bottom + at, second.bottom = r.bottom + at + kerf;
    CutAtRandom(rng, first, kerf, depth - 1, boxes);
    CutAtRandom(rng, second, kerf, depth - 1, boxes);
}

TEST(SheetGeometry, ArrangementsMadeByGuillotineCutsAreSeparable) {
    std::mt19937_64 rng(11);
    for (int c = 0; c < 2000; ++c) {
        const double kerf = static_cast<double>(rng() % 3);
        std::vector<Box> boxes;
        CutAtRandom(rng, Box{0, 0, 200, 100}, kerf, 6, boxes);
        std::shuffle(boxes.begin(), boxes.end(), rng);
        ASSERT_EQ(FirstInseparablePair(boxes, kerf, kTol), std::nullopt) << "case " << c;
        ASSERT_EQ(FirstPairCloserThan(boxes, kerf, kTol), std::nullopt) << "case " << c;
        // No gap is wide enough for a wider blade.
        if (boxes.size() > 1) {
            ASSERT_NE(FirstInseparablePair(boxes, kerf + 0.5, kTol), std::nullopt) << "case " << c;
        }
    }
}

}  // namespace
