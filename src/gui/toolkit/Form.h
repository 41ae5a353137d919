// The form (VCL's `TForm`): a top-level window of fixed size with a
// system menu, a minimise and a close button but no maximise button; its
// `Caption` is the title; closing it runs the close event (`OnClose`).
#pragma once

#include <QString>
#include <QWidget>

class QCloseEvent;

using TObject = QObject;

enum TCloseAction { caNone, caHide, caFree, caMinimize };

namespace toolkit {

class TForm : public QWidget {
 public:
  explicit TForm(QWidget* owner);

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }

 protected:
  // The close event; `action` starts as caHide, which closes the main window
  // and so ends the application; caNone keeps the window open.
  virtual void DoClose(TCloseAction& action);
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace toolkit

using toolkit::TForm;
