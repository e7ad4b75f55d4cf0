#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include "bench/bench_support.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "standin/results_workbook.h"
#include "standin/tally.h"

namespace {

using sfxtal::bench::BenchFolder;

using sfxtal::standin::Tally;

// Lines as the import writes them: random suffixes of one to three letters, a third of them
// confirmed, in CP932 with CR LF.
std::string WorkFileBytes(int lines) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> letter(0, 25);
  std::uniform_int_distribution<int> length(1, 3);
  std::uniform_int_distribution<int> mark(0, 2);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(lines) * 40);
  for (int i = 0; i < lines; ++i) {
    std::string suffix;
    for (int n = length(random); n > 0; --n) suffix += static_cast<char>('A' + letter(random));
    bytes += "\"QQ1" + suffix + "\",\"" + suffix + "\",\"2001/02/03\",\"" +
             (mark(random) == 0 ? "J" : "\x96\xa2") + "\"\r\n";
  }
  return bytes;
}

void BM_Tally(benchmark::State& state) {
  BenchFolder folder;
  const std::filesystem::path workFile = folder.Path() / "sfxtal.tmp";
  if (!sfxtal::platform::ReplaceFile(workFile, WorkFileBytes(static_cast<int>(state.range(0))))) {
    state.SkipWithError("cannot write the work file");
    return;
  }
  for (auto _ : state) {
    const std::optional<Tally> tally = sfxtal::standin::TallyWorkFile(workFile);
    if (!tally || !sfxtal::platform::ReplaceFile(folder.Path() / "実績.txt",
                                                 sfxtal::standin::ResultsFileBytes(*tally))) {
      state.SkipWithError("tally failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Tally)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WriteResultsWorkbook(benchmark::State& state) {
  BenchFolder folder;
  Tally tally;
  std::istringstream lines(WorkFileBytes(50000));
  for (std::string line; std::getline(lines, line);) {
    line.pop_back();  // the CR
    sfxtal::standin::AddWorkLine(tally, line);
  }
  for (auto _ : state) {
    if (!sfxtal::standin::WriteResultsWorkbook(folder.Path() / "sfxtal.xlsx", tally, {})) {
      state.SkipWithError("cannot write the workbook");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * sfxtal::standin::kSuffixCount);
}
BENCHMARK(BM_WriteResultsWorkbook)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
