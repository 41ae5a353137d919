// The preview behind the Edit button: a separate, non-modal window showing a
// texture, a sound's waveform or a chunk's bytes, with the chunk's info lines.
// It works from its own copy of what it shows and never touches the archive.
#pragma once

#include <QImage>
#include <QWidget>

#include "PreviewContent.h"

class QComboBox;

namespace gui_preview {

class ImageView;

class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  // A top-level window owned by `owner`, deleted when closed.
  PreviewWindow(PreviewContent content, QWidget* owner);

  // The zoom steps offered, in percent; 100 is where a window starts.
  static constexpr int kZoomPercents[] = {25, 50, 100, 200, 400, 800};

 private:
  QWidget* BuildImage(QImage image);
  QWidget* BuildHex(const asrkit::preview::HexDump& hex);

  ImageView* image_ = nullptr;
  QComboBox* zoom_ = nullptr;
};

// Copies chunk `index` (0-based) of `state` and shows it in a new window.
PreviewWindow* OpenPreview(const asrkit::ArchiveState& state, std::int32_t index, QWidget* owner);

}  // namespace gui_preview
