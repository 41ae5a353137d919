// What an archive operation reports back: nothing is thrown across the core's
// interface, so every fallible call returns one of these.
#pragma once

#include <string>
#include <utility>

namespace asrkit {

enum class ErrorKind {
  kNone,
  kCannotOpen,    // the file could not be opened for reading
  kTooLarge,      // 2 GiB or more: sizes are signed 32-bit throughout
  kShortRead,     // fewer bytes read than the file holds
  kCompressed,    // "AsuraCmp" header
  kUnrecognised,  // any other header, or shorter than eight bytes
  kMalformed,     // a chunk the walk cannot follow, or a resource chunk out of shape
  kOutOfRange,    // a chunk number outside the table
  kNotResource,   // the chunk is not an RSCF chunk
  kTooShort,      // a chunk file without a whole tag
  kWriteFailed,   // a file or folder could not be created or fully written
  kUnsupported,   // well formed, but in a format this build cannot decode
};

// Ok, or an error kind with a message a person can act on (path, chunk, offset, reason).
class Status {
 public:
  Status() = default;
  Status(ErrorKind kind, std::string message) : kind_(kind), message_(std::move(message)) {}

  static Status Ok() { return {}; }

  bool ok() const { return kind_ == ErrorKind::kNone; }
  explicit operator bool() const { return ok(); }
  ErrorKind kind() const { return kind_; }
  const std::string& message() const { return message_; }

 private:
  ErrorKind kind_ = ErrorKind::kNone;
  std::string message_;
};

}  // namespace asrkit
