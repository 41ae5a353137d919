// A decoded texture drawn at a zoom factor, its alpha over a checkerboard so
// that transparent parts can be told from black or white ones.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace gui_preview {

class ImageView : public QWidget {
  Q_OBJECT

 public:
  ImageView(QImage image, QWidget* parent);

  QSize imageSize() const { return image_.size(); }
  double zoom() const { return zoom_; }
  // Resizes the view to the image's size times `zoom`.
  void setZoom(double zoom);

  // Called with +1 or -1 for each ctrl+wheel step, in or out.
  std::function<void(int)> onZoomStep;

  // The squares behind the image: light and dark grey, 8 screen pixels.
  static constexpr int kCheckerSize = 8;
  static QColor CheckerColor(int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QImage image_;
  double zoom_ = 1.0;
};

}  // namespace gui_preview
