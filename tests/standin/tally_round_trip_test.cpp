#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "platform/text_codec.h"
#include "results/results_file.h"
#include "results/totals.h"
#include "standin/stand_in_spreadsheet.h"
#include "standin/tally.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::standin {
namespace {

using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::WriteBytes;

// The stand-in writes a double quote inside a field as a single quote.
std::string AsWritten(std::string text) {
  for (char& c : text) {
    if (c == '"') c = '\'';
  }
  return text;
}

// The results file as the spreadsheet stand-in writes it from a work file reads back suffix for
// suffix, with the count the tally itself gives.
TEST(ResultsFromTheTally, ReadBackAsTallied) {
  TempFolder folder;
  const std::string work =
      "\"QQ1ABC\",\"ABC\",\"1998/03/21\",\"未\"\r\n"
      "\"QQ2ABC\",\"ABC\",\"1998/03/22\",\"J\"\r\n"
      "\"QQ1A\",\"A\",\"1998/03/23\",\"未\"\r\n"
      "\"QQ1ZZ\",\"ZZ\",\"1998/03/24\",\"B\"\r\n"
      "\"QQ1ZZZ\",\"ZZZ\",\"1998/03/25\",\"J\"\r\n"
      "\"QQ1\"\"Q\",\"Q\",\"1998/03/26\",\"J\"\r\n";
  WriteBytes(folder / "sfxtal.tmp", platform::EncodeCp932(work));
  RecordingUi ui;
  ASSERT_TRUE(standin::TallyWorkFileToResults(ui, folder.Path()).has_value());
  const auto tally = standin::TallyWorkFile(folder / "sfxtal.tmp");
  ASSERT_TRUE(tally.has_value());

  results::ResultsTable table;
  const auto read = results::ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->recordCount, kSuffixCount);
  EXPECT_EQ(read->ConfirmedCount, tally->Counts(0).confirmed);
  EXPECT_EQ(read->ConfirmedCount, 4);
  for (int row = 0; row < kSuffixCount; ++row) {
    const standin::TallyRow& tallied = tally->rows[static_cast<std::size_t>(row)];
    ASSERT_EQ(table.Row(row).suffix, results::SuffixOfRow(row));
    ASSERT_EQ(table.Row(row).detail1, AsWritten(platform::DecodeCp932(tallied.baseCall))) << row;
    ASSERT_EQ(table.Row(row).detail2, platform::DecodeCp932(tallied.date)) << row;
    ASSERT_EQ(table.Row(row).unconfirmed, tallied.Unconfirmed()) << row;
  }
  EXPECT_EQ(table.Row(*results::SuffixRow("ABC")).detail1, "QQ2ABC");
  // The tally and the reader cut the line alike: the first quote after QQ1 ends the field.
  EXPECT_EQ(table.Row(*results::SuffixRow("Q")).detail1, "QQ1");
  EXPECT_TRUE(table.Row(0).unconfirmed);

  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunCli({"results", "--folder", folder.Path().string()}, in, out, err), 0);
  EXPECT_EQ(out.str(), results::CaptionWithTotals(results::kResultsCaption, 4) + "\n");
  EXPECT_EQ(out.str(), "交信実績  4 / 18,278   0.02 %\n");
}

}  // namespace
}  // namespace sfxtal::standin
