// Chunk files: one chunk's bytes exactly as the archive holds them, named
// "BLOCK.<number>.bin" in the archive's export folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "progress.h"
#include "result.h"

namespace asrkit {

struct ArchiveState;

// "BLOCK." + (index + 1) + ".bin"
std::string ChunkFileName(std::int32_t index);

// Writes chunk i's bytes, as many as its ChunkSizes entry, to `path`.
Status WriteChunkFile(const ArchiveState& state, std::int32_t index, const std::string& path);

// Replaces chunk i with the whole content of the file at `path`: the table
// length becomes the file's size and the tag code is taken from its first four
// bytes; the length field inside is left as the file holds it. A file that
// cannot be opened or read in full, is shorter than four bytes, or is 2 GiB or
// more is refused and the chunk left unchanged.
Status ReadChunkFile(ArchiveState& state, std::int32_t index, const std::string& path);

struct PathResult {
  Status status;
  std::string path;  // where the file went, or was meant to go
};

// Creates the export folder and writes chunk i's file into it.
PathResult ExportChunk(const ArchiveState& state, std::int32_t index);

struct ExportAllResult {
  std::int32_t written = 0;
  std::int32_t failed = 0;
};

// Writes every chunk's file; each failure is handed to `report` and the rest
// go on. Progress: maximum ChunkCount, position 0, then i after chunk i.
ExportAllResult ExportAllChunks(const ArchiveState& state, ProgressSink& progress,
                                const std::function<void(const Status&)>& report);

}  // namespace asrkit
