#include "core/generator/random_draw.h"

#include <limits>

namespace zirtel {

std::uint64_t BoundedDraw(RandomEngine& engine, std::uint64_t bound) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    // The draws from `limit` up would favour the small remainders: draw again.
    const std::uint64_t limit = kMax - (kMax % bound + 1) % bound;
    for (;;) {
        const std::uint64_t x = engine();
        if (x <= limit) return x % bound;
    }
}

std::uint64_t DrawSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

} // namespace zirtel
