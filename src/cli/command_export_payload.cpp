// asrkit export-payload ARCHIVE N...: the payload of resource chunk N to a
// file named after the resource, as the window's Save to File does.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>
#include <vector>

#include "archive_state.h"
#include "cli_common.h"
#include "commands.h"
#include "messages.h"
#include "payload_file.h"

namespace asrkit::cli {

namespace {

struct ExportPayloadOptions {
  std::string path;
  std::vector<std::string> numbers;
};

int RunExportPayload(const ExportPayloadOptions& options) {
  ArchiveState state;
  if (!OpenForCommand(state, options.path)) return kExitFailed;
  const auto indices = ChunkIndices(state, options.numbers);
  if (!indices) return kExitFailed;
  int exit_code = kExitOk;
  for (const std::int32_t index : *indices) {
    const PathResult result = ExportPayload(state, index);
    if (result.status.ok()) {
      PrintLine(msg::SavedToLine(result.path));
    } else {
      PrintError(result.status);
      exit_code = kExitFailed;
    }
  }
  return exit_code;
}

}  // namespace

void AddExportPayloadCommand(CLI::App& app, int& exit_code) {
  auto options = std::make_shared<ExportPayloadOptions>();
  CLI::App* command = app.add_subcommand(
      "export-payload",
      "Write the payload of resource chunk N to NAME.dds/.wav/.bin in the folder named after "
      "ARCHIVE");
  command->add_option("ARCHIVE", options->path, "Archive file")->required();
  AddChunkNumbers(*command, options->numbers, "Chunk numbers, from 1");
  command->callback([options, &exit_code] { exit_code = RunExportPayload(*options); });
}

}  // namespace asrkit::cli
