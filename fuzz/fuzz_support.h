// What the file-writing fuzz targets share: a scratch folder in memory and a
// table of chunks built from bytes.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "archive_format.h"
#include "archive_state.h"

namespace asrkit::fuzz {

// One folder per process under /dev/shm, so file work does not touch a disk.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string pattern = "/dev/shm/asrkit-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  return folder;
}

inline void WriteScratch(const std::string& path, std::span<const std::uint8_t> bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// A table of the given chunks, as an open would leave it, with its export
// folder in the scratch folder.
inline void BuildTable(ArchiveState& state, std::span<const std::span<const std::uint8_t>> chunks) {
  const auto count = static_cast<std::int32_t>(chunks.size());
  state.ChunkCount = count;
  state.ChunkSizes.assign(chunks.size() + 1, 0);
  state.ChunkTags.assign(chunks.size() + 1, 0);
  state.ChunkBlocks.clear();
  state.ChunkBlocks.resize(chunks.size() + 1);
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    state.ChunkSizes[i] = static_cast<std::int32_t>(chunks[i].size());
    state.ChunkTags[i] = TagCode(chunks[i]);
    state.ChunkBlocks[i] = ByteBuffer::CopyOf(chunks[i]);
  }
  state.TableBuilt = true;
  state.ArchiveDir = ScratchFolder() + "/";
  state.ArchiveName = "archive";
}

}  // namespace asrkit::fuzz
