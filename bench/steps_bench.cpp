// The steps of `sfxtal-cli import` side by side, on the same 1,000,000-record sample log with the
// whole log in the period: the raw read of the log's bytes (the yardstick), the reader's pass, the
// import run (which holds the reader's pass), the tally of its work file into 実績.txt, the results
// workbook, and the whole hand-over; and the import run over the same QSOs as an ADIF file. `make
// bench` prints the process-level comparison after them. BM_EarlierResults and BM_StandingSheets
// are what the sheets QSL待ち, 推移 and 新規 add to the tally (BM_Tally + BM_ResultsWorkbook, whose
// workbook holds them too).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

#include "bench/bench_support.h"
#include "importer/import_run.h"
#include "logdb/log_database.h"
#include "logdb/log_kind.h"
#include "platform/path_text.h"
#include "platform/text_file.h"
#include "standin/results_changes.h"
#include "standin/results_workbook.h"
#include "standin/stand_in_spreadsheet.h"
#include "standin/standing_sheets.h"
#include "standin/tally.h"
#include "standin/workbook_file.h"

namespace {

using namespace sfxtal;
using QuietUi = importer::QuietUserInterface;

importer::ImportRequest WholeLog(const std::filesystem::path& log = bench::SampleLog()) {
  importer::ImportRequest request;
  request.Path = platform::Utf8FromPath(log);
  request.DateBoxes = {"1900", "01", "01", "9999", "99", "99"};
  return request;
}

// The sample's work file, written by one import into a folder of its own.
const std::filesystem::path& WorkFolder() {
  static const bench::BenchFolder folder;
  static const bool written = [] {
    QuietUi ui;
    logdb::FrequencyErrors errors;
    logdb::LogDatabase log(ui, errors);
    importer::ImportRun run(folder.Path(), ui, log, {}, {});
    return run.Command2_Click(WholeLog()) == importer::ImportOutcome::kFinished;
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

// The 実績.txt that a tally replaces, by the benchmarks' argument: 0, the same log's results a
// year before its last QSOs (its lines dated before 2024), what an import after a year on the air
// replaces; 1, a full file with a third of the suffixes worked, half of those "未", so that the
// sheet 新規 lists most suffixes.
const std::filesystem::path& EarlierResultsFile(std::int64_t earlier) {
  static const bench::BenchFolder folder;
  static const std::filesystem::path files[] = {folder.Path() / "year-earlier.txt",
                                                folder.Path() / "third-worked.txt"};
  static const bool written = [] {
    standin::Tally yearEarlier;
    platform::TextFileReader work;
    if (!work.Open(WorkFolder() / "sfxtal.tmp")) return false;
    std::string_view line;
    while (work.ReadLineView(line)) {
      // "base","suffix","CCYY/MM/DD","mark": no base call holds a quote.
      if (line.find("\",\"2024/") == std::string_view::npos)
        standin::AddWorkLine(yearEarlier, line);
    }
    return platform::ReplaceFile(files[0], standin::ResultsFileBytes(yearEarlier)) &&
           platform::ReplaceFile(files[1], bench::FullResultsFileBytes());
  }();
  if (!written) std::abort();
  return files[earlier];
}

const standin::ResultChanges& SampleChanges(std::int64_t earlier) {
  static const standin::ResultChanges changes[] = {
      standin::CompareWithEarlier(SampleTally(),
                                  standin::ReadEarlierResults(EarlierResultsFile(0))),
      standin::CompareWithEarlier(SampleTally(),
                                  standin::ReadEarlierResults(EarlierResultsFile(1)))};
  return changes[earlier];
}

void BM_RawRead(benchmark::State& state) {
  bench::RawRead(state, bench::SampleLog());
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

// Every record through ReadQso, as the import's pass reads them.
void BM_ReaderPass(benchmark::State& state) {
  for (auto _ : state) {
    QuietUi ui;
    logdb::FrequencyErrors errors;
    logdb::LogDatabase db(ui, errors);
    db.OpenLogDatabase(platform::Utf8FromPath(bench::SampleLog()));
    logdb::CurrentQso current;
    for (current.Pointer = 1; current.Pointer <= db.RecordCount(); ++current.Pointer) {
      if (!db.ReadQso(current)) break;
      benchmark::DoNotOptimize(current.Qso.Callsign.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * bench::kSampleRecords);
}
BENCHMARK(BM_ReaderPass)->Unit(benchmark::kMillisecond);

// The import run over the whole log: the reader's pass, every QSO processed, the work file
// written, the progress line reported after every record.
void ImportRunOver(benchmark::State& state, const std::filesystem::path& path) {
  const bench::BenchFolder folder;
  const importer::ImportRequest request = WholeLog(path);
  std::int32_t lines = 0;
  for (auto _ : state) {
    QuietUi ui;
    logdb::FrequencyErrors errors;
    const auto log = logdb::MakeLogSource(request.Path, ui, errors);
    importer::ImportRun run(folder.Path(), ui, *log, {}, {});
    if (run.Command2_Click(request) != importer::ImportOutcome::kFinished) {
      state.SkipWithError("the import did not finish");
      break;
    }
    lines = run.LinesWritten();
  }
  state.counters["lines"] = lines;
  state.SetItemsProcessed(state.iterations() * bench::kSampleRecords);
}

void BM_ImportRun(benchmark::State& state) {
  ImportRunOver(state, bench::SampleLog());
}
BENCHMARK(BM_ImportRun)->Unit(benchmark::kMillisecond);

// The same QSOs from an ADIF file (a line of text each, about 100 bytes).
void BM_AdifImportRun(benchmark::State& state) {
  ImportRunOver(state, bench::SampleAdifLog());
}
BENCHMARK(BM_AdifImportRun)->Unit(benchmark::kMillisecond);

void BM_AdifRawRead(benchmark::State& state) {
  bench::RawRead(state, bench::SampleAdifLog());
}
BENCHMARK(BM_AdifRawRead)->Unit(benchmark::kMillisecond);

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
    if (!standin::WriteResultsWorkbook(folder.Path() / "sfxtal.xlsx", tally, SampleChanges(0))) {
      state.SkipWithError("cannot write the workbook");
      break;
    }
  }
}
BENCHMARK(BM_ResultsWorkbook)->Unit(benchmark::kMillisecond);

// The earlier 実績.txt read and checked whole, and compared with the sample's tally.
void BM_EarlierResults(benchmark::State& state) {
  const standin::Tally& tally = SampleTally();
  const std::filesystem::path& earlier = EarlierResultsFile(state.range(0));
  for (auto _ : state) {
    const standin::ResultChanges changes =
        standin::CompareWithEarlier(tally, standin::ReadEarlierResults(earlier));
    if (changes.earlier != standin::EarlierResults::State::kRead) {
      state.SkipWithError("the earlier results were not read");
      break;
    }
    benchmark::DoNotOptimize(changes.changes.data());
  }
}
BENCHMARK(BM_EarlierResults)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A workbook of the sheets QSL待ち, 推移 and 新規 alone, from the sample's tally.
void BM_StandingSheets(benchmark::State& state) {
  const standin::Tally& tally = SampleTally();
  const standin::ResultChanges& changes = SampleChanges(state.range(0));
  const bench::BenchFolder folder;
  for (auto _ : state) {
    standin::WorkbookFile file(folder.Path() / "sheets.xlsx");
    const bool built = file.Build(
        [&](lxw_workbook* workbook) {
          return standin::FillQslWaitingSheet(workbook, tally) &&
                 standin::FillProgressSheet(workbook, tally) &&
                 standin::FillChangesSheet(workbook, tally, changes);
        },
        true);
    if (!built || !file.Commit()) {
      state.SkipWithError("cannot write the workbook");
      break;
    }
  }
  std::int64_t waiting = 0;
  for (const standin::TallyRow& row : tally.rows) {
    waiting += standin::StandingOf(row) == standin::SuffixStanding::kWorked ? 1 : 0;
  }
  state.counters["waiting"] = static_cast<double>(waiting);
  state.counters["changes"] = static_cast<double>(changes.changes.size());
}
BENCHMARK(BM_StandingSheets)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
