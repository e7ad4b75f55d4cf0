// The tally's work-file reader: any bytes as sfxtal.tmp, tallied, its 実績.txt read back by the
// results reader. Every suffix's row holds what the tally chose for it, the stand-ins aside.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/field_text.h"
#include "platform/text_codec.h"
#include "results/results_file.h"
#include "results/suffix_row.h"
#include "standin/tally.h"

using namespace sfxtal;

namespace {

std::string AsRead(const std::string& fieldBytes) {
  return platform::DecodeCp932(platform::WithFieldStandIns(fieldBytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& folder = fuzz::ScratchFolder();
  const auto work = folder / "sfxtal.tmp";
  fuzz::WriteFile(work, fuzz::Bytes(data, size));
  const auto tally = standin::TallyWorkFile(work);
  if (!tally) fuzz::Fail("a readable work file was not tallied");
  if (tally->SkippedLines() > tally->lines) fuzz::Fail("more lines skipped than read");

  fuzz::WriteFile(folder / results::kResultsFileName, standin::ResultsFileBytes(*tally));
  fuzz::QuietUi ui;
  results::ResultsTable table;
  const auto read = results::ReadResultsFile(folder, ui, table);
  if (!read || read->recordCount != results::kSuffixCount) fuzz::Fail("実績.txt lost records");
  if (read->ConfirmedCount != tally->Counts(0).confirmed) fuzz::Fail("the counts differ");
  for (int index = 0; index < results::kSuffixCount; ++index) {
    const standin::TallyRow& chosen = tally->rows[static_cast<std::size_t>(index)];
    const results::ResultRow& row = table.Row(index);
    if (row.suffix != results::SuffixOfRow(index)) fuzz::Fail("a row holds another suffix");
    if (row.detail1 != AsRead(chosen.baseCall)) fuzz::Fail("a base call came back otherwise");
    if (row.detail2 != AsRead(chosen.date)) fuzz::Fail("a date came back otherwise");
    if (row.unconfirmed != chosen.Unconfirmed()) fuzz::Fail("a mark came back otherwise");
  }
  return 0;
}
