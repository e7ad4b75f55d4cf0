// The whole import over a fuzzed log, in ask mode with every dialog skipped: whatever the log
// holds, the work file is whole lines of four fields that the tally takes, one per line counted.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "importer/import_run.h"
#include "logdb/log_database.h"
#include "standin/tally.h"

using namespace sfxtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ClearScratchFolder();
  const auto& folder = fuzz::ScratchFolder();
  const auto log = folder / "Tevrak.TDB";
  fuzz::WriteFile(log, fuzz::Bytes(data, size));
  fuzz::QuietUi ui;
  logdb::FrequencyErrors errors;
  logdb::LogDatabase database(ui, errors);
  importer::ImportRun run(folder, ui, database, nullptr, nullptr);
  importer::ImportRequest request;
  request.Path = log.string();
  request.DateBoxes = {"0", "0", "0", "9999", "99", "99"};  // every date the log can hold
  request.AskUndeterminable = true;
  request.GiveUpMarks = "X?";
  const importer::ImportOutcome outcome = run.Command2_Click(request);
  if (outcome != importer::ImportOutcome::kFinished) {
    if (outcome != importer::ImportOutcome::kOpenFailed) fuzz::Fail("the import did not finish");
    return 0;
  }

  const std::string work = fuzz::ReadFile(run.WorkFilePath());
  // Every line ends in CR LF, and no CR or LF stands anywhere else.
  std::size_t ends = 0;
  for (std::size_t i = 0; i < work.size(); ++i) {
    if (work[i] == '\n' && (i == 0 || work[i - 1] != '\r'))
      fuzz::Fail("a lone LF in the work file");
    if (work[i] == '\r' && (i + 1 == work.size() || work[i + 1] != '\n')) {
      fuzz::Fail("a lone CR in the work file");
    }
    if (work[i] == '\n') ++ends;
  }
  if (!work.empty() && work.back() != '\n') fuzz::Fail("the work file's last line has no end");
  if (ends != static_cast<std::size_t>(run.LinesWritten())) fuzz::Fail("lines lost or added");

  const auto tally = standin::TallyWorkFile(run.WorkFilePath());
  if (!tally) fuzz::Fail("the work file cannot be tallied");
  if (tally->lines != run.LinesWritten()) fuzz::Fail("the tally counts other lines");
  if (tally->SkippedLines() != 0) fuzz::Fail("the tally skips a line the import wrote");
  return 0;
}
