#include "core/selection/selection_plot.h"

#include <algorithm>
#include <cmath>

#include "core/text/format.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

// Okabe & Ito's palette, black last.
constexpr const char* kColours[] = {"#E69F00", "#56B4E9", "#009E73", "#F0E442",
                                    "#0072B2", "#D55E00", "#CC79A7", "#000000"};

std::string Number(double v) {
    return Trim(FormatReal(v, 0, 1));
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

} // namespace

const char* PlotColour(std::size_t cell) {
    return kColours[cell % std::size(kColours)];
}

std::vector<int> PlotFields(const Design& design) {
    std::vector<int> fields;
    const auto add = [&fields](int f) {
        if (!IsTextField(f) && std::find(fields.begin(), fields.end(), f) == fields.end())
            fields.push_back(f);
    };
    for (const DesignSplit& s : design.Splits) add(s.Field);
    for (const DesignControl& c : design.Controls) add(c.Field);
    return fields;
}

std::string PlotFileName(int field) {
    std::string name = FieldName(field);
    if (const auto star = name.find('*'); star != std::string::npos) name.replace(star, 1, "_STAR");
    return Latin1ToUtf8(name) + ".svg";
}

std::string StripPlotSvg(const Selection& selection, const MeasuredItems& pool, int field) {
    const auto slot = static_cast<std::size_t>(pool.Slot(field));
    const std::size_t cells = selection.CellNames.size();
    double low = INFINITY, high = -INFINITY;
    for (const SelectionRow& row : selection.Rows)
        for (std::size_t i : row.Items) {
            const double v = pool.Number(i, slot);
            if (std::isnan(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    // The plot area: x from 80, y from 40 (the highest value) down to 260 (the lowest).
    const auto y = [&](double v) {
        return high > low ? 260 - 220 * (v - low) / (high - low) : 150.0;
    };
    const double width = 120 + 100 * static_cast<double>(cells);
    const std::string name = Escaped(Latin1ToUtf8(FieldName(field)));
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) +
                      "\" height=\"300\" font-family=\"sans-serif\" font-size=\"12\">\n"
                      "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
                      "<text x=\"" +
                      Number(width / 2) + "\" y=\"24\" text-anchor=\"middle\" font-size=\"14\">" +
                      name +
                      "</text>\n"
                      "<line x1=\"80\" y1=\"40\" x2=\"80\" y2=\"260\" stroke=\"black\"/>\n";
    if (high >= low) {
        svg += "<text x=\"72\" y=\"44\" text-anchor=\"end\">" + Number(high) + "</text>\n";
        svg += "<text x=\"72\" y=\"264\" text-anchor=\"end\">" + Number(low) + "</text>\n";
    }
    for (std::size_t c = 0; c < cells; ++c) {
        const double cx = 130 + 100 * static_cast<double>(c);
        const char* colour = PlotColour(c);
        double sum = 0;
        std::size_t n = 0;
        for (std::size_t r = 0; r < selection.Rows.size(); ++r) {
            const double v = pool.Number(selection.Rows[r].Items[c], slot);
            if (std::isnan(v)) continue;
            sum += v;
            ++n;
            const double dx = (static_cast<double>(r % 5) - 2) * 6;
            svg += "<circle cx=\"" + Number(cx + dx) + "\" cy=\"" + Number(y(v)) +
                   "\" r=\"4\" fill=\"" + colour + "\" fill-opacity=\"0.7\"/>\n";
        }
        if (n > 0) {
            const std::string my = Number(y(sum / static_cast<double>(n)));
            svg += "<line x1=\"" + Number(cx - 30) + "\" y1=\"" + my + "\" x2=\"" +
                   Number(cx + 30) + "\" y2=\"" + my + "\" stroke=\"black\" stroke-width=\"2\"/>\n";
        }
        svg += "<text x=\"" + Number(cx) + "\" y=\"285\" text-anchor=\"middle\">" +
               Escaped(Latin1ToUtf8(selection.CellNames[c])) + "</text>\n";
    }
    return svg + "</svg>\n";
}

} // namespace zirtel
