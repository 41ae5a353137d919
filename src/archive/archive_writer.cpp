#include "archive_writer.h"

#include <array>

#include "archive_format.h"
#include "archive_state.h"
#include "file_io.h"
#include "messages.h"

namespace asrkit {

namespace {

std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::string BackupName(const std::string& path) { return path + std::string(msg::kBackupSuffix); }

Status SaveArchive(const ArchiveState& state, const std::string& path, ProgressSink& progress) {
  AtomicFileWriter writer;
  if (Status status = writer.Begin(path); !status.ok()) return status;
  if (Status status = writer.Write(AsBytes(kUncompressedHeader)); !status.ok()) return status;
  progress.SetMax(state.ChunkCount);
  for (std::int32_t i = 0; i < state.ChunkCount; ++i) {
    if (Status status = writer.Write(ChunkBytes(state, i)); !status.ok()) return status;
    progress.SetPosition(i);
  }
  constexpr std::array<std::uint8_t, kTerminatorSize> kTerminator{};
  if (Status status = writer.Write(kTerminator); !status.ok()) return status;
  return writer.Commit(BackupName(path));
}

}  // namespace asrkit
