// The string grid (VCL's `TStringGrid`): cells addressed by (column,
// row), both from 0, where row 0 is the one fixed header row; `RowCount`
// counts it. Whole-row selection, the selected row `Row` (never 0), a
// vertical scroll bar only, no editing, no resizing or moving by the user.
//
// Cells hold 8-bit text (UTF-8, or what a Windows-made name holds) packed
// back to back in one buffer, behind a QAbstractTableModel (row 0 shown by
// the horizontal header, rows 1.. as the model's rows 0..): writing a cell
// copies its bytes and allocates nothing per cell, and only the rows on
// screen are ever turned into QStrings. Writing a cell only marks it changed;
// the view is told once, when the handler that wrote returns to the event
// loop.
//
// Sizes are VCL's: a column width or the row height excludes the one-
// pixel grid line, which Qt counts inside the section, so a section is one
// pixel larger than the width or height it shows.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QTableView>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

class TStringGrid;

class TStringGridModel : public QAbstractTableModel {
 public:
  explicit TStringGridModel(TStringGrid* grid);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  friend class TStringGrid;
  TStringGrid* grid_;
};

// Tabela->Cells[col][row] = text;  QString text = Tabela->Cells[col][row];
class TStringGridCell {
 public:
  TStringGridCell(TStringGrid* grid, int col, int row) : grid_(grid), col_(col), row_(row) {}
  TStringGridCell& operator=(const QString& text);
  inline TStringGridCell& operator=(std::string_view text);
  TStringGridCell& operator=(const char* text) { return *this = std::string_view(text); }
  operator QString() const;  // NOLINT(google-explicit-constructor)

 private:
  TStringGrid* grid_;
  int col_;
  int row_;
};

class TStringGridColumn {
 public:
  TStringGridColumn(TStringGrid* grid, int col) : grid_(grid), col_(col) {}
  TStringGridCell operator[](int row) const { return {grid_, col_, row}; }

 private:
  TStringGrid* grid_;
  int col_;
};

class TStringGridCells {
 public:
  explicit TStringGridCells(TStringGrid* grid) : grid_(grid) {}
  TStringGridColumn operator[](int col) const { return {grid_, col}; }

 private:
  TStringGrid* grid_;
};

class TStringGrid : public QTableView {
  Q_OBJECT
  // Set from the window description (Main.ui), in this order.
  Q_PROPERTY(int colCount READ ColCount WRITE SetColCount)
  Q_PROPERTY(int rowCount READ RowCount WRITE SetRowCount)
  Q_PROPERTY(int defaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
  Q_PROPERTY(QString colWidths READ ColWidthsText WRITE SetColWidthsText)

 public:
  static constexpr int kFixedRows = 1;
  static constexpr int kGridLineWidth = 1;

  explicit TStringGrid(QWidget* parent = nullptr);

  const TStringGridCells Cells{this};
  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  // The cell's text as 8-bit text, and its setter.
  std::string_view CellText(int col, int row) const;
  void SetCellText(int col, int row, std::string_view text);
  // Empties columns col0..col1 of rows row0..row1 in one pass.
  void ClearCells(int col0, int col1, int row0, int row1);

  int RowCount() const { return rowCount_; }
  // Keeps the cells of the rows that stay; new rows are empty.
  void SetRowCount(int rows);
  int ColCount() const { return colCount_; }
  void SetColCount(int cols);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  QString ColWidthsText() const;
  void SetColWidthsText(const QString& widths);  // "34,29,46,362,51,18"
  int DefaultRowHeight() const { return rowHeight_; }
  void SetDefaultRowHeight(int height);

  // The selected row: 1..RowCount-1, or 0 when there is no body row.
  int Row() const;
  void SetRow(int row);

  // Tells the view now about every cell written since the last time.
  void FlushChanges();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  // A cell's bytes in texts_; a rewrite that fits in `room` stays in place.
  struct Slot {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::uint32_t room = 0;
  };
  Slot* SlotAt(int col, int row);
  const Slot* SlotAt(int col, int row) const;
  void MarkChanged(int row) {
    if (row < kFixedRows) {
      headerDirty_ = true;
    } else {
      if (row < dirtyFirst_) dirtyFirst_ = row;
      if (row > dirtyLast_) dirtyLast_ = row;
    }
    if (!flushQueued_) QueueFlush();
  }
  void QueueFlush();
  void SetCellTextElsewhere(Slot& slot, int row, std::string_view text);
  void KeepSelection();
  void Compact();

  TStringGridModel model_{this};
  int colCount_ = 5;
  int rowCount_ = 5;
  int rowHeight_ = 24;
  std::vector<int> colWidths_;
  std::vector<Slot> cells_;  // row-major, rowCount_ x colCount_, into texts_
  std::string texts_;        // every cell's bytes; rewritten cells leave garbage
  std::size_t liveBytes_ = 0;
  int row_ = 1;
  int dirtyFirst_ = INT_MAX;  // body rows written since the last flush
  int dirtyLast_ = -1;
  bool headerDirty_ = false;
  bool flushQueued_ = false;
};

// Written once per cell of every listing: kept inline, the common case of a
// text that fits where the cell's old text was allocates and calls nothing.
inline void TStringGrid::SetCellText(int col, int row, std::string_view text) {
  if (static_cast<unsigned>(col) >= static_cast<unsigned>(colCount_) ||
      static_cast<unsigned>(row) >= static_cast<unsigned>(rowCount_)) {
    return;
  }
  Slot& slot = cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
                      static_cast<std::size_t>(col)];
  if (text.size() > slot.room) {
    SetCellTextElsewhere(slot, row, text);
    return;
  }
  liveBytes_ = liveBytes_ + text.size() - slot.size;
  if (!text.empty()) std::memcpy(texts_.data() + slot.offset, text.data(), text.size());
  slot.size = static_cast<std::uint32_t>(text.size());
  MarkChanged(row);
}

inline TStringGridCell& TStringGridCell::operator=(std::string_view text) {
  grid_->SetCellText(col_, row_, text);
  return *this;
}

}  // namespace toolkit

using toolkit::TStringGrid;
