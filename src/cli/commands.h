// Each command adds itself to the program's argument parser; when it runs, it
// stores its exit status in `exit_code`.
#pragma once

namespace CLI {
class App;
}

namespace asrkit::cli {

// The whole program: parses `argv` (UTF-8 on every platform), runs the
// command, returns the exit status.
int Run(int argc, char** argv);

void AddListCommand(CLI::App& app, int& exit_code);
void AddCheckCommand(CLI::App& app, int& exit_code);
void AddExportChunkCommand(CLI::App& app, int& exit_code);
void AddExportAllCommand(CLI::App& app, int& exit_code);
void AddImportChunkCommand(CLI::App& app, int& exit_code);
void AddExportPayloadCommand(CLI::App& app, int& exit_code);
void AddExportPayloadsCommand(CLI::App& app, int& exit_code);
void AddImportPayloadCommand(CLI::App& app, int& exit_code);
#ifdef ASRKIT_HAVE_PREVIEW
void AddInfoCommand(CLI::App& app, int& exit_code);
#endif

}  // namespace asrkit::cli
