#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/settings_store.h"
#include "bench/bench_support.h"
#include "importer/import_user_interface.h"
#include "platform/path_text.h"
#include "platform/text_file.h"
#include "results/results_file.h"
#include "results/results_texts.h"
#include "results/suffix_row.h"

namespace {

using sfxtal::bench::BenchFolder;

using namespace sfxtal;

using QuietUi = sfxtal::importer::QuietUserInterface;

void BM_ReadResultsFile(benchmark::State& state) {
  BenchFolder folder;
  if (!platform::ReplaceFile(folder.Path() / platform::PathFromUtf8(results::kResultsFileName),
                             bench::FullResultsFileBytes())) {
    state.SkipWithError("cannot write the results file");
    return;
  }
  QuietUi ui;
  results::ResultsTable table;
  int records = 0;
  for (auto _ : state) {
    const auto read = results::ReadResultsFile(folder.Path(), ui, table);
    records = read ? read->recordCount : 0;
    benchmark::DoNotOptimize(read);
  }
  if (records != results::kSuffixCount) state.SkipWithError("the file did not read through");
  state.counters["records"] = records;
}
BENCHMARK(BM_ReadResultsFile)->Unit(benchmark::kMillisecond);

void BM_ReadSetting(benchmark::State& state) {
  BenchFolder folder;
  const app::SettingsStore store(folder.Path());
  store.WriteSetting(app::kTevrakKey, "/home/op/Tevrak.TDB");
  store.WriteSetting(app::kForm1TopKey, " 2340");
  store.WriteSetting(app::kGiveUpMarksKey, "未");
  for (auto _ : state) {
    std::string value;
    store.ReadSetting(app::kGiveUpMarksKey, value);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_ReadSetting)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
