// asrkit check ARCHIVE: does the archive open? Exit 0 and say how many chunks
// it has, or exit 1 and say why not.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "archive_state.h"
#include "cli_common.h"
#include "commands.h"

namespace asrkit::cli {

namespace {

int RunCheck(const std::string& path) {
  ArchiveState state;
  if (!OpenForCommand(state, path)) return kExitFailed;
  PrintLine(path + ": " + std::to_string(state.ChunkCount) + " chunks");
  return kExitOk;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& exit_code) {
  auto path = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("check", "Exit 0 when ARCHIVE opens; otherwise exit 1 and say why");
  command->add_option("ARCHIVE", *path, "Archive file")->required();
  command->callback([path, &exit_code] { exit_code = RunCheck(*path); });
}

}  // namespace asrkit::cli
