// The inner layout of RSCF chunks: payload size at 24, resource name at 28,
// payload at the chunk's end; and the payload kinds by their signatures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "result.h"

namespace asrkit {

struct ArchiveState;

inline constexpr std::int32_t kPayloadSizeOffset = 24;
inline constexpr std::int32_t kResourceNameOffset = 28;
inline constexpr std::int32_t kResourceNameBound = 256;

enum PayloadKindCode : std::int32_t { kOtherPayload = 0, kDdsPayload = 1, kRiffPayload = 2 };

// Bytes 24..27 of chunk i, little-endian. Callers make sure the chunk holds them.
std::int32_t PayloadSize(const ArchiveState& state, std::int32_t index);
// ChunkSizes[i] - PayloadSize(i): where the payload starts, and the length of the kept header.
std::int32_t PayloadOffset(const ArchiveState& state, std::int32_t index);

// At least 28 bytes, and a payload size from 0 to length - 28.
bool IsWellFormedResource(const ArchiveState& state, std::int32_t index);
// Says why chunk i is not a resource chunk the payload commands can work on.
Status CheckResourceChunk(const ArchiveState& state, std::int32_t index);

// 1 for "DDS ", 2 for "RIFF", 0 otherwise; 0 too for a chunk out of shape,
// so that nothing outside the chunk is read.
std::int32_t PayloadKind(const ArchiveState& state, std::int32_t index);

// The bytes from offset 28 up to the first NUL, at most 256 of them and never
// past the chunk's end.
std::string ResourceName(const ArchiveState& state, std::int32_t index);
// The same bytes as a view into the chunk's block, valid while the block is.
std::string_view ResourceNameView(const ArchiveState& state, std::int32_t index);

// "DDS File", "WAV File" or "File ", as the chunk list shows them.
std::string_view KindText(std::int32_t kind);
// ".dds", ".wav" or ".bin".
std::string_view KindExtension(std::int32_t kind);

}  // namespace asrkit
