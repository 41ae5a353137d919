// Builds archive bytes and chunk bytes for tests, so that every fixture is
// made by the test that needs it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace asrkit::testing {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::string_view text);
void AppendLE32(Bytes& out, std::int32_t value);

// A chunk: 4-byte tag, little-endian length of the whole chunk, then `body`.
Bytes Chunk(std::string_view tag, const Bytes& body);
// A chunk of exactly `length` bytes (>= 8) whose body is a counting pattern.
Bytes PlainChunk(std::string_view tag, std::int32_t length);

// An RSCF chunk: 16 filler bytes (8..23), the payload size, the resource name
// and its NUL, `gap` bytes, then the payload, which ends the chunk.
Bytes ResourceChunk(std::string_view name, const Bytes& payload, const Bytes& gap = {});

// "Asura   " + chunks + (optionally) the four-byte terminator.
Bytes Archive(const std::vector<Bytes>& chunks, bool terminator = true);

// A payload that starts with the given signature ("DDS ", "RIFF", ...).
Bytes Payload(std::string_view signature, std::size_t size);

// Paths in the core are UTF-8 strings on every platform; these cross to and
// from std::filesystem without the ANSI code page Windows would use.
std::filesystem::path PathOf(std::string_view utf8);
std::string Utf8(const std::filesystem::path& path);

// `path` spelt with the platform's separator, as the archive core builds
// paths: every '/' becomes '\\' on Windows.
std::string NativePath(std::string path);

// A fresh folder under the system's temporary folder, removed with the object.
// Paths made from it use the platform's separator.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(std::string_view name) const {
    return NativePath(Utf8(path_ / PathOf(name)));
  }
  // The folder's path ending in a separator, as the core keeps a folder.
  std::string AsFolder() const { return *this / ""; }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::string& path, std::span<const std::uint8_t> bytes);
Bytes ReadFile(const std::string& path);

}  // namespace asrkit::testing
