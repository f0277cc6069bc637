// The strip plot of a field, worked out by hand: two cells, two rows; LUZ_L 2 and 6 in A1, 4 and
// 10 in A2. Values 2 to 10 span y 260 to 40 (27.5 a unit); cell columns at x 130 and 230, the
// rows 12 and 6 to the left; the means 4 (y 205) and 7 (y 122.5) as bars 60 wide.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fields/fields.h"
#include "core/selection/design.h"
#include "core/selection/selection_plot.h"
#include "core/selection/selector.h"

namespace zirtel {
namespace {

TEST(SelectionPlot, StripPlotOfEachNumericField) {
    const DesignParse parsed =
        ParseDesign("split H_MAIZT 0-9 10-99\ncontrol JATORRIA\ncontrol N_STAR -1 1\ngenerate 2\n");
    ASSERT_FALSE(parsed.Error);
    EXPECT_EQ(PlotFields(parsed.Value),
              (std::vector<int>{FieldIndex(FieldId::kH_MAIZT), FieldIndex(FieldId::kN_STAR)}));
    EXPECT_EQ(PlotFileName(FieldIndex(FieldId::kN_STAR)), "N_STAR.svg");

    MeasuredItems pool;
    const int letters = FieldIndex(FieldId::kLUZ_L);
    pool.Fields = {letters};
    for (long long v : {2, 4, 6, 10}) pool.Add("w" + std::to_string(v), {Value::Count(v)});
    Selection selection;
    selection.CellNames = {"A1", "A2"};
    selection.Rows = {{{0, 1}, 0}, {{2, 3}, 0}};
    EXPECT_EQ(StripPlotSvg(selection, pool, letters),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"320.0\" height=\"300\" "
              "font-family=\"sans-serif\" font-size=\"12\">\n"
              "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
              "<text x=\"160.0\" y=\"24\" text-anchor=\"middle\" font-size=\"14\">LUZ_L</text>\n"
              "<line x1=\"80\" y1=\"40\" x2=\"80\" y2=\"260\" stroke=\"black\"/>\n"
              "<text x=\"72\" y=\"44\" text-anchor=\"end\">10.0</text>\n"
              "<text x=\"72\" y=\"264\" text-anchor=\"end\">2.0</text>\n"
              "<circle cx=\"118.0\" cy=\"260.0\" r=\"4\" fill=\"#E69F00\" fill-opacity=\"0.7\"/>\n"
              "<circle cx=\"124.0\" cy=\"150.0\" r=\"4\" fill=\"#E69F00\" fill-opacity=\"0.7\"/>\n"
              "<line x1=\"100.0\" y1=\"205.0\" x2=\"160.0\" y2=\"205.0\" stroke=\"black\" "
              "stroke-width=\"2\"/>\n"
              "<text x=\"130.0\" y=\"285\" text-anchor=\"middle\">A1</text>\n"
              "<circle cx=\"218.0\" cy=\"205.0\" r=\"4\" fill=\"#56B4E9\" fill-opacity=\"0.7\"/>\n"
              "<circle cx=\"224.0\" cy=\"40.0\" r=\"4\" fill=\"#56B4E9\" fill-opacity=\"0.7\"/>\n"
              "<line x1=\"200.0\" y1=\"122.5\" x2=\"260.0\" y2=\"122.5\" stroke=\"black\" "
              "stroke-width=\"2\"/>\n"
              "<text x=\"230.0\" y=\"285\" text-anchor=\"middle\">A2</text>\n"
              "</svg>\n");
}

} // namespace
} // namespace zirtel
