// Runs the built asrkit as a child process and captures what it says.
#pragma once

#include <string>
#include <vector>

namespace asrkit::testing {

struct CliResult {
  int exit_code = -1;  // 128 + signal when the child was killed
  std::string out;
  std::string err;
};

CliResult RunAsrkit(const std::vector<std::string>& args);

// The text split at newlines; a last line without newline counts too.
std::vector<std::string> Lines(const std::string& text);

}  // namespace asrkit::testing
