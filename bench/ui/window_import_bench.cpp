// The import of the 1,000,000-record sample log through the main window (offscreen: the window,
// its progress label, its yields to the event loop) against the same import without a window.
// Both write the same work file; the window's run may take at most 1.1 times the headless one.
//
//   build/bin/bench_window_import --benchmark_repetitions=5 --benchmark_enable_random_interleaving
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/spreadsheet_hand_over.h"
#include "bench/bench_support.h"
#include "importer/import_run.h"
#include "logdb/log_database.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"

namespace {

using sfxtal::bench::BenchFolder;
using QuietUi = sfxtal::importer::QuietUserInterface;

// No spreadsheet application: the hand-over passes over quietly on both roads.
class NoSpreadsheet : public sfxtal::app::SpreadsheetChooser {
 public:
  std::unique_ptr<sfxtal::platform::SpreadsheetApplication> Start(
      sfxtal::app::SpreadsheetJob /*job*/, const std::filesystem::path& /*workbook*/) override {
    return nullptr;
  }
};

// The window's user interface with the operator's answers given at once: the sample log's
// invalid frequencies would otherwise wait for someone to press OK. Everything else (progress,
// yields, locks, pointer) is the window's own.
class AnsweringQtUi : public sfxtal::ui::QtUserInterface {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

// Seconds per run of each road, for the ratio printed at the end.
double windowSeconds = 0;
double headlessSeconds = 0;
std::int64_t windowRuns = 0;
std::int64_t headlessRuns = 0;

std::uintmax_t WorkFileSize(const BenchFolder& folder) {
  std::error_code error;
  const auto size = std::filesystem::file_size(folder.Path() / "sfxtal.tmp", error);
  return error ? 0 : size;
}

void BM_HeadlessImport(benchmark::State& state) {
  sfxtal::bench::SampleFolder();
  const BenchFolder program;
  NoSpreadsheet spreadsheet;
  sfxtal::importer::ImportRequest request;  // the period a window starts with: the whole sample
  request.Path = sfxtal::bench::SampleLog().string();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    QuietUi ui;
    sfxtal::logdb::FrequencyErrors errors;
    sfxtal::logdb::LogDatabase log(ui, errors);
    sfxtal::importer::ImportRun run(
        program.Path(), ui, log,
        [&] { sfxtal::app::ExcelX(ui, program.Path(), sfxtal::app::kTallyMode, spreadsheet); },
        [] {});
    if (run.Command2_Click(request) != sfxtal::importer::ImportOutcome::kFinished) {
      state.SkipWithError("the import did not finish");
      break;
    }
    headlessSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++headlessRuns;
  }
  state.counters["workFileBytes"] = static_cast<double>(WorkFileSize(program));
}
BENCHMARK(BM_HeadlessImport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WindowImport(benchmark::State& state) {
  sfxtal::bench::SampleFolder();
  const BenchFolder program;
  NoSpreadsheet spreadsheet;
  long long eventPasses = 0;
  for (auto _ : state) {
    // The window is opened before the clock starts: the import is what is measured.
    state.PauseTiming();
    AnsweringQtUi ui;
    sfxtal::ui::MainWindow window(program.Path(), ui, spreadsheet);
    window.show();
    QApplication::processEvents();
    window.findChild<QLineEdit*>(QStringLiteral("Text1"))
        ->setText(QString::fromStdString(sfxtal::bench::SampleLog().string()));
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    if (!ui.Ended()) {
      state.SkipWithError("the import did not end the program");
      break;
    }
    windowSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++windowRuns;
    eventPasses = ui.EventPasses();
  }
  state.counters["workFileBytes"] = static_cast<double>(WorkFileSize(program));
  state.counters["eventPasses"] = static_cast<double>(eventPasses);
}
BENCHMARK(BM_WindowImport)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (windowRuns > 0 && headlessRuns > 0) {
    const double window = windowSeconds / static_cast<double>(windowRuns);
    const double headless = headlessSeconds / static_cast<double>(headlessRuns);
    std::printf("window %.1f ms, headless %.1f ms per import: %.3f times (at most 1.1)\n",
                window * 1e3, headless * 1e3, window / headless);
  }
  return 0;
}
