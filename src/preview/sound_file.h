// libsndfile over a payload in memory. Internal to the preview library: the
// callers see only WavInfo and Waveform.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <span>
#include <string>

namespace asrkit::preview {

// Opens RIFF WAVE bytes for reading; closed when it goes out of scope. Only
// "RIFF....WAVE" is handed to libsndfile, so that no other of its readers
// ever sees a payload.
class SoundFile {
 public:
  explicit SoundFile(std::span<const std::uint8_t> bytes);
  ~SoundFile();
  SoundFile(const SoundFile&) = delete;
  SoundFile& operator=(const SoundFile&) = delete;

  bool is_open() const { return handle_ != nullptr; }
  SNDFILE* handle() const { return handle_; }
  const SF_INFO& info() const { return info_; }
  // Why the open failed; empty when it did not.
  const std::string& error() const { return error_; }

 private:
  struct Source {
    std::span<const std::uint8_t> bytes;
    sf_count_t position = 0;
  };
  static sf_count_t Length(void* user);
  static sf_count_t Seek(sf_count_t offset, int whence, void* user);
  static sf_count_t Read(void* out, sf_count_t count, void* user);
  static sf_count_t Write(const void* in, sf_count_t count, void* user);
  static sf_count_t Tell(void* user);

  Source source_;
  SF_VIRTUAL_IO io_{};
  SF_INFO info_{};
  SNDFILE* handle_ = nullptr;
  std::string error_;
};

// True for "RIFF", four bytes, "WAVE".
bool IsRiffWave(std::span<const std::uint8_t> bytes);

}  // namespace asrkit::preview
