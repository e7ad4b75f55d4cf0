#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/user_interface.h"
#include "logdb/log_database.h"
#include "logdb/sample_log.h"

namespace {

using sfxtal::logdb::FrequencyErrors;
using sfxtal::logdb::LogDatabase;

constexpr std::uint32_t kRecords = 1'000'000;

// The log both benchmarks read, written once before they run.
std::filesystem::path& LogPath() {
  static std::filesystem::path path;
  return path;
}

// Answers No to every question, so the invalid frequencies of the sample fall silent after ten.
class QuietUi : public sfxtal::app::UserInterface {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void AskSuffix(sfxtal::import::SuffixDialog&) override {}
  void SetInputsLocked(bool) override {}
  void ShowProgress(const std::string&) override {}
  void Yield() override {}
  void SetBusyPointer(bool) override {}
  void OpenFile(const std::filesystem::path&) override {}
  void EndProgram() override {}
  bool StopRequested() const override { return false; }
};

void BM_ReadAllRecords(benchmark::State& state) {
  std::int64_t records = 0;
  for (auto _ : state) {
    QuietUi ui;
    FrequencyErrors errors;
    LogDatabase db(ui, errors);
    db.DbPath = LogPath().string();
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
                          static_cast<std::int64_t>(std::filesystem::file_size(LogPath())));
}
BENCHMARK(BM_ReadAllRecords)->Unit(benchmark::kMillisecond);

void BM_RawRead(benchmark::State& state) {
  static char buffer[64 * 1024];
  for (auto _ : state) {
    const int fd = ::open(LogPath().c_str(), O_RDONLY | O_CLOEXEC);
    std::size_t total = 0;
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
      benchmark::DoNotOptimize(buffer);
      total += static_cast<std::size_t>(n);
    }
    ::close(fd);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(LogPath())));
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::string folder = (std::filesystem::temp_directory_path() / "sfxtal-bench-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) return 1;
  LogPath() = std::filesystem::path(folder) / "Tevrak.TDB";
  if (!sfxtal::logdb::WriteSampleLog(LogPath(), kRecords, 1)) {
    std::fprintf(stderr, "cannot write %s\n", LogPath().c_str());
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder);
  return 0;
}
