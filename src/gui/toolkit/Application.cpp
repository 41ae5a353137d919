#include "toolkit/Application.h"

#include <QFile>
#include <QFontDatabase>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>

#include "toolkit/DialogSeam.h"

namespace toolkit {

void LoadDesignFont() {
  if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) return;
  for (const char* path :
       {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
    if (QFile::exists(QLatin1String(path))) QFontDatabase::addApplicationFont(QLatin1String(path));
  }
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("asrkit"));
  // No display name: Qt would append it to every title, and the title is
  // the opened archive's path and nothing else.
  setDesktopFileName(QStringLiteral("asrkit"));
  LoadDesignFont();
}

TApplication::~TApplication() {
  // The forms go first, the newest first, while the application still exists.
  while (!forms_.empty()) forms_.pop_back();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    // Qt cannot unwind through its event loop: keep it, end the loop, and
    // throw it on once the loop has returned.
    if (!escaped_) escaped_ = std::current_exception();
    exit(0);
    return false;
  }
}

void TApplication::Run() {
  if (!forms_.empty()) forms_.front()->show();
  exec();
  if (escaped_) {
    std::exception_ptr escaped = escaped_;
    escaped_ = nullptr;
    std::rethrow_exception(escaped);
  }
}

void ShowException(const Exception& exception) {
  if (QApplication::instance() == nullptr) {
    std::fprintf(stderr, "asrkit-gui: %s\n", exception.Message().toLocal8Bit().constData());
    return;
  }
  DialogRequest request;
  request.kind = DialogKind::kError;
  request.text = exception.Message();
  request.caption = QApplication::applicationName();
  if (AskResponder(request)) return;
  QMessageBox::critical(nullptr, request.caption, request.text);
}

void RunGuarded(const std::function<void()>& steps) {
  try {
    steps();
  } catch (const Exception& exception) {
    ShowException(exception);
  } catch (...) {
    try {
      throw Exception(QString());
    } catch (const Exception& exception) {
      ShowException(exception);
    }
  }
}

}  // namespace toolkit
