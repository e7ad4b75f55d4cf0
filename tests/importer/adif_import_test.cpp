// The import over an ADIF file against the same QSOs in a Tevrak log database.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "importer/import_run.h"
#include "logdb/log_kind.h"
#include "logwriter/adif_writer.h"
#include "logwriter/log_database_writer.h"
#include "logwriter/sample_log.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::importer {
namespace {

using test_support::ReadBytes;
using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::WriteBytes;

// Sample QSOs whose marks ADIF can hold: blank, "Y" or "V".
std::vector<logwriter::LogRecord> SampleQsos(std::uint32_t count) {
  logwriter::SampleLogGenerator generator(count, 7);
  std::vector<logwriter::LogRecord> records(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    generator.Next(records[i]);
    char& mark = records[i].qsl[2];
    if (mark != ' ') mark = i % 3 == 0 ? 'V' : 'Y';
  }
  return records;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

class AdifImportTest : public ::testing::Test {
 protected:
  // The work file of an import of `log` over 1999-03-01 to 2010-06-30, the give-up mark "V".
  std::string Import(const std::filesystem::path& log) {
    RecordingUi ui;
    ui.recordYields = false;
    ui.recordProgress = false;
    logdb::FrequencyErrors errors{logdb::FrequencyErrors::kSilent};
    ImportRequest request;
    request.Path = log.string();
    request.DateBoxes = {"1999", "03", "01", "2010", "06", "30"};
    request.GiveUpMarks.push_back('V');  // not = "V": GCC 12 warns falsely there (bug 105651)
    const auto source = logdb::MakeLogSource(request.Path, ui, errors);
    ImportRun run(folder.Path(), ui, *source, {}, {});
    EXPECT_EQ(run.Command2_Click(request), ImportOutcome::kFinished);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{});
    return ReadBytes(run.WorkFilePath());
  }

  TempFolder folder;
  std::vector<logwriter::LogRecord> qsos = SampleQsos(3000);
};

TEST_F(AdifImportTest, TheWorkFileIsByteForByteThatOfTheDatabase) {
  ASSERT_TRUE(logwriter::WriteLogDatabase(folder / "Tevrak.TDB", qsos));
  WriteBytes(folder / "log.adi", logwriter::AdifBytes(qsos));
  const std::string fromDatabase = Import(folder / "Tevrak.TDB");
  EXPECT_GT(Lines(fromDatabase).size(), 1000u);
  EXPECT_EQ(Import(folder / "log.adi"), fromDatabase);
}

TEST_F(AdifImportTest, AFileOutOfDateOrderLosesNoQsoOfThePeriod) {
  ASSERT_TRUE(logwriter::WriteLogDatabase(folder / "Tevrak.TDB", qsos));
  std::vector<std::string> fromDatabase = Lines(Import(folder / "Tevrak.TDB"));
  std::reverse(qsos.begin(), qsos.end());
  WriteBytes(folder / "reversed.adif", logwriter::AdifBytes(qsos));
  std::reverse(fromDatabase.begin(), fromDatabase.end());
  EXPECT_EQ(Lines(Import(folder / "reversed.adif")), fromDatabase);
}

TEST_F(AdifImportTest, ACallsignsBytesReachTheWorkFileUnchanged) {
  // 87 90 is one of the characters with two CP932 spellings: decoded and written back as text, it
  // would come out as 81 E0.
  WriteBytes(folder / "odd.adi", "<CALL:8>\x87\x90QQ1ABC<QSO_DATE:8>20000101<FREQ:5>7.010<EOR>");
  EXPECT_EQ(Import(folder / "odd.adi"),
            "\"\x87\x90QQ1ABC\",\"ABC\",\"2000/01/01\",\"\x96\xa2\"\r\n");
}

}  // namespace
}  // namespace sfxtal::importer
