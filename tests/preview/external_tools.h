// Runs the tools whose files we check ourselves against: ImageMagick's
// convert, sox and soxi. Tests skip when a tool is missing.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "archive_builder.h"

namespace asrkit::testing {

inline bool HaveTool(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

#define ASRKIT_REQUIRE_TOOL(name) \
  if (!::asrkit::testing::HaveTool(name)) GTEST_SKIP() << name << " is not installed"

// Runs `command` through the shell; true when it exits 0.
inline bool RunTool(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs `command` and returns what it printed on stdout, without the last newline.
inline std::string Output(const TempDir& dir, const std::string& command) {
  const std::string path = dir / "output.txt";
  if (std::system((command + " >" + path + " 2>/dev/null").c_str()) != 0) return "(failed)";
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::string out = text.str();
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

}  // namespace asrkit::testing
