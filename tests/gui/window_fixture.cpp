#include "window_fixture.h"

#include <QPushButton>
#include <QTest>

#include "toolkit/Text.h"

namespace guitest {

QString Q(const std::string& text) { return toolkit::AnsiToString(text); }

void ScriptedDialogs::AcceptFile(const QString& dialog, const std::string& path) {
  const auto kind = dialog == QLatin1String("SaveFileDialog") ? toolkit::DialogKind::kSaveFile
                                                              : toolkit::DialogKind::kOpenFile;
  steps_.push_back({kind, dialog, {true, Q(path)}});
}

void ScriptedDialogs::CancelFile(const QString& dialog) {
  const auto kind = dialog == QLatin1String("SaveFileDialog") ? toolkit::DialogKind::kSaveFile
                                                              : toolkit::DialogKind::kOpenFile;
  steps_.push_back({kind, dialog, {false, {}}});
}

void ScriptedDialogs::AnswerBox(bool ok) {
  steps_.push_back({toolkit::DialogKind::kOkCancel, {}, {ok, {}}});
}

toolkit::DialogAnswer ScriptedDialogs::Answer(const toolkit::DialogRequest& request) {
  asked_.push_back(request);
  if (steps_.empty()) {
    ADD_FAILURE() << "unscripted dialog: " << request.name.toStdString() << " "
                  << request.caption.toStdString() << " " << request.text.toStdString();
    return {};
  }
  Step step = steps_.front();
  steps_.pop_front();
  EXPECT_EQ(static_cast<int>(request.kind), static_cast<int>(step.kind))
      << "asked " << request.name.toStdString() << request.caption.toStdString();
  EXPECT_EQ(request.name.toStdString(), step.name.toStdString());
  return step.answer;
}

void WindowTest::SetUp() {
  toolkit::SetDialogResponder(&dialogs);
  form = std::make_unique<TForm1>(nullptr);
  Form1 = form.get();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void WindowTest::TearDown() {
  EXPECT_EQ(dialogs.Pending(), 0U) << "scripted answers that no dialog asked for";
  form.reset();
  toolkit::SetDialogResponder(nullptr);
}

void WindowTest::Click(const char* button) {
  auto* widget = form->findChild<QPushButton*>(QLatin1String(button));
  ASSERT_NE(widget, nullptr) << button;
  QTest::mouseClick(widget, Qt::LeftButton);
}

void WindowTest::SelectRow(int row) {
  TStringGrid* grid = form->Tabela;
  const QModelIndex index = grid->model()->index(row - 1, 0);
  grid->scrollTo(index);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
  ASSERT_EQ(grid->Row(), row);
}

void WindowTest::Open(const std::string& path) {
  dialogs.AcceptFile(QStringLiteral("OpenFileDialog"), path);
  Click("OpenButton");
}

std::string WindowTest::Write(const std::string& name, const asrkit::testing::Bytes& bytes) {
  const std::string path = dir / name;
  asrkit::testing::WriteFile(path, bytes);
  return path;
}

QStringList WindowTest::LogFrom(int from) const { return Log().mid(from); }

QStringList WindowTest::Row(int row) const {
  QStringList cells;
  for (int col = 0; col < 6; ++col) cells << Cell(col, row);
  return cells;
}

std::vector<TButton*> WindowTest::CommandButtons() const {
  return {form->SaveButton,     form->BlockFromFile,  form->BlockToFile,    form->LoadDataButton,
          form->EditDataButton, form->SaveDataButton, form->AllBlocksToFile};
}

}  // namespace guitest
