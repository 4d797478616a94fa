// The exploration's own bookkeeping, at the sizes where the graph sweeps never take its rarer paths.
#include "kehrzahlen/exploration.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace kz::kehr::detail {
namespace {

// Catches a rank or select off by one at the edges of words and of blocks of eight words, and a
// block count too many where the words fill the blocks exactly: over stretches of keys that are
// empty, full, every third and at random, rank counts the keys below each key and select finds
// each key from its rank.
TEST(KeyBits, RankCountsTheKeysBelowAndSelectFindsThem)
{
    std::mt19937 random(1089);
    for (const std::uint32_t size : {1u, 64u, 512u, 513u, 4096u, 6000u}) {
        KeyBits bits(size);
        std::set<std::uint32_t> keys;
        for (std::uint32_t k = 0; k < size; ++k) {
            const std::uint32_t stretch = k / 600 % 4;
            if (stretch == 1 || (stretch == 2 && k % 3 == 0) || (stretch == 3 && random() % 2)) {
                EXPECT_TRUE(bits.insert(k));
                keys.insert(k);
            }
        }
        EXPECT_TRUE(keys.empty() || !bits.insert(*keys.begin())); // no key twice
        bits.countRanks();
        std::uint32_t below = 0;
        for (std::uint32_t k = 0; k < size; ++k) {
            ASSERT_EQ(bits.rank(k), below) << size << ' ' << k;
            if (keys.count(k) != 0)
                ASSERT_EQ(bits.select(below++), k) << size;
        }
    }
}

// Catches a live state dropped or a dead one kept, or a step renumbered wrong, where the passes
// over the states do not settle and the walk backwards from the ends takes over: on a chain
// numbered backwards, where each pass settles one state more, with a dead state beside it, told
// by the order found and by the rank of its key.
TEST(Exploration, KeepsTheLiveStatesWhereThePassesDoNotSettle)
{
    constexpr std::uint32_t n = 200; // states 0 .. n - 1 on the chain, n dead
    for (const bool keyed : {false, true}) {
        SCOPED_TRACE(keyed ? "keyed" : "numbered");
        Exploration e;
        e.base = 10000;
        e.quotient = 2 * n;
        // Keyed, state s has the key 3·(n - s), so its rank is n - s: ranks run backwards.
        const auto index = [&](std::uint32_t s) { return keyed ? n - s : s; };
        if (keyed) {
            e.keyBits = std::make_unique<KeyBits>(std::uint64_t(e.quotient) * e.quotient);
            for (std::uint32_t s = 0; s <= n; ++s)
                e.keyBits->insert(3 * (n - s));
            e.keyBits->countRanks();
            e.ranked = true;
        }
        for (std::uint32_t s = 0; s <= n; ++s) {
            // State 0 is an end and steps to itself; state s of the chain steps to s - 1 and
            // itself, and the dead state n only to itself.
            const std::uint32_t steps = s == 0 || s == n ? 1 : 2;
            e.states.push_back(index(s) | steps << Exploration::kCountShift |
                               std::uint32_t(s == 0 ? 1 : 0) << Exploration::kEndShift);
            if (s != 0 && s != n)
                e.to.push_back(index(s - 1));
            e.to.push_back(index(s));
        }
        e.firstSteps = {{1, 1, index(n - 1)}, {2, 2, index(n)}};
        const Watch watch;
        Ticker ticker(watch);
        keepLive(e, true, ticker);

        ASSERT_EQ(e.states.size(), n);
        ASSERT_EQ(e.firstSteps.size(), 1u);
        EXPECT_EQ(e.firstSteps[0].to, n - 1);
        std::size_t k = 0;
        for (std::uint32_t s = 0; s < n; ++s) {
            EXPECT_EQ(e.ends(s), s == 0 ? 1 : 0);
            if (keyed)
                EXPECT_EQ(e.key(s), 3 * (n - s));
            ASSERT_EQ(e.stepCount(s), s == 0 ? 1u : 2u);
            if (s != 0)
                EXPECT_EQ(e.to[k++], s - 1);
            EXPECT_EQ(e.to[k++], s);
        }
        EXPECT_EQ(k, e.to.size());
    }
}

} // namespace
} // namespace kz::kehr::detail
