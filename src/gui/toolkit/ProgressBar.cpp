#include "toolkit/ProgressBar.h"

#include <QMetaObject>
#include <algorithm>

namespace toolkit {

namespace {
constexpr qint64 kRepaintIntervalMs = 50;
}

TProgressBar::TProgressBar(QWidget* parent) : QProgressBar(parent) {
  setTextVisible(false);
  setRange(0, max_);
  setValue(position_);
  sinceFlush_.start();
}

void TProgressBar::SetMax(int max) {
  max_ = std::max(max, 0);
  position_ = std::clamp(position_, 0, max_);
  Changed();
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, 0, max_);
  Changed();
}

void TProgressBar::Changed() {
  if (!flushQueued_) {
    // The first change since the bar was last shown: a handler has begun.
    flushQueued_ = true;
    sinceFlush_.restart();
    QMetaObject::invokeMethod(
        this, [this] { Flush(); }, Qt::QueuedConnection);
    return;
  }
  // A handler that has looped for a while without returning to the event
  // loop shows the bar moving now and then. The clock is read every few
  // calls only: reading it costs more than the rest of a call.
  if ((++calls_ & 63U) == 0 && sinceFlush_.elapsed() >= kRepaintIntervalMs) {
    Flush();
    repaint();
  }
}

void TProgressBar::Flush() {
  flushQueued_ = false;
  sinceFlush_.restart();
  // A range of 0..0 would make Qt's bar a busy indicator; an empty bar is meant.
  setRange(0, std::max(max_, 1));
  setValue(position_);
}

}  // namespace toolkit
