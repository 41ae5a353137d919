#include "archive_state.h"

#include <utility>

#include "archive_format.h"

namespace asrkit {

void FreeImage(ArchiveState& state) {
  if (!state.ImageLoaded) return;
  state.ArchiveImage = ByteBuffer();
  state.ImageLoaded = false;
}

void FreeChunkTable(ArchiveState& state) {
  if (!state.TableBuilt) return;
  // Blocks first, in index order, then the arrays.
  for (auto& block : state.ChunkBlocks) block = ByteBuffer();
  state.ChunkBlocks = std::vector<ByteBuffer>();
  state.ChunkTags = std::vector<std::int32_t>();
  state.ChunkSizes = std::vector<std::int32_t>();
  state.TableBuilt = false;
  state.ChunkCount = 0;
}

std::span<const std::uint8_t> ChunkBytes(const ArchiveState& state, std::int32_t index) {
  const auto i = static_cast<std::size_t>(index);
  return state.ChunkBlocks[i].bytes().first(static_cast<std::size_t>(state.ChunkSizes[i]));
}

bool IsChunkRow(const ArchiveState& state, std::int32_t row) {
  return row >= 1 && row <= state.ChunkCount;
}

void ReplaceBlock(ArchiveState& state, std::int32_t index, ByteBuffer block) {
  const auto i = static_cast<std::size_t>(index);
  state.ChunkSizes[i] = block.size();
  state.ChunkTags[i] = TagCode(block.bytes());
  state.ChunkBlocks[i] = std::move(block);
}

}  // namespace asrkit
