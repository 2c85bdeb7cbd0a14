// The recombination operators on gene arrays.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "optimizer/Crossover.h"

using namespace tarvex;

namespace {

using Genes = std::vector<std::int32_t>;

Genes Cross(OrderCrossover& cross, const Genes& p, const Genes& q, int c) {
    Genes child(p.size(), -1);
    cross.Apply(p, q, c, child);
    return child;
}

}  // namespace

TEST(OrderCrossoverTest, TakesPrefixFromPAndTheRestInQsOrder) {
    OrderCrossover cross;
    cross.SetIds(Genes{0, 1, 2, 3});
    EXPECT_EQ(Cross(cross, {3, 0, 2, 1}, {1, 2, 3, 0}, 2), (Genes{3, 0, 1, 2}));
}

TEST(OrderCrossoverTest, CutAtTheEnds) {
    OrderCrossover cross;
    cross.SetIds(Genes{0, 1, 2, 3, 4});
    const Genes p{4, 2, 0, 3, 1}, q{1, 0, 4, 3, 2};
    EXPECT_EQ(Cross(cross, p, q, 0), q);
    // n - 1 entries from P leave exactly the one P has last.
    EXPECT_EQ(Cross(cross, p, q, 4), p);
    EXPECT_EQ(Cross(cross, q, p, 4), q);
    // A single entry.
    cross.SetIds(Genes{7});
    EXPECT_EQ(Cross(cross, {7}, {7}, 0), Genes{7});
}

TEST(OrderCrossoverTest, CompanionEntriesFollowTheirIds) {
    OrderCrossover cross;
    cross.SetIds(Genes{10, 11, 12, 13, 14});
    const Genes p{12, 10, 14, 11, 13}, q{14, 13, 12, 11, 10};
    // Tag every companion entry with its id and the parent it sits in.
    Genes pCarry, qCarry;
    for (auto v : p) pCarry.push_back(v * 10 + 1);
    for (auto v : q) qCarry.push_back(v * 10 + 2);
    Genes child(5), childCarry(5);
    cross.Apply(p, pCarry, q, qCarry, 3, child, childCarry);
    EXPECT_EQ(child, (Genes{12, 10, 14, 13, 11}));
    EXPECT_EQ(childCarry, (Genes{121, 101, 141, 132, 112}));
}

TEST(OrderCrossoverTest, ChildrenArePermutationsForAnyCutAndIds) {
    std::mt19937 random(17);
    for (bool scattered : {false, true}) {
        const int n = 40;
        Genes ids(n);
        for (int i = 0; i < n; ++i) ids[i] = scattered ? i * 1000003 - 5000000 : 300 + i;
        OrderCrossover cross;
        cross.SetIds(ids);
        for (int round = 0; round < 300; ++round) {
            Genes p = ids, q = ids;
            std::shuffle(p.begin(), p.end(), random);
            std::shuffle(q.begin(), q.end(), random);
            const int c = static_cast<int>(random() % n);
            const Genes child = Cross(cross, p, q, c);
            ASSERT_TRUE(std::equal(p.begin(), p.begin() + c, child.begin()));
            Genes sorted = child;
            std::sort(sorted.begin(), sorted.end());
            Genes all = ids;
            std::sort(all.begin(), all.end());
            ASSERT_EQ(sorted, all) << "round " << round;
            // The entries after the cut keep their order in Q.
            Genes rest;
            for (auto v : q)
                if (std::find(p.begin(), p.begin() + c, v) == p.begin() + c) rest.push_back(v);
            ASSERT_TRUE(std::equal(rest.begin(), rest.end(), child.begin() + c));
        }
    }
}

TEST(OrderCrossoverTest, ParentsOfDifferentIdsCannotOverrunThePrefix) {
    OrderCrossover cross;
    cross.SetIds(Genes{0, 1, 2, 3});
    // Q holds ids unknown to the crossover instead of P's prefix: filling stops at the cut.
    EXPECT_EQ(Cross(cross, {3, 0, 2, 1}, {9, 8, 2, 1}, 2), (Genes{3, 0, 2, 1}));
}

TEST(OnePointCrossoverTest, SplitsByPosition) {
    const Genes p{1, 1, 1, 1}, q{0, 0, 0, 0};
    Genes child(4);
    OnePointCrossover(p, q, 0, child);
    EXPECT_EQ(child, q);
    OnePointCrossover(p, q, 3, child);
    EXPECT_EQ(child, (Genes{1, 1, 1, 0}));
    OnePointCrossover(Genes{1, 0, 1, 0}, Genes{0, 1, 1, 1}, 2, child);
    EXPECT_EQ(child, (Genes{1, 0, 1, 1}));
}
