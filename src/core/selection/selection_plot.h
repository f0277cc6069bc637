// The plots of a selection: for each numeric split and control field, a strip plot of the values
// of each cell's items (one column per cell, one colour per cell from the Okabe-Ito palette, which
// colour-blind readers tell apart; a bar at each cell's mean), as an SVG file.
#pragma once

#include <string>
#include <vector>

#include "core/selection/design.h"
#include "core/selection/selector.h"

namespace zirtel {

// The colour (#RRGGBB) of a cell in the plots.
const char* PlotColour(std::size_t cell);

// The fields plotted: the splits' and the controls' numeric fields, each once, in design order.
std::vector<int> PlotFields(const Design& design);

// The file name of a field's plot: its name ("N*" as N_STAR) and ".svg".
std::string PlotFileName(int field);

// The SVG text (UTF-8) of the field's strip plot for the rows made.
std::string StripPlotSvg(const Selection& selection, const MeasuredItems& pool, int field);

} // namespace zirtel
