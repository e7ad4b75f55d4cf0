#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/bench_support.h"
#include "logdb/log_database.h"

namespace {

using sfxtal::bench::QuietUi;
using sfxtal::bench::SampleLog;
using sfxtal::logdb::FrequencyErrors;
using sfxtal::logdb::LogDatabase;

// Every record of the sample log through ReadQso.
void BM_ReadAllRecords(benchmark::State& state) {
  const std::filesystem::path log = SampleLog();
  std::int64_t records = 0;
  for (auto _ : state) {
    QuietUi ui;
    FrequencyErrors errors;
    LogDatabase db(ui, errors);
    db.DbPath = log.string();
    db.OpenLogDatabase();
    for (std::int32_t pointer = 1; pointer <= db.RecordCount(); ++pointer) {
      db.Pointer = pointer;
      if (!db.ReadQso()) state.SkipWithError("a record could not be read");
      benchmark::DoNotOptimize(db.Qso.Callsign.data());
    }
    records += db.RecordCount();
    db.CloseLogDatabase();
  }
  state.SetItemsProcessed(records);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(log)));
}
BENCHMARK(BM_ReadAllRecords)->Unit(benchmark::kMillisecond);

void BM_RawRead(benchmark::State& state) {
  sfxtal::bench::RawRead(state, SampleLog());
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
