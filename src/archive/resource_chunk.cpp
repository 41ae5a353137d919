#include "resource_chunk.h"

#include <algorithm>
#include <cstring>

#include "archive_format.h"
#include "archive_state.h"

namespace asrkit {

namespace {

std::int32_t Length(const ArchiveState& state, std::int32_t index) {
  return state.ChunkSizes[static_cast<std::size_t>(index)];
}

const std::uint8_t* Bytes(const ArchiveState& state, std::int32_t index) {
  return state.ChunkBlocks[static_cast<std::size_t>(index)].data();
}

bool PayloadStartsWith(const std::uint8_t* payload, std::int32_t size, const char (&sig)[5]) {
  return size >= 4 && std::memcmp(payload, sig, 4) == 0;
}

}  // namespace

std::int32_t PayloadSize(const ArchiveState& state, std::int32_t index) {
  return ReadLE32(Bytes(state, index) + kPayloadSizeOffset);
}

std::int32_t PayloadOffset(const ArchiveState& state, std::int32_t index) {
  return Length(state, index) - PayloadSize(state, index);
}

bool IsWellFormedResource(const ArchiveState& state, std::int32_t index) {
  const std::int32_t length = Length(state, index);
  if (length < kResourceNameOffset) return false;
  const std::int32_t size = PayloadSize(state, index);
  return size >= 0 && size <= length - kResourceNameOffset;
}

Status CheckResourceChunk(const ArchiveState& state, std::int32_t index) {
  const auto number = std::to_string(index + 1);
  if (state.ChunkTags[static_cast<std::size_t>(index)] != TagRSCF) {
    return {ErrorKind::kNotResource, "Chunk " + number + " is not a resource chunk"};
  }
  const std::int32_t length = Length(state, index);
  if (length < kResourceNameOffset) {
    return {ErrorKind::kMalformed, "Resource chunk " + number + " is malformed: " +
                                       std::to_string(length) + " bytes, shorter than 28"};
  }
  if (!IsWellFormedResource(state, index)) {
    return {ErrorKind::kMalformed, "Resource chunk " + number + " is malformed: payload size " +
                                       std::to_string(PayloadSize(state, index)) +
                                       " does not fit a chunk of " + std::to_string(length) +
                                       " bytes"};
  }
  return Status::Ok();
}

std::int32_t PayloadKind(const ArchiveState& state, std::int32_t index) {
  if (!IsWellFormedResource(state, index)) return kOtherPayload;
  const std::int32_t size = PayloadSize(state, index);
  const std::uint8_t* payload = Bytes(state, index) + PayloadOffset(state, index);
  if (PayloadStartsWith(payload, size, "DDS ")) return kDdsPayload;
  if (PayloadStartsWith(payload, size, "RIFF")) return kRiffPayload;
  return kOtherPayload;
}

std::string_view ResourceNameView(const ArchiveState& state, std::int32_t index) {
  const std::int32_t length = Length(state, index);
  if (length <= kResourceNameOffset) return {};
  const auto available = std::min(kResourceNameBound, length - kResourceNameOffset);
  const auto* first = reinterpret_cast<const char*>(Bytes(state, index) + kResourceNameOffset);
  const auto* end =
      static_cast<const char*>(std::memchr(first, 0, static_cast<std::size_t>(available)));
  return {first, static_cast<std::size_t>((end ? end : first + available) - first)};
}

std::string ResourceName(const ArchiveState& state, std::int32_t index) {
  return std::string(ResourceNameView(state, index));
}

std::string_view KindText(std::int32_t kind) {
  switch (kind) {
    case kDdsPayload:
      return "DDS File";
    case kRiffPayload:
      return "WAV File";
    default:
      return "File ";
  }
}

std::string_view KindExtension(std::int32_t kind) {
  switch (kind) {
    case kDdsPayload:
      return ".dds";
    case kRiffPayload:
      return ".wav";
    default:
      return ".bin";
  }
}

}  // namespace asrkit
