// A summary of a whole sound for drawing: the lowest and highest sample of
// each channel in each of a number of equal columns of time.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "result.h"

namespace asrkit::preview {

struct WaveColumn {
  float min = 0;  // samples scaled to -1..1
  float max = 0;
};

struct Waveform {
  std::vector<std::vector<WaveColumn>> channels;  // [channel][column]
  Status status;  // kMalformed when unreadable or when the samples end early
};

// `columns` columns per channel (at most 65536), each covering at least one
// frame; a sound of fewer frames repeats frames across columns.
Waveform SummariseWaveform(std::span<const std::uint8_t> payload, std::uint32_t columns);

}  // namespace asrkit::preview
