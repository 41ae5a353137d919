// The string grid (VCL's `TStringGrid`): cells addressed by (column,
// row), both from 0, where row 0 is the one fixed header row; `RowCount`
// counts it. Whole-row selection, the selected row `Row` (never 0), a
// vertical scroll bar only, no editing, no resizing or moving by the user.
//
// The cells are plain vectors behind a QAbstractTableModel (row 0 shown by
// the horizontal header, rows 1.. as the model's rows 0..), so 100,000 rows
// cost one QString per written cell and nothing per row in the view. Writing
// a cell only marks it changed; the view is told once, when the handler that
// wrote returns to the event loop.
//
// Sizes are VCL's: a column width or the row height excludes the one-
// pixel grid line, which Qt counts inside the section, so a section is one
// pixel larger than the width or height it shows.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QTableView>
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
  void MarkChanged(int row);
  void KeepSelection();

  TStringGridModel model_{this};
  int colCount_ = 5;
  int rowCount_ = 5;
  int rowHeight_ = 24;
  std::vector<int> colWidths_;
  std::vector<QString> cells_;  // row-major, rowCount_ x colCount_
  int row_ = 1;
  int dirtyFirst_ = -1;  // body rows written since the last flush
  int dirtyLast_ = -1;
  bool headerDirty_ = false;
  bool flushQueued_ = false;
};

}  // namespace toolkit

using toolkit::TStringGrid;
