// What `asrkit info ARCHIVE N` prints and the preview window shows beside a
// chunk: its header fields and, for a resource chunk, its payload and the
// facts of a texture or sound. One text for both front ends.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "result.h"

namespace asrkit {
struct ArchiveState;
}

namespace asrkit::preview {

struct ChunkInfo {
  // "Chunk 3 of 10", "Tag: RSCF", "Length field: 1234", "Size: 1234 bytes",
  // then for resource chunks "Resource name: ...", "Kind: DDS File",
  // "Payload: 934 bytes at offset 300" and a "Texture: ..." or "Sound: ..."
  // line; a last "Error: ..." line when something is wrong with the chunk or
  // its payload, which still leaves status ok.
  std::vector<std::string> lines;
  Status status;  // kOutOfRange when `index` names no chunk; no lines then
};

// `index` is 0-based, as everywhere in the core.
ChunkInfo DescribeChunk(const ArchiveState& state, std::int32_t index);

// The payload of a well-formed resource chunk; empty for any other chunk.
std::span<const std::uint8_t> ResourcePayload(const ArchiveState& state, std::int32_t index);

}  // namespace asrkit::preview
