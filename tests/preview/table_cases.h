// What the tables of cases share: each row has a `name`, which names the
// test and is what a failure prints in place of the row's raw bytes.
#pragma once

#include <ostream>
#include <string>

namespace asrkit::testing {
namespace {

template <typename Case>
requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

[[maybe_unused]] constexpr auto kCaseName = [](const auto& info) {
  return std::string(info.param.name);
};

}  // namespace
}  // namespace asrkit::testing
