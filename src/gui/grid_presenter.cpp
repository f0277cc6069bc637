#include "gui/grid_presenter.h"

#include <algorithm>

#include "core/fields/neighbour_list.h"

namespace zirtel {

namespace {
// The neighbour lists: 65 pixels a column but the item, kind, position and first neighbour.
constexpr int kListColWidth = 65;
constexpr int kListWidths[] = {105, 55, 55, 83};
} // namespace

int FieldWidth(const FieldInfo& field, int decimals) {
    switch (field.Width) {
    case WidthRule::Frequency:
        return kDefaultColWidth + 10 * decimals - 7;
    case WidthRule::Minus5:
        return kDefaultColWidth - 5;
    case WidthRule::Minus15:
        return kDefaultColWidth - 15;
    case WidthRule::Fixed:
        return field.FixedWidth;
    case WidthRule::Default:
        break;
    }
    return kDefaultColWidth;
}

int GridView::Width(int col) const {
    if (col < 0 || static_cast<std::size_t>(col) >= Widths_.size()) return Default;
    return Widths_[static_cast<std::size_t>(col)];
}

void GridView::SetWidth(int col, int width) {
    if (col < 0) return;
    if (static_cast<std::size_t>(col) >= Widths_.size())
        Widths_.resize(static_cast<std::size_t>(col) + 1, Default);
    Widths_[static_cast<std::size_t>(col)] = width;
}

GridPresenter::GridPresenter(Workspace& ws)
    : OrthoList(kListColWidth, GridRect{0, 1, 0, 1}), PhonList(kListColWidth, GridRect{0, 1, 0, 1}),
      WS_(ws) {
    Output.Col = 2;
    for (GridView* list : {&OrthoList, &PhonList})
        for (int c = 0; c < 4; ++c) list->SetWidth(c, kListWidths[c]);
    WS_.SetColumnsObserver([this]() { LayOutColumns(); });
}

// ---- Columns ----

void GridPresenter::LayOutColumns() {
    Output.ResetWidths();
    Output.SetWidth(0, 0);
    Output.SetWidth(1, 0);
    for (const FieldInfo& f : FieldCatalogue())
        if (WS_.Columns.*f.Col != 0)
            Output.SetWidth(WS_.Columns.*f.Col, FieldWidth(f, WS_.Decimals));
    for (int c = 2; c < WS_.NextCol; ++c) {
        const auto it = ResizedWidths_.find(std::string(WS_.OutputGrid.Cell(c, 0)));
        if (it != ResizedWidths_.end()) Output.SetWidth(c, it->second);
    }
}

void GridPresenter::ColumnResized(int col, int width) {
    if (width <= 0 || col < 2 || col >= WS_.NextCol || Output.Width(col) == width) return;
    Output.SetWidth(col, width);
    ResizedWidths_[std::string(WS_.OutputGrid.Cell(col, 0))] = width;
}

// ---- Scrolling ----

void GridPresenter::ScrollTo(int row) {
    const int last =
        std::max(1, std::min(WS_.OutputGrid.RowCount(), WS_.StimulusGrid.RowCount()) - 1);
    Output.TopRow = Stimulus.TopRow = std::clamp(row, 1, last);
}

void GridPresenter::FollowNextRow() {
    const int visible = std::max(Output.VisibleRows, 1);
    if (WS_.NextRow > Output.TopRow + visible) ScrollTo(WS_.NextRow - visible + 1);
}

// ---- Selection ----

void GridPresenter::SelectStimulusRows(int top, int bottom) {
    const Workspace::Operation op(WS_);
    Stimulus.Selection = GridRect{0, top, 0, bottom};
}

void GridPresenter::SelectFirstRow() {
    const Workspace::Operation op(WS_);
    SelectStimulusRows(1, 1);
    Output.Selection = GridRect{2, 1, 2, 1};
    Output.Col = 2;
}

void GridPresenter::SyncList(NeighbourList& list, GridView& view, int countCol, int row) {
    const std::string item(WS_.Item(row));
    int n = 0;
    if (countCol != 0) {
        const Value count = WS_.Results.At(row, countCol);
        if (count.Kind() == ValueKind::Count) n = static_cast<int>(count.Integer());
    }
    if (n <= 0) n = 1;
    const int k = list.FindItemRow(item);
    if (item.empty() || k <= 0 || list.NeighList.RowCount() < k) return;
    view.TopRow = std::clamp(k, 1, std::max(1, list.NeighList.RowCount() - 1));
    view.Selection = GridRect{0, k, list.NeighList.ColCount() - 1, k + n - 1};
}

void GridPresenter::SyncNeighbourLists(int row) {
    const Workspace::Operation op(WS_);
    SyncList(WS_.OrthoNeighbours, OrthoList, WS_.Columns.Col_P, row);
    SyncList(WS_.PhonNeighbours, PhonList, WS_.Columns.Col_PP, row);
}

void GridPresenter::SelectField(int col) {
    const Workspace::Operation op(WS_);
    if (col <= 0) return;
    Output.Col = col;
    Output.Selection = GridRect{col, 0, col, std::max(WS_.NextRow - 1, 0)};
}

void GridPresenter::StimulusRowsChosen(int top, int bottom) {
    const Workspace::Operation op(WS_);
    SelectStimulusRows(top, bottom);
    if (Output.TopRow > 0 && Output.TopRow <= WS_.StimulusGrid.RowCount())
        Output.TopRow = Stimulus.TopRow;
    SyncNeighbourLists(top);
}

void GridPresenter::OutputRowsChosen(int top, int bottom) {
    const Workspace::Operation op(WS_);
    SelectStimulusRows(top, bottom);
    SyncNeighbourLists(top);
}

void GridPresenter::NeighListClick(const NeighbourList& list, int listRow) {
    // Only the user's clicks come here: a list following the results sets its view's state,
    // which never counts as a click.
    const Workspace::Operation op(WS_);
    const std::string_view text = list.NeighList.Cell(0, listRow);
    if (listRow <= 0 || text.size() < 2) return;
    const int row = WS_.FindItemRow(text);
    if (row <= 0) return;
    SelectStimulusRows(row, row);
    if (row < Output.TopRow || row >= Output.TopRow + Output.VisibleRows) ScrollTo(row);
}

// ---- The engine's operations ----

Workspace::EntryResult GridPresenter::EnterTypedItem(const std::string& text) {
    const Workspace::Operation op(WS_);
    const Workspace::EntryResult result = WS_.EnterTypedItem(text);
    if (result == Workspace::EntryResult::Entered) {
        SelectStimulusRows(WS_.NextRow - 1, WS_.NextRow - 1);
        FollowNextRow();
    }
    if (result != Workspace::EntryResult::Empty) Output.Col = 2;
    return result;
}

Workspace::EntryResult GridPresenter::CommitStimulusCell(int row) {
    const Workspace::Operation op(WS_);
    const int next = WS_.NextRow;
    const Workspace::EntryResult result = WS_.CommitStimulusCell(row);
    if (result == Workspace::EntryResult::Entered) {
        SelectStimulusRows(next, next);
        FollowNextRow();
    }
    return result;
}

void GridPresenter::AnalyseSelected(std::string& editLine) {
    const Workspace::Operation op(WS_);
    const GridRect sel = Stimulus.Selection;
    if (WS_.AnalyseSelected(sel.Top, sel.Bottom, editLine))
        SelectStimulusRows(WS_.NextRow - 1, WS_.NextRow - 1);
    SyncNeighbourLists(sel.Top);
}

void GridPresenter::ClearItems() {
    const Workspace::Operation op(WS_);
    WS_.ClearItems();
    ScrollTo(1);
}

bool GridPresenter::ReadInputFile(const std::filesystem::path& path) {
    const Workspace::Operation op(WS_);
    if (!WS_.ReadInputFile(path)) return false;
    ScrollTo(1);
    return true;
}

void GridPresenter::SortRows(int col, bool descending) {
    const Workspace::Operation op(WS_);
    if (!zirtel::SortRows(WS_, col, descending)) return;
    SelectStimulusRows(1, 1);
    Output.Selection = GridRect{col, 1, col, 1};
    ScrollTo(1);
}

} // namespace zirtel
