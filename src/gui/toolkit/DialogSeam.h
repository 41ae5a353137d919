// The one seam through which every file dialog, OK/Cancel box and exception
// display of the window passes. With no responder installed the real Qt
// dialog is shown; tests install a responder that answers from a script, so
// that nothing modal ever runs in a test.
#pragma once

#include <QString>
#include <optional>

namespace toolkit {

enum class DialogKind { kOpenFile, kSaveFile, kOkCancel, kError };

struct DialogRequest {
  DialogKind kind = DialogKind::kOpenFile;
  QString name;      // object name of the file dialog, e.g. "OpenFileDialog"
  QString filter;    // the stored filter text, exactly as the window keeps it
  QString fileName;  // the file name preset before the dialog runs
  QString text;      // box text, or the exception message
  QString caption;   // box caption
};

struct DialogAnswer {
  bool accepted = false;  // a file was confirmed, or OK was pressed
  QString fileName;       // the confirmed file's full path
};

class DialogResponder {
 public:
  virtual ~DialogResponder() = default;
  virtual DialogAnswer Answer(const DialogRequest& request) = 0;
};

// Installs `responder` (nullptr: show real dialogs again); returns the old one.
DialogResponder* SetDialogResponder(DialogResponder* responder);

// The installed responder's answer, or nothing when real dialogs are to be
// shown. On a platform without a screen (offscreen, minimal) with no
// responder, a dialog cannot be answered by anyone: it is reported on stderr
// and answered with Cancel instead of waiting forever.
std::optional<DialogAnswer> AskResponder(const DialogRequest& request);

}  // namespace toolkit
