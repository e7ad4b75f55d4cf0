// The results window's read as the operator sees it: the full 実績.txt into the grid's model by
// the read button, and the one repaint of the grid that follows, offscreen.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QTableView>
#include <cstdlib>

#include "bench/bench_support.h"
#include "importer/import_user_interface.h"
#include "platform/path_text.h"
#include "platform/text_file.h"
#include "results/results_file.h"
#include "results/results_texts.h"
#include "standin/stand_in_spreadsheet.h"
#include "ui/qt_user_interface.h"
#include "ui/results_window.h"

namespace {

using namespace sfxtal;

class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Each iteration opens a fresh window (not timed: the read button works once per window), then
// times the click on "実績データ読込" up to the end of the repaint it leaves pending.
void BM_ResultsWindowRead(benchmark::State& state) {
  bench::BenchFolder folder;
  if (!platform::ReplaceFile(folder.Path() / platform::PathFromUtf8(results::kResultsFileName),
                             bench::FullResultsFileBytes())) {
    state.SkipWithError("cannot write the results file");
    return;
  }
  importer::QuietUserInterface quiet;
  standin::StandInFactory spreadsheet(quiet);
  int paints = 0;
  for (auto _ : state) {
    ui::QtUserInterface qtUi;
    ui::ResultsWindow window(folder.Path(), qtUi, spreadsheet);
    window.show();
    QApplication::processEvents();
    auto* grid = window.findChild<QTableView*>("MSFlexGrid1");
    auto* read = window.findChild<QPushButton*>("Command1");
    PaintCounter counter(grid->viewport());

    QElapsedTimer timer;
    timer.start();
    read->click();
    QApplication::processEvents();
    state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);

    paints = counter.paints;
    if (grid->model()->index(results::kSuffixCount - 1, 0).data().toString() != "ZZZ") {
      state.SkipWithError("the file did not read through");
      break;
    }
  }
  state.counters["grid_paints"] = paints;
}
BENCHMARK(BM_ResultsWindowRead)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
