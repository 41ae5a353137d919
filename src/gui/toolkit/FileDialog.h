// Open and save dialogs (VCL's `TOpenDialog`, `TSaveDialog`): a stored
// filter text "desc|patterns|desc|patterns", a `FileName` preset before and
// read after `Execute`. Non-native Qt dialogs, answered through the seam
// (DialogSeam.h) when a responder is installed.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "toolkit/DialogSeam.h"

class QWidget;

namespace toolkit {

// The stored filter text as Qt name filters: "desc (p1 p2)" per pair, with
// the Windows pattern "*.*" (every file) written "*". Shown with the details
// hidden, so the user sees the descriptions exactly as stored.
QStringList TranslateFilter(const QString& stored);

class TFileDialog : public QObject {
 public:
  // Filter: the stored text; empty for no filter (every file is shown).
  QString Filter;
  // Preset before Execute; the confirmed file's full path after it.
  QString FileName;

  // Modal to the owner window; true when the user confirmed a file.
  bool Execute();

 protected:
  TFileDialog(QWidget* owner, const QString& name, DialogKind kind);

 private:
  QWidget* owner_;
  DialogKind kind_;
};

// Any name may be confirmed, also of a file that does not exist.
class TOpenDialog : public TFileDialog {
 public:
  TOpenDialog(QWidget* owner, const QString& name)
      : TFileDialog(owner, name, DialogKind::kOpenFile) {}
};

// No question when an existing file is chosen, and no default extension.
class TSaveDialog : public TFileDialog {
 public:
  TSaveDialog(QWidget* owner, const QString& name)
      : TFileDialog(owner, name, DialogKind::kSaveFile) {}
};

}  // namespace toolkit

using toolkit::TOpenDialog;
using toolkit::TSaveDialog;
