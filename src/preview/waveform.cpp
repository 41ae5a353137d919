#include "waveform.h"

#include <algorithm>
#include <limits>
#include <string>

#include "sound_file.h"

namespace asrkit::preview {

namespace {

constexpr std::uint32_t kMaxColumns = 65536;
constexpr std::size_t kBlockSamples = 1 << 16;

}  // namespace

Waveform SummariseWaveform(std::span<const std::uint8_t> payload, std::uint32_t columns) {
  Waveform result;
  const SoundFile sound(payload);
  if (!sound.is_open()) {
    result.status = {ErrorKind::kMalformed, "cannot read the sound: " + sound.error()};
    return result;
  }
  const SF_INFO& info = sound.info();
  const auto channels = static_cast<std::size_t>(std::max(info.channels, 1));
  const std::int64_t frames = info.frames;
  columns = std::clamp<std::uint32_t>(columns, 1, kMaxColumns);
  if (frames <= 0) {
    result.channels.assign(channels, std::vector<WaveColumn>(columns));
    return result;
  }

  constexpr float kFar = std::numeric_limits<float>::max();
  result.channels.assign(channels, std::vector<WaveColumn>(columns, WaveColumn{kFar, -kFar}));
  // Column c covers frames [start(c), max(start(c) + 1, start(c + 1))): every
  // column has a frame, and with fewer frames than columns a frame fills all
  // the columns that start on it. The cap keeps c * frames within 64 bits.
  const std::int64_t spread = std::min<std::int64_t>(frames, std::int64_t{1} << 40);
  const auto start = [&](std::uint32_t c) { return c * spread / columns; };
  const auto end = [&](std::uint32_t c) {
    return c + 1 == columns ? std::numeric_limits<std::int64_t>::max()
                            : std::max(start(c) + 1, start(c + 1));
  };

  const std::size_t block_frames = std::max<std::size_t>(1, kBlockSamples / channels);
  std::vector<float> block(block_frames * channels);
  std::int64_t frame = 0;
  std::uint32_t column = 0;
  while (frame < frames) {
    const sf_count_t got =
        sf_readf_float(sound.handle(), block.data(), static_cast<sf_count_t>(block_frames));
    if (got <= 0) break;
    for (sf_count_t f = 0; f < got && frame < frames; ++f, ++frame) {
      while (end(column) <= frame) ++column;
      const float* samples = block.data() + static_cast<std::size_t>(f) * channels;
      for (std::uint32_t c = column; c < columns && start(c) <= frame; ++c) {
        for (std::size_t ch = 0; ch < channels; ++ch) {
          WaveColumn& cell = result.channels[ch][c];
          cell.min = std::min(cell.min, samples[ch]);
          cell.max = std::max(cell.max, samples[ch]);
        }
      }
    }
  }
  for (auto& channel : result.channels) {
    for (WaveColumn& cell : channel) {
      if (cell.min > cell.max) cell = {};
    }
  }
  if (frame < frames) {
    result.status = {ErrorKind::kMalformed, "the samples end after " + std::to_string(frame) +
                                                " of " + std::to_string(frames) + " frames"};
  }
  return result;
}

}  // namespace asrkit::preview
