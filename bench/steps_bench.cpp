// The steps of `sfxtal-cli import` side by side, on the same 1,000,000-record sample log with the
// whole log in the period: the raw read of the log's bytes (the yardstick), the reader's pass, the
// import run (which holds the reader's pass), the tally of its work file into 実績.txt, the results
// workbook, and the whole hand-over. `make bench` prints the process-level comparison after them.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

#include "bench/bench_support.h"
#include "import/import_run.h"
#include "platform/text_file.h"
#include "standin/results_workbook.h"
#include "standin/stand_in_spreadsheet.h"
#include "standin/tally.h"

namespace {

using namespace sfxtal;
using bench::QuietUi;

import::ImportRequest WholeLog(){import::ImportRequest request;
request.Path = bench::SampleLog().string();
request.DateBoxes = {"1900", "01", "01", "9999", "99", "99"};
return request;
}  // namespace

// The sample's work file, written by one import into a folder of its own.
const std::filesystem::path& WorkFolder() {
  static const bench::BenchFolder folder;
  static const bool written = [] {
    QuietUi ui;
    ui.paints = false;
    logdb::FrequencyErrors errors;
    import::ImportRun run(folder.Path(), ui, errors, {}, {});
    return run.Command2_Click(WholeLog()) == import::ImportOutcome::kFinished;
  }();
  if (!written) std::abort();
  return folder.Path();
}

const standin::Tally& SampleTally() {
  static const std::optional<standin::Tally> tally =
      standin::TallyWorkFile(WorkFolder() / "sfxtal.tmp");
  if (!tally) std::abort();
  return *tally;
}

void BM_RawRead(benchmark::State& state) {
  bench::RawRead(state, bench::SampleLog());
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

// Every record's fields as the import's pass reads them, with its yields.
void BM_ReaderPass(benchmark::State& state) {
  for (auto _ : state) {
    QuietUi ui;
    logdb::FrequencyErrors errors;
    logdb::LogDatabase db(ui, errors);
    db.DbPath = bench::SampleLog().string();
    db.OpenLogDatabase();
    logdb::RecordFields fields;
    for (db.Pointer = 1; db.Pointer <= db.RecordCount(); ++db.Pointer) {
      if (!db.SkimQso(fields)) break;
      benchmark::DoNotOptimize(fields.calls.data());
      ui.Yield();
    }
  }
  state.SetItemsProcessed(state.iterations() * bench::kSampleRecords);
}
BENCHMARK(BM_ReaderPass)->Unit(benchmark::kMillisecond);

// The import run; `paints`: the window paints at every yield, so the progress line is built after
// every record (the terminal never paints).
void ImportRun(benchmark::State& state, bool paints) {
  const bench::BenchFolder folder;
  const import::ImportRequest request = WholeLog();
  for (auto _ : state) {
    QuietUi ui;
    ui.paints = paints;
    logdb::FrequencyErrors errors;
    import::ImportRun run(folder.Path(), ui, errors, {}, {});
    if (run.Command2_Click(request) != import::ImportOutcome::kFinished) {
      state.SkipWithError("the import did not finish");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * bench::kSampleRecords);
}
void BM_ImportRun(benchmark::State& state) {
  ImportRun(state, false);
}
BENCHMARK(BM_ImportRun)->Unit(benchmark::kMillisecond);
void BM_ImportRunProgressEveryRecord(benchmark::State& state) {
  ImportRun(state, true);
}
BENCHMARK(BM_ImportRunProgressEveryRecord)->Unit(benchmark::kMillisecond);

// The tally of the import's work file (about 950,000 lines) and 実績.txt written from it.
void BM_Tally(benchmark::State& state) {
  const std::filesystem::path workFile = WorkFolder() / "sfxtal.tmp";
  const bench::BenchFolder folder;
  for (auto _ : state) {
    const std::optional<standin::Tally> tally = standin::TallyWorkFile(workFile);
    if (!tally ||
        !platform::ReplaceFile(folder.Path() / "実績.txt", standin::ResultsFileBytes(*tally))) {
      state.SkipWithError("the tally failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(workFile)));
}
BENCHMARK(BM_Tally)->Unit(benchmark::kMillisecond);

// sfxtal.xlsx from the sample's tally.
void BM_ResultsWorkbook(benchmark::State& state) {
  const standin::Tally& tally = SampleTally();
  const bench::BenchFolder folder;
  for (auto _ : state) {
    if (!standin::WriteResultsWorkbook(folder.Path() / "sfxtal.xlsx", tally)) {
      state.SkipWithError("cannot write the workbook");
      break;
    }
  }
}
BENCHMARK(BM_ResultsWorkbook)->Unit(benchmark::kMillisecond);

// The whole "F_Read" of the stand-in: the tally, 実績.txt and sfxtal.xlsx.
void BM_HandOver(benchmark::State& state) {
  const std::filesystem::path& folder = WorkFolder();
  QuietUi ui;
  for (auto _ : state) {
    if (!standin::TallyWorkFileToResults(ui, folder)) {
      state.SkipWithError("the hand-over failed");
      break;
    }
  }
}
BENCHMARK(BM_HandOver)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
