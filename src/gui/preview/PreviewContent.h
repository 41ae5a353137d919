// Everything the preview window shows for one chunk, copied out of the
// archive state when the window opens: chunks can be replaced, or another
// archive opened, while the window stays on screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "preview.h"

namespace asrkit {
struct ArchiveState;
}

namespace gui_preview {

enum class PreviewView {
  kImage,  // a decoded texture
  kSound,  // a waveform of the sound
  kHex,    // the chunk's bytes
};

struct PreviewContent {
  std::int32_t number = 0;        // 1-based, as in the grid
  std::string name;               // the resource name; empty for other chunks
  std::vector<std::string> info;  // DescribeChunk's lines
  PreviewView view = PreviewView::kHex;
  std::string facts;  // the texture's or sound's facts line; empty for other payloads
  std::string error;  // "Error: ..." when the payload could not be read in full
  asrkit::preview::RgbaImage image;
  asrkit::preview::Waveform waveform;
  asrkit::preview::HexDump hex;
};

// Columns the waveform is summarised into; the view scales them to its width.
inline constexpr std::uint32_t kWaveformColumns = 2048;

// `index` is 0-based and must name a chunk of the state's table.
PreviewContent CopyPreviewContent(const asrkit::ArchiveState& state, std::int32_t index);

}  // namespace gui_preview
