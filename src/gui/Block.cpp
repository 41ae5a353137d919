// Unit Block: the chunk-file commands Export Chunk, Export All and Import
// Chunk, over the model's chunk files (chunk_file.h).
#include <QString>

#include "Main.h"
#include "chunk_file.h"
#include "messages.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Text.h"

namespace msg = asrkit::msg;

void TForm1::BlockToFileClick(TObject* /*Sender*/) {
  const int row = Tabela->Row();
  if (!asrkit::IsChunkRow(State, row)) return;
  const asrkit::PathResult result = asrkit::ExportChunk(State, row - 1);
  AddLogLine(this, result.status.ok() ? msg::ChunkSavedLine(result.path) : result.status.message());
}

void TForm1::AllBlocksToFileClick(TObject* /*Sender*/) {
  const std::string text(msg::kExportAllText);
  const std::string caption(msg::kExportAllCaption);
  if (MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OKCANCEL) == IDCANCEL) return;
  AddLogLine(this, msg::kSavingChunks);
  FormProgress progress(this);
  const asrkit::ExportAllResult result = asrkit::ExportAllChunks(
      State, progress,
      [this](const asrkit::Status& failure) { AddLogLine(this, failure.message()); });
  if (result.failed == 0) {
    AddLogLine(this, msg::kSavedAll);
  } else {
    AddLogLine(this, msg::ExportAllFailedLine(result.failed, State.ChunkCount));
  }
}

void TForm1::BlockFromFileClick(TObject* /*Sender*/) {
  const int row = Tabela->Row();
  if (!asrkit::IsChunkRow(State, row)) return;
  AddLogLine(this, msg::kLoadingChunk);
  const std::int32_t index = row - 1;
  if (!BlockFromFileDialog->Execute()) {
    AddLogLine(this, msg::kCancelled);
    return;
  }
  const std::string path = toolkit::StringToAnsi(BlockFromFileDialog->FileName);
  if (const asrkit::Status status = asrkit::ReadChunkFile(State, index, path); !status.ok()) {
    AddLogLine(this, status.message());
    return;
  }
  FillChunkList(this);
  AddLogLine(this, msg::ChunkLoadedLine(index, path));
}
