#include "core/analysis/tidy_neighbours.h"

#include "core/analysis/workspace.h"
#include "core/text/format.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

std::string_view KindName(NeighbourKind kind) {
    switch (kind) {
    case NeighbourKind::Deletion:
        return "deletion";
    case NeighbourKind::Addition:
        return "addition";
    case NeighbourKind::Substitution:
        break;
    }
    return "substitution";
}

} // namespace

void AppendTidyLines(std::string& out, std::string_view item,
                     const std::vector<NeighbourRecord>& records, std::string_view listName,
                     int decimals) {
    for (const NeighbourRecord& r : records) {
        if (!r.Listed) continue;
        out += item;
        out += '\t';
        out += r.Word;
        out += '\t';
        out += r.Spanish ? std::string_view(kSpanishList) : listName;
        out += '\t';
        out += KindName(r.Kind);
        out += '\t';
        AppendInt(out, r.Position, 0);
        out += '\t';
        AppendReal(out, r.Frequency, 0, decimals);
        out += '\n';
    }
}

std::string TidyNeighbourText(const Workspace& ws) {
    std::string out = kTidyNeighbourHeader;
    for (int r = 1; r < ws.NextRow; ++r)
        AppendTidyLines(out, ws.Item(r), ws.Results.OrthoNeighbours(r), kOrthographicList,
                        ws.Decimals);
    for (int r = 1; r < ws.NextRow; ++r)
        AppendTidyLines(out, ws.Item(r), ws.Results.PhonNeighbours(r), kPhonologicalList,
                        ws.Decimals);
    return Latin1ToUtf8(out);
}

} // namespace zirtel
