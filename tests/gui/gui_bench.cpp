// Run by hand or by scripts/bench: asrkit_gui_bench [CHUNKS | ARCHIVE]
// Times the grid listing 100,000 rows, 100,000 progress positions, and
// opening and listing an archive (one of CHUNKS small chunks, 65,536 by
// default, or the given file) in the window against the model's own open of
// the same file, in one run. Offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QCoreApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Main.h"
#include "archive_builder.h"
#include "open_archive.h"
#include "toolkit/Application.h"
#include "toolkit/DialogSeam.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class AnswerOpen : public toolkit::DialogResponder {
 public:
  explicit AnswerOpen(QString path) : path_(std::move(path)) {}
  toolkit::DialogAnswer Answer(const toolkit::DialogRequest&) override { return {true, path_}; }

 private:
  QString path_;
};

// Lets the window repaint what the handler changed, as the event loop would.
double Settle(TForm1& form) {
  const auto start = Clock::now();
  QCoreApplication::processEvents();
  form.repaint();
  return Ms(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::string given = argc > 1 ? argv[1] : "";
  const bool given_file = !given.empty() && std::filesystem::is_regular_file(given);
  const int chunks = given.empty() || given_file ? 65536 : std::atoi(given.c_str());
  TApplication app(argc, argv);
  TForm1 form(nullptr);
  Form1 = &form;
  form.show();
  (void)QTest::qWaitForWindowExposed(&form);

  // 1. 100,000 rows listed the way FillChunkList writes them.
  {
    constexpr int kRows = 100000;
    const auto start = Clock::now();
    form.Tabela->SetRowCount(kRows + 1);
    for (int row = 1; row <= kRows; ++row) {
      const std::string number = std::to_string(row);
      form.Tabela->Cells[0][row] = number;
      form.Tabela->Cells[1][row] = "RSCF";
      form.Tabela->Cells[2][row] = "DDS File";
      form.Tabela->Cells[3][row] = "textures\\level1\\rock_" + number + ".tga";
      form.Tabela->Cells[4][row] = std::to_string(row * 16);
    }
    const double write = Ms(Clock::now() - start);
    const double paint = Settle(form);
    std::printf("list 100000 rows: %.1f ms writing cells + %.1f ms until painted\n", write, paint);
  }

  // 2. 100,000 progress positions in a row.
  {
    constexpr int kPositions = 100000;
    form.ProgressBar1->SetMax(kPositions);
    const auto start = Clock::now();
    for (int i = 0; i < kPositions; ++i) form.ProgressBar1->SetPosition(i);
    const double set = Ms(Clock::now() - start);
    const double paint = Settle(form);
    std::printf("100000 progress positions: %.2f ms (%.1f ns each) + %.1f ms until painted\n", set,
                set * 1e6 / kPositions, paint);
  }

  // 3. Open + list an archive of `chunks` chunks vs the model's open.
  {
    asrkit::testing::TempDir dir;
    std::vector<asrkit::testing::Bytes> parts;
    parts.reserve(static_cast<std::size_t>(chunks));
    for (int i = 0; i < chunks && !given_file; ++i) {
      if (i % 2 == 0) {
        parts.push_back(
            asrkit::testing::ResourceChunk("textures\\level1\\tex_" + std::to_string(i) + ".tga",
                                           asrkit::testing::Payload("DDS ", 64)));
      } else {
        parts.push_back(asrkit::testing::PlainChunk("WXYZ", 48));
      }
    }
    const std::string path = given_file ? given : dir / "big.asr";
    if (!given_file) asrkit::testing::WriteFile(path, asrkit::testing::Archive(parts));
    parts.clear();

    // The model's state is kept from round to round, as the window's is, so
    // both release the previous table before reading the file again.
    asrkit::ArchiveState state;
    std::vector<double> models, windows;
    constexpr int kRounds = 9;
    for (int round = 0; round < kRounds; ++round) {
      auto start = Clock::now();
      const bool ok = asrkit::OpenArchive(state, path).ok();
      const double model = Ms(Clock::now() - start);

      AnswerOpen answer(QString::fromLocal8Bit(path));
      toolkit::SetDialogResponder(&answer);
      start = Clock::now();
      form.OpenButton->click();
      const double window = Ms(Clock::now() - start);
      toolkit::SetDialogResponder(nullptr);
      const double paint = Settle(form);

      start = Clock::now();
      FillChunkList(&form);
      const double relist = Ms(Clock::now() - start);
      std::printf(
          "open %d chunks (%s): model %.2f ms, window %.2f ms (+ %.1f ms until painted);"
          " FillChunkList alone %.2f ms\n",
          state.ChunkCount, ok ? "ok" : "failed", model, window, paint, relist);
      models.push_back(model);
      windows.push_back(window);
    }
    std::sort(models.begin(), models.end());
    std::sort(windows.begin(), windows.end());
    std::printf("median of %d: model %.2f ms, window (open + list) %.2f ms = %.2fx\n", kRounds,
                models[kRounds / 2], windows[kRounds / 2],
                windows[kRounds / 2] / models[kRounds / 2]);
    const int rows = form.Tabela->RowCount();
    std::printf("rows %d, last row: %s | %s | %s\n", rows,
                form.Tabela->Cell(0, rows - 1).toStdString().c_str(),
                form.Tabela->Cell(1, rows - 1).toStdString().c_str(),
                form.Tabela->Cell(4, rows - 1).toStdString().c_str());
  }
  Form1 = nullptr;
  return 0;
}
