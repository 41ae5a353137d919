// A whole sound drawn as one band per channel: for each column of time a
// line from its lowest to its highest sample.
#pragma once

#include <QWidget>

#include "preview.h"

namespace gui_preview {

class WaveformView : public QWidget {
  Q_OBJECT

 public:
  WaveformView(asrkit::preview::Waveform waveform, QWidget* parent);

  int channelCount() const { return static_cast<int>(waveform_.channels.size()); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  asrkit::preview::Waveform waveform_;
};

}  // namespace gui_preview
