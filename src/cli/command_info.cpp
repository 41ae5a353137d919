// asrkit info ARCHIVE N: what chunk N holds, in the lines the window's
// preview shows: header fields, and for a resource chunk its payload and the
// facts of a texture or sound.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "archive_state.h"
#include "chunk_info.h"
#include "cli_common.h"
#include "commands.h"

namespace asrkit::cli {

namespace {

struct InfoOptions {
  std::string path;
  std::string number;
};

int RunInfo(const InfoOptions& options) {
  ArchiveState state;
  if (!OpenForCommand(state, options.path)) return kExitFailed;
  const auto indices = ChunkIndices(state, {options.number});
  if (!indices) return kExitFailed;
  const preview::ChunkInfo info = preview::DescribeChunk(state, indices->front());
  if (!info.status.ok()) {
    PrintError(info.status);
    return kExitFailed;
  }
  for (const auto& line : info.lines) PrintLine(line);
  return kExitOk;
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& exit_code) {
  auto options = std::make_shared<InfoOptions>();
  CLI::App* command = app.add_subcommand(
      "info", "Describe chunk N: header fields, payload, texture or sound facts");
  command->add_option("ARCHIVE", options->path, "Archive file")->required();
  AddChunkNumber(*command, options->number, "Chunk number, from 1");
  command->callback([options, &exit_code] { exit_code = RunInfo(*options); });
}

}  // namespace asrkit::cli
