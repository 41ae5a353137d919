#include "cli_common.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>

#include "archive_writer.h"
#include "messages.h"
#include "open_archive.h"

namespace asrkit::cli {

void PrintLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

void PrintError(std::string_view message) {
  std::fflush(stdout);
  std::string line = "asrkit: ";
  line += message;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

void PrintError(const Status& status) { PrintError(status.message()); }

bool OpenForCommand(ArchiveState& state, const std::string& path) {
  // The open's log lines are the window's; the command line says only why it failed.
  const Status status = OpenArchive(state, path);
  if (status.ok()) return true;
  PrintError(status);
  return false;
}

std::optional<std::vector<std::int32_t>> ChunkIndices(const ArchiveState& state,
                                                      const std::vector<std::string>& numbers) {
  std::vector<std::int32_t> indices;
  for (const std::string& text : numbers) {
    std::int32_t row = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
    if (error != std::errc() || end != text.data() + text.size() || !IsChunkRow(state, row)) {
      PrintError("Chunk " + text + " is out of range: the archive has " +
                 std::to_string(state.ChunkCount) + " chunks");
      return std::nullopt;
    }
    indices.push_back(row - 1);
  }
  return indices;
}

namespace {

// Plain decimal digits, leading zeros dropped: "0x10" and "-1" are bad usage,
// "010" is ten.
CLI::Validator DecimalNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
          return "chunk numbers are decimal numbers from 1: " + text;
        }
        const auto first = text.find_first_not_of('0');
        text = first == std::string::npos ? "0" : text.substr(first);
        return {};
      },
      "N");
}

}  // namespace

CLI::Option* AddChunkNumbers(CLI::App& command, std::vector<std::string>& numbers,
                             const std::string& description) {
  return command.add_option("N", numbers, description)->required()->check(DecimalNumber());
}

CLI::Option* AddChunkNumber(CLI::App& command, std::string& number,
                            const std::string& description) {
  return command.add_option("N", number, description)->required()->check(DecimalNumber());
}

namespace {

struct ImportOptions {
  std::string path;
  std::string number;
  std::string file;
  std::string out;
};

int RunImport(const ImportOptions& options, const ImportSteps& steps) {
  ArchiveState state;
  if (!OpenForCommand(state, options.path)) return kExitFailed;
  const auto indices = ChunkIndices(state, {options.number});
  if (!indices) return kExitFailed;
  const std::int32_t index = indices->front();
  if (const Status status = steps.replace(state, index, options.file); !status.ok()) {
    PrintError(status);
    return kExitFailed;
  }
  PrintLine(steps.loaded_line(index, options.file));
  return SaveAndReport(state, options.out.empty() ? options.path : options.out);
}

}  // namespace

void AddImportCommand(CLI::App& app, int& exit_code, const std::string& name,
                      const std::string& description, const std::string& file_description,
                      ImportSteps steps) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App* command = app.add_subcommand(
      name, description +
                " and save to OUT, or back to ARCHIVE (an existing file is kept as "
                "NAME.backup unless that exists)");
  command->add_option("ARCHIVE", options->path, "Archive file")->required();
  AddChunkNumber(*command, options->number, "Chunk number, from 1");
  command->add_option("FILE", options->file, file_description)->required();
  command->add_option("-o,--output", options->out, "Archive to write (default: ARCHIVE)");
  command->callback(
      [options, steps = std::move(steps), &exit_code] { exit_code = RunImport(*options, steps); });
}

int SaveAndReport(const ArchiveState& state, const std::string& path) {
  const Status status = SaveArchive(state, path);
  if (!status.ok()) {
    PrintError(status);
    return kExitFailed;
  }
  PrintLine(msg::kSaved);
  return kExitOk;
}

namespace {

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
  return ::_isatty(::_fileno(stream)) != 0;
#else
  return ::isatty(::fileno(stream)) == 1;
#endif
}

}  // namespace

TerminalProgress::TerminalProgress() : enabled_(IsTerminal(stdout) && IsTerminal(stderr)) {}

TerminalProgress::~TerminalProgress() { Clear(); }

void TerminalProgress::SetMax(std::int32_t max) {
  max_ = max;
  last_percent_ = -1;
}

void TerminalProgress::SetPosition(std::int32_t position) {
  if (!enabled_ || max_ <= 0) return;
  // The core reports the 0-based index of the chunk just done.
  Draw(position + 1);
}

void TerminalProgress::Draw(std::int32_t shown) {
  const auto percent = static_cast<std::int32_t>(static_cast<std::int64_t>(shown) * 100 / max_);
  if (percent == last_percent_) return;
  last_percent_ = percent;
  constexpr int kWidth = 40;
  const int filled = percent * kWidth / 100;
  std::string bar = "\r[";
  bar.append(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), ' ');
  bar += "] " + std::to_string(percent) + "% (" + std::to_string(shown) + "/" +
         std::to_string(max_) + ")";
  std::fflush(stdout);
  std::fwrite(bar.data(), 1, bar.size(), stderr);
  std::fflush(stderr);
  drawn_ = true;
}

void TerminalProgress::Clear() {
  if (!drawn_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  drawn_ = false;
  last_percent_ = -1;
}

}  // namespace asrkit::cli
