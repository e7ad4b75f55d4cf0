#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "import/import_run.h"

namespace {

using sfxtal::bench::QuietUi;
using sfxtal::import::ImportOutcome;
using sfxtal::import::ImportRequest;
using sfxtal::import::ImportRun;

void BM_ImportRun(benchmark::State& state) {
  const sfxtal::bench::BenchFolder& sample = sfxtal::bench::SampleFolder();
  ImportRequest request;
  request.Path = sfxtal::bench::SampleLog().string();
  request.DateBoxes = {"1900", "01", "01", "9999", "99", "99"};  // the whole log
  std::int32_t lines = 0;
  for (auto _ : state) {
    QuietUi ui;
    sfxtal::logdb::FrequencyErrors errors;
    ImportRun run(sample.Path(), ui, errors, {}, {});
    if (run.Command2_Click(request) != ImportOutcome::kFinished) {
      state.SkipWithError("the import did not finish");
      break;
    }
    lines = run.LinesWritten();
  }
  state.counters["lines"] = lines;
  state.SetItemsProcessed(state.iterations() * sfxtal::bench::kSampleRecords);
}
BENCHMARK(BM_ImportRun)->Unit(benchmark::kMillisecond);

void BM_RawRead(benchmark::State& state) {
  sfxtal::bench::RawRead(state, sfxtal::bench::SampleLog());
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

// The reader's share of the run: every record through ReadQso with the same progress calls.
void BM_ReaderPass(benchmark::State& state) {
  for (auto _ : state) {
    QuietUi ui;
    sfxtal::logdb::FrequencyErrors errors;
    sfxtal::logdb::LogDatabase db(ui, errors);
    db.DbPath = sfxtal::bench::SampleLog().string();
    db.OpenLogDatabase();
    for (db.Pointer = 1; db.Pointer <= db.RecordCount(); ++db.Pointer) {
      if (!db.ReadQso()) break;
      ui.ShowProgress(db.Qso.Date);
      ui.Yield();
    }
  }
}
BENCHMARK(BM_ReaderPass)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
