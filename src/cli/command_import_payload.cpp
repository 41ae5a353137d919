// asrkit import-payload ARCHIVE N FILE [-o OUT]: the payload of resource chunk
// N replaced by FILE (zero-padded to a multiple of four), as the window's Load
// from File does, then saved as Save As does. Unlike the window, which stays
// silent there, a file that cannot be opened is reported as an error.
#include <CLI/CLI.hpp>

#include "cli_common.h"
#include "commands.h"
#include "messages.h"
#include "payload_file.h"

namespace asrkit::cli {

void AddImportPayloadCommand(CLI::App& app, int& exit_code) {
  AddImportCommand(app, exit_code, "import-payload",
                   "Replace the payload of resource chunk N with FILE", "Payload file",
                   {ImportPayload, msg::FileLoadedLine});
}

}  // namespace asrkit::cli
