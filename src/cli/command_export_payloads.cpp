// asrkit export-payloads ARCHIVE: the payload of every resource chunk, in
// table order, so that a later chunk with the same file name replaces an
// earlier one's file, as repeated Save to File clicks would.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "archive_format.h"
#include "archive_state.h"
#include "cli_common.h"
#include "commands.h"
#include "messages.h"
#include "payload_file.h"

namespace asrkit::cli {

namespace {

int RunExportPayloads(const std::string& path) {
  ArchiveState state;
  if (!OpenForCommand(state, path)) return kExitFailed;
  int exit_code = kExitOk;
  for (std::int32_t i = 0; i < state.ChunkCount; ++i) {
    if (state.ChunkTags[static_cast<std::size_t>(i)] != TagRSCF) continue;
    // A malformed resource chunk is refused by the core; report it and go on.
    const PathResult result = ExportPayload(state, i);
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

void AddExportPayloadsCommand(CLI::App& app, int& exit_code) {
  auto path = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("export-payloads", "Write the payload of every resource chunk of ARCHIVE");
  command->add_option("ARCHIVE", *path, "Archive file")->required();
  command->callback([path, &exit_code] { exit_code = RunExportPayloads(*path); });
}

}  // namespace asrkit::cli
