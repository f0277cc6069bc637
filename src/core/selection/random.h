// The selector's randomness: std::mt19937_64 (whose output the C++ standard fixes) with a bounded
// draw and a shuffle of our own, so that a seed gives the same selection with any standard
// library (std::uniform_int_distribution and std::shuffle differ between them).
#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace zirtel::selection {

// A number in [0, bound), every value equally likely (bound > 0): draws below the rejection
// threshold are discarded so that the remainder is unbiased.
inline std::uint64_t BoundedDraw(std::mt19937_64& rng, std::uint64_t bound) {
    const std::uint64_t threshold = (0 - bound) % bound; // 2^64 mod bound
    for (;;) {
        const std::uint64_t x = rng();
        if (x >= threshold) return x % bound;
    }
}

// Fisher-Yates from the last element down, with BoundedDraw.
template <class T> void Shuffle(std::vector<T>& values, std::mt19937_64& rng) {
    for (std::size_t i = values.size(); i > 1; --i) {
        const auto j = static_cast<std::size_t>(BoundedDraw(rng, i));
        std::swap(values[i - 1], values[j]);
    }
}

// A fresh seed from the system's entropy, for runs that give none.
inline std::uint64_t DrawSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ static_cast<std::uint64_t>(device());
}

} // namespace zirtel::selection
