// asrkit: inspects and edits Asura archives from the command line.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "cli_common.h"
#include "commands.h"

namespace asrkit::cli {

int Run(int argc, char** argv) {
  CLI::App app{
      "asrkit: inspect and edit Asura archive files.\n"
      "Chunk numbers N are 1-based, as in the window's list and in BLOCK.N.bin.\n"
      "Exit status: 0 done, 1 the operation failed, 2 bad usage.",
      "asrkit"};
  app.set_version_flag("--version", std::string("asrkit ") + ASRKIT_VERSION);
  app.require_subcommand(1);
  app.failure_message([](const CLI::App* /*app*/, const CLI::Error& error) {
    return "asrkit: " + std::string(error.what()) + "\nRun with --help for more information.\n";
  });

  int exit_code = kExitOk;
  AddListCommand(app, exit_code);
  AddCheckCommand(app, exit_code);
  AddExportChunkCommand(app, exit_code);
  AddExportAllCommand(app, exit_code);
  AddImportChunkCommand(app, exit_code);
  AddExportPayloadCommand(app, exit_code);
  AddExportPayloadsCommand(app, exit_code);
  AddImportPayloadCommand(app, exit_code);
#ifdef ASRKIT_HAVE_PREVIEW
  AddInfoCommand(app, exit_code);
#endif

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help and --version end parsing with a "success"; everything else is bad usage.
    const int code = app.exit(error);
    return code == 0 ? kExitOk : kExitUsage;
  }
  std::fflush(stdout);
  return exit_code;
}

}  // namespace asrkit::cli

#ifndef _WIN32
int main(int argc, char** argv) { return asrkit::cli::Run(argc, argv); }
#endif
