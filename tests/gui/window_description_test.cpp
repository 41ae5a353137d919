// The window as it opens: controls, their places and texts, the grid's
// shape, the dialogs' filters, tab order, and the entry's exception display.
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "toolkit/Application.h"
#include "toolkit/FileDialog.h"
#include "window_fixture.h"

namespace guitest {
namespace {

struct Control {
  const char* name;
  const char* parent;
  int left, top, width, height;
  const char* text;
  bool enabled;
};

void PrintTo(const Control& c, std::ostream* out) { *out << c.name; }

class ControlTest : public WindowTest, public ::testing::WithParamInterface<Control> {};

TEST_P(ControlTest, SitsWhereTheWindowDescriptionPutsIt) {
  const Control& c = GetParam();
  auto* widget = form->findChild<QWidget*>(QLatin1String(c.name));
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), c.parent);
  EXPECT_EQ(widget->geometry(), QRect(c.left, c.top, c.width, c.height));
  EXPECT_EQ(widget->isEnabled(), c.enabled);
  QString text;
  if (auto* button = qobject_cast<QPushButton*>(widget)) text = button->text();
  if (auto* box = qobject_cast<QGroupBox*>(widget)) text = box->title();
  if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
  EXPECT_EQ(text.toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Window, ControlTest,
    ::testing::Values(
        Control{"Label1", "TForm1", 336, 256, 31, 13, "Label1", true},
        Control{"Info", "TForm1", 167, 432, 547, 62, "", true},
        Control{"ProgressBar1", "TForm1", 167, 416, 547, 10, "", true},
        Control{"Tabela", "TForm1", 167, 8, 547, 402, "", true},
        Control{"GroupDataInBlock", "TForm1", 8, 294, 145, 139, "MATERIALS", true},
        Control{"SaveDataButton", "GroupDataInBlock", 16, 102, 116, 25, "Save to File", false},
        Control{"LoadDataButton", "GroupDataInBlock", 16, 24, 116, 25, "Load from File", false},
        Control{"EditDataButton", "GroupDataInBlock", 16, 63, 116, 25, "Edit ", false},
        Control{"GroupBlock", "TForm1", 8, 134, 145, 146, "CHUNK", true},
        Control{"BlockToFile", "GroupBlock", 15, 64, 116, 25, "Export Chunk", false},
        Control{"BlockFromFile", "GroupBlock", 15, 24, 116, 25, "Import Chunk", false},
        Control{"AllBlocksToFile", "GroupBlock", 16, 104, 115, 25, "Export All", false},
        Control{"GroupAsr", "TForm1", 8, 8, 145, 105, "FILE", true},
        Control{"OpenButton", "GroupAsr", 15, 32, 116, 25, "Open", true},
        Control{"SaveButton", "GroupAsr", 15, 63, 117, 25, "Save As", false}),
    [](const auto& info) { return std::string(info.param.name); });

using WindowDescriptionTest = WindowTest;

TEST_F(WindowDescriptionTest, WindowIsFixedAtItsDesignedSizeWithoutMaximise) {
  EXPECT_EQ(form->size(), QSize(722, 502));
  EXPECT_EQ(form->minimumSize(), QSize(722, 502));
  EXPECT_EQ(form->maximumSize(), QSize(722, 502));
  const Qt::WindowFlags flags = form->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(form->windowIcon().isNull());
  EXPECT_EQ(QFontInfo(form->font()).family().toStdString(), "Tahoma");
  EXPECT_EQ(form->font().pointSize(), 8);
}

TEST_F(WindowDescriptionTest, Label1IsCoveredByTheGrid) {
  const QPoint centre = form->Label1->geometry().center();
  QWidget* top = form->childAt(centre);
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(top == form->Tabela || form->Tabela->isAncestorOf(top));
}

TEST_F(WindowDescriptionTest, GridStartsWithTheHeaderRowAboveOneEmptySelectedRow) {
  TStringGrid* grid = form->Tabela;
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->ColCount(), 6);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(Row(0), (QStringList{"File", "", "Ext", "Name", "Size", ""}));
  EXPECT_EQ(Row(1), (QStringList{"", "", "", "", "", ""}));
  EXPECT_EQ(grid->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Name"));
  const std::vector<int> widths{34, 29, 46, 362, 51, 18};
  for (int col = 0; col < 6; ++col) {
    EXPECT_EQ(grid->ColWidth(col), widths[static_cast<std::size_t>(col)]);
    // Qt counts the one-pixel grid line inside the section.
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(col),
              widths[static_cast<std::size_t>(col)] + 1);
  }
  EXPECT_EQ(grid->DefaultRowHeight(), 16);
  EXPECT_EQ(grid->rowHeight(0), 17);
  EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(grid->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_FALSE(grid->verticalHeader()->isVisible());
}

TEST_F(WindowDescriptionTest, LogIsEmptyAndProgressStandsAtZeroOfHundred) {
  EXPECT_TRUE(Log().isEmpty());
  EXPECT_EQ(form->ProgressBar1->Max(), 100);
  EXPECT_EQ(form->ProgressBar1->Position(), 0);
  EXPECT_EQ(form->Info->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_FALSE(form->Info->isReadOnly());
}

TEST_F(WindowDescriptionTest, DialogsKeepTheirFilterTextsExactly) {
  EXPECT_EQ(form->OpenFileDialog->objectName(), QStringLiteral("OpenFileDialog"));
  EXPECT_EQ(form->OpenFileDialog->Filter.toStdString(),
            "*.asr,*.pc        |*.asr;*.pc;*.ent;*.prf;*.ext;*.ept|All files (*.*)|*.*");
  EXPECT_EQ(form->SaveFileDialog->Filter.toStdString(),
            "Asura File        |*.asr;*.pc;*.ent;*.prf;*.ext;*.ept|All Files (*.*)|*.*");
  EXPECT_EQ(form->BlockFromFileDialog->Filter.toStdString(),
            "*.bin     |*.bin|All Files (*.*)|*.*");
  EXPECT_TRUE(form->LoadDataDialog->Filter.isEmpty());
}

TEST_F(WindowDescriptionTest, TabOrderRunsFromTheLogToTheFileGroup) {
  const std::vector<std::string> expected{
      "Info",        "Tabela",        "SaveDataButton",  "LoadDataButton", "EditDataButton",
      "BlockToFile", "BlockFromFile", "AllBlocksToFile", "OpenButton",     "SaveButton"};
  std::vector<std::string> seen;
  QWidget* widget = form->Info;
  for (std::size_t guard = 0; guard < 200 && seen.size() < expected.size(); ++guard) {
    const std::string name = widget->objectName().toStdString();
    if (std::find(expected.begin(), expected.end(), name) != expected.end() &&
        std::find(seen.begin(), seen.end(), name) == seen.end()) {
      seen.push_back(name);
    }
    widget = widget->nextInFocusChain();
  }
  EXPECT_EQ(seen, expected);
}

TEST_F(WindowDescriptionTest, EditButtonLogsNothingAndKeepsTheTable) {
  Open(Write("a.asr", asrkit::testing::Archive({asrkit::testing::PlainChunk("ABCD", 12)})));
  const QStringList before = Log();
  ASSERT_TRUE(form->EditDataButton->isEnabled());
  Click("EditDataButton");
  EXPECT_EQ(Log(), before);
  EXPECT_EQ(form->State.ChunkCount, 1);
}

TEST_F(WindowDescriptionTest, DisabledCommandButtonsCannotBePressed) {
  for (TButton* button : CommandButtons()) {
    EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  }
  EXPECT_TRUE(Log().isEmpty());  // no handler ran, so no dialog was asked either
}

struct FilterCase {
  const char* stored;
  QStringList qt;
};

void PrintTo(const FilterCase& c, std::ostream* out) { *out << '"' << c.stored << '"'; }

class FilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTest, StoredTextBecomesQtNameFilters) {
  EXPECT_EQ(toolkit::TranslateFilter(QString::fromLatin1(GetParam().stored)), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, FilterTest,
    ::testing::Values(
        FilterCase{
            "*.asr,*.pc        |*.asr;*.pc;*.ent;*.prf;*.ext;*.ept|All files (*.*)|*.*",
            {"*.asr,*.pc         (*.asr *.pc *.ent *.prf *.ext *.ept)", "All files (*.*) (*)"}},
        FilterCase{"*.bin     |*.bin|All Files (*.*)|*.*",
                   {"*.bin      (*.bin)", "All Files (*.*) (*)"}},
        FilterCase{"", {}}));

// The entry's one handler, with the error box answered through the seam.
class ErrorBoxes : public toolkit::DialogResponder {
 public:
  toolkit::DialogAnswer Answer(const toolkit::DialogRequest& request) override {
    EXPECT_EQ(static_cast<int>(request.kind), static_cast<int>(toolkit::DialogKind::kError));
    shown.push_back(request.text.toStdString());
    return {};
  }
  std::vector<std::string> shown;
};

TEST(EntryTest, EscapingObjectsAreShownOnceAsExceptions) {
  ErrorBoxes boxes;
  toolkit::DialogResponder* previous = toolkit::SetDialogResponder(&boxes);
  toolkit::RunGuarded([] { throw Exception(QStringLiteral("Out of memory")); });
  toolkit::RunGuarded([] { throw 42; });
  toolkit::RunGuarded([] {});
  toolkit::SetDialogResponder(previous);
  EXPECT_EQ(boxes.shown, (std::vector<std::string>{"Out of memory", ""}));
}

}  // namespace
}  // namespace guitest
