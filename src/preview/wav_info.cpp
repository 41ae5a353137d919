#include "wav_info.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "sound_file.h"

namespace asrkit::preview {

namespace {

std::uint32_t U32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
std::uint16_t U16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

// The "fmt " and "data" chunks as the file states them, found by a walk that
// stays within the bytes. Used to tell a lying data size, and for the facts
// when libsndfile refuses the file.
struct RiffLayout {
  bool has_format = false;
  WavFacts facts;
  std::uint16_t block_align = 0;
  bool has_data = false;
  std::uint64_t data_declared = 0;
  std::uint64_t data_present = 0;
};

RiffLayout WalkRiff(std::span<const std::uint8_t> bytes) {
  RiffLayout layout;
  std::size_t at = 12;
  while (bytes.size() >= 8 && at <= bytes.size() - 8) {
    const std::uint8_t* head = bytes.data() + at;
    const std::uint64_t declared = U32(head + 4);
    const std::size_t body = at + 8;
    const std::uint64_t present = std::min<std::uint64_t>(declared, bytes.size() - body);
    if (std::memcmp(head, "fmt ", 4) == 0 && present >= 16 && !layout.has_format) {
      const std::uint8_t* fmt = bytes.data() + body;
      layout.has_format = true;
      layout.facts.channels = U16(fmt + 2);
      layout.facts.sample_rate =
          static_cast<std::int32_t>(std::min<std::uint32_t>(U32(fmt + 4), 0x7FFFFFFF));
      layout.block_align = U16(fmt + 12);
      layout.facts.bits = U16(fmt + 14);
    } else if (std::memcmp(head, "data", 4) == 0 && !layout.has_data) {
      layout.has_data = true;
      layout.data_declared = declared;
      layout.data_present = present;
    }
    if (present < declared) break;
    at = body + static_cast<std::size_t>(declared) + (declared & 1);
  }
  if (layout.has_data && layout.block_align > 0) {
    layout.facts.frames = static_cast<std::int64_t>(layout.data_present / layout.block_align);
  }
  if (layout.facts.sample_rate > 0) {
    layout.facts.duration_seconds =
        static_cast<double>(layout.facts.frames) / layout.facts.sample_rate;
  }
  return layout;
}

std::int32_t SubtypeBits(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
      return 8;
    case SF_FORMAT_PCM_16:
      return 16;
    case SF_FORMAT_PCM_24:
      return 24;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
      return 32;
    case SF_FORMAT_DOUBLE:
      return 64;
    case SF_FORMAT_IMA_ADPCM:
    case SF_FORMAT_MS_ADPCM:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

WavInfo ReadWavInfo(std::span<const std::uint8_t> payload) {
  WavInfo result;
  const SoundFile sound(payload);
  if (!IsRiffWave(payload)) {
    result.status = {ErrorKind::kMalformed, sound.error()};
    return result;
  }
  const RiffLayout layout = WalkRiff(payload);
  if (!sound.is_open()) {
    result.facts = layout.facts;
    result.status = {ErrorKind::kMalformed, "cannot read the sound: " + sound.error()};
    return result;
  }
  const SF_INFO& info = sound.info();
  result.facts.channels = info.channels;
  result.facts.sample_rate = info.samplerate;
  result.facts.bits = SubtypeBits(info.format);
  result.facts.frames = info.frames;
  if (info.samplerate > 0) {
    result.facts.duration_seconds = static_cast<double>(info.frames) / info.samplerate;
  }
  if (!layout.has_data) {
    result.status = {ErrorKind::kMalformed, "no data chunk: the sound holds no samples"};
  } else if (layout.data_present < layout.data_declared) {
    result.status = {ErrorKind::kMalformed, "sound data cut short: the data chunk states " +
                                                std::to_string(layout.data_declared) +
                                                " bytes, the payload holds " +
                                                std::to_string(layout.data_present)};
  }
  return result;
}

std::string WavFactsLine(const WavFacts& facts) {
  char duration[32];
  std::snprintf(duration, sizeof duration, "%.3f s", facts.duration_seconds);
  const auto plural = [](std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + (n == 1 ? one : many);
  };
  std::string line = "Sound: " + plural(facts.channels, " channel", " channels") + ", " +
                     std::to_string(facts.sample_rate) + " Hz, ";
  line += facts.bits > 0 ? std::to_string(facts.bits) + " bits" : std::string("? bits");
  line += ", " + plural(facts.frames, " frame", " frames") + ", " + duration;
  return line;
}

}  // namespace asrkit::preview
