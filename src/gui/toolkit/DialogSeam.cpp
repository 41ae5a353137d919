#include "toolkit/DialogSeam.h"

#include <QGuiApplication>
#include <cstdio>

namespace toolkit {

namespace {

DialogResponder* g_responder = nullptr;

const char* KindName(DialogKind kind) {
  switch (kind) {
    case DialogKind::kOpenFile:
      return "open dialog";
    case DialogKind::kSaveFile:
      return "save dialog";
    case DialogKind::kOkCancel:
      return "OK/Cancel box";
    case DialogKind::kError:
      return "error box";
  }
  return "dialog";
}

}  // namespace

DialogResponder* SetDialogResponder(DialogResponder* responder) {
  DialogResponder* old = g_responder;
  g_responder = responder;
  return old;
}

std::optional<DialogAnswer> AskResponder(const DialogRequest& request) {
  if (g_responder != nullptr) return g_responder->Answer(request);
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
    std::fprintf(
        stderr, "asrkit-gui: no screen to show the %s \"%s\" on; taken as Cancel\n",
        KindName(request.kind),
        (request.name.isEmpty() ? request.caption : request.name).toLocal8Bit().constData());
    return DialogAnswer{};
  }
  return std::nullopt;
}

}  // namespace toolkit
