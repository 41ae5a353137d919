// asrkit import-payload ARCHIVE N FILE [-o OUT]: the payload of resource chunk
// N replaced by FILE (zero-padded to a multiple of four), as the window's Load
// from File does, then saved as Save As does.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "archive_state.h"
#include "cli_common.h"
#include "commands.h"
#include "messages.h"
#include "payload_file.h"

namespace asrkit::cli {

namespace {

struct ImportPayloadOptions {
  std::string path;
  std::string number;
  std::string file;
  std::string out;
};

int RunImportPayload(const ImportPayloadOptions& options) {
  ArchiveState state;
  if (!OpenForCommand(state, options.path)) return kExitFailed;
  const auto indices = ChunkIndices(state, {options.number});
  if (!indices) return kExitFailed;
  const std::int32_t index = indices->front();
  // Unlike the window, which stays silent, a file that cannot be opened is an error here.
  if (const Status status = ImportPayload(state, index, options.file); !status.ok()) {
    PrintError(status);
    return kExitFailed;
  }
  PrintLine(msg::FileLoadedLine(index, options.file));
  return SaveAndReport(state, options.out.empty() ? options.path : options.out);
}

}  // namespace

void AddImportPayloadCommand(CLI::App& app, int& exit_code) {
  auto options = std::make_shared<ImportPayloadOptions>();
  CLI::App* command = app.add_subcommand(
      "import-payload",
      "Replace the payload of resource chunk N with FILE and save to OUT, or back to ARCHIVE "
      "(an existing file is kept as NAME.backup unless that exists)");
  command->add_option("ARCHIVE", options->path, "Archive file")->required();
  AddChunkNumber(*command, options->number, "Chunk number, from 1");
  command->add_option("FILE", options->file, "Payload file")->required();
  command->add_option("-o,--output", options->out, "Archive to write (default: ARCHIVE)");
  command->callback([options, &exit_code] { exit_code = RunImportPayload(*options); });
}

}  // namespace asrkit::cli
