#include <gtest/gtest.h>

#include <set>

#include "optimizer/Random.h"

TEST(RandomSource, FollowsTheRecurrenceFromASeed) {
    SeedRandom(1);
    EXPECT_EQ(RandomSeed(), 1u);
    for (int expected : {346, 130, 10982, 1090, 11656}) EXPECT_EQ(RandomDraw(), expected);
    SeedRandom(12345);
    for (int expected : {15301, 24996, 10921, 23577, 19316}) EXPECT_EQ(RandomDraw(), expected);
}

TEST(RandomSource, DerivedDrawsCoverTheirRanges) {
    SeedRandom(7);
    std::set<int> parents, indexes;
    for (int i = 0; i < 20000; ++i) {
        const double u = RandomUnit();
        ASSERT_GE(u, 0.0);
        ASSERT_LE(u, 1.0);
        ASSERT_EQ(RandomIndex(1), 0);
        const int k = RandomIndex(5);
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 4);
        indexes.insert(k);
        const int p = RandomParent();
        ASSERT_GE(p, 0);
        ASSERT_LE(p, 31);
        parents.insert(p);
    }
    EXPECT_EQ(indexes.size(), 5u);
    EXPECT_EQ(parents.size(), 32u);
}
