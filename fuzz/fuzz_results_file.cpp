// The results file reader: any bytes as 実績.txt. At most 18,278 records, every text UTF-8, the
// confirmed count as the rows tell it, and the award application's reader in agreement where it
// takes the file.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/path_text.h"
#include "results/results_file.h"
#include "results/results_texts.h"
#include "standin/award_application.h"

using namespace sfxtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  fuzz::WriteFile(fuzz::ScratchFolder() / platform::PathFromUtf8(results::kResultsFileName), bytes);
  fuzz::QuietUi ui;
  results::ResultsTable table;
  int confirmed = 0;
  const auto read = results::ReadResultsFile(
      fuzz::ScratchFolder(), ui, table, [&](int, const results::ResultRow& row) {
        if (!fuzz::IsUtf8(row.suffix) || !fuzz::IsUtf8(row.detail1) || !fuzz::IsUtf8(row.detail2)) {
          fuzz::Fail("a results field is not UTF-8");
        }
        if (!row.unconfirmed && !row.detail1.empty()) ++confirmed;
      });
  if (!read) fuzz::Fail("an existing results file was not read");
  if (read->recordCount < 0 || read->recordCount > results::kSuffixCount) {
    fuzz::Fail("more records than suffixes");
  }
  if (read->ConfirmedCount != confirmed) fuzz::Fail("the count is not the rows'");

  // A file the application takes holds nothing the window would read otherwise.
  const standin::AwardSource source = standin::ReadAwardSource(bytes);
  if (source.refusal.empty() && source.entries.size() != static_cast<std::size_t>(confirmed)) {
    fuzz::Fail("the award application counts otherwise");
  }
  return 0;
}
