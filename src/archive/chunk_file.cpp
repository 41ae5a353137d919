#include "chunk_file.h"

#include <limits>

#include "archive_format.h"
#include "archive_state.h"
#include "file_io.h"
#include "path_parts.h"

namespace asrkit {

std::string ChunkFileName(std::int32_t index) {
  return "BLOCK." + std::to_string(static_cast<std::int64_t>(index) + 1) + ".bin";
}

Status WriteChunkFile(const ArchiveState& state, std::int32_t index, const std::string& path) {
  return WriteWholeFile(path, ChunkBytes(state, index));
}

Status ReadChunkFile(ArchiveState& state, std::int32_t index, const std::string& path) {
  InputFile file;
  if (Status status = file.Open(path); !status.ok()) return status;
  const std::int64_t size = file.Size();
  if (size < 0) return {ErrorKind::kCannotOpen, "Cannot find the size of " + path};
  if (size > std::numeric_limits<std::int32_t>::max()) {
    return {ErrorKind::kTooLarge, "Cannot load a chunk file of 2 GiB or more: " + path};
  }
  if (size < 4) {
    return {ErrorKind::kTooShort, "Cannot load a chunk file of " + std::to_string(size) +
                                      " bytes, shorter than its 4-byte tag: " + path};
  }
  ByteBuffer block = ByteBuffer::Uninitialised(static_cast<std::int32_t>(size));
  const std::int64_t read = file.Read(block.bytes());
  if (read != size) {
    return {ErrorKind::kShortRead, "Read " + std::to_string(read < 0 ? 0 : read) + " of " +
                                       std::to_string(size) + " bytes, chunk unchanged: " + path};
  }
  ReplaceBlock(state, index, std::move(block));
  return Status::Ok();
}

PathResult ExportChunk(const ArchiveState& state, std::int32_t index) {
  const std::string folder = ExportFolder(state);
  CreateFolder(folder);  // a failure shows as the write's failure below
  std::string path = folder + ChunkFileName(index);
  return {WriteChunkFile(state, index, path), std::move(path)};
}

ExportAllResult ExportAllChunks(const ArchiveState& state, ProgressSink& progress,
                                const std::function<void(const Status&)>& report) {
  ExportAllResult result;
  progress.SetMax(state.ChunkCount);
  progress.SetPosition(0);
  if (state.ChunkCount == 0) return result;
  // Once, not once a chunk: creating an existing folder 65,536 times is waste.
  const std::string folder = ExportFolder(state);
  CreateFolder(folder);
  for (std::int32_t i = 0; i < state.ChunkCount; ++i) {
    Status status = WriteChunkFile(state, i, folder + ChunkFileName(i));
    if (status.ok()) {
      ++result.written;
    } else {
      ++result.failed;
      report(status);
    }
    progress.SetPosition(i);
  }
  return result;
}

}  // namespace asrkit
