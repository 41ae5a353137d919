#include "toolkit/MessageBox.h"

#include <QMessageBox>

#include "toolkit/DialogSeam.h"
#include "toolkit/Text.h"

int MessageBoxA(void* /*owner*/, const char* text, const char* caption, unsigned /*type*/) {
  toolkit::DialogRequest request;
  request.kind = toolkit::DialogKind::kOkCancel;
  request.text = toolkit::AnsiToString(text);
  request.caption = toolkit::AnsiToString(caption);
  if (const auto answer = toolkit::AskResponder(request)) {
    return answer->accepted ? IDOK : IDCANCEL;
  }
  QMessageBox box(QMessageBox::NoIcon, request.caption, request.text,
                  QMessageBox::Ok | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Cancel ? IDCANCEL : IDOK;
}
