#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <utility>

#include "file_io.h"

namespace asrkit {

namespace {

std::string Reason(int error) { return std::generic_category().message(error); }

Status WriteError(const std::string& path, int error) {
  return {ErrorKind::kWriteFailed, "Cannot write " + path + ": " + Reason(error)};
}

// Writes all of `bytes`, resuming after short writes; returns 0 or an errno.
int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return 0;
}

// Writes all the pieces with as few calls as the kernel allows, resuming
// after short writes; returns 0 or an errno.
int WriteAllGathered(int fd, std::span<std::span<const std::uint8_t>> pieces) {
  std::vector<iovec> vectors;
  vectors.reserve(pieces.size());
  for (const auto piece : pieces) {
    vectors.push_back({const_cast<std::uint8_t*>(piece.data()), piece.size()});
  }
  std::span<iovec> rest(vectors);
  while (!rest.empty()) {
    const int count = static_cast<int>(std::min<std::size_t>(rest.size(), IOV_MAX));
    ssize_t n = ::writev(fd, rest.data(), count);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    while (!rest.empty() && static_cast<std::size_t>(n) >= rest.front().iov_len) {
      n -= static_cast<ssize_t>(rest.front().iov_len);
      rest = rest.subspan(1);
    }
    if (!rest.empty()) {
      rest.front().iov_base = static_cast<std::uint8_t*>(rest.front().iov_base) + n;
      rest.front().iov_len -= static_cast<std::size_t>(n);
    }
  }
  return 0;
}

// A short hidden name in the target's folder: the same file system, so the
// final rename is atomic, and short, so a long target name still fits.
std::string TempNameBeside(const std::string& final_path) {
  static std::minstd_rand random{std::random_device{}()};
  const auto slash = final_path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : final_path.substr(0, slash + 1);
  return folder + ".asrkit-" + std::to_string(::getpid()) + "-" +
         std::to_string(random() % 1000000);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Creates a new file beside `final_path` under a name nobody else uses.
// Returns the descriptor, or -1 with errno set.
int CreateTempBeside(const std::string& final_path, std::string& temp_path) {
  if (IsFolder(final_path)) {
    errno = EISDIR;
    return -1;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = TempNameBeside(final_path);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      temp_path = std::move(candidate);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

InputFile::~InputFile() { Close(); }

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

void InputFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Status InputFile::Open(const std::string& path) {
  Close();
  path_ = path;
  // Non-blocking, so that a FIFO is refused below instead of waiting for a writer.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) return {ErrorKind::kCannotOpen, "Cannot open (" + Reason(errno) + "): " + path};
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    const std::string why = S_ISDIR(info.st_mode) ? Reason(EISDIR) : "not a regular file";
    Close();
    return {ErrorKind::kCannotOpen, "Cannot open (" + why + "): " + path};
  }
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  return Status::Ok();
}

std::int64_t InputFile::Size() {
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  if (end < 0 || ::lseek(fd_, 0, SEEK_SET) < 0) return -1;
  return end;
}

std::int64_t InputFile::Read(std::span<std::uint8_t> buffer) {
  std::size_t total = 0;
  while (total < buffer.size()) {
    const ssize_t n = ::read(fd_, buffer.data() + total, buffer.size() - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    total += static_cast<std::size_t>(n);
  }
  return static_cast<std::int64_t>(total);
}

Status WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  // With no file of that name there is nothing to protect: write in place and
  // remove the file again on failure. Only a replacement goes through a
  // temporary file, which costs a rename.
  std::string temp_path;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno != EEXIST) return WriteError(path, errno);
    fd = CreateTempBeside(path, temp_path);
    if (fd < 0) return WriteError(path, errno);
  }
  int error = WriteAll(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && !temp_path.empty() && ::rename(temp_path.c_str(), path.c_str()) != 0) {
    error = errno;
  }
  if (error == 0) return Status::Ok();
  ::unlink(temp_path.empty() ? path.c_str() : temp_path.c_str());
  return WriteError(path, error);
}

Status CreateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) return Status::Ok();
  return {ErrorKind::kWriteFailed, "Cannot create folder " + path + ": " + Reason(errno)};
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: a hard link refuses an existing name too.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return false;
  // Nor links (FAT, exFAT): look before moving. Nobody else writes there
  // meanwhile in practice, and a backup beats losing the file.
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0 || errno != ENOENT) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_path_.empty()) ::unlink(temp_path_.c_str());
  temp_path_.clear();
}

Status AtomicFileWriter::Fail(int error) {
  Discard();
  failed_ = WriteError(final_path_, error);
  return failed_;
}

Status AtomicFileWriter::Begin(const std::string& final_path) {
  Discard();
  final_path_ = final_path;
  failed_ = Status::Ok();
  pending_.clear();
  pending_.reserve(kGatherPieces);
  fd_ = CreateTempBeside(final_path, temp_path_);
  return fd_ < 0 ? Fail(errno) : Status::Ok();
}

Status AtomicFileWriter::Flush() {
  const int error = WriteAllGathered(fd_, pending_);
  pending_.clear();
  return error == 0 ? Status::Ok() : Fail(error);
}

Status AtomicFileWriter::Write(std::span<const std::uint8_t> bytes) {
  if (!failed_.ok() || fd_ < 0) return failed_;
  if (!bytes.empty()) pending_.push_back(bytes);
  return pending_.size() < kGatherPieces ? Status::Ok() : Flush();
}

Status AtomicFileWriter::Commit(const std::string& backup_path) {
  if (!failed_.ok() || fd_ < 0) return failed_;
  if (Status status = Flush(); !status.ok()) return status;
  // The user's archive: on disk before the old one is moved aside.
  if (::fsync(fd_) != 0) return Fail(errno);
  // The new archive keeps the permissions of the one it replaces.
  struct stat existing {};
  if (::stat(final_path_.c_str(), &existing) == 0) ::fchmod(fd_, existing.st_mode & 07777);
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) return Fail(errno);
  const bool moved_aside = !backup_path.empty() && RenameNoReplace(final_path_, backup_path);
  if (::rename(temp_path_.c_str(), final_path_.c_str()) != 0) {
    const int error = errno;
    if (moved_aside) RenameNoReplace(backup_path, final_path_);
    return Fail(error);
  }
  temp_path_.clear();
  return Status::Ok();
}

}  // namespace asrkit
