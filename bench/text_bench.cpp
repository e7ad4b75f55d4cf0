#include <benchmark/benchmark.h>

#include <string>

#include "platform/text_codec.h"

namespace {

using sfxtal::platform::DecodeCp932;
using sfxtal::platform::EncodeCp932;

// A typical work-file line with the mark "未" in CP932.
const std::string kLine = "\"QQ1ABC\",\"ABC\",\"1998/03/21\",\"\x96\xa2\"";

void BM_DecodeCp932Line(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DecodeCp932(kLine));
}
BENCHMARK(BM_DecodeCp932Line);

void BM_EncodeCp932Line(benchmark::State& state) {
  const std::string utf8 = DecodeCp932(kLine);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeCp932(utf8));
}
BENCHMARK(BM_EncodeCp932Line);

}  // namespace

BENCHMARK_MAIN();
