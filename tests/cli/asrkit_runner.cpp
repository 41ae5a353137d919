#include "asrkit_runner.h"

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

extern char** environ;
#endif

namespace asrkit::testing {

// Windows starts the child in asrkit_runner_windows.cpp.
#ifndef _WIN32
namespace {

// A file that holds one stream of the child; removed with the object.
class CaptureFile {
 public:
  CaptureFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "asrkit-out-XXXXXX").string();
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) throw std::runtime_error("mkstemp failed");
    path_ = pattern;
  }
  ~CaptureFile() {
    ::close(fd_);
    ::unlink(path_.c_str());
  }
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;

  int fd() const { return fd_; }
  std::string Read() const {
    std::string text;
    char buffer[65536];
    ::lseek(fd_, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) {
      text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
  }

 private:
  int fd_ = -1;
  std::string path_;
};

}  // namespace

CliResult RunAsrkit(const std::vector<std::string>& args) {
  CaptureFile out;
  CaptureFile err;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out.fd(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err.fd(), STDERR_FILENO);

  std::vector<std::string> argv_text{ASRKIT_BINARY};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& arg : argv_text) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, ASRKIT_BINARY, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " ASRKIT_BINARY);

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("waitpid failed");
  }
  CliResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = out.Read();
  result.err = err.Read();
  return result;
}
#endif

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace asrkit::testing
