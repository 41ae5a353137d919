// Arbitrary bytes as an opened file: recognition, walk, copy, and every list
// row's texts (tag, kind, resource name), as the window would show them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "archive_format.h"
#include "archive_state.h"
#include "chunk_walk.h"
#include "open_archive.h"
#include "resource_chunk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace asrkit;
  ArchiveState state;
  state.ArchiveImage = ByteBuffer::CopyOf({data, size});
  state.ImageLoaded = true;
  state.ArchiveImageSize = static_cast<std::int32_t>(size);
  OpenListener quiet;
  if (!ParseArchiveImage(state, quiet).ok()) return 0;
  if (state.ImageLoaded || !state.TableBuilt) __builtin_trap();
  std::int64_t total = kHeaderSize;
  for (std::int32_t i = 0; i < state.ChunkCount; ++i) {
    total += state.ChunkSizes[static_cast<std::size_t>(i)];
    (void)TagText(ChunkBytes(state, i));
    if (state.ChunkTags[static_cast<std::size_t>(i)] == TagRSCF) {
      (void)ResourceName(state, i);
      (void)KindText(PayloadKind(state, i));
    }
  }
  // Every accepted chunk lies inside the file.
  if (total > static_cast<std::int64_t>(size)) __builtin_trap();
  FreeChunkTable(state);
  return 0;
}
