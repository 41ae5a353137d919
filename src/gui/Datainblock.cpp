// Unit Datainblock: the payload commands Save to File and Load from File,
// over the model's payload files (payload_file.h).
#include <QString>

#include "Main.h"
#include "archive_format.h"
#include "messages.h"
#include "payload_file.h"
#include "resource_chunk.h"
#include "toolkit/Text.h"

namespace msg = asrkit::msg;

namespace {

// The selected row names a chunk of the table, and that chunk is a resource
// chunk; otherwise the commands return without a word.
bool SelectedResourceChunk(const TForm1* form, std::int32_t& index) {
  const int row = form->Tabela->Row();
  if (!asrkit::IsChunkRow(form->State, row)) return false;
  if (form->State.ChunkTags[static_cast<std::size_t>(row - 1)] != asrkit::TagRSCF) return false;
  index = row - 1;
  return true;
}

}  // namespace

void TForm1::SaveDataButtonClick(TObject* /*Sender*/) {
  std::int32_t index = 0;
  if (!SelectedResourceChunk(this, index)) return;
  const asrkit::PathResult result = asrkit::ExportPayload(State, index);
  AddLogLine(this, result.status.ok() ? msg::SavedToLine(result.path) : result.status.message());
}

void TForm1::LoadDataButtonClick(TObject* /*Sender*/) {
  std::int32_t index = 0;
  if (!SelectedResourceChunk(this, index)) return;
  AddLogLine(this, msg::kLoadingMaterial);
  // A resource chunk out of shape has no payload to replace (design.md change 4).
  if (const asrkit::Status status = asrkit::CheckResourceChunk(State, index); !status.ok()) {
    AddLogLine(this, status.message());
    return;
  }
  if (!LoadDataDialog->Execute()) {
    AddLogLine(this, msg::kCancelled);
    return;
  }
  const std::string path = toolkit::StringToAnsi(LoadDataDialog->FileName);
  const asrkit::Status status = asrkit::ImportPayload(State, index, path);
  // A file that cannot be opened ends the command with no further line, as users know it.
  if (status.kind() == asrkit::ErrorKind::kCannotOpen) return;
  if (!status.ok()) {
    AddLogLine(this, status.message());
    return;
  }
  FillChunkList(this);
  AddLogLine(this, msg::FileLoadedLine(index, path));
}
