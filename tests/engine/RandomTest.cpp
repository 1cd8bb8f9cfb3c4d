#include "MixingRandom.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace brixolan::test {
namespace {

// The game re-seeds with the time of day before every draw, mostly with the same second.
TEST(MixingRandom, reseedingWithTheSameSecondKeepsDrawsDistinctAndKindsEven) {
    MixingRandom random(42);
    constexpr int Draws = 70000;
    std::array<int, 7> counts{};
    std::set<double> seen;
    for (int n = 0; n < Draws; ++n) {
        random.reseed(30000);
        const double r = random.next();
        ASSERT_TRUE(r >= 0.0 && r < 1.0);
        seen.insert(r);
        ++counts[static_cast<std::size_t>(r * 7)];
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(Draws));
    for (const int count : counts) {
        EXPECT_NEAR(count, Draws / 7, Draws / 70);
    }
}

TEST(MixingRandom, reseedMixesIntoTheRunningStateInsteadOfRestarting) {
    MixingRandom a(1);
    MixingRandom b(2);
    MixingRandom c(1);
    a.reseed(100);
    b.reseed(100);
    c.reseed(100);
    const double first = a.next();
    EXPECT_NE(first, b.next());
    EXPECT_EQ(first, c.next()); // a replay with the same seed and times repeats
}

} // namespace
} // namespace brixolan::test
