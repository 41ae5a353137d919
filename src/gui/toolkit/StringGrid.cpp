#include "toolkit/StringGrid.h"

#include <QHeaderView>
#include <QMetaObject>
#include <QStringList>
#include <algorithm>

namespace toolkit {

// ---- model ------------------------------------------------------------------

TStringGridModel::TStringGridModel(TStringGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

int TStringGridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return std::max(grid_->RowCount() - TStringGrid::kFixedRows, 0);
}

int TStringGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_->ColCount();
}

QVariant TStringGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) {
    return grid_->Cell(index.column(), index.row() + TStringGrid::kFixedRows);
  }
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

QVariant TStringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::DisplayRole) return grid_->Cell(section, 0);
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags TStringGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// ---- cell proxies -----------------------------------------------------------

TStringGridCell& TStringGridCell::operator=(const QString& text) {
  grid_->SetCell(col_, row_, text);
  return *this;
}

TStringGridCell::operator QString() const { return grid_->Cell(col_, row_); }

// ---- grid -------------------------------------------------------------------

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent) {
  colWidths_.assign(static_cast<std::size_t>(colCount_), 64);
  cells_.resize(static_cast<std::size_t>(rowCount_ * colCount_));
  setModel(&model_);

  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(false);
  setShowGrid(true);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setCornerButtonEnabled(false);
  setTabKeyNavigation(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setLayoutDirection(Qt::LeftToRight);  // set on the grid itself, not taken from the window

  QHeaderView* top = horizontalHeader();
  top->setMinimumSectionSize(1);
  top->setSectionResizeMode(QHeaderView::Fixed);
  top->setSectionsClickable(false);
  top->setSectionsMovable(false);
  top->setHighlightSections(false);
  top->setStretchLastSection(false);
  top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  QHeaderView* side = verticalHeader();
  side->hide();  // no fixed column
  side->setMinimumSectionSize(1);
  side->setSectionResizeMode(QHeaderView::Fixed);
  side->setSectionsMovable(false);

  SetDefaultRowHeight(rowHeight_);
  for (int c = 0; c < colCount_; ++c) SetColWidth(c, colWidths_[static_cast<std::size_t>(c)]);
  KeepSelection();
}

QString TStringGrid::Cell(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return {};
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
                static_cast<std::size_t>(col)];
}

void TStringGrid::SetCell(int col, int row, const QString& text) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return;
  cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
         static_cast<std::size_t>(col)] = text;
  MarkChanged(row);
}

void TStringGrid::MarkChanged(int row) {
  if (row < kFixedRows) {
    headerDirty_ = true;
  } else if (dirtyFirst_ < 0) {
    dirtyFirst_ = dirtyLast_ = row;
  } else {
    dirtyFirst_ = std::min(dirtyFirst_, row);
    dirtyLast_ = std::max(dirtyLast_, row);
  }
  if (!flushQueued_) {
    flushQueued_ = true;
    QMetaObject::invokeMethod(
        this, [this] { FlushChanges(); }, Qt::QueuedConnection);
  }
}

void TStringGrid::FlushChanges() {
  flushQueued_ = false;
  if (headerDirty_) {
    headerDirty_ = false;
    emit model_.headerDataChanged(Qt::Horizontal, 0, colCount_ - 1);
  }
  if (dirtyFirst_ >= 0) {
    const int first = std::min(dirtyFirst_, rowCount_ - 1) - kFixedRows;
    const int last = std::min(dirtyLast_, rowCount_ - 1) - kFixedRows;
    dirtyFirst_ = dirtyLast_ = -1;
    if (first >= 0 && last >= first) {
      emit model_.dataChanged(model_.index(first, 0), model_.index(last, colCount_ - 1),
                              {Qt::DisplayRole});
    }
  }
}

void TStringGrid::SetRowCount(int rows) {
  rows = std::max(rows, 1);
  if (rows == rowCount_) return;
  const auto cols = static_cast<std::size_t>(colCount_);
  const int oldBody = std::max(rowCount_ - kFixedRows, 0);
  const int newBody = std::max(rows - kFixedRows, 0);
  if (newBody > oldBody) {
    model_.beginInsertRows(QModelIndex(), oldBody, newBody - 1);
    rowCount_ = rows;
    cells_.resize(static_cast<std::size_t>(rows) * cols);
    model_.endInsertRows();
  } else if (newBody < oldBody) {
    model_.beginRemoveRows(QModelIndex(), newBody, oldBody - 1);
    rowCount_ = rows;
    cells_.resize(static_cast<std::size_t>(rows) * cols);
    cells_.shrink_to_fit();
    model_.endRemoveRows();
  } else {
    rowCount_ = rows;
    cells_.resize(static_cast<std::size_t>(rows) * cols);
  }
  KeepSelection();
}

void TStringGrid::SetColCount(int cols) {
  cols = std::max(cols, 1);
  if (cols == colCount_) return;
  model_.beginResetModel();
  std::vector<QString> cells(static_cast<std::size_t>(rowCount_) * static_cast<std::size_t>(cols));
  for (int r = 0; r < rowCount_; ++r) {
    for (int c = 0; c < std::min(cols, colCount_); ++c) {
      cells[static_cast<std::size_t>(r * cols + c)] =
          std::move(cells_[static_cast<std::size_t>(r * colCount_ + c)]);
    }
  }
  cells_ = std::move(cells);
  colWidths_.resize(static_cast<std::size_t>(cols), 64);
  colCount_ = cols;
  model_.endResetModel();
  for (int c = 0; c < colCount_; ++c) SetColWidth(c, colWidths_[static_cast<std::size_t>(c)]);
  KeepSelection();
}

int TStringGrid::ColWidth(int col) const {
  if (col < 0 || col >= colCount_) return 0;
  return colWidths_[static_cast<std::size_t>(col)];
}

void TStringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= colCount_) return;
  colWidths_[static_cast<std::size_t>(col)] = width;
  horizontalHeader()->resizeSection(col, width + kGridLineWidth);
}

QString TStringGrid::ColWidthsText() const {
  QStringList parts;
  for (const int w : colWidths_) parts << QString::number(w);
  return parts.join(QLatin1Char(','));
}

void TStringGrid::SetColWidthsText(const QString& widths) {
  const QStringList parts = widths.split(QLatin1Char(','), Qt::SkipEmptyParts);
  for (int c = 0; c < static_cast<int>(parts.size()); ++c)
    SetColWidth(c, parts[c].trimmed().toInt());
}

void TStringGrid::SetDefaultRowHeight(int height) {
  rowHeight_ = height;
  verticalHeader()->setDefaultSectionSize(height + kGridLineWidth);
  horizontalHeader()->setFixedHeight(height + kGridLineWidth);
}

int TStringGrid::Row() const {
  const QModelIndex current = currentIndex();
  if (current.isValid()) return current.row() + kFixedRows;
  return rowCount_ > kFixedRows ? std::clamp(row_, kFixedRows, rowCount_ - 1) : 0;
}

void TStringGrid::SetRow(int row) {
  if (row < kFixedRows || row >= rowCount_) return;
  row_ = row;
  setCurrentIndex(model_.index(row - kFixedRows, 0));
}

void TStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (current.isValid()) row_ = current.row() + kFixedRows;
}

void TStringGrid::KeepSelection() {
  if (rowCount_ <= kFixedRows) return;
  if (!currentIndex().isValid()) SetRow(std::clamp(row_, kFixedRows, rowCount_ - 1));
}

}  // namespace toolkit
