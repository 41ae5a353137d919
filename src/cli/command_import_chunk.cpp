// asrkit import-chunk ARCHIVE N FILE [-o OUT]: chunk N replaced by the chunk
// file FILE, as the window's Import Chunk does, then saved as Save As does.
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

struct ImportChunkOptions {
  std::string path;
  std::string number;
  std::string file;
  std::string out;
};

int RunImportChunk(const ImportChunkOptions& options) {
  ArchiveState state;
  if (!OpenForCommand(state, options.path)) return kExitFailed;
  const auto indices = ChunkIndices(state, {options.number});
  if (!indices) return kExitFailed;
  const std::int32_t index = indices->front();
  if (const Status status = ReadChunkFile(state, index, options.file); !status.ok()) {
    PrintError(status);
    return kExitFailed;
  }
  PrintLine(msg::ChunkLoadedLine(index, options.file));
  return SaveAndReport(state, options.out.empty() ? options.path : options.out);
}

}  // namespace

void AddImportChunkCommand(CLI::App& app, int& exit_code) {
  auto options = std::make_shared<ImportChunkOptions>();
  CLI::App* command = app.add_subcommand(
      "import-chunk",
      "Replace chunk N with the chunk file FILE and save to OUT, or back to ARCHIVE "
      "(an existing file is kept as NAME.backup unless that exists)");
  command->add_option("ARCHIVE", options->path, "Archive file")->required();
  AddChunkNumber(*command, options->number, "Chunk number, from 1");
  command->add_option("FILE", options->file, "Chunk file")->required();
  command->add_option("-o,--output", options->out, "Archive to write (default: ARCHIVE)");
  command->callback([options, &exit_code] { exit_code = RunImportChunk(*options); });
}

}  // namespace asrkit::cli
