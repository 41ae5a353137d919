#include "chunk_walk.h"

#include "archive_format.h"
#include "archive_state.h"

namespace asrkit {

namespace {

Status Refuse(std::int32_t number, std::int64_t offset, const std::string& why) {
  return {ErrorKind::kMalformed, "Malformed archive: chunk " + std::to_string(number) +
                                     " at offset " + std::to_string(offset) + " " + why};
}

}  // namespace

WalkResult CountChunks(std::span<const std::uint8_t> image) {
  const auto size = static_cast<std::int64_t>(image.size());
  std::int64_t p = kHeaderSize;
  std::int32_t n = 0;
  while (true) {
    const std::int32_t number = n + 1;
    if (p + kChunkHeaderSize > size) {
      return {Refuse(number, p,
                     "has no room for its 8-byte header in a file of " + std::to_string(size) +
                         " bytes"),
              0};
    }
    const std::int32_t length = ReadLE32(image.data() + p + 4);
    if (length < kChunkHeaderSize) {
      return {Refuse(number, p, "has length " + std::to_string(length) + ", below 8"), 0};
    }
    if (p + length > size) {
      return {Refuse(number, p,
                     "has length " + std::to_string(length) +
                         " and runs past the end of the file (" + std::to_string(size) + " bytes)"),
              0};
    }
    p += length;
    ++n;
    if (!(p + 4 < size && (image[p] != 0 || image[p + 1] != 0 || image[p + 2] != 0))) break;
  }
  return {Status::Ok(), n};
}

void CopyChunks(std::span<const std::uint8_t> image, std::int32_t count, ArchiveState& state) {
  const auto entries = static_cast<std::size_t>(count) + 1;
  state.ChunkSizes.assign(entries, 0);
  state.ChunkTags.assign(entries, 0);
  std::size_t p = kHeaderSize;
  for (std::size_t j = 0; j < static_cast<std::size_t>(count); ++j) {
    const auto chunk = image.subspan(p);
    state.ChunkTags[j] = TagCode(chunk);
    state.ChunkSizes[j] = ReadLE32(chunk.data() + 4);
    p += static_cast<std::size_t>(state.ChunkSizes[j]);
  }
  // The chunks lie back to back, so one copy takes them all; each block is
  // then a window on it until a command gives that chunk a block of its own.
  const auto all = image.subspan(kHeaderSize, p - kHeaderSize);
  state.ChunkBlocks = ByteBuffer::Share(ByteBuffer::CopyOf(all), state.ChunkSizes);
}

}  // namespace asrkit
