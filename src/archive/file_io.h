// The few file operations the archive model needs, behind one small interface
// so that the model never calls the operating system itself.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "result.h"

namespace asrkit {

// A file opened read-only; closed when it goes out of scope.
class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  Status Open(const std::string& path);
  // The size found by seeking to the end; the position is back at the start
  // afterwards. -1 when the seek fails.
  std::int64_t Size();
  // Reads up to buffer.size() bytes; returns how many arrived, -1 on error.
  std::int64_t Read(std::span<std::uint8_t> buffer);
  bool is_open() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

 private:
  void Close();
  int fd_ = -1;
  std::string path_;
};

// Writes every byte to `path`. A failure part-way leaves no partial file and
// an earlier file of that name as it was (a replacement is written beside it
// and renamed over). Not synced to disk: exports are cheap to redo, and a sync
// per file would make exporting 65,536 chunks crawl.
Status WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

// Creates one folder; a folder that exists already is success.
Status CreateFolder(const std::string& path);

// Moves `from` to `to`, failing without effect when `to` exists or `from` does not.
bool RenameNoReplace(const std::string& from, const std::string& to);

bool FileExists(const std::string& path);

// Writes a file beside its final name and puts it in place only once every
// byte is on disk, so a failure never leaves a half-written file under the
// final name. The temporary file is removed unless Commit succeeds.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  Status Begin(const std::string& final_path);
  // Pieces are gathered and written with one call per thousand or so, so that
  // thousands of chunks cost few system calls and no copying. The bytes must
  // stay alive until Commit.
  Status Write(std::span<const std::uint8_t> bytes);
  // Flushes and syncs the temporary file; then, if `backup_path` is not empty
  // and nothing exists there, moves an existing final file to it; then renames
  // the temporary file over the final name.
  Status Commit(const std::string& backup_path);

 private:
  Status Flush();
  Status Fail(int error);
  void Discard();

  static constexpr std::size_t kGatherPieces = 1024;

  int fd_ = -1;
  std::string final_path_;
  std::string temp_path_;
  std::vector<std::span<const std::uint8_t>> pending_;
  Status failed_;
};

}  // namespace asrkit
