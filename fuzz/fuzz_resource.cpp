// An arbitrary chunk taken as a resource chunk: its name, base name and kind,
// the export of its payload, and the import of an arbitrary payload over it.
// Input: two bytes of chunk length, the chunk, then the payload file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "archive_format.h"
#include "archive_state.h"
#include "fuzz_support.h"
#include "path_parts.h"
#include "payload_file.h"
#include "resource_chunk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace asrkit;
  if (size < 2) return 0;
  const std::span<const std::uint8_t> input(data + 2, size - 2);
  const std::size_t split = std::min<std::size_t>(input.size(), data[0] | data[1] << 8);
  std::span<const std::uint8_t> chunk = input.first(split);
  const std::span<const std::uint8_t> payload_file = input.subspan(split);
  // Chunks always hold a whole tag: shorter chunk files are refused on import.
  std::uint8_t rscf[8] = {'R', 'S', 'C', 'F', 0, 0, 0, 0};
  if (chunk.size() < 4) chunk = rscf;

  ArchiveState state;
  const std::span<const std::uint8_t> chunks[] = {chunk};
  fuzz::BuildTable(state, chunks);
  (void)ResourceBaseName(ResourceName(state, 0));
  (void)PayloadKind(state, 0);
  (void)ExportPayload(state, 0);

  const std::string path = fuzz::ScratchFolder() + "/payload";
  fuzz::WriteScratch(path, payload_file);
  const bool well_formed = state.ChunkTags[0] == TagRSCF && IsWellFormedResource(state, 0);
  const std::int32_t kept = well_formed ? PayloadOffset(state, 0) : 0;
  if (ImportPayload(state, 0, path).ok()) {
    // The payload again ends the chunk, after the same kept header.
    if (!IsWellFormedResource(state, 0) || PayloadOffset(state, 0) != kept) __builtin_trap();
    if (ReadLE32(state.ChunkBlocks[0].data() + 4) != state.ChunkSizes[0]) __builtin_trap();
    (void)ExportPayload(state, 0);
  } else if (well_formed) {
    __builtin_trap();  // a readable file into a well-formed chunk must go in
  }
  return 0;
}
