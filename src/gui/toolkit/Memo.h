// The log pane (VCL's `TMemo`): a multi-line text box with a vertical
// scroll bar; `Lines->Add(text)` appends one line as the new last line.
// Not read-only, and long lines wrap, as the toolkit's defaults have it.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

namespace toolkit {

class TMemo;

class TMemoLines {
 public:
  explicit TMemoLines(TMemo* memo) : memo_(memo) {}
  // Appends `line` as the new last line; earlier lines stay.
  void Add(const QString& line);
  // The lines the pane shows now.
  QStringList Strings() const;
  int Count() const;

 private:
  TMemo* memo_;
};

class TMemo : public QPlainTextEdit {
 public:
  explicit TMemo(QWidget* parent = nullptr);

  TMemoLines* const Lines = &lines_;

 private:
  friend class TMemoLines;
  TMemoLines lines_{this};
  bool hasLines_ = false;
};

}  // namespace toolkit

using toolkit::TMemo;
