// The generator's randomness. std::mt19937_64 gives the same numbers with every standard library
// (its output is fixed by the standard), but the standard distributions do not: the draw of the
// program's own below keeps a seed's output identical everywhere.
#pragma once

#include <cstdint>
#include <random>

namespace zirtel {

using RandomEngine = std::mt19937_64;

// A whole number from 0 to bound - 1, each equally likely (bound > 0): the engine's 64-bit
// output, with the values from the largest multiple of `bound` up drawn again.
std::uint64_t BoundedDraw(RandomEngine& engine, std::uint64_t bound);

// A seed for a run that was given none: from the system's source of randomness.
std::uint64_t DrawSeed();

} // namespace zirtel
