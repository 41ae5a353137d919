#include "Main.h"

#include <QString>
#include <charconv>

#include "archive_format.h"
#include "archive_writer.h"
#include "messages.h"
#include "open_archive.h"
#include "resource_chunk.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Text.h"
#include "ui_Main.h"

using toolkit::AnsiToString;
using toolkit::StringToAnsi;
namespace msg = asrkit::msg;

TForm1* Form1 = nullptr;

namespace {

// The stored filter texts, exactly as users have always seen them.
constexpr const char* kOpenFilter =
    "*.asr,*.pc        |*.asr;*.pc;*.ent;*.prf;*.ext;*.ept|All files (*.*)|*.*";
constexpr const char* kSaveFilter =
    "Asura File        |*.asr;*.pc;*.ent;*.prf;*.ext;*.ept|All Files (*.*)|*.*";
constexpr const char* kBlockFilter = "*.bin     |*.bin|All Files (*.*)|*.*";

// What the Open command's steps in the model mean for the window.
class FormOpenListener : public asrkit::OpenListener {
 public:
  explicit FormOpenListener(TForm1* form) : form_(form) {}

  void Log(std::string_view line) override { AddLogLine(form_, line); }

  void ImageRead(const std::string& /*path*/) override {
    form_->SetCaption(form_->OpenFileDialog->FileName);
  }

  void TableAllocated(std::int32_t count) override {
    TStringGrid* grid = form_->Tabela;
    grid->SetRowCount(count + 1);
    grid->ClearCells(0, 4, 1, count);  // the header row and column 5 stay
    form_->ProgressBar1->SetMax(count);
  }

  void ChunksCopied() override {
    form_->SaveButton->setEnabled(true);
    form_->BlockFromFile->setEnabled(true);
    form_->BlockToFile->setEnabled(true);
    form_->LoadDataButton->setEnabled(true);
    form_->EditDataButton->setEnabled(true);
    form_->SaveDataButton->setEnabled(true);
    form_->AllBlocksToFile->setEnabled(true);
  }

 private:
  TForm1* form_;
};

}  // namespace

void AddLogLine(TForm1* form, std::string_view line) { form->Info->Lines->Add(AnsiToString(line)); }

TForm1::TForm1(QWidget* Owner) : TForm(Owner), ui_(std::make_unique<Ui::TForm1>()) {
  ui_->setupUi(this);
  OpenButton = ui_->OpenButton;
  Tabela = ui_->Tabela;
  OpenFileDialog = new TOpenDialog(this, QStringLiteral("OpenFileDialog"));
  OpenFileDialog->Filter = QString::fromLatin1(kOpenFilter);
  Info = ui_->Info;
  SaveButton = ui_->SaveButton;
  SaveFileDialog = new TSaveDialog(this, QStringLiteral("SaveFileDialog"));
  SaveFileDialog->Filter = QString::fromLatin1(kSaveFilter);
  ProgressBar1 = ui_->ProgressBar1;
  LoadDataButton = ui_->LoadDataButton;
  SaveDataButton = ui_->SaveDataButton;
  GroupDataInBlock = ui_->GroupDataInBlock;
  EditDataButton = ui_->EditDataButton;
  GroupBlock = ui_->GroupBlock;
  GroupAsr = ui_->GroupAsr;
  BlockToFile = ui_->BlockToFile;
  BlockFromFile = ui_->BlockFromFile;
  BlockFromFileDialog = new TOpenDialog(this, QStringLiteral("BlockFromFileDialog"));
  BlockFromFileDialog->Filter = QString::fromLatin1(kBlockFilter);
  LoadDataDialog = new TOpenDialog(this, QStringLiteral("LoadDataDialog"));  // no filter
  AllBlocksToFile = ui_->AllBlocksToFile;
  Label1 = ui_->Label1;

  // Bound by name as the window description binds them.
  connect(OpenButton, &QPushButton::clicked, this, [this] { OpenButtonClick(OpenButton); });
  connect(SaveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(SaveButton); });
  connect(BlockFromFile, &QPushButton::clicked, this,
          [this] { BlockFromFileClick(BlockFromFile); });
  connect(BlockToFile, &QPushButton::clicked, this, [this] { BlockToFileClick(BlockToFile); });
  connect(AllBlocksToFile, &QPushButton::clicked, this,
          [this] { AllBlocksToFileClick(AllBlocksToFile); });
  connect(LoadDataButton, &QPushButton::clicked, this,
          [this] { LoadDataButtonClick(LoadDataButton); });
  connect(SaveDataButton, &QPushButton::clicked, this,
          [this] { SaveDataButtonClick(SaveDataButton); });
  connect(EditDataButton, &QPushButton::clicked, this,
          [this] { EditDataButtonClick(EditDataButton); });

  FormCreate(this);
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::DoClose(TCloseAction& Action) { FormClose(this, Action); }

void TForm1::FormCreate(TObject* /*Sender*/) {
  Tabela->Cells[0][0] = QStringLiteral("File");
  Tabela->Cells[1][0] = QString();
  Tabela->Cells[2][0] = QStringLiteral("Ext");
  Tabela->Cells[3][0] = QStringLiteral("Name");
  Tabela->Cells[4][0] = QStringLiteral("Size");
}

void TForm1::FormClose(TObject* /*Sender*/, TCloseAction& /*Action*/) {
  asrkit::FreeChunkTable(State);
  asrkit::FreeImage(State);
}

void TForm1::OpenButtonClick(TObject* /*Sender*/) {
  AddLogLine(this, msg::kOpeningFile);
  if (!OpenFileDialog->Execute()) {
    AddLogLine(this, msg::kCancelledOpen);
    return;
  }
  FormOpenListener listener(this);
  // The file is read whole and closed inside; a failure has logged its line.
  if (!asrkit::ReadArchiveImage(State, StringToAnsi(OpenFileDialog->FileName), listener).ok()) {
    return;
  }
  ParseArchive(this);
}

void ParseArchive(TForm1* form) {
  FormOpenListener listener(form);
  if (asrkit::ParseArchiveImage(form->State, listener).ok()) FillChunkList(form);
}

void FillChunkList(TForm1* form) {
  const asrkit::ArchiveState& state = form->State;
  TStringGrid* grid = form->Tabela;
  char number[16];
  const auto decimal = [&number](std::int32_t value) {
    return std::string_view(number, std::to_chars(number, number + sizeof number, value).ptr);
  };
  for (std::int32_t i = 0; i < state.ChunkCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const std::string_view tag = asrkit::TagTextView(asrkit::ChunkBytes(state, i));
    const int row = i + 1;
    grid->Cells[0][row] = decimal(i + 1);
    grid->Cells[1][row] = tag;
    grid->Cells[4][row] = decimal(state.ChunkSizes[index]);
    if (state.ChunkTags[index] == asrkit::TagRSCF) {
      grid->Cells[3][row] = asrkit::ResourceNameView(state, i);
      grid->Cells[2][row] = asrkit::KindText(asrkit::PayloadKind(state, i));
    } else {
      grid->Cells[2][row] = "";
      grid->Cells[3][row] = "";
    }
    form->ProgressBar1->SetPosition(i);
  }
}

void TForm1::SaveButtonClick(TObject* /*Sender*/) {
  const std::string text(msg::kConfirmText);
  const std::string caption(msg::kConfirmCaption);
  if (MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OKCANCEL) == IDCANCEL) return;
  AddLogLine(this, msg::kSavingFile);
  SaveFileDialog->FileName = OpenFileDialog->FileName;
  if (!SaveFileDialog->Execute()) {
    AddLogLine(this, msg::kCancelled);
    return;
  }
  FormProgress progress(this);
  const asrkit::Status status =
      asrkit::SaveArchive(State, StringToAnsi(SaveFileDialog->FileName), progress);
  AddLogLine(this, status.ok() ? msg::kSaved : std::string_view(status.message()));
}
