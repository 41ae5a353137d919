// The preview's readers of untrusted payloads: DDS header and decode, WAV
// facts and waveform, hex view, and the info lines of a resource chunk that
// holds the payload. Input: one byte that picks the signature put in front
// ("DDS ", "RIFF....WAVE" or none), then the rest of the payload.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "archive_format.h"
#include "archive_state.h"
#include "chunk_info.h"
#include "dds_decode.h"
#include "fuzz_support.h"
#include "hex_dump.h"
#include "wav_info.h"
#include "waveform.h"

namespace {

std::vector<std::uint8_t> Payload(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> payload;
  switch (data[0] % 3) {
    case 0:
      payload = {'D', 'D', 'S', ' '};
      break;
    case 1:
      payload = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
      break;
    default:
      break;
  }
  payload.insert(payload.end(), data + 1, data + size);
  return payload;
}

// An RSCF chunk whose payload is `payload`, as the walk would have it.
std::vector<std::uint8_t> ResourceChunk(std::span<const std::uint8_t> payload) {
  std::vector<std::uint8_t> chunk(32, 0);
  const auto length = static_cast<std::int32_t>(chunk.size() + payload.size());
  const std::uint8_t tag[] = {'R', 'S', 'C', 'F'};
  std::copy(std::begin(tag), std::end(tag), chunk.begin());
  asrkit::WriteLE32(chunk.data() + 4, length);
  asrkit::WriteLE32(chunk.data() + 24, static_cast<std::int32_t>(payload.size()));
  chunk[28] = 'x';
  chunk.insert(chunk.end(), payload.begin(), payload.end());
  return chunk;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace asrkit;
  using namespace asrkit::preview;
  if (size < 1) return 0;
  const std::vector<std::uint8_t> payload = Payload(data, size);

  const DdsImage dds = DecodeDds(payload);
  if (dds.status.ok()) {
    const DdsHeader& h = dds.header;
    if (h.data_offset + h.top_level_size > payload.size()) __builtin_trap();
    if (dds.image.pixels.size() != std::size_t{h.width} * h.height * 4) __builtin_trap();
  } else if (!dds.image.empty()) {
    __builtin_trap();  // pixels only with an ok status
  }

  (void)ReadWavInfo(payload);
  constexpr std::uint32_t kColumns = 37;
  const Waveform waveform = SummariseWaveform(payload, kColumns);
  for (const auto& channel : waveform.channels) {
    if (channel.size() != kColumns) __builtin_trap();
    for (const WaveColumn& column : channel) {
      if (column.min > column.max) __builtin_trap();
    }
  }

  const HexDump hex = DumpHex(payload, 4096);
  if (hex.lines.size() != (std::min<std::size_t>(payload.size(), 4096) + 15) / 16) __builtin_trap();

  ArchiveState state;
  const std::vector<std::uint8_t> chunk = ResourceChunk(payload);
  const std::span<const std::uint8_t> chunks[] = {chunk};
  fuzz::BuildTable(state, chunks);
  if (DescribeChunk(state, 0).lines.empty()) __builtin_trap();
  return 0;
}
