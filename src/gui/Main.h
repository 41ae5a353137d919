// Unit Main: the main window class TForm1 with its window description
// (Main.ui), the Open and Save As commands, ParseArchive and FillChunkList.
// The chunk commands are in Block.cpp, the payload commands in
// Datainblock.cpp. Every command works through the
// Qt-free archive model in src/archive and turns its results into log lines,
// grid cells and progress.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <memory>
#include <string_view>

#include "archive_state.h"
#include "progress.h"
#include "toolkit/Button.h"
#include "toolkit/FileDialog.h"
#include "toolkit/Form.h"
#include "toolkit/Memo.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/StringGrid.h"

namespace Ui {
class TForm1;
}

using TGroupBox = QGroupBox;
using TLabel = QLabel;

class TForm1 : public TForm {
 public:
  // Component fields, in the order the window declares them. The window owns them.
  TButton* OpenButton;
  TStringGrid* Tabela;
  TOpenDialog* OpenFileDialog;
  TMemo* Info;
  TButton* SaveButton;
  TSaveDialog* SaveFileDialog;
  TProgressBar* ProgressBar1;
  TButton* LoadDataButton;
  TButton* SaveDataButton;
  TGroupBox* GroupDataInBlock;
  TButton* EditDataButton;
  TGroupBox* GroupBlock;
  TGroupBox* GroupAsr;
  TButton* BlockToFile;
  TButton* BlockFromFile;
  TOpenDialog* BlockFromFileDialog;
  TOpenDialog* LoadDataDialog;
  TButton* AllBlocksToFile;
  TLabel* Label1;

  // Handlers, in the order the window declares them.
  void OpenButtonClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void SaveButtonClick(TObject* Sender);
  void FormCreate(TObject* Sender);
  void LoadDataButtonClick(TObject* Sender);
  void SaveDataButtonClick(TObject* Sender);
  void BlockToFileClick(TObject* Sender);
  void BlockFromFileClick(TObject* Sender);
  void AllBlocksToFileClick(TObject* Sender);
  // Not in the original window description: Edit opens a preview (EditData.cpp).
  void EditDataButtonClick(TObject* Sender);

  // Builds every component of the window description, binds the handlers
  // to their events by name, then runs FormCreate (OnCreate).
  explicit TForm1(QWidget* Owner);
  ~TForm1() override;

  // The one process-wide archive state; the window owns it.
  asrkit::ArchiveState State;

 protected:
  void DoClose(TCloseAction& Action) override;

 private:
  std::unique_ptr<Ui::TForm1> ui_;
};

// The one TForm1 of the process; the application object fills it in.
extern TForm1* Form1;

// The second half of Open: header, walk, table, buttons, list.
void ParseArchive(TForm1* form);
// Writes the chunk table into grid rows 1..ChunkCount.
void FillChunkList(TForm1* form);

// Appends one log line, given as 8-bit text, to Info.
void AddLogLine(TForm1* form, std::string_view line);

// The model's progress reports, shown on ProgressBar1.
class FormProgress : public asrkit::ProgressSink {
 public:
  explicit FormProgress(TForm1* form) : form_(form) {}
  void SetMax(std::int32_t max) override { form_->ProgressBar1->SetMax(max); }
  void SetPosition(std::int32_t position) override { form_->ProgressBar1->SetPosition(position); }

 private:
  TForm1* form_;
};
