// The application object (VCL's `Application`): Qt's application with
// the font the window is designed in, the forms it creates and destroys, and
// the standard display of an `Exception`.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Exception.h"

namespace toolkit {

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  // Builds a form of class T, stores it in *reference, and keeps it until the
  // application object goes; the first form created is the main window.
  template <typename T>
  void CreateForm(T** reference) {
    auto form = std::make_unique<T>(nullptr);
    *reference = form.get();
    forms_.push_back(std::move(form));
  }

  // Shows the main window and runs the message loop until it has closed. An
  // exception thrown by a handler ends the loop and is thrown on from here.
  void Run();

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::vector<std::unique_ptr<QWidget>> forms_;
  std::exception_ptr escaped_;
};

// Makes "Tahoma" available: Debian's fonts-wine puts it outside fontconfig's
// folders, so it is loaded from there when the system does not know it.
void LoadDesignFont();

// The application's standard display of an exception: its message in an
// error box (through the dialog seam), or on stderr without an application.
void ShowException(const Exception& exception);

// Runs `steps` under the entry's one handler: an escaping `Exception` is
// shown; any other thrown object becomes an `Exception` with an empty
// message, which is thrown, caught at once and shown.
void RunGuarded(const std::function<void()>& steps);

}  // namespace toolkit

using toolkit::TApplication;
