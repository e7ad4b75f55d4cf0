#include <gtest/gtest.h>

#include <sstream>

#include "app/stand_in_spreadsheet.h"
#include "app/tally.h"
#include "app/text_codec.h"
#include "cli/commands.h"
#include "results/results_file.h"
#include "results/totals.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::results {
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
  WriteBytes(folder / "sfxtal.tmp", app::EncodeCp932(work));
  RecordingUi ui;
  ASSERT_TRUE(app::TallyWorkFileToResults(ui, folder.Path()).has_value());
  const auto tally = app::TallyWorkFile(folder / "sfxtal.tmp");
  ASSERT_TRUE(tally.has_value());

  ResultsTable table;
  const auto read = ReadResultsFile(folder.Path(), ui, table);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->recordCount, kSuffixCount);
  EXPECT_EQ(read->ConfirmedCount, tally->Counts(0).confirmed);
  EXPECT_EQ(read->ConfirmedCount, 4);
  for (int row = 0; row < kSuffixCount; ++row) {
    const app::TallyRow& tallied = tally->rows[static_cast<std::size_t>(row)];
    ASSERT_EQ(table.Row(row).suffix, SuffixOfRow(row));
    ASSERT_EQ(table.Row(row).detail1, AsWritten(app::DecodeCp932(tallied.baseCall))) << row;
    ASSERT_EQ(table.Row(row).detail2, app::DecodeCp932(tallied.date)) << row;
    ASSERT_EQ(table.Row(row).unconfirmed, tallied.Unconfirmed()) << row;
  }
  EXPECT_EQ(table.Row(*SuffixRow("ABC")).detail1, "QQ2ABC");
  EXPECT_EQ(table.Row(*SuffixRow("Q")).detail1, "QQ1''Q");
  EXPECT_TRUE(table.Row(0).unconfirmed);

  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunCli({"results", "--folder", folder.Path().string()}, in, out, err), 0);
  EXPECT_EQ(out.str(), CaptionWithTotals(kResultsCaption, 4) + "\n");
  EXPECT_EQ(out.str(), "交信実績  4 / 18,278   0.02 %\n");
}

}  // namespace
}  // namespace sfxtal::results
