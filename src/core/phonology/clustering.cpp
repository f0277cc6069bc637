#include "core/phonology/clustering.h"

#include <algorithm>

#include "core/text/edit_distance.h"

namespace zirtel {

std::optional<double> ClusteringCoefficient(std::vector<std::string_view> neighbours) {
    std::sort(neighbours.begin(), neighbours.end());
    neighbours.erase(std::unique(neighbours.begin(), neighbours.end()), neighbours.end());
    const std::size_t k = neighbours.size();
    if (k < 2) return std::nullopt;
    std::size_t links = 0;
    for (std::size_t a = 0; a < k; ++a)
        for (std::size_t b = a + 1; b < k; ++b)
            if (OneEditApart(neighbours[a], neighbours[b])) ++links;
    return 2.0 * static_cast<double>(links) / (static_cast<double>(k) * static_cast<double>(k - 1));
}

} // namespace zirtel
