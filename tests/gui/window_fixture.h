// What every window test needs: the one window, a script of answers for the
// dialogs it will ask, a private temporary folder, and the log as lines.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Main.h"
#include "archive_builder.h"
#include "toolkit/DialogSeam.h"

namespace guitest {

// Answers dialogs from a queue; a dialog nobody scripted fails the test and
// is answered with Cancel, so a test never waits on a modal dialog.
class ScriptedDialogs : public toolkit::DialogResponder {
 public:
  struct Step {
    toolkit::DialogKind kind;
    QString name;  // file dialog's object name; empty for boxes
    toolkit::DialogAnswer answer;
  };

  void AcceptFile(const QString& dialog, const std::string& path);
  void CancelFile(const QString& dialog);
  void AnswerBox(bool ok);

  toolkit::DialogAnswer Answer(const toolkit::DialogRequest& request) override;

  std::size_t Pending() const { return steps_.size(); }
  const std::vector<toolkit::DialogRequest>& Asked() const { return asked_; }

 private:
  std::deque<Step> steps_;
  std::vector<toolkit::DialogRequest> asked_;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Presses the button of that object name as a user would.
  void Click(const char* button);
  // Clicks grid row `row` (1 = first chunk).
  void SelectRow(int row);
  // Opens `path` through the Open button and the scripted open dialog.
  void Open(const std::string& path);
  std::string Write(const std::string& name, const asrkit::testing::Bytes& bytes);

  QStringList Log() const { return form->Info->Lines->Strings(); }
  // The lines logged since `from` lines.
  QStringList LogFrom(int from) const;
  int LogCount() const { return static_cast<int>(Log().size()); }
  QString Cell(int col, int row) const { return form->Tabela->Cells[col][row]; }
  QStringList Row(int row) const;
  // The seven command buttons whose enabled state Open changes.
  std::vector<TButton*> CommandButtons() const;

  asrkit::testing::TempDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

QString Q(const std::string& text);

}  // namespace guitest
