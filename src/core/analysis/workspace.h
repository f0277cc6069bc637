// Workspace: the results grid of one run, and the operations on it. The main window owns one
// and calls these operations from its handlers; the batch mode drives another the same way.
// It holds the measuring setup (lexicons, tables, user fields, options: measuring_setup.h), the
// column of every output field (Col_...), the stimulus list, the two item grids, the results
// table and the two neighbour lists. The measures never see it: they get a MeasureContext.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/item_statistics.h"
#include "core/analysis/item_tally.h"
#include "core/analysis/measuring_setup.h"
#include "core/analysis/results_table.h"
#include "core/analysis/row_order.h"
#include "core/analysis/stimulus_list.h"
#include "core/feedback/feedback.h"
#include "core/fields/measure_context.h"
#include "core/fields/neighbour_list.h"
#include "core/fields/row_values.h"
#include "core/grid/string_grid.h"
#include "core/lexicon/lexicon.h"
#include "core/neighbours/neighbour_search.h"

namespace zirtel {

class Workspace {
  public:
    // `appDir` is the program's data folder: every data file is opened from it.
    Workspace(Feedback& feedback, std::filesystem::path appDir);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // The lexicons, tables, user fields and options the items are measured with.
    MeasuringSetup Setup;

    // ---- Change notices ----
    // `observer` is told after each operation that may have changed what the windows show (the
    // grids, the neighbour lists, the options): once, when the outermost of nested operations
    // ends. The main window refreshes its views there.
    void SetChangeObserver(std::function<void()> observer) { Observer_ = std::move(observer); }
    // `observer` is told at the end of each AssignColumns, while the decimals are those the
    // columns were assigned with: the main window lays out its columns there.
    void SetColumnsObserver(std::function<void()> observer) {
        ColumnsObserver_ = std::move(observer);
    }
    // One operation for the life of the scope. The engine's operations open one; a window opens
    // one around several operations, or around its own changes to the grids, to be told once.
    class Operation {
      public:
        explicit Operation(Workspace& ws) : WS_(ws) { ++WS_.OperationDepth_; }
        ~Operation() {
            if (--WS_.OperationDepth_ == 0 && WS_.Observer_) WS_.Observer_();
        }
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

      private:
        Workspace& WS_;
    };

  private:
    std::function<void()> Observer_, ColumnsObserver_;
    int OperationDepth_ = 0;

  public:
    // ---- Start-up ----
    // The engine part of the main window's start-up: the item grid's header, first column
    // assignment, settings, the whole-word lexicon, user field 1 ("User1.txt"), and the input file
    // if any.
    void Startup(const std::optional<std::filesystem::path>& inputFile = std::nullopt);
    // The two halves of Startup: the grids and first columns, then the data files.
    void PrepareGrids();
    void LoadStartupData(const std::optional<std::filesystem::path>& inputFile);

    // ---- Lexicon (Setup) ----
    // "&Testu-hitzak": reload the whole-word file, make it current, analyse all items.
    void UseWholeWordLexicon();
    // "&Lemak": load the lemma file, make it current, analyse all items.
    void UseLemmaLexicon();

    // ---- Output columns and options ----
    // The column of every output field in the results (Col_...; 0 while it is not shown).
    FieldColumns Columns;
    int NextCol = 1;
    int Decimals = 0; // 2 once start-up has assigned the first columns
    // The view options' text for the missing-value marks in saved results (e.g. "NA"); nothing:
    // the marks are saved as they are.
    std::optional<std::string> MissingText;
    // The view options' plain table: Save and Copy write the results as the batch mode's
    // --plain does (no padding blanks, no trailing tab, LF line ends, no final empty row).
    bool PlainResults = false;
    bool ShowNeighbourList = true;
    // Whether the orthographic list also lists deletion or addition neighbours (as the options
    // said when the columns were last assigned).
    bool ListsDeletionOrAdditionNs() const { return IncludeDeletionNs_ || IncludeAdditionNs_; }
    bool ListsSpanishNs() const { return IncludeSpanishNs_; }
    // Assigns the columns of the ticked fields in catalogue order and writes the header row.
    // Earlier results disappear.
    void AssignColumns();
    bool Shown(int FieldColumns::*col) const { return Columns.*col != 0; }

    // ---- Items ----
    StringGrid OutputGrid;   // column 1 the items, columns 2.. the fields; row 0 the headers
    ResultsTable Results;    // the values the grid's field cells show, by row and column
    StringGrid StimulusGrid; // column 0 the items; row 0 "Sarrera"
    int NextRow = 1;
    StimulusList Stimuli;
    std::string_view Item(int row) const { return OutputGrid.Cell(1, row); }

    // The items' own columns: the other cells that came with the items of a file or a paste (a
    // condition, a frequency band ...), kept in the results grid right after the item (columns
    // 2 to FirstFieldCol() - 1) and saved and copied with it. None while the items had none.
    std::vector<std::string> ItemColumnNames;
    int FirstFieldCol() const { return 2 + static_cast<int>(ItemColumnNames.size()); }
    // Makes `names` the items' own columns. The rows keep their own cells (cut to the new number
    // of columns); when the number changes the fields move (AssignColumns: results disappear).
    void SetItemColumns(std::vector<std::string> names);

    enum class EntryResult { Entered, Duplicate, Empty };
    // Enter in the entry line: the trimmed, lower-cased text becomes the next item unless it
    // is already in the list ("Elementu hori dagoeneko sartuta dago.") or empty (Empty, silently).
    EntryResult EnterTypedItem(const std::string& text);
    // Enter in an edited cell of the item grid: the cell's text becomes the row's item. A changed
    // item's results are measured again (when the row had any), so the row never shows another
    // item's numbers; a duplicate gets its message and the cell shows the row's item again.
    EntryResult CommitStimulusCell(int row);
    // Pastes clipboard text: one item per line, letters only; then analyses all items.
    void PasteItems(const std::string& text);
    // Reads an input file into the grids. False (after "Can't open input file ...") when it
    // cannot be opened; the grids stay unchanged then.
    // Without `intoGrids` the items are only listed in Stimuli (NextRow follows them) and the
    // grids stay empty: the batch mode's streamed analysis (streamed_analysis.h) needs no grid.
    bool ReadInputFile(const std::filesystem::path& path, bool intoGrids = true);
    // The items file read last; empty once the items were cleared. Results and lists are never
    // saved over it.
    std::filesystem::path InputFile;
    void ClearItems();

    // ---- Analysis ----
    // An analysis (of all items, of the selected ones, of an edited item) ends with one warning
    // naming the items whose length is outside 2..18, and, while the lemmas are current, one
    // naming the items that are not lemmas of the lemma lexicon (each a repeated warning).
    // Analyses every item row under a progress window that can be cancelled: cancelled, it
    // stops before the next item and keeps the rows done so far (false then).
    bool AnalyseAll();
    // Analyses the item rows top..bottom (the rows selected in the item grid). While no item has
    // been entered yet, a non-empty entry line is entered first, into the next free row: it is
    // then cleared (`editLine` is emptied) and true returned.
    bool AnalyseSelected(int top, int bottom, std::string& editLine);
    void AnalyseItem(int row);
    // Runs one measure on the item in `row`, as the driver runs it but without its length
    // check, and writes what it measured into the row.
    void MeasureRow(FieldWriter writer, int row);

    // ---- Sorting and filtering the rows (row_order.h) ----
    // The filter of the results' rows; nothing: every row is shown.
    std::optional<RowFilter> Filter;
    // Whether item row `row` is shown (every row without a filter).
    bool RowShown(int row) const { return !Filter || Filter->Matches(*this, row); }
    // The item rows (1 to NextRow - 1) the filter shows.
    int ShownRowCount() const;

    // The row of the item `text` (blanks at its ends and letter case ignored), passing over
    // `exceptRow`; -1 when no row holds it.
    int FindItemRow(std::string_view text, int exceptRow = -1) const;

    // ---- Neighbour lists ----
    NeighbourList OrthoNeighbours; // the orthographic neighbour list window's grid
    NeighbourList PhonNeighbours;  // the phonological neighbour list window's grid

    // ---- Measuring ----
    // The fields shown in the results.
    FieldSet ShownFields() const;
    // What the measures see: the setup's context; with `lists`, also the neighbour lists and the
    // neighbour list options, as the results use them. Without, the context of the grid-free
    // statistics (ItemStatistics), which lists nothing.
    MeasureContext Measures(bool lists = false);

  private:
    bool IncludeDeletionNs_ = false;
    bool IncludeAdditionNs_ = false;
    bool IncludeSpanishNs_ = false;
    // Until the list is first cleared (or row 1 gets an item), AnalyseSelected first enters a
    // non-empty entry line.
    bool QuickEntry_ = false;
    // The analysis under way, for the warnings at its end: one for the life of the scope
    // (nested scopes are one analysis).
    class AnalysisRun {
      public:
        explicit AnalysisRun(Workspace& ws);
        ~AnalysisRun();
        AnalysisRun(const AnalysisRun&) = delete;
        AnalysisRun& operator=(const AnalysisRun&) = delete;

      private:
        Workspace& WS_;
    };
    int AnalysisDepth_ = 0;
    // The items of the analysis under way outside 2..18 letters (with their lengths), and those
    // not in the lemma lexicon while it is current.
    ItemTally LengthRefused_, NotLemmas_;
    void ReportAnalysis();
    RowValues Values_; // the values of the item being analysed
    // Writes the values in Values_ into the row: their texts into the grid, themselves into
    // the results table; with `all`, every field column (else only the fields written).
    void WriteValues(int row, bool all);
    // Writes an item into the next free row of both grids (passing a row that holds one) and
    // advances NextRow, growing the grids as needed.
    void EnterAtNextRow(const std::string& item);
    void AfterEntry();
};

// The orthographic neighbour search of the item in `row` (Workspace::MeasureRow).
inline void FindOrthoNeighbours(Workspace& ws, int row) {
    ws.MeasureRow(&FindOrthoNeighbours, row);
}

// True while a shown field is measured by `writer` (belongs to its family).
bool FamilyShown(const Workspace& ws, FieldWriter writer);
// The orthographic neighbour search runs, and fills its list, while a field of its family is
// shown or deletion or addition neighbours are listed.
bool OrthoNeighbourSearchWanted(const Workspace& ws);
// The phonological neighbour search runs, and fills its list, while a field of its family is
// shown.
bool PhonNeighbourFieldsShown(const Workspace& ws);

} // namespace zirtel
