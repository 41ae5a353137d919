// How a long loop over the chunks reports where it stands: the window moves
// its progress bar, the command line draws on a terminal or stays quiet.
#pragma once

#include <cstdint>

namespace asrkit {

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void SetMax(std::int32_t /*max*/) {}
  virtual void SetPosition(std::int32_t /*position*/) {}
};

// For callers that do not show progress.
inline ProgressSink& NoProgress() {
  static ProgressSink none;
  return none;
}

}  // namespace asrkit
