// Finding the chunks of an uncompressed archive image: a counting walk that
// refuses lengths it cannot follow, then a copying pass into the chunk table.
#pragma once

#include <cstdint>
#include <span>

#include "result.h"

namespace asrkit {

struct ArchiveState;

struct WalkResult {
  Status status;
  std::int32_t count = 0;  // chunks found; 0 when the walk was refused
};

// Walks from offset 8. After each chunk the walk goes on while four more bytes
// fit (p + 4 < size) and the next three bytes are not all zero. A length below
// 8, or a chunk (or chunk header) reaching past the image, is refused with the
// chunk's number and offset: such a walk would stall, run backwards or read
// outside the image.
WalkResult CountChunks(std::span<const std::uint8_t> image);

// Fills the table for `count` chunks: lengths, tag codes, and a copy of each
// chunk's bytes as its block. Trusts the lengths: call it only after
// CountChunks accepted them.
void CopyChunks(std::span<const std::uint8_t> image, std::int32_t count, ArchiveState& state);

}  // namespace asrkit
