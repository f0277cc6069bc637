// A workspace over the hand-made neighbourhood lexicon of tests/data/neighbours, with helpers
// to tick fields, enter items and read the results and the orthographic neighbour list.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/text/latin1.h"
#include "support/recording_feedback.h"

namespace zirtel::test {

inline constexpr const char* kNeighbourBoxes[] = {
    "NBox",       "N_StarBox", "N1Box",      "N2Box",   "N3Box",       "N4Box",      "N5Box",
    "PBox",       "HFPBox",    "HFNBox",     "LFNBox",  "NFmaxBox",    "NFminBox",   "NFmuBox",
    "NFsigmaBox", "SubsetBox", "SubFreqBox", "NSubBox", "SupersetBox", "SupFreqBox", "NSupBox",
};

// The engine's Latin-1 text of a UTF-8 literal ("oña" is o F1 a).
inline std::string L1(std::string_view utf8) {
    return Utf8ToLatin1(utf8).Text;
}

class NeighbourWorkspace : public ::testing::Test {
  protected:
    RecordingFeedback UI;
    Workspace Ws{UI, ZIRTEL_TEST_DATA "/neighbours"};

    void SetUp() override {
        Ws.Startup();
        ASSERT_EQ(Ws.Setup.WholeWords.Size(), 66);
        UI.Clear();
    }
    // Ticks the boxes (and unticks every other field), then assigns the columns.
    void Tick(std::initializer_list<const char*> boxes) {
        Ws.Setup.Options.UntickAllFields();
        for (const char* b : boxes) Ws.Setup.Options.SetTicked(b, true);
        Ws.AssignColumns();
    }
    void TickAllNeighbourFields(bool listDeletions, bool listAdditions) {
        Ws.Setup.Options.UntickAllFields();
        for (const char* b : kNeighbourBoxes) Ws.Setup.Options.SetTicked(b, true);
        Ws.Setup.Options.SetTicked("IncludeDeletionNsBox", listDeletions);
        Ws.Setup.Options.SetTicked("IncludeAdditionNsBox", listAdditions);
        Ws.AssignColumns();
    }
    // Enters the items as typed in the entry line; returns the row of the first.
    int Enter(std::initializer_list<std::string> items) {
        const int first = Ws.NextRow;
        for (const std::string& i : items) Ws.EnterTypedItem(i);
        return first;
    }
    // Puts an item into the grids as it stands (no lower-casing), as an input file may.
    int PutRaw(const std::string& item) {
        const int row = Ws.NextRow++;
        Ws.OutputGrid.SetCell(1, row, item);
        Ws.StimulusGrid.SetCell(0, row, item);
        return row;
    }
    std::string At(int FieldColumns::*col, int row) const {
        EXPECT_NE(Ws.Columns.*col, 0) << "field not shown";
        return std::string(Ws.OutputGrid.Cell(Ws.Columns.*col, row));
    }
    // The cells of a row of the orthographic neighbour list, up to its last non-empty cell.
    std::vector<std::string> ListRow(int row) const {
        const StringGrid& g = Ws.OrthoNeighbours.NeighList;
        std::vector<std::string> cells;
        for (int c = 0; c < g.ColCount(); ++c) cells.emplace_back(g.Cell(c, row));
        while (!cells.empty() && cells.back().empty()) cells.pop_back();
        return cells;
    }
    using Row = std::vector<std::string>;
};

} // namespace zirtel::test
