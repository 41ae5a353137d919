// The Edit button: a preview of the selected chunk in a window of its own.
// It reads the chunk once, keeps its own copy and changes nothing, so it
// writes no log line and leaves the grid as it is.
#include "Main.h"
#include "archive_state.h"
#include "preview/PreviewWindow.h"

void TForm1::EditDataButtonClick(TObject* /*Sender*/) {
  const int row = Tabela->Row();
  if (!asrkit::IsChunkRow(State, row)) return;
  // Each click opens another window, so that chunks can be compared side by side.
  gui_preview::OpenPreview(State, row - 1, this);
}
