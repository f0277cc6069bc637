// PNG images of the selection's plots: the SVG the plots are drawn as, rendered by librsvg into
// a cairo image at twice its size (a 300-pixel-high plot becomes 600 pixels, sharp enough for a
// printed page), on the plot's white background.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zirtel {

// The PNG bytes of the SVG image `svg` (UTF-8); nothing when librsvg cannot read or draw it.
std::optional<std::string> PngFromSvg(std::string_view svg);

// The plot's file name with another extension: "N_STAR.svg" -> "N_STAR.png".
std::string PngFileName(const std::string& svgName);

} // namespace zirtel
