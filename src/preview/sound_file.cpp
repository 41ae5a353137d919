#include "sound_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace asrkit::preview {

bool IsRiffWave(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
         std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

SoundFile::SoundFile(std::span<const std::uint8_t> bytes) : source_{bytes, 0} {
  if (!IsRiffWave(bytes)) {
    error_ = "not a RIFF WAVE sound: it does not start with \"RIFF\" and \"WAVE\"";
    return;
  }
  io_ = {&Length, &Seek, &Read, &Write, &Tell};
  handle_ = sf_open_virtual(&io_, SFM_READ, &info_, &source_);
  if (handle_ == nullptr) error_ = sf_strerror(nullptr);
}

SoundFile::~SoundFile() {
  if (handle_ != nullptr) sf_close(handle_);
}

sf_count_t SoundFile::Length(void* user) {
  return static_cast<sf_count_t>(static_cast<Source*>(user)->bytes.size());
}

sf_count_t SoundFile::Seek(sf_count_t offset, int whence, void* user) {
  auto& source = *static_cast<Source*>(user);
  const auto size = static_cast<sf_count_t>(source.bytes.size());
  sf_count_t base = 0;
  if (whence == SEEK_CUR) base = source.position;
  if (whence == SEEK_END) base = size;
  // Positions past the end are allowed, as for a file; reads there find nothing.
  if (offset < -base || offset > std::numeric_limits<sf_count_t>::max() - base) return -1;
  source.position = base + offset;
  return source.position;
}

sf_count_t SoundFile::Read(void* out, sf_count_t count, void* user) {
  auto& source = *static_cast<Source*>(user);
  const auto size = static_cast<sf_count_t>(source.bytes.size());
  if (count <= 0 || source.position >= size) return 0;
  const sf_count_t n = std::min(count, size - source.position);
  std::memcpy(out, source.bytes.data() + source.position, static_cast<std::size_t>(n));
  source.position += n;
  return n;
}

sf_count_t SoundFile::Write(const void*, sf_count_t, void*) { return 0; }

sf_count_t SoundFile::Tell(void* user) { return static_cast<Source*>(user)->position; }

}  // namespace asrkit::preview
