// A workspace over a test data folder, with chosen fields ticked and items entered.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel::test {

inline std::filesystem::path PhonologyData() {
    return TestData("phonology");
}

struct PhonWorkspace {
    RecordingFeedback UI;
    Workspace Ws;

    PhonWorkspace(const std::filesystem::path& dir, std::initializer_list<const char*> boxes)
        : Ws(UI, dir) {
        Ws.Startup();
        Ws.Setup.Options.SetTicked("W_FREQ_Box", false);
        for (const char* box : boxes) Ws.Setup.Options.SetTicked(box, true);
        Ws.AssignColumns();
        UI.Clear();
    }
    // Enters the items in order (rows 1, 2, ...).
    void Enter(std::initializer_list<const char*> items) {
        for (const char* item : items) Ws.EnterTypedItem(item);
    }
    // The cell of a field in an item's row.
    std::string Cell(int FieldColumns::*col, int row) const {
        return std::string(Ws.OutputGrid.Cell(Ws.Columns.*col, row));
    }
    std::string List(int col, int row) const {
        return std::string(Ws.PhonNeighbours.NeighList.Cell(col, row));
    }
};

} // namespace zirtel::test
