// The progress bar (VCL's `TProgressBar`): minimum 0, `Max` 100 and
// `Position` 0 until a command sets them. Setting the position only stores
// it: the bar is redrawn once the handler returns to the event loop, and at
// most every 50 ms while a long loop keeps setting positions, so a loop of
// 100,000 positions costs next to nothing.
#pragma once

#include <QElapsedTimer>
#include <QProgressBar>

namespace toolkit {

class TProgressBar : public QProgressBar {
 public:
  explicit TProgressBar(QWidget* parent = nullptr);

  int Max() const { return max_; }
  int Position() const { return position_; }
  // Both keep the position within 0..Max, as the control does.
  void SetMax(int max);
  void SetPosition(int position);

  // Shows the stored maximum and position now.
  void Flush();

 private:
  void Changed();

  int max_ = 100;
  int position_ = 0;
  bool flushQueued_ = false;
  unsigned calls_ = 0;
  QElapsedTimer sinceFlush_;
};

}  // namespace toolkit

using toolkit::TProgressBar;
