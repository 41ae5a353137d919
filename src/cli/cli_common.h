// What every command of the command-line tool shares: exit statuses, error
// lines on stderr, opening the archive, chunk numbers, saving, progress.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive_state.h"
#include "progress.h"
#include "result.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace asrkit::cli {

// 0 done, 1 the operation failed, 2 bad usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// One line on stdout: a message as the window would log it.
void PrintLine(std::string_view line);
// One line on stderr, prefixed "asrkit: ".
void PrintError(std::string_view message);
void PrintError(const Status& status);

// Opens `path` into `state` quietly; on failure prints the reason and
// returns false.
bool OpenForCommand(ArchiveState& state, const std::string& path);

// Chunk numbers as given on the command line: 1-based, the grid's rows, kept
// as the decimal digits typed so that any number too large for the table is
// reported as out of range rather than cut to fit.
// The chunk indices they name, or nothing after printing the reason when one
// does not name a chunk.
std::optional<std::vector<std::int32_t>> ChunkIndices(const ArchiveState& state,
                                                      const std::vector<std::string>& numbers);

// Adds the positional chunk-number option(s): plain decimal digits only, so
// that anything else is bad usage.
CLI::Option* AddChunkNumbers(CLI::App& command, std::vector<std::string>& numbers,
                             const std::string& description);
CLI::Option* AddChunkNumber(CLI::App& command, std::string& number, const std::string& description);

// Saves the chunk table as Save As does (temporary file, ".backup" rule) to
// `path`; prints "Saved." or the reason. Returns the exit status.
int SaveAndReport(const ArchiveState& state, const std::string& path);

// What an import command changes in chunk `index` from `file`, and the line
// it prints once that is done.
struct ImportSteps {
  std::function<Status(ArchiveState& state, std::int32_t index, const std::string& file)> replace;
  std::function<std::string(std::int32_t index, const std::string& file)> loaded_line;
};

// Adds `name ARCHIVE N FILE [-o OUT]`: opens ARCHIVE, replaces chunk N from
// FILE, prints the loaded line, and saves to OUT or back to ARCHIVE.
void AddImportCommand(CLI::App& app, int& exit_code, const std::string& name,
                      const std::string& description, const std::string& file_description,
                      ImportSteps steps);

// Draws a bar on stderr when both stdout and stderr are terminals; quiet
// otherwise. Clears its line when destroyed.
class TerminalProgress : public ProgressSink {
 public:
  TerminalProgress();
  ~TerminalProgress() override;
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  void SetMax(std::int32_t max) override;
  void SetPosition(std::int32_t position) override;
  // Wipes the bar's line, so that an error line can be printed; the next
  // position draws it again.
  void Clear();

 private:
  void Draw(std::int32_t shown);
  bool enabled_ = false;
  bool drawn_ = false;
  std::int32_t max_ = 0;
  std::int32_t last_percent_ = -1;
};

}  // namespace asrkit::cli
