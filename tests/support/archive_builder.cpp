#include "archive_builder.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace asrkit::testing {

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

void AppendLE32(Bytes& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(bits >> shift));
}

Bytes Chunk(std::string_view tag, const Bytes& body) {
  Bytes out = ToBytes(tag.substr(0, 4));
  out.resize(4, 0);
  AppendLE32(out, static_cast<std::int32_t>(body.size() + 8));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes PlainChunk(std::string_view tag, std::int32_t length) {
  Bytes body(static_cast<std::size_t>(length - 8));
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return Chunk(tag, body);
}

Bytes ResourceChunk(std::string_view name, const Bytes& payload, const Bytes& gap) {
  Bytes body;
  for (std::uint8_t i = 0; i < 16; ++i) body.push_back(static_cast<std::uint8_t>(0xA0 + i));
  AppendLE32(body, static_cast<std::int32_t>(payload.size()));
  body.insert(body.end(), name.begin(), name.end());
  body.push_back(0);
  body.insert(body.end(), gap.begin(), gap.end());
  body.insert(body.end(), payload.begin(), payload.end());
  return Chunk("RSCF", body);
}

Bytes Archive(const std::vector<Bytes>& chunks, bool terminator) {
  Bytes out = ToBytes("Asura   ");
  for (const auto& chunk : chunks) out.insert(out.end(), chunk.begin(), chunk.end());
  if (terminator) out.insert(out.end(), 4, 0);
  return out;
}

Bytes Payload(std::string_view signature, std::size_t size) {
  Bytes out = ToBytes(signature);
  out.resize(std::max(size, out.size()));
  for (std::size_t i = signature.size(); i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(i);
  out.resize(size);
  return out;
}

std::filesystem::path PathOf(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string NativePath(std::string path) {
#ifdef _WIN32
  std::replace(path.begin(), path.end(), '/', '\\');
#endif
  return path;
}

TempDir::TempDir() {
#ifdef _WIN32
  // No mkdtemp: a random name, and create_directory says whether it was new.
  std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    auto candidate = std::filesystem::temp_directory_path() /
                     ("asrkit-test-" + std::to_string(random() % 1000000000));
    if (std::filesystem::create_directory(candidate)) path_ = candidate;
  }
  if (path_.empty()) throw std::runtime_error("cannot make a temporary folder");
#else
  std::string pattern = (std::filesystem::temp_directory_path() / "asrkit-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
#endif
}

TempDir::~TempDir() {
  std::error_code ignored;
  // A test may leave a folder without write access behind; give it back first.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace asrkit::testing
