#include "chunk_info.h"

#include "archive_format.h"
#include "archive_state.h"
#include "dds_decode.h"
#include "dds_header.h"
#include "resource_chunk.h"
#include "wav_info.h"

namespace asrkit::preview {

namespace {

std::string ErrorLine(const Status& status) { return "Error: " + status.message(); }

void DescribePayload(const ArchiveState& state, std::int32_t index,
                     std::vector<std::string>& lines) {
  const auto payload = ResourcePayload(state, index);
  switch (PayloadKind(state, index)) {
    case kDdsPayload: {
      const DdsHeader header = ReadDdsHeader(payload);
      lines.push_back(DdsFactsLine(header));
      if (const Status status = DecodableStatus(header); !status.ok()) {
        lines.push_back(ErrorLine(status));
      }
      break;
    }
    case kRiffPayload: {
      const WavInfo info = ReadWavInfo(payload);
      lines.push_back(WavFactsLine(info.facts));
      if (!info.status.ok()) lines.push_back(ErrorLine(info.status));
      break;
    }
    default:
      break;
  }
}

}  // namespace

std::span<const std::uint8_t> ResourcePayload(const ArchiveState& state, std::int32_t index) {
  if (index < 0 || index >= state.ChunkCount) return {};
  if (state.ChunkTags[static_cast<std::size_t>(index)] != TagRSCF) return {};
  if (!IsWellFormedResource(state, index)) return {};
  return ChunkBytes(state, index)
      .subspan(static_cast<std::size_t>(PayloadOffset(state, index)),
               static_cast<std::size_t>(PayloadSize(state, index)));
}

ChunkInfo DescribeChunk(const ArchiveState& state, std::int32_t index) {
  ChunkInfo info;
  if (!state.TableBuilt || index < 0 || index >= state.ChunkCount) {
    info.status = {ErrorKind::kOutOfRange, "Chunk " + std::to_string(index + 1) +
                                               " is out of range: the archive has " +
                                               std::to_string(state.ChunkCount) + " chunks"};
    return info;
  }
  const auto chunk = ChunkBytes(state, index);
  auto& lines = info.lines;
  lines.push_back("Chunk " + std::to_string(index + 1) + " of " + std::to_string(state.ChunkCount));
  lines.push_back("Tag: " + TagText(chunk));
  // A chunk loaded from a file may hold only its tag.
  lines.push_back("Length field: " + (chunk.size() >= kChunkHeaderSize
                                          ? std::to_string(ReadLE32(chunk.data() + 4))
                                          : std::string("none")));
  lines.push_back("Size: " + std::to_string(chunk.size()) + " bytes");
  if (state.ChunkTags[static_cast<std::size_t>(index)] != TagRSCF) return info;

  lines.push_back("Resource name: " + ResourceName(state, index));
  lines.push_back("Kind: " + std::string(KindText(PayloadKind(state, index))));
  if (const Status status = CheckResourceChunk(state, index); !status.ok()) {
    lines.push_back(ErrorLine(status));
    return info;
  }
  lines.push_back("Payload: " + std::to_string(PayloadSize(state, index)) + " bytes at offset " +
                  std::to_string(PayloadOffset(state, index)));
  DescribePayload(state, index, lines);
  return info;
}

}  // namespace asrkit::preview
