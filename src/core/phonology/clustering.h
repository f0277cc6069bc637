// The clustering coefficient of a neighbourhood (Chan & Vitevitch 2009): of the pairs of an
// item's neighbours, the share that are neighbours of each other (one symbol replaced, removed
// or inserted), 2E / (k (k - 1)) for k neighbours with E links among them.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace zirtel {

// Nothing for fewer than two neighbours; a neighbour listed twice counts once.
std::optional<double> ClusteringCoefficient(std::vector<std::string_view> neighbours);

} // namespace zirtel
