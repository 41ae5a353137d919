#include "PreviewContent.h"

#include "archive_format.h"
#include "archive_state.h"
#include "resource_chunk.h"

namespace gui_preview {

namespace {

namespace pv = asrkit::preview;

std::string ErrorLine(const asrkit::Status& status) { return "Error: " + status.message(); }

void CopyTexture(std::span<const std::uint8_t> payload, PreviewContent& content) {
  pv::DdsImage dds = pv::DecodeDds(payload);
  content.facts = pv::DdsFactsLine(dds.header);
  if (!dds.status.ok()) {
    content.error = ErrorLine(dds.status);
    return;
  }
  content.image = std::move(dds.image);
  content.view = PreviewView::kImage;
}

void CopySound(std::span<const std::uint8_t> payload, PreviewContent& content) {
  const pv::WavInfo info = pv::ReadWavInfo(payload);
  content.facts = pv::WavFactsLine(info.facts);
  content.waveform = pv::SummariseWaveform(payload, kWaveformColumns);
  const asrkit::Status& status = !info.status.ok() ? info.status : content.waveform.status;
  if (!status.ok()) content.error = ErrorLine(status);
  // A sound cut short still shows the samples that are there.
  if (!content.waveform.channels.empty()) content.view = PreviewView::kSound;
}

}  // namespace

PreviewContent CopyPreviewContent(const asrkit::ArchiveState& state, std::int32_t index) {
  PreviewContent content;
  content.number = index + 1;
  content.info = pv::DescribeChunk(state, index).lines;
  const bool resource = state.ChunkTags[static_cast<std::size_t>(index)] == asrkit::TagRSCF;
  if (resource) content.name = asrkit::ResourceName(state, index);
  // Empty unless the resource chunk is well formed, so a chunk out of shape
  // falls through to the hex view with its error in the info lines.
  const auto payload = pv::ResourcePayload(state, index);
  if (resource && !payload.empty()) {
    switch (asrkit::PayloadKind(state, index)) {
      case asrkit::kDdsPayload:
        CopyTexture(payload, content);
        break;
      case asrkit::kRiffPayload:
        CopySound(payload, content);
        break;
      default:
        break;
    }
  }
  // Offsets in the hex view are the chunk's, as in the info's payload offset.
  if (content.view == PreviewView::kHex)
    content.hex = pv::DumpHex(asrkit::ChunkBytes(state, index));
  return content;
}

}  // namespace gui_preview
