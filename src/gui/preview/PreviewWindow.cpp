#include "PreviewWindow.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "ImageView.h"
#include "WaveformView.h"
#include "toolkit/Text.h"

namespace gui_preview {

namespace {

using toolkit::AnsiToString;

QLabel* Line(const std::string& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(AnsiToString(text), parent);
  label->setObjectName(QLatin1String(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setVisible(!text.empty());
  return label;
}

QPlainTextEdit* TextPanel(const QStringList& lines, const char* name, QWidget* parent) {
  auto* text = new QPlainTextEdit(parent);
  text->setObjectName(QLatin1String(name));
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setPlainText(lines.join(QLatin1Char('\n')));
  return text;
}

QImage ToQImage(const asrkit::preview::RgbaImage& image) {
  QImage out(static_cast<int>(image.width), static_cast<int>(image.height),
             QImage::Format_RGBA8888);
  if (out.isNull()) return out;  // more than Qt will allocate
  const std::size_t row = std::size_t{image.width} * 4;
  for (std::uint32_t y = 0; y < image.height; ++y) {
    std::memcpy(out.scanLine(static_cast<int>(y)), image.pixels.data() + y * row, row);
  }
  return out;
}

QString WindowTitle(const PreviewContent& content) {
  QString title = QStringLiteral("Preview: chunk %1").arg(content.number);
  if (!content.name.empty()) title += QStringLiteral(" - ") + AnsiToString(content.name);
  return title;
}

}  // namespace

PreviewWindow::PreviewWindow(PreviewContent content, QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("PreviewWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(WindowTitle(content));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Line(content.facts, "PreviewFacts", this));
  QLabel* error = Line(content.error, "PreviewError", this);
  error->setStyleSheet(QStringLiteral("color: #b00020"));
  layout->addWidget(error);

  QSize size(720, 560);
  switch (content.view) {
    case PreviewView::kImage: {
      QImage image = ToQImage(content.image);
      if (image.isNull()) {
        error->setText(QStringLiteral("Error: the texture is too large to show"));
        error->show();
      }
      size = size.expandedTo(image.size() + QSize(60, 260)).boundedTo(QSize(1100, 860));
      layout->addWidget(BuildImage(std::move(image)), 1);
      break;
    }
    case PreviewView::kSound:
      layout->addWidget(new WaveformView(std::move(content.waveform), this), 1);
      break;
    case PreviewView::kHex:
      layout->addWidget(BuildHex(content.hex), 1);
      break;
  }

  QStringList info;
  for (const std::string& line : content.info) info << AnsiToString(line);
  QPlainTextEdit* panel = TextPanel(info, "PreviewInfo", this);
  panel->setFixedHeight(panel->fontMetrics().lineSpacing() * 9);
  layout->addWidget(panel);
  resize(size);
}

QWidget* PreviewWindow::BuildImage(QImage image) {
  auto* area = new QWidget(this);
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* bar = new QHBoxLayout;
  bar->addWidget(new QLabel(QStringLiteral("Zoom:"), area));
  zoom_ = new QComboBox(area);
  zoom_->setObjectName(QStringLiteral("PreviewZoom"));
  for (int percent : kZoomPercents) zoom_->addItem(QStringLiteral("%1%").arg(percent), percent);
  zoom_->setCurrentIndex(zoom_->findData(100));
  bar->addWidget(zoom_);
  bar->addStretch(1);
  layout->addLayout(bar);

  auto* scroll = new QScrollArea(area);
  scroll->setObjectName(QStringLiteral("PreviewScroll"));
  scroll->setAlignment(Qt::AlignCenter);
  image_ = new ImageView(std::move(image), scroll);
  scroll->setWidget(image_);
  layout->addWidget(scroll, 1);

  connect(zoom_, &QComboBox::currentIndexChanged, image_,
          [this] { image_->setZoom(zoom_->currentData().toInt() / 100.0); });
  image_->onZoomStep = [this](int step) {
    zoom_->setCurrentIndex(std::clamp(zoom_->currentIndex() + step, 0, zoom_->count() - 1));
  };
  return area;
}

QWidget* PreviewWindow::BuildHex(const asrkit::preview::HexDump& hex) {
  QStringList lines;
  for (const auto& line : hex.lines) lines << AnsiToString(asrkit::preview::FormatHexLine(line));
  std::size_t shown = 0;
  for (const auto& line : hex.lines) shown = line.offset + asrkit::preview::kHexLineBytes;
  shown = std::min(shown, hex.total);
  if (hex.total > shown) {
    lines << QStringLiteral("... %1 more bytes not shown").arg(hex.total - shown);
  }
  QPlainTextEdit* text = TextPanel(lines, "PreviewHex", this);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return text;
}

PreviewWindow* OpenPreview(const asrkit::ArchiveState& state, std::int32_t index, QWidget* owner) {
  auto* window = new PreviewWindow(CopyPreviewContent(state, index), owner);
  // Beside the main window when the screen has room, so the chunk list stays in view.
  if (owner != nullptr && owner->screen() != nullptr) {
    const QRect room = owner->screen()->availableGeometry();
    const QPoint beside = owner->frameGeometry().topRight() + QPoint(8, 0);
    if (room.contains(QRect(beside, window->size()))) window->move(beside);
  }
  window->show();
  return window;
}

}  // namespace gui_preview
