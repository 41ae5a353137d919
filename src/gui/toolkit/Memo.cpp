#include "toolkit/Memo.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace toolkit {

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setUndoRedoEnabled(false);  // the log only grows; no undo history to keep
}

void TMemoLines::Add(const QString& line) {
  QTextCursor cursor(memo_->document());
  cursor.movePosition(QTextCursor::End);
  // The empty document has one empty block: the first line goes into it.
  if (memo_->hasLines_ || !memo_->document()->isEmpty()) cursor.insertBlock();
  cursor.insertText(line);
  memo_->hasLines_ = true;
  QScrollBar* bar = memo_->verticalScrollBar();
  bar->setValue(bar->maximum());
}

QStringList TMemoLines::Strings() const {
  QStringList lines;
  if (!memo_->hasLines_ && memo_->document()->isEmpty()) return lines;
  const QTextDocument* doc = memo_->document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    lines << block.text();
  }
  return lines;
}

int TMemoLines::Count() const { return static_cast<int>(Strings().size()); }

}  // namespace toolkit
