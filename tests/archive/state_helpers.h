// Chunk tables for tests, either opened from a file the test writes (so that
// the export folder and the flags are what a real open leaves) or put together
// directly, which also allows tables an open would refuse.
#pragma once

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "archive_builder.h"
#include "archive_format.h"
#include "archive_state.h"
#include "open_archive.h"
#include "progress.h"

namespace asrkit::testing {

// Writes `bytes` as dir/name and opens it; fails the test if the open fails.
inline void OpenBytes(ArchiveState& state, const TempDir& dir, const Bytes& bytes,
                      const std::string& name = "level1.asr") {
  const std::string path = dir / name;
  WriteFile(path, bytes);
  const Status status = OpenArchive(state, path);
  ASSERT_TRUE(status.ok()) << status.message();
}

// A built table holding `chunks` as they are, whose export folder is
// `folder` + "level1/". `sizes`, when given, overrides the table lengths.
inline void BuildTable(ArchiveState& state, const std::vector<Bytes>& chunks,
                       const std::string& folder = "/nonexistent/",
                       const std::vector<std::int32_t>& sizes = {}) {
  state.ChunkCount = static_cast<std::int32_t>(chunks.size());
  state.ChunkSizes.assign(chunks.size() + 1, 0);
  state.ChunkTags.assign(chunks.size() + 1, 0);
  state.ChunkBlocks.clear();
  state.ChunkBlocks.resize(chunks.size() + 1);
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    state.ChunkSizes[i] = sizes.empty() ? static_cast<std::int32_t>(chunks[i].size()) : sizes[i];
    state.ChunkTags[i] = TagCode(chunks[i]);
    state.ChunkBlocks[i] = ByteBuffer::CopyOf(chunks[i]);
  }
  state.TableBuilt = true;
  state.ArchiveDir = folder;
  state.ArchiveName = "level1";
}

inline Bytes ToVector(std::span<const std::uint8_t> bytes) {
  return Bytes(bytes.begin(), bytes.end());
}

// The names in a folder, to show that nothing was left behind.
inline std::set<std::string> Listing(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(Utf8(entry.path().filename()));
  return names;
}

#ifndef _WIN32
// Runs `write` in a child process that may write no file past `limit` bytes,
// which turns a full disk into a real short write. Returns the child's exit
// code: 0 when `write` succeeded, 1 when it failed as a write failure, 2 for
// any other failure, 3 when the limit could not be set, -1 when it crashed.
inline int WithFileSizeLimit(rlim_t limit, const std::function<Status()>& write) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limits{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &limits) != 0) ::_exit(3);
    const Status status = write();
    ::_exit(status.ok() ? 0 : status.kind() == ErrorKind::kWriteFailed ? 1 : 2);
  }
  int wait_status = 0;
  if (::waitpid(child, &wait_status, 0) != child || !WIFEXITED(wait_status)) return -1;
  return WEXITSTATUS(wait_status);
}
#endif

// A progress sink that remembers what it was told.
struct RecordingProgress : ProgressSink {
  std::vector<std::int32_t> maxima;
  std::vector<std::int32_t> positions;
  void SetMax(std::int32_t max) override { maxima.push_back(max); }
  void SetPosition(std::int32_t position) override { positions.push_back(position); }
};

// Test names may hold only letters, digits and underscores.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

// A failing case is shown by its name rather than as a dump of its bytes.
// Each test file brings it in with `using testing::PrintTo;`.
template <typename Case>
requires requires(const Case& c) { std::string_view(c.name); }
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

}  // namespace asrkit::testing
