// asrkit export-chunk ARCHIVE N...: chunk N's bytes to BLOCK.N.bin in the
// archive's export folder, as the window's Export Chunk does.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "archive_state.h"
#include "chunk_file.h"
#include "cli_common.h"
#include "commands.h"
#include "messages.h"

namespace asrkit::cli {

namespace {

struct ExportChunkOptions {
  std::string path;
  std::vector<std::string> numbers;
};

int RunExportChunk(const ExportChunkOptions& options) {
  ArchiveState state;
  if (!OpenForCommand(state, options.path)) return kExitFailed;
  const auto indices = ChunkIndices(state, options.numbers);
  if (!indices) return kExitFailed;
  int exit_code = kExitOk;
  for (const std::int32_t index : *indices) {
    const PathResult result = ExportChunk(state, index);
    if (result.status.ok()) {
      PrintLine(msg::ChunkSavedLine(result.path));
    } else {
      PrintError(result.status);
      exit_code = kExitFailed;
    }
  }
  return exit_code;
}

}  // namespace

void AddExportChunkCommand(CLI::App& app, int& exit_code) {
  auto options = std::make_shared<ExportChunkOptions>();
  CLI::App* command = app.add_subcommand(
      "export-chunk", "Write chunk N to BLOCK.N.bin in the folder named after ARCHIVE");
  command->add_option("ARCHIVE", options->path, "Archive file")->required();
  AddChunkNumbers(*command, options->numbers, "Chunk numbers, from 1");
  command->callback([options, &exit_code] { exit_code = RunExportChunk(*options); });
}

}  // namespace asrkit::cli
