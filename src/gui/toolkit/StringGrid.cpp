#include "toolkit/StringGrid.h"

#include <QHeaderView>
#include <QMetaObject>
#include <QStringList>
#include <algorithm>

#include "toolkit/Text.h"

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

TStringGrid::Slot* TStringGrid::SlotAt(int col, int row) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return nullptr;
  return &cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
                 static_cast<std::size_t>(col)];
}

const TStringGrid::Slot* TStringGrid::SlotAt(int col, int row) const {
  return const_cast<TStringGrid*>(this)->SlotAt(col, row);
}

std::string_view TStringGrid::CellText(int col, int row) const {
  const Slot* slot = SlotAt(col, row);
  if (slot == nullptr || slot->size == 0) return {};
  return std::string_view(texts_).substr(slot->offset, slot->size);
}

QString TStringGrid::Cell(int col, int row) const { return AnsiToString(CellText(col, row)); }

void TStringGrid::SetCell(int col, int row, const QString& text) {
  SetCellText(col, row, StringToAnsi(text));
}

void TStringGrid::SetCellTextElsewhere(Slot& slot, int row, std::string_view text) {
  liveBytes_ = liveBytes_ + text.size() - slot.size;
  if (texts_.size() > 2 * liveBytes_ + (std::size_t{1} << 20)) {
    slot = {};
    Compact();
  }
  slot.offset = static_cast<std::uint32_t>(texts_.size());
  slot.size = slot.room = static_cast<std::uint32_t>(text.size());
  texts_.append(text);
  MarkChanged(row);
}

void TStringGrid::ClearCells(int col0, int col1, int row0, int row1) {
  col0 = std::max(col0, 0);
  col1 = std::min(col1, colCount_ - 1);
  row0 = std::max(row0, 0);
  row1 = std::min(row1, rowCount_ - 1);
  if (col0 > col1 || row0 > row1) return;
  for (int row = row0; row <= row1; ++row) {
    Slot* slot = SlotAt(col0, row);
    for (int col = col0; col <= col1; ++col, ++slot) {
      liveBytes_ -= slot->size;
      slot->size = 0;
    }
  }
  MarkChanged(row0);
  MarkChanged(row1);
}

void TStringGrid::Compact() {
  std::string packed;
  packed.reserve(liveBytes_ + liveBytes_ / 2);
  for (Slot& slot : cells_) {
    if (slot.size == 0) {
      slot = {};
      continue;
    }
    const auto offset = static_cast<std::uint32_t>(packed.size());
    packed.append(texts_, slot.offset, slot.size);
    slot.offset = offset;
    slot.room = slot.size;
  }
  texts_ = std::move(packed);
}

void TStringGrid::QueueFlush() {
  flushQueued_ = true;
  QMetaObject::invokeMethod(
      this, [this] { FlushChanges(); }, Qt::QueuedConnection);
}

void TStringGrid::FlushChanges() {
  flushQueued_ = false;
  if (headerDirty_) {
    headerDirty_ = false;
    emit model_.headerDataChanged(Qt::Horizontal, 0, colCount_ - 1);
  }
  if (dirtyLast_ >= 0) {
    const int first = std::min(dirtyFirst_, rowCount_ - 1) - kFixedRows;
    const int last = std::min(dirtyLast_, rowCount_ - 1) - kFixedRows;
    dirtyFirst_ = INT_MAX;
    dirtyLast_ = -1;
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
    for (std::size_t i = static_cast<std::size_t>(rows) * cols; i < cells_.size(); ++i) {
      liveBytes_ -= cells_[i].size;
    }
    rowCount_ = rows;
    cells_.resize(static_cast<std::size_t>(rows) * cols);
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
  std::vector<Slot> cells(static_cast<std::size_t>(rowCount_) * static_cast<std::size_t>(cols));
  liveBytes_ = 0;
  for (int r = 0; r < rowCount_; ++r) {
    for (int c = 0; c < std::min(cols, colCount_); ++c) {
      const Slot slot = cells_[static_cast<std::size_t>(r * colCount_ + c)];
      cells[static_cast<std::size_t>(r * cols + c)] = slot;
      liveBytes_ += slot.size;
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
