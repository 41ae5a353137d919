// asrkit import-chunk ARCHIVE N FILE [-o OUT]: chunk N replaced by the chunk
// file FILE, as the window's Import Chunk does, then saved as Save As does.
#include <CLI/CLI.hpp>

#include "chunk_file.h"
#include "cli_common.h"
#include "commands.h"
#include "messages.h"

namespace asrkit::cli {

void AddImportChunkCommand(CLI::App& app, int& exit_code) {
  AddImportCommand(app, exit_code, "import-chunk", "Replace chunk N with the chunk file FILE",
                   "Chunk file", {ReadChunkFile, msg::ChunkLoadedLine});
}

}  // namespace asrkit::cli
