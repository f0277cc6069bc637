// GridModel: shows an engine StringGrid in a QTableView. Row 0 of the grid (the fixed row) is
// the view's horizontal header; grid row r >= 1 is model row r - 1. Cells are read from the grid
// when asked; nothing is copied. After each engine operation Sync() announces what changed with
// one reset (rows removed, or the column count changed) or one ranged dataChanged, and applies
// the presenter's state of the view (gui/grid_presenter.h).
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>
#include <string>

#include "core/grid/string_grid.h"
#include "gui/grid_presenter.h"

class QTableView;

namespace zirtel {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    GridModel(StringGrid& grid, const GridView& state, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    void SetEditable(bool editable) { Editable_ = editable; }

    // Announces the grid's changes to the views; applies widths, selection and top row to `view`.
    void Sync(QTableView* view);

  signals:
    // A cell was edited in the view (grid row number).
    void CellEdited(int row);
    // Text that has no Latin-1 form was typed into a cell.
    void NotLatin1();

  private:
    StringGrid& Grid_;
    const GridView& State_;
    bool Editable_ = false;
    int Rows_ = 0, Cols_ = 0;
};

// Shows a cell's whole text as a tooltip when the cell is too narrow for it.
class FullTextTipDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

  protected:
    // The width the cell's text may take in `cell`.
    virtual int TextRoom(const QRect& cell, const QAbstractItemView* view) const;
};

// Whether `text` fits in `room` pixels; blanks at its end need no room.
bool CellTextFits(const QString& text, const QFont& font, int room);
// The text drawn in `room` pixels: the text itself when it fits, else cut with an ellipsis.
QString FittedCellText(const QString& text, const QFont& font, int room);

// Draws cells as the grids want them: a solid background, white text at the top-left corner;
// a text too long for its cell is cut with an ellipsis.
class GridCellDelegate : public FullTextTipDelegate {
  public:
    GridCellDelegate(QColor background, QColor text, QColor selectedBackground, QColor selectedText,
                     QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  protected:
    int TextRoom(const QRect& cell, const QAbstractItemView* view) const override;

  private:
    QColor Background_, Text_, SelectedBackground_, SelectedText_;
};

// Applies the column widths, selection and top row of `state` to the view of `grid`.
void ApplyGridView(const StringGrid& grid, const GridView& state, QTableView* view);
// Reads the view's selection and current column into `state` (grid rows); nothing while the view
// has no selection.
void ReadGridSelection(QTableView* view, GridView& state);
// Whether the text has a Latin-1 form (the engine's text); `out` receives it.
bool ToLatin1(const QString& text, std::string& out);
// Model row of a grid row and back.
inline int ModelRow(int gridRow) {
    return gridRow - 1;
}
inline int GridRow(int modelRow) {
    return modelRow + 1;
}

} // namespace zirtel
