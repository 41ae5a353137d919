// Payload files: the embedded file of a resource chunk, exported under the
// resource's base name, and replaced from any file padded to a multiple of four.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "chunk_file.h"
#include "result.h"

namespace asrkit {

struct ArchiveState;

// Zero bytes appended to a file of n bytes: PadTable[n mod 4].
inline constexpr std::array<std::int32_t, 4> PadTable{0, 3, 2, 1};

// ExportFolder + the resource's base name + the kind's extension.
std::string PayloadFilePath(const ArchiveState& state, std::int32_t index);

// Writes chunk i's payload to its payload file. Refuses a chunk that is not a
// well-formed resource chunk.
PathResult ExportPayload(const ArchiveState& state, std::int32_t index);

// Replaces chunk i's payload with the bytes of `path` and the zero padding,
// keeping every byte before the payload but the chunk length (4..7) and the
// payload size (24..27). Refuses, leaving the chunk as it was, a chunk that is
// not a well-formed resource chunk, a file that cannot be opened (kCannotOpen)
// or read in full, and a file whose new chunk length would not fit 32 bits.
Status ImportPayload(ArchiveState& state, std::int32_t index, const std::string& path);

}  // namespace asrkit
