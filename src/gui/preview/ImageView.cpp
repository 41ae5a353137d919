#include "ImageView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace gui_preview {

ImageView::ImageView(QImage image, QWidget* parent) : QWidget(parent), image_(std::move(image)) {
  setObjectName(QStringLiteral("PreviewImage"));
  setZoom(1.0);
}

void ImageView::setZoom(double zoom) {
  zoom_ = zoom;
  const QSize size(std::max(1, static_cast<int>(std::lround(image_.width() * zoom))),
                   std::max(1, static_cast<int>(std::lround(image_.height() * zoom))));
  setFixedSize(size);
  update();
}

QColor ImageView::CheckerColor(int x, int y) {
  const bool dark = ((x / kCheckerSize) + (y / kCheckerSize)) % 2 != 0;
  return dark ? QColor(0x99, 0x99, 0x99) : QColor(0xCC, 0xCC, 0xCC);
}

void ImageView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  const int first_x = area.left() / kCheckerSize * kCheckerSize;
  const int first_y = area.top() / kCheckerSize * kCheckerSize;
  for (int y = first_y; y <= area.bottom(); y += kCheckerSize) {
    for (int x = first_x; x <= area.right(); x += kCheckerSize) {
      painter.fillRect(x, y, kCheckerSize, kCheckerSize, CheckerColor(x, y));
    }
  }
  // Zoomed in, each texel stays a sharp square; zoomed out, smoothing keeps
  // fine detail from flickering away.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ < 1.0);
  painter.drawImage(rect(), image_);
}

void ImageView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || !onZoomStep) {
    event->ignore();  // the scroll area scrolls
    return;
  }
  const int delta = event->angleDelta().y();
  if (delta != 0) onZoomStep(delta > 0 ? 1 : -1);
  event->accept();
}

}  // namespace gui_preview
