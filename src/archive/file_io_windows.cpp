// The file layer on Windows. Paths arrive as UTF-8 and go to the wide API, so
// that names outside the ANSI code page work. The descriptors the header keeps
// are C runtime descriptors wrapping the Windows handles.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <random>
#include <system_error>
#include <utility>

#include "file_io.h"

namespace asrkit {

namespace {

// ERROR_DIRECTORY_NOT_SUPPORTED, which older MinGW headers lack.
constexpr DWORD kErrorIsFolder = 336;

// Errors that have a POSIX twin read the same as on POSIX, so that messages
// do not depend on the platform; the rest keep Windows' own text.
std::string Reason(DWORD error) {
  int posix = 0;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      posix = ENOENT;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      posix = EACCES;
      break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      posix = EEXIST;
      break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      posix = ENOSPC;
      break;
    case kErrorIsFolder:
      posix = EISDIR;
      break;
    case ERROR_FILENAME_EXCED_RANGE:
      posix = ENAMETOOLONG;
      break;
    case ERROR_WRITE_PROTECT:
      posix = EROFS;
      break;
    default:
      break;
  }
  if (posix != 0) return std::generic_category().message(posix);
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason;
  if (length > 0) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                           nullptr, nullptr);
    reason.resize(static_cast<std::size_t>(std::max(size, 0)));
    ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), reason.data(), size, nullptr,
                          nullptr);
  }
  ::LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
    reason.pop_back();
  return reason.empty() ? "Windows error " + std::to_string(error) : reason;
}

Status WriteError(const std::string& path, DWORD error) {
  return {ErrorKind::kWriteFailed, "Cannot write " + path + ": " + Reason(error)};
}

// UTF-8 to UTF-16 for the wide API; a path that is not UTF-8 names no file.
bool Wide(const std::string& path, std::wstring& wide) {
  wide.clear();
  if (path.empty()) return true;
  if (path.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return false;
  const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                         static_cast<int>(path.size()), nullptr, 0);
  if (size <= 0) return false;
  wide.resize(static_cast<std::size_t>(size));
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                        wide.data(), size);
  // An embedded NUL would quietly name another file.
  return wide.find(L'\0') == std::wstring::npos;
}

std::wstring WideOrEmpty(const std::string& path) {
  std::wstring wide;
  if (!Wide(path, wide)) wide.clear();
  return wide;
}

DWORD Attributes(const std::string& path) {
  std::wstring wide;
  if (!Wide(path, wide) || wide.empty()) return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesW(wide.c_str());
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens or creates a file and wraps its handle in a C runtime descriptor.
// Returns the descriptor, or -1 with `error` set.
int OpenHandle(const std::string& path, DWORD access, DWORD disposition, DWORD& error) {
  std::wstring wide;
  if (!Wide(path, wide) || wide.empty()) {
    error = ERROR_INVALID_NAME;
    return -1;
  }
  const HANDLE handle =
      ::CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = ::GetLastError();
    return -1;
  }
  const int flags = access == GENERIC_READ ? _O_RDONLY : _O_WRONLY;
  const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(handle), flags | _O_BINARY);
  if (fd < 0) {
    error = ERROR_TOO_MANY_OPEN_FILES;
    ::CloseHandle(handle);
  }
  return fd;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

// Closes the descriptor and its handle; returns 0 or the error.
DWORD CloseFd(int fd) {
  const HANDLE handle = HandleOf(fd);
  // Closing the handle first tells its error; _close then frees the descriptor.
  const DWORD error = ::CloseHandle(handle) ? 0 : ::GetLastError();
  ::_close(fd);
  return error;
}

bool RemoveFile(const std::string& path) {
  std::wstring wide;
  if (!Wide(path, wide) || wide.empty()) return false;
  // A read-only file cannot be deleted on Windows.
  ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  return ::DeleteFileW(wide.c_str()) != 0;
}

// Moves `from` to `to`, replacing `to` when asked; returns 0 or the error.
DWORD Move(const std::string& from, const std::string& to, bool replace) {
  std::wstring wide_from, wide_to;
  if (!Wide(from, wide_from) || !Wide(to, wide_to) || wide_from.empty() || wide_to.empty()) {
    return ERROR_INVALID_NAME;
  }
  const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING : 0;
  return ::MoveFileExW(wide_from.c_str(), wide_to.c_str(), flags) ? 0 : ::GetLastError();
}

// Writes all of `bytes`, resuming after short writes; returns 0 or the error.
DWORD WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  const HANDLE handle = HandleOf(fd);
  constexpr std::size_t kMostPerCall = std::size_t{1} << 30;
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto want = static_cast<DWORD>(std::min(bytes.size(), kMostPerCall));
    if (!::WriteFile(handle, bytes.data(), want, &written, nullptr)) return ::GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes = bytes.subspan(written);
  }
  return 0;
}

// A short name in the target's folder: the same volume, so the final move is
// a rename, and short, so a long target name still fits.
std::string TempNameBeside(const std::string& final_path) {
  static std::minstd_rand random{std::random_device{}()};
  const auto cut = final_path.find_last_of("/\\:");
  const std::string folder = cut == std::string::npos ? "" : final_path.substr(0, cut + 1);
  return folder + ".asrkit-" + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(random() % 1000000);
}

// Creates a new file beside `final_path` under a name nobody else uses.
// Returns the descriptor, or -1 with `error` set.
int CreateTempBeside(const std::string& final_path, std::string& temp_path, DWORD& error) {
  if (IsFolder(final_path)) {
    error = kErrorIsFolder;
    return -1;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = TempNameBeside(final_path);
    const int fd = OpenHandle(candidate, GENERIC_WRITE, CREATE_NEW, error);
    if (fd >= 0) {
      temp_path = std::move(candidate);
      return fd;
    }
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return -1;
  }
  error = ERROR_FILE_EXISTS;
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
  if (fd_ >= 0) CloseFd(fd_);
  fd_ = -1;
}

Status InputFile::Open(const std::string& path) {
  Close();
  path_ = path;
  // A folder cannot be opened without backup semantics; say why, as POSIX would.
  if (IsFolder(path)) {
    return {ErrorKind::kCannotOpen, "Cannot open (" + Reason(kErrorIsFolder) + "): " + path};
  }
  DWORD error = 0;
  fd_ = OpenHandle(path, GENERIC_READ, OPEN_EXISTING, error);
  if (fd_ < 0) return {ErrorKind::kCannotOpen, "Cannot open (" + Reason(error) + "): " + path};
  // Devices (NUL, CON, COM1) and pipes are no archives.
  if (::GetFileType(HandleOf(fd_)) != FILE_TYPE_DISK) {
    Close();
    return {ErrorKind::kCannotOpen, "Cannot open (not a regular file): " + path};
  }
  return Status::Ok();
}

std::int64_t InputFile::Size() {
  const HANDLE handle = HandleOf(fd_);
  LARGE_INTEGER end{};
  if (!::SetFilePointerEx(handle, LARGE_INTEGER{}, &end, FILE_END) ||
      !::SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
    return -1;
  }
  return end.QuadPart;
}

std::int64_t InputFile::Read(std::span<std::uint8_t> buffer) {
  const HANDLE handle = HandleOf(fd_);
  constexpr std::size_t kMostPerCall = std::size_t{1} << 30;
  std::size_t total = 0;
  while (total < buffer.size()) {
    DWORD n = 0;
    const auto want = static_cast<DWORD>(std::min(buffer.size() - total, kMostPerCall));
    if (!::ReadFile(handle, buffer.data() + total, want, &n, nullptr)) return -1;
    if (n == 0) break;
    total += n;
  }
  return static_cast<std::int64_t>(total);
}

Status WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  // With no file of that name there is nothing to protect: write in place and
  // remove the file again on failure. Only a replacement goes through a
  // temporary file, which costs a rename.
  std::string temp_path;
  DWORD error = 0;
  int fd = OpenHandle(path, GENERIC_WRITE, CREATE_NEW, error);
  if (fd < 0) {
    // Windows says "access denied" for a folder of that name.
    const bool exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                        (error == ERROR_ACCESS_DENIED && IsFolder(path));
    if (!exists) return WriteError(path, error);
    fd = CreateTempBeside(path, temp_path, error);
    if (fd < 0) return WriteError(path, error);
  }
  error = WriteAll(fd, bytes);
  if (const DWORD closed = CloseFd(fd); closed != 0 && error == 0) error = closed;
  if (error == 0 && !temp_path.empty()) error = Move(temp_path, path, true);
  if (error == 0) return Status::Ok();
  RemoveFile(temp_path.empty() ? path : temp_path);
  return WriteError(path, error);
}

Status CreateFolder(const std::string& path) {
  std::wstring wide;
  DWORD error = ERROR_INVALID_NAME;
  if (Wide(path, wide) && !wide.empty()) {
    if (::CreateDirectoryW(wide.c_str(), nullptr)) return Status::Ok();
    error = ::GetLastError();
  }
  if (error == ERROR_ALREADY_EXISTS) return Status::Ok();
  return {ErrorKind::kWriteFailed, "Cannot create folder " + path + ": " + Reason(error)};
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  return Move(from, to, false) == 0;
}

bool FileExists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) CloseFd(fd_);
  fd_ = -1;
  if (!temp_path_.empty()) RemoveFile(temp_path_);
  temp_path_.clear();
}

Status AtomicFileWriter::Fail(int error) {
  Discard();
  failed_ = WriteError(final_path_, static_cast<DWORD>(error));
  return failed_;
}

Status AtomicFileWriter::Begin(const std::string& final_path) {
  Discard();
  final_path_ = final_path;
  failed_ = Status::Ok();
  pending_.clear();
  pending_.reserve(kGatherPieces);
  DWORD error = 0;
  fd_ = CreateTempBeside(final_path, temp_path_, error);
  return fd_ < 0 ? Fail(static_cast<int>(error)) : Status::Ok();
}

Status AtomicFileWriter::Flush() {
  // Windows has no gathered write for ordinary buffered files: one call per piece.
  DWORD error = 0;
  for (const auto piece : pending_) {
    error = WriteAll(fd_, piece);
    if (error != 0) break;
  }
  pending_.clear();
  return error == 0 ? Status::Ok() : Fail(static_cast<int>(error));
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
  if (!::FlushFileBuffers(HandleOf(fd_))) return Fail(static_cast<int>(::GetLastError()));
  const int fd = std::exchange(fd_, -1);
  if (const DWORD error = CloseFd(fd); error != 0) return Fail(static_cast<int>(error));
  // The new archive keeps the attributes of the one it replaces.
  constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (const DWORD existing = Attributes(final_path_);
      existing != INVALID_FILE_ATTRIBUTES && (existing & kKept) != 0) {
    ::SetFileAttributesW(WideOrEmpty(temp_path_).c_str(), existing & kKept);
  }
  const bool moved_aside = !backup_path.empty() && RenameNoReplace(final_path_, backup_path);
  if (const DWORD error = Move(temp_path_, final_path_, true); error != 0) {
    if (moved_aside) RenameNoReplace(backup_path, final_path_);
    return Fail(static_cast<int>(error));
  }
  temp_path_.clear();
  return Status::Ok();
}

}  // namespace asrkit
