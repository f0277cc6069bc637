#include "gui/grid_model.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>

namespace zirtel {

bool ToLatin1(const QString& text, std::string& out) {
    for (QChar ch : text)
        if (ch.unicode() > 0xFF) return false;
    const QByteArray bytes = text.toLatin1();
    out.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

GridModel::GridModel(StringGrid& grid, const GridView& state, QObject* parent)
    : QAbstractTableModel(parent), Grid_(grid), State_(state), Rows_(grid.RowCount() - 1),
      Cols_(grid.ColCount()) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Rows_;
}
int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        const std::string_view cell = Grid_.Cell(index.column(), GridRow(index.row()));
        return QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size()));
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // Header texts are drawn like the cells: at the top-left corner, their blanks kept.
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        const std::string_view cell = Grid_.Cell(section, 0);
        return QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size()));
    }
    return QString::number(GridRow(section));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (Editable_ && index.isValid()) f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    std::string latin1;
    if (!ToLatin1(value.toString(), latin1)) {
        emit NotLatin1();
        return false;
    }
    Grid_.SetCell(index.column(), GridRow(index.row()), std::move(latin1));
    emit dataChanged(index, index);
    emit CellEdited(GridRow(index.row()));
    return true;
}

void GridModel::Sync(QTableView* view) {
    const StringGrid::Changes changes = Grid_.TakeChanges();
    const int rows = Grid_.RowCount() - 1, cols = Grid_.ColCount();
    if (rows < Rows_ || cols != Cols_ || changes.Structure) {
        beginResetModel();
        Rows_ = rows;
        Cols_ = cols;
        endResetModel();
    } else {
        // Rows are only ever added at the end; the rows that were there keep their indexes.
        if (rows > Rows_) {
            beginInsertRows(QModelIndex(), Rows_, rows - 1);
            Rows_ = rows;
            endInsertRows();
        }
        const GridRect& cells = changes.Cells;
        if (!cells.Empty() && cells.Top <= 0)
            emit headerDataChanged(Qt::Horizontal, cells.Left, cells.Right);
        const int top = std::max(cells.Top, 1);
        if (!cells.Empty() && cells.Bottom >= top && Rows_ > 0)
            emit dataChanged(index(ModelRow(top), cells.Left),
                             index(std::min(ModelRow(cells.Bottom), Rows_ - 1),
                                   std::min(cells.Right, Cols_ - 1)));
    }
    if (view) ApplyGridView(Grid_, State_, view);
}

void ApplyGridView(const StringGrid& grid, const GridView& state, QTableView* view) {
    for (int c = 0; c < grid.ColCount(); ++c) {
        const int w = state.Width(c);
        view->setColumnHidden(c, w <= 0);
        if (w > 0 && view->columnWidth(c) != w) view->setColumnWidth(c, w);
    }
    auto* model = view->model();
    auto* sel = view->selectionModel();
    if (!model || !sel) return;
    const GridRect& r = state.Selection;
    const int rows = model->rowCount(), cols = model->columnCount();
    QItemSelection wanted;
    const int top = std::max(ModelRow(r.Top), 0), bottom = std::min(ModelRow(r.Bottom), rows - 1);
    const int left = std::max(r.Left, 0), right = std::min(r.Right, cols - 1);
    if (!r.Empty() && top <= bottom && left <= right)
        wanted.select(model->index(top, left), model->index(bottom, right));
    if (sel->selection() != wanted) {
        sel->select(wanted, QItemSelectionModel::ClearAndSelect);
        if (!wanted.isEmpty())
            sel->setCurrentIndex(model->index(top, std::clamp(state.Col, left, right)),
                                 QItemSelectionModel::NoUpdate);
    }
    const int topRow = ModelRow(state.TopRow);
    if (topRow >= 0 && topRow < rows && view->verticalScrollBar()->value() != topRow) {
        // Inserted rows reach the scroll range only at the next layout: lay out now.
        if (view->verticalScrollBar()->maximum() < topRow) view->doItemsLayout();
        if (view->verticalScrollMode() == QAbstractItemView::ScrollPerItem)
            view->verticalScrollBar()->setValue(topRow);
        else
            view->scrollTo(model->index(topRow, 0), QAbstractItemView::PositionAtTop);
    }
}

void ReadGridSelection(QTableView* view, GridView& state) {
    auto* sel = view->selectionModel();
    if (!sel) return;
    const QModelIndexList indexes = sel->selectedIndexes();
    if (indexes.isEmpty()) return;
    int top = indexes.front().row(), bottom = top, left = indexes.front().column(), right = left;
    for (const QModelIndex& i : indexes) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    state.Selection = GridRect{left, GridRow(top), right, GridRow(bottom)};
    state.Col = sel->currentIndex().isValid() ? sel->currentIndex().column() : left;
}

bool CellTextFits(const QString& text, const QFont& font, int room) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QChar(' ')) --end;
    return QFontMetrics(font).horizontalAdvance(text.left(end)) <= room;
}

QString FittedCellText(const QString& text, const QFont& font, int room) {
    if (CellTextFits(text, font, room)) return text;
    QString trimmed = text;
    while (!trimmed.isEmpty() && trimmed.back() == QChar(' ')) trimmed.chop(1);
    return QFontMetrics(font).elidedText(trimmed, Qt::ElideRight, room);
}

int FullTextTipDelegate::TextRoom(const QRect& cell, const QAbstractItemView* view) const {
    // The margin the item view's style leaves on each side of a text.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return cell.width() - 2 * margin;
}

bool FullTextTipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                    const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data().toString();
    if (CellTextFits(text, option.font, TextRoom(option.rect, view))) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(event->globalPos(), text.trimmed(), view->viewport(), option.rect);
    return true;
}

int GridCellDelegate::TextRoom(const QRect& cell, const QAbstractItemView*) const {
    return cell.width();
}

GridCellDelegate::GridCellDelegate(QColor background, QColor text, QColor selectedBackground,
                                   QColor selectedText, QObject* parent)
    : FullTextTipDelegate(parent), Background_(background), Text_(text),
      SelectedBackground_(selectedBackground), SelectedText_(selectedText) {}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? SelectedBackground_ : Background_);
    painter->setPen(selected ? SelectedText_ : Text_);
    painter->setFont(option.font);
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop,
                      FittedCellText(index.data().toString(), option.font, option.rect.width()));
}

} // namespace zirtel
