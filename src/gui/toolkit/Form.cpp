#include "toolkit/Form.h"

#include <QCloseEvent>

namespace toolkit {

TForm::TForm(QWidget* owner) : QWidget(owner, Qt::Window) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
}

void TForm::DoClose(TCloseAction& /*action*/) {}

void TForm::closeEvent(QCloseEvent* event) {
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) {
    event->ignore();
    return;
  }
  if (action == caMinimize) {
    event->ignore();
    showMinimized();
    return;
  }
  event->accept();
}

}  // namespace toolkit
