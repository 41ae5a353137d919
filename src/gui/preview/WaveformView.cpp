#include "WaveformView.h"

#include <QPainter>
#include <algorithm>

namespace gui_preview {

WaveformView::WaveformView(asrkit::preview::Waveform waveform, QWidget* parent)
    : QWidget(parent), waveform_(std::move(waveform)) {
  setObjectName(QStringLiteral("PreviewWaveform"));
  setMinimumSize(200, 60 * std::max(1, channelCount()));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize WaveformView::sizeHint() const { return {760, 140 * std::max(1, channelCount())}; }

void WaveformView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x20, 0x24, 0x28));
  const int bands = channelCount();
  if (bands == 0 || width() <= 0) return;
  const int band_height = height() / bands;
  for (int band = 0; band < bands; ++band) {
    const auto& columns = waveform_.channels[static_cast<std::size_t>(band)];
    const int top = band * band_height;
    const double middle = top + band_height / 2.0;
    const double half = (band_height - 4) / 2.0;
    painter.setPen(QColor(0x50, 0x58, 0x60));
    painter.drawLine(0, static_cast<int>(middle), width(), static_cast<int>(middle));
    if (band > 0) painter.drawLine(0, top, width(), top);
    if (columns.empty()) continue;
    painter.setPen(QColor(0x6C, 0xC4, 0x6C));
    // Each screen column shows the extremes of the summary columns under it.
    const double per_pixel = static_cast<double>(columns.size()) / width();
    for (int x = 0; x < width(); ++x) {
      const auto first = static_cast<std::size_t>(x * per_pixel);
      const auto last = std::max(first + 1, static_cast<std::size_t>((x + 1) * per_pixel));
      float low = 1.0F;
      float high = -1.0F;
      for (std::size_t c = first; c < std::min(last, columns.size()); ++c) {
        low = std::min(low, columns[c].min);
        high = std::max(high, columns[c].max);
      }
      if (low > high) continue;
      painter.drawLine(x, static_cast<int>(middle - high * half), x,
                       static_cast<int>(middle - low * half));
    }
  }
}

}  // namespace gui_preview
