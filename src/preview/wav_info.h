// The facts of a RIFF WAVE sound, read through libsndfile from memory.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "result.h"

namespace asrkit::preview {

struct WavFacts {
  // Zero where they could not be read; bits is 0 for encodings without a
  // sample size (GSM and the like).
  std::int32_t channels = 0;
  std::int32_t sample_rate = 0;
  std::int32_t bits = 0;
  std::int64_t frames = 0;
  double duration_seconds = 0;
};

struct WavInfo {
  WavFacts facts;  // what could be read, also on failure
  Status status;   // kMalformed when libsndfile refuses it or the data is cut short
};

WavInfo ReadWavInfo(std::span<const std::uint8_t> payload);

// "Sound: 2 channels, 22050 Hz, 16 bits, 11025 frames, 0.500 s".
std::string WavFactsLine(const WavFacts& facts);

}  // namespace asrkit::preview
