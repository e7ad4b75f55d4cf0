#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "import/import_run.h"
#include "import/suffix_dialog.h"
#include "logdb/sample_log.h"

namespace {

using sfxtal::import::ImportOutcome;
using sfxtal::import::ImportRequest;
using sfxtal::import::ImportRun;

constexpr std::uint32_t kRecords = 1'000'000;

// A window that answers everything at once: the run's own cost is what is measured.
class QuietUi : public sfxtal::app::UserInterface {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void AskSuffix(sfxtal::import::SuffixDialog& dialog) override { dialog.Command2_Click(); }
  void SetInputsLocked(bool) override {}
  void ShowProgress(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
  void Yield() override {}
  void SetBusyPointer(bool) override {}
  void OpenFile(const std::filesystem::path&) override {}
  void EndProgram() override {}
  bool StopRequested() const override { return false; }
};

// The generated log, made once for every benchmark in a folder of its own.
class SampleFolder {
 public:
  SampleFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sfxtal-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    if (!sfxtal::logdb::WriteSampleLog(Log(), kRecords, 1)) std::abort();
  }
  ~SampleFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path Log() const { return path_ / "Tevrak.TDB"; }

 private:
  std::filesystem::path path_;
};

SampleFolder& Sample() {
  static SampleFolder folder;
  return folder;
}

void BM_ImportRun(benchmark::State& state) {
  const SampleFolder& sample = Sample();
  ImportRequest request;
  request.Path = sample.Log().string();
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
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ImportRun)->Unit(benchmark::kMillisecond);

// The same file's bytes read front to back through a 64 KiB buffer.
void BM_RawRead(benchmark::State& state) {
  const SampleFolder& sample = Sample();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::FILE* file = std::fopen(sample.Log().c_str(), "rb");
    if (file == nullptr) {
      state.SkipWithError("cannot open the log");
      break;
    }
    static char buffer[1 << 16];
    std::size_t n;
    unsigned sum = 0;
    bytes = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
      bytes += n;
      sum += static_cast<unsigned char>(buffer[n - 1]);
    }
    std::fclose(file);
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

// The reader's share of the run: every record through ReadQso with the same progress calls.
void BM_ReaderPass(benchmark::State& state) {
  const SampleFolder& sample = Sample();
  for (auto _ : state) {
    QuietUi ui;
    sfxtal::logdb::FrequencyErrors errors;
    sfxtal::logdb::LogDatabase db(ui, errors);
    db.DbPath = sample.Log().string();
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
