#include "payload_file.h"

#include <algorithm>
#include <limits>

#include "archive_format.h"
#include "archive_state.h"
#include "file_io.h"
#include "path_parts.h"
#include "resource_chunk.h"

namespace asrkit {

std::string PayloadFilePath(const ArchiveState& state, std::int32_t index) {
  return ExportFolder(state) + ResourceBaseName(ResourceName(state, index)) +
         std::string(KindExtension(PayloadKind(state, index)));
}

PathResult ExportPayload(const ArchiveState& state, std::int32_t index) {
  if (Status status = CheckResourceChunk(state, index); !status.ok()) return {status, {}};
  CreateFolder(ExportFolder(state));  // a failure shows as the write's failure below
  std::string path = PayloadFilePath(state, index);
  const auto payload = ChunkBytes(state, index)
                           .subspan(static_cast<std::size_t>(PayloadOffset(state, index)),
                                    static_cast<std::size_t>(PayloadSize(state, index)));
  return {WriteWholeFile(path, payload), std::move(path)};
}

Status ImportPayload(ArchiveState& state, std::int32_t index, const std::string& path) {
  if (Status status = CheckResourceChunk(state, index); !status.ok()) return status;
  InputFile file;
  if (Status status = file.Open(path); !status.ok()) return status;
  const std::int64_t n = file.Size();
  if (n < 0) return {ErrorKind::kCannotOpen, "Cannot find the size of " + path};
  const std::int64_t z = PadTable[static_cast<std::size_t>(n % 4)];
  const std::int64_t k = PayloadOffset(state, index);
  if (k + n + z > std::numeric_limits<std::int32_t>::max()) {
    return {ErrorKind::kTooLarge, "Cannot load " + std::to_string(n) + " bytes: chunk " +
                                      std::to_string(index + 1) +
                                      " would grow past 2 GiB, unchanged: " + path};
  }
  const auto length = static_cast<std::int32_t>(k + n + z);
  ByteBuffer block = ByteBuffer::Zeroed(length);
  const std::int64_t read =
      file.Read(block.bytes().subspan(static_cast<std::size_t>(k), static_cast<std::size_t>(n)));
  if (read != n) {
    return {ErrorKind::kShortRead, "Read " + std::to_string(read < 0 ? 0 : read) + " of " +
                                       std::to_string(n) + " bytes, chunk unchanged: " + path};
  }
  const auto kept = ChunkBytes(state, index).first(static_cast<std::size_t>(k));
  std::copy(kept.begin(), kept.end(), block.data());
  WriteLE32(block.data() + 4, length);
  WriteLE32(block.data() + kPayloadSizeOffset, static_cast<std::int32_t>(n + z));
  ReplaceBlock(state, index, std::move(block));
  return Status::Ok();
}

}  // namespace asrkit
