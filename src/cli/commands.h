// Each command adds itself to the program's argument parser; when it runs, it
// stores its exit status in `exit_code`.
#pragma once

namespace CLI {
class App;
}

namespace asrkit::cli {

void AddListCommand(CLI::App& app, int& exit_code);
void AddCheckCommand(CLI::App& app, int& exit_code);
void AddExportChunkCommand(CLI::App& app, int& exit_code);
void AddExportAllCommand(CLI::App& app, int& exit_code);
void AddImportChunkCommand(CLI::App& app, int& exit_code);
void AddExportPayloadCommand(CLI::App& app, int& exit_code);
void AddExportPayloadsCommand(CLI::App& app, int& exit_code);
void AddImportPayloadCommand(CLI::App& app, int& exit_code);

}  // namespace asrkit::cli
