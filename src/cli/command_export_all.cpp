// asrkit export-all ARCHIVE: every chunk to BLOCK.N.bin, as the window's
// Export All does; a progress bar on a terminal.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "archive_state.h"
#include "chunk_file.h"
#include "cli_common.h"
#include "commands.h"
#include "messages.h"

namespace asrkit::cli {

namespace {

int RunExportAll(const std::string& path) {
  ArchiveState state;
  if (!OpenForCommand(state, path)) return kExitFailed;
  PrintLine(msg::kSavingChunks);
  TerminalProgress progress;
  const ExportAllResult result = ExportAllChunks(state, progress, [&](const Status& status) {
    progress.Clear();
    PrintError(status);
  });
  progress.Clear();
  if (result.failed > 0) {
    PrintError(msg::ExportAllFailedLine(result.failed, state.ChunkCount));
    return kExitFailed;
  }
  PrintLine(msg::kSavedAll);
  return kExitOk;
}

}  // namespace

void AddExportAllCommand(CLI::App& app, int& exit_code) {
  auto path = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand(
      "export-all", "Write every chunk to BLOCK.N.bin in the folder named after ARCHIVE");
  command->add_option("ARCHIVE", *path, "Archive file")->required();
  command->callback([path, &exit_code] { exit_code = RunExportAll(*path); });
}

}  // namespace asrkit::cli
