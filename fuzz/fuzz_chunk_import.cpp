// An arbitrary chunk file imported over a chunk of a small archive, which is
// then saved and opened again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "archive_format.h"
#include "archive_state.h"
#include "archive_writer.h"
#include "chunk_file.h"
#include "fuzz_support.h"
#include "open_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace asrkit;
  static const std::uint8_t first[] = {'T', 'E', 'S', 'T', 12, 0, 0, 0, 1, 2, 3, 4};
  static const std::uint8_t second[] = {'N', 'E', 'X', 'T', 8, 0, 0, 0};
  ArchiveState state;
  const std::span<const std::uint8_t> chunks[] = {first, second};
  fuzz::BuildTable(state, chunks);

  const std::string chunk_path = fuzz::ScratchFolder() + "/chunk.bin";
  fuzz::WriteScratch(chunk_path, {data, size});
  const bool taken = ReadChunkFile(state, 0, chunk_path).ok();
  if (taken != (size >= 4)) __builtin_trap();

  const std::string archive_path = fuzz::ScratchFolder() + "/saved.asr";
  if (!SaveArchive(state, archive_path).ok()) __builtin_trap();
  ArchiveState reopened;
  const bool opened = OpenArchive(reopened, archive_path).ok();
  // A chunk file whose length field tells the truth comes back as it went in.
  if (taken && size >= 8 && ReadLE32(data + 4) == static_cast<std::int32_t>(size)) {
    if (!opened || reopened.ChunkCount != 2) __builtin_trap();
    const auto back = ChunkBytes(reopened, 0);
    if (!std::equal(back.begin(), back.end(), data, data + size)) __builtin_trap();
  }
  return 0;
}
