// Everything held about the opened archive: the file image while it is being
// parsed, the chunk table built from it, and the opened file's path parts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "byte_buffer.h"

namespace asrkit {

struct ArchiveState {
  // The whole opened file; one spare byte past the file data.
  ByteBuffer ArchiveImage;
  std::int32_t ArchiveImageSize = 0;  // set only after a complete read
  bool ImageLoaded = false;

  // Chunk i: its length, its tag code and its block (header included). The
  // arrays carry one unused entry past the last chunk, as they always have.
  std::int32_t ChunkCount = 0;
  std::vector<std::int32_t> ChunkSizes;
  std::vector<std::int32_t> ChunkTags;
  std::vector<ByteBuffer> ChunkBlocks;
  bool TableBuilt = false;

  // Path parts of the opened file; they name the export folder.
  std::string ArchiveDrive;
  std::string ArchiveDir;
  std::string ArchiveName;
  std::string ArchiveExt;
};

// Both may be called at any time: the flags say what is held.
void FreeImage(ArchiveState& state);
void FreeChunkTable(ArchiveState& state);

// The bytes of chunk i that form the chunk: as many as its ChunkSizes entry.
std::span<const std::uint8_t> ChunkBytes(const ArchiveState& state, std::int32_t index);

// Grid row r shows chunk r - 1; true when r names a chunk of the table.
bool IsChunkRow(const ArchiveState& state, std::int32_t row);

// Puts a new block in place of chunk i's, releasing the old one.
void ReplaceBlock(ArchiveState& state, std::int32_t index, ByteBuffer block);

}  // namespace asrkit
