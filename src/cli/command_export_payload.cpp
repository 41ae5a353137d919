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
#include "resource_chunk.h"

#ifdef ASRKIT_HAVE_PREVIEW
#include "chunk_info.h"
#include "dds_decode.h"
#include "png_write.h"
#endif

namespace asrkit::cli {

namespace {

struct ExportPayloadOptions {
  std::string path;
  std::vector<std::string> numbers;
  bool png = false;
};

#ifdef ASRKIT_HAVE_PREVIEW
// Beside NAME.dds, the top level of the texture as NAME.png.
int WriteTexturePng(const ArchiveState& state, std::int32_t index,
                    const std::string& payload_path) {
  const auto payload = preview::ResourcePayload(state, index);
  if (PayloadKind(state, index) != kDdsPayload) return kExitOk;
  const preview::DdsImage texture = preview::DecodeDds(payload);
  const std::string png_path =
      payload_path.substr(0, payload_path.size() - KindExtension(kDdsPayload).size()) + ".png";
  if (!texture.status.ok()) {
    PrintError("No PNG for chunk " + std::to_string(index + 1) + ": " + texture.status.message());
    return kExitFailed;
  }
  if (Status status = preview::WritePng(texture.image, png_path); !status.ok()) {
    PrintError(status);
    return kExitFailed;
  }
  PrintLine(msg::SavedToLine(png_path));
  return kExitOk;
}
#endif

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
#ifdef ASRKIT_HAVE_PREVIEW
      if (options.png && WriteTexturePng(state, index, result.path) != kExitOk) {
        exit_code = kExitFailed;
      }
#endif
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
#ifdef ASRKIT_HAVE_PREVIEW
  command->add_flag("--png", options->png,
                    "Also write a texture's top level as NAME.png beside its .dds file");
#endif
  AddChunkNumbers(*command, options->numbers, "Chunk numbers, from 1");
  command->callback([options, &exit_code] { exit_code = RunExportPayload(*options); });
}

}  // namespace asrkit::cli
