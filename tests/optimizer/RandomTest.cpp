#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "optimizer/Random.h"

using namespace tarvex;

TEST(RandomSource, FollowsTheRecurrenceFromASeed) {
    RandomSource one(1);
    EXPECT_EQ(one.Seed(), 1u);
    for (int expected : {346, 130, 10982, 1090, 11656}) EXPECT_EQ(one.Draw(), expected);
    // The seed it started from, whatever was drawn since.
    EXPECT_EQ(one.Seed(), 1u);
    RandomSource other(12345);
    EXPECT_EQ(other.Seed(), 12345u);
    for (int expected : {15301, 24996, 10921, 23577, 19316}) EXPECT_EQ(other.Draw(), expected);
}

TEST(RandomSource, SourcesDrawIndependently) {
    // Draws taken alternately from two sources are those each gives alone.
    std::vector<int> aloneA, aloneB;
    RandomSource a(1), b(12345);
    for (int i = 0; i < 100; ++i) aloneA.push_back(a.Draw());
    for (int i = 0; i < 100; ++i) aloneB.push_back(b.Draw());
    RandomSource x(1), y(12345);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(x.Draw(), aloneA[i]) << i;
        ASSERT_EQ(y.Draw(), aloneB[i]) << i;
    }
    // A copy goes on from where the original stood.
    RandomSource copy = x;
    EXPECT_EQ(copy.Draw(), x.Draw());
}

TEST(RandomSource, DerivedDrawsFollowTheDrawTheyTake) {
    RandomSource draws(99), derived(99);
    for (int i = 0; i < 1000; ++i) {
        const int d = draws.Draw();
        switch (i % 3) {
            case 0:
                ASSERT_EQ(derived.Unit(), d / 32767.0);
                break;
            case 1:
                ASSERT_EQ(derived.Index(7), static_cast<int>(d / 32767.0 * (7 - 0.00001)));
                break;
            default:
                ASSERT_EQ(derived.Parent(), static_cast<int>(d / 32767.0 * 31.99999));
        }
    }
}

TEST(RandomSource, DerivedDrawsCoverTheirRanges) {
    RandomSource random(7);
    std::set<int> parents, indexes;
    for (int i = 0; i < 20000; ++i) {
        const double u = random.Unit();
        ASSERT_GE(u, 0.0);
        ASSERT_LE(u, 1.0);
        ASSERT_EQ(random.Index(1), 0);
        const int k = random.Index(5);
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 4);
        indexes.insert(k);
        const int p = random.Parent();
        ASSERT_GE(p, 0);
        ASSERT_LE(p, 31);
        parents.insert(p);
    }
    EXPECT_EQ(indexes.size(), 5u);
    EXPECT_EQ(parents.size(), 32u);
}
