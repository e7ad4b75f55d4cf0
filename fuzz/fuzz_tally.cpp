// The tally's work-file reader: any bytes as sfxtal.tmp, tallied, its 実績.txt read back by the
// results reader. 実績.txt is one line per suffix, and every suffix's line reads back as what
// the tally chose for it, the stand-ins aside.
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
  const auto work = fuzz::ScratchFolder() / "sfxtal.tmp";
  fuzz::WriteFile(work, fuzz::Bytes(data, size));
  const auto tally = standin::TallyWorkFile(work);
  if (!tally) fuzz::Fail("a readable work file was not tallied");
  if (tally->SkippedLines() > tally->lines) fuzz::Fail("more lines skipped than read");

  const std::string resultsFile = standin::ResultsFileBytes(*tally);
  std::string_view rest = resultsFile;
  // Each suffix's line on its own (only the worked ones need reading back, which keeps the
  // target fast), the results reader's records in the same order.
  for (int index = 0; index < results::kSuffixCount; ++index) {
    const std::size_t end = rest.find("\r\n");
    if (end == std::string_view::npos) fuzz::Fail("実績.txt has fewer lines than suffixes");
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 2);
    if (line.find_first_of("\r\n") != std::string_view::npos) fuzz::Fail("a line break in a line");
    const standin::TallyRow& chosen = tally->rows[static_cast<std::size_t>(index)];
    const std::string suffix = results::SuffixOfRow(index);
    if (!chosen.worked) {
      if (line != "\"" + suffix + "\",\"\",\"\",\"\"") fuzz::Fail("an unworked line is not empty");
      continue;
    }
    results::ResultsRecordReader reader(line);
    results::ResultRecord record;
    if (!reader.Next(record)) fuzz::Fail("a worked line reads as nothing");
    if (record.Suffix != suffix) fuzz::Fail("a line holds another suffix");
    if (record.Detail1 != AsRead(chosen.baseCall)) fuzz::Fail("a base call came back otherwise");
    if (record.Detail2 != AsRead(chosen.date)) fuzz::Fail("a date came back otherwise");
    if (record.Mark != AsRead(chosen.mark)) fuzz::Fail("a mark came back otherwise");
    if (results::IsUnconfirmed(record) != chosen.Unconfirmed()) fuzz::Fail("the mark's colour");
    if (results::IsConfirmed(record) != chosen.Confirmed()) fuzz::Fail("the mark's count");
    if (reader.Next(record)) fuzz::Fail("a line reads as two records");
  }
  if (!rest.empty()) fuzz::Fail("実績.txt has more lines than suffixes");
  return 0;
}
