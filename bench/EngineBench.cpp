// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games with random keys against a view that draws nothing: the cost of the rules alone.
#include "Game.h"
#include "MixingRandom.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

namespace {

using namespace brixolan;

class NoonClock final : public Clock {
public:
    std::int32_t secondsSinceMidnight() const override { return 12 * 3600; }
};

constexpr std::array<int, 6> GameKeys{keys::Space, keys::Ctrl, keys::Up,
                                      keys::Right, keys::Left, keys::Down};

void playWholeGamesWithRandomKeys(benchmark::State& state) {
    NullGameView view;
    MixingRandom random(2024);
    NoonClock clock;
    Game game(view, random, clock);
    // The keys come from a generator of their own, so they do not disturb the stone sequence.
    std::uint64_t keys = 0x2545F4914F6CDD1DULL;
    std::int64_t games = 0;

    auto startGame = [&] {
        const auto level = static_cast<std::int32_t>(games % 10);
        const auto high = static_cast<std::int32_t>(games % 7);
        game.acceptNewGame(level, high, std::int64_t{high} * PointsPerStartHeight);
        game.activate();
        ++games;
    };
    startGame();

    for (auto _ : state) {
        keys ^= keys << 13;
        keys ^= keys >> 7;
        keys ^= keys << 17;
        // Each tick one game key goes down or up, as a restless player would do it.
        const int key = GameKeys[(keys >> 3) % GameKeys.size()];
        if ((keys & 1) != 0) {
            game.keyDown(key);
        } else {
            game.keyUp(key);
        }
        game.tick();
        if (!game.running()) {
            startGame();
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["ticks_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["ticks_per_game"] =
        static_cast<double>(state.iterations()) / static_cast<double>(games);
}
BENCHMARK(playWholeGamesWithRandomKeys);

} // namespace

BENCHMARK_MAIN();
