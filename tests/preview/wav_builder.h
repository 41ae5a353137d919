// RIFF WAVE payloads made byte by byte: PCM with chosen samples, and files
// whose chunks lie about their sizes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "archive_builder.h"

namespace asrkit::testing {

inline void AppendLE16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendTag(Bytes& out, std::string_view tag) {
  out.insert(out.end(), tag.begin(), tag.end());
}

struct WavLayout {
  std::uint16_t channels = 1;
  std::uint32_t rate = 8000;
  std::uint16_t bits = 16;
  // When set, the data chunk states this size whatever follows it.
  std::optional<std::uint32_t> data_size;
  bool with_data = true;
};

// 16-bit samples, interleaved.
inline Bytes Wav(const WavLayout& layout, const std::vector<std::int16_t>& samples) {
  Bytes data;
  for (std::int16_t s : samples) AppendLE16(data, static_cast<std::uint16_t>(s));
  Bytes out;
  AppendTag(out, "RIFF");
  AppendLE32(out, 0);  // set below
  AppendTag(out, "WAVE");
  AppendTag(out, "fmt ");
  AppendLE32(out, 16);
  AppendLE16(out, 1);  // PCM
  AppendLE16(out, layout.channels);
  AppendLE32(out, static_cast<std::int32_t>(layout.rate));
  const auto block = static_cast<std::uint16_t>(layout.channels * layout.bits / 8);
  AppendLE32(out, static_cast<std::int32_t>(layout.rate * block));
  AppendLE16(out, block);
  AppendLE16(out, layout.bits);
  if (layout.with_data) {
    AppendTag(out, "data");
    AppendLE32(out, static_cast<std::int32_t>(
                        layout.data_size.value_or(static_cast<std::uint32_t>(data.size()))));
    out.insert(out.end(), data.begin(), data.end());
  }
  const auto riff_size = static_cast<std::int32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i)
    out[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riff_size >> (8 * i));
  return out;
}

}  // namespace asrkit::testing
