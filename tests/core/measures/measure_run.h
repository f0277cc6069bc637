// A workspace over the hand-made data of tests/data/measures: the lexicon, the bigram files,
// the ticked fields and the items, analysed once.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"

namespace zirtel::test {

inline std::filesystem::path MeasuresData() {
    return std::filesystem::path(ZIRTEL_TEST_DATA) / "measures";
}

class MeasureRun {
  public:
    explicit MeasureRun(std::initializer_list<const char*> boxes,
                        std::filesystem::path folder = MeasuresData())
        : ws(fb, std::move(folder)) {
        ws.Startup();
        StartupMessages = fb.MessageLines();
        for (const char* box : boxes) ws.Setup.Options.SetTicked(box, true);
        ws.AssignColumns();
        fb.Clear();
    }

    // Enters the items (lower-cased by the entry line) and analyses all rows.
    void Analyse(std::initializer_list<const char*> items) {
        for (const char* item : items) ws.EnterTypedItem(item);
        ws.AnalyseAll();
    }

    std::string Cell(int row, int FieldColumns::*col) const {
        return std::string(ws.OutputGrid.Cell(ws.Columns.*col, row));
    }

    // Progress windows opened with this label.
    int ProgressCount(const std::string& label) const {
        int n = 0;
        for (const auto& p : fb.Progresses) n += p->Label == label;
        return n;
    }

    RecordingFeedback fb;
    Workspace ws;
    std::vector<std::string> StartupMessages;
};

} // namespace zirtel::test
