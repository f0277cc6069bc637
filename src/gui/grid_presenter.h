// The presenter of the main window's grids: what the views show besides the engine's cells (the
// selection, the current cell's column, the top row, the column widths in pixels, how many rows
// fit) and how the grids follow one another: the items and the results show the same rows, and
// the neighbour lists show the block of the item selected in the results. The engine's grids
// hold cells only; the window applies these states to its views (ApplyGridView) and reads the
// user's selections back into them (ReadGridSelection). No Qt here.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/workspace.h"
#include "core/grid/string_grid.h"

namespace zirtel {

// The results' default column width, the item grid's one column and the rows of both grids, in
// pixels.
inline constexpr int kDefaultColWidth = 90;
inline constexpr int kStimulusColWidth = 300;
inline constexpr int kGridRowHeight = 25;

// Width in pixels of a field's column with the given number of decimals.
int FieldWidth(const FieldInfo& field, int decimals);

// What one view of a grid shows besides its cells. Rows are the grid's (row 0 the headers).
struct GridView {
    GridView(int defaultWidth, GridRect selection) : Selection(selection), Default(defaultWidth) {}
    GridRect Selection;
    int Col = 0;          // the column of the current cell
    int TopRow = 1;       // the first body row shown
    int VisibleRows = 20; // body rows the view shows at once
    // A column's width; 0 hides it.
    int Width(int col) const;
    void SetWidth(int col, int width);
    void ResetWidths() { Widths_.clear(); }

  private:
    int Default;
    std::vector<int> Widths_; // by column; the default past its end
};

class GridPresenter {
  public:
    explicit GridPresenter(Workspace& ws);
    GridPresenter(const GridPresenter&) = delete;
    GridPresenter& operator=(const GridPresenter&) = delete;

    GridView Output{kDefaultColWidth, GridRect{2, 1, 2, 1}};
    GridView Stimulus{kStimulusColWidth, GridRect{0, 1, 0, 1}};
    GridView OrthoList, PhonList;
    GridView& ListView(const NeighbourList& list) {
        return &list == &WS_.PhonNeighbours ? PhonList : OrthoList;
    }

    // ---- Columns ----
    // The results' widths as the columns are now assigned: the hidden columns 0 and 1, each
    // shown field's width for the current decimals, a column the user resized as the user left
    // it (by its header). The workspace calls it at the end of each AssignColumns.
    void LayOutColumns();
    // The user resized results column `col`: its width is kept, also for the field's column
    // after the columns are assigned again.
    void ColumnResized(int col, int width);

    // ---- Scrolling ----
    // Both item grids show `row` at the top (kept within the grids' rows).
    void ScrollTo(int row);

    // ---- Selection ----
    void SelectStimulusRows(int top, int bottom);
    // The first item selected, and its first field in the results (after a new list, a read
    // file or loaded settings).
    void SelectFirstRow();
    // Selects the neighbour list rows of the item in `row` of the results: its substitution rows
    // in the orthographic list (as many as its P value, at least one), and likewise in the
    // phonological list (its PP value), each list scrolled to the block.
    void SyncNeighbourLists(int row);
    // A press on the header of the results: selects the field's cells of every item row.
    void SelectField(int col);
    // The item grid's selection changed (rows top..bottom): follow it in the results.
    void StimulusRowsChosen(int top, int bottom);
    // A press in the results' first field column, on rows top..bottom: those items selected.
    void OutputRowsChosen(int top, int bottom);
    // A click on a row of a neighbour list: when the row is an item's first row, selects that
    // item in the results, scrolled into view.
    void NeighListClick(const NeighbourList& list, int listRow);

    // ---- The engine's operations, with what they change in the views ----
    // The entered item selected and the next free row kept in view.
    Workspace::EntryResult EnterTypedItem(const std::string& text);
    // The next free row selected and kept in view.
    Workspace::EntryResult CommitStimulusCell(int row);
    // Analyses the selected items (the entry line first while the list is new: it is then
    // selected); the neighbour lists follow the selection; nothing scrolls.
    void AnalyseSelected(std::string& editLine);
    // Clears the list and reads an input file: both grids back at their first row.
    void ClearItems();
    bool ReadInputFile(const std::filesystem::path& path);
    // Sorts the rows by results column `col`; the selection goes back to the first row, the
    // field's cell of it in the results, both grids at the top.
    void SortRows(int col, bool descending);

  private:
    Workspace& WS_;
    std::map<std::string, int> ResizedWidths_; // widths the user gave, by the field's header
    // Scrolls both grids so that the next free row is in view.
    void FollowNextRow();
    void SyncList(NeighbourList& list, GridView& view, int countCol, int row);
};

} // namespace zirtel
