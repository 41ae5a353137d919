// The application entry of asrkit-gui: create the
// application object and the one window Form1, run the message loop, and show
// any exception that escapes with the standard display; exit code 0 always.
#include <QString>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "Main.h"
#include "toolkit/Application.h"
#include "toolkit/DialogSeam.h"

namespace {

// Hidden: "--open PATH" opens PATH as if it had been chosen in the Open
// dialog once the window shows, and "--preview N" then selects chunk N and
// presses Edit; for screenshots and demonstrations.
class OpenOnce : public toolkit::DialogResponder {
 public:
  explicit OpenOnce(QString path) : path_(std::move(path)) {}
  toolkit::DialogAnswer Answer(const toolkit::DialogRequest& /*request*/) override {
    return {true, path_};
  }

 private:
  QString path_;
};

}  // namespace

int main(int argc, char** argv) {
  QString openPath;
  int previewRow = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--open") == 0) openPath = QString::fromLocal8Bit(argv[i + 1]);
    if (std::strcmp(argv[i], "--preview") == 0) previewRow = std::atoi(argv[i + 1]);
  }
  std::unique_ptr<TApplication> application;
  toolkit::RunGuarded([&] {
    application = std::make_unique<TApplication>(argc, argv);
    // The main window carries the taskbar button: Qt's top-level windows do.
    application->CreateForm<TForm1>(&Form1);
    if (!openPath.isEmpty()) {
      QTimer::singleShot(0, Form1, [openPath, previewRow] {
        OpenOnce answer(openPath);
        toolkit::DialogResponder* previous = toolkit::SetDialogResponder(&answer);
        Form1->OpenButton->click();
        toolkit::SetDialogResponder(previous);
        if (previewRow > 0) {
          Form1->Tabela->SetRow(previewRow);
          Form1->EditDataButton->click();
        }
      });
    }
    application->Run();
  });
  application.reset();
  return 0;
}
