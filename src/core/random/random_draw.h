// The program's seeded randomness, shared by the pseudoword generator and the stimulus selector.
// std::mt19937_64 gives the same numbers with every standard library (its output is fixed by the
// standard), but the standard distributions and std::shuffle do not: the draw and the shuffle of
// the program's own below keep a seed's output identical everywhere.
#pragma once

#include <cstdint>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace zirtel {

using RandomEngine = std::mt19937_64;

// A whole number from 0 to bound - 1, each equally likely (bound > 0): the engine's 64-bit
// output, with the values from the largest multiple of `bound` up drawn again.
inline std::uint64_t BoundedDraw(RandomEngine& engine, std::uint64_t bound) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    // The draws above `limit` would favour the small remainders: draw again.
    const std::uint64_t limit = kMax - (kMax % bound + 1) % bound;
    for (;;) {
        const std::uint64_t x = engine();
        if (x <= limit) return x % bound;
    }
}

// Fisher-Yates from the last element down, with BoundedDraw.
template <class T> void Shuffle(std::vector<T>& values, RandomEngine& engine) {
    for (std::size_t i = values.size(); i > 1; --i) {
        const auto j = static_cast<std::size_t>(BoundedDraw(engine, i));
        std::swap(values[i - 1], values[j]);
    }
}

// A seed for a run that was given none: from the system's source of randomness.
inline std::uint64_t DrawSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ static_cast<std::uint64_t>(device());
}

} // namespace zirtel
