// The import and the tally give exactly the bytes they gave before their fast paths: on varied
// logs the work file, the answer history, everything the operator was shown (progress lines
// included), 実績.txt and the workbook's parts hash to the values taken from the straightforward
// implementation (commit 643001c). The logs hold no double quote, CR or LF, so that the values do
// not depend on how a field holding one is written. When a deliberate change of the output moves
// a value, the failure prints the new one.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "import/import_run.h"
#include "import/suffix_dialog.h"
#include "logdb/log_database_writer.h"
#include "logdb/sample_log.h"
#include "standin/stand_in_spreadsheet.h"
#include "standin/tally.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::standin {
namespace {

using test_support::ReadBytes;
using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::WriteBytes;

// FNV-1a, 64 bits: a stable fingerprint, not a defence against anyone.
std::string Fingerprint(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char b : bytes) hash = (hash ^ b) * 0x100000001b3ull;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

// Each part of a workbook by name, CRC and size from the zip's central directory. The creation
// time in docProps/core.xml is left out: it is the only part that changes from run to run.
std::string WorkbookParts(const std::filesystem::path& path) {
  const std::string zip = ReadBytes(path);
  if (zip.size() < 22) return "no workbook";
  const std::size_t end = zip.size() - 22;  // libxlsxwriter writes no archive comment
  if (Le(zip, end, 4) != 0x06054b50) return "no central directory";
  std::size_t at = Le(zip, end + 16, 4);
  std::string parts;
  for (std::uint32_t n = Le(zip, end + 10, 2); n > 0 && at + 46 <= zip.size(); --n) {
    const std::size_t nameSize = Le(zip, at + 28, 2);
    const std::string name = zip.substr(at + 46, nameSize);
    if (name != "docProps/core.xml") {
      char entry[64];
      std::snprintf(entry, sizeof entry, " %08x %u\n", Le(zip, at + 16, 4), Le(zip, at + 24, 4));
      parts += name + entry;
    }
    at += 46 + nameSize + Le(zip, at + 30, 2) + Le(zip, at + 32, 2);
  }
  return parts;
}

// Everything the operator was shown, in order.
std::string Shown(const RecordingUi& ui) {
  std::string text;
  for (const auto& event : ui.events) {
    text += std::to_string(static_cast<int>(event.kind)) + ":" + event.text + "\n";
  }
  return text + "yields " + std::to_string(ui.yieldCount);
}

// A log whose every field comes from a short list of awkward values: blanks inside and around,
// "/" and "//", lower case, digits, half-width katakana and bytes with no character of their own,
// invalid frequencies, dates with a byte of 100 and more, deleted records; laid out with wider
// fields than usual and a record longer than its fields.
void WriteAwkwardLog(const std::filesystem::path& path) {
  const std::vector<std::string> calls = {"QQ1ABC",   " QQ2XY ",       "QQ1ABC/2",   "QQ2/QQ1AB",
                                          "qq1abc",   "QQ1ABCD",       "QQ1AB2",     "/",
                                          "QQ1 ABC",  "QQ1ABC  2",     "QQ1ABC//2",  "QQ1ABC///2",
                                          "QQ1A/QQ2", "QQ1ABC/QQ2XYZ", "",           "QQ1\xB1\xB2Z",
                                          "QQ1\x80Z", "\xE0QQ1ABZ",    "QQ1ABC/2/P", "QQ1A  B  C",
                                          "  ",       "QQ1ABC/"};
  const std::vector<std::string> igns = {"", "", "", "/P", "  ", " /3", "\xB6", "//M", "P"};
  const std::vector<char> qsl3 = {' ', ' ', 'J', 'N', 'X', '\xB1', '\x81', 'n', ' ', 'D'};
  const std::vector<std::string> freqs = {"7.012", "14.025", "144.1", "3525",  "",     "10368",
                                          "5.3",   "\xB1.5", "21.2 ", " 28.5", "1296", "50"};
  const std::vector<std::string> modes = {"CW", "SSB", " FM ", "\xBD\xBD", "", "RTTY"};
  logdb::LogLayout layout;
  layout.fields[0].width = 15;   // CALLS
  layout.fields[1].width = 8;    // IGN
  layout.fields[10].width = 10;  // FREQ
  layout.recordLength = 3 + 1 + 15 + 8 + 4 + 2 + 6 + 6 + 3 + 1 + 3 + 3 + 10 + 5 + 12 + 16 + 20 + 20;
  logdb::LogDatabaseWriter writer;
  ASSERT_TRUE(writer.Open(path, 3000, layout));
  std::uint32_t state = 12345;
  const auto pick = [&state](std::size_t count) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) % count;
  };
  for (int n = 0; n < 3000; ++n) {
    logdb::LogRecord record;
    record.status = pick(50) == 0 ? '*' : ' ';
    record.calls = calls[pick(calls.size())];
    record.ign = igns[pick(igns.size())];
    record.SetDate(1998 + n / 400, 1 + n / 40 % 10, 1 + n % 28);
    if (pick(300) == 0) record.date[3] = 100 + static_cast<std::uint8_t>(pick(150));
    record.hour = static_cast<std::uint8_t>(pick(24));
    record.minute = static_cast<std::uint8_t>(pick(256));
    record.qsl = std::string("J ") + qsl3[pick(qsl3.size())];
    record.freq = freqs[pick(freqs.size())];
    record.mode = modes[pick(modes.size())];
    ASSERT_TRUE(writer.Add(record));
  }
  ASSERT_TRUE(writer.Close());
}

// Answers each suffix dialog from the callsign it shows: in turn the last letter of its first
// part, a refused entry and then the last three characters of its last part, and Skip.
class AnsweringUi : public RecordingUi {
 public:
  void AskSuffix(import::SuffixDialog& dialog) override {
    events.push_back(
        {test_support::UiEvent::Kind::kSuffixDialog, dialog.Label2() + "\t" + dialog.Label7()});
    const std::string& callsign = dialog.Label7();
    const std::string first = callsign.substr(0, callsign.find('/'));
    const std::string last = callsign.substr(callsign.rfind('/') + 1);
    switch (dialogs_++ % 3) {
      case 0:
        dialog.Type(first.substr(first.empty() ? 0 : first.size() - 1));
        if (dialog.Command1_Click()) return;
        break;
      case 1:
        dialog.Type("1");
        if (dialog.Command1_Click()) return;
        dialog.Text1.clear();
        dialog.Type(last.substr(last.size() < 3 ? 0 : last.size() - 3));
        if (dialog.Command1_Click()) return;
        break;
      default:
        break;
    }
    dialog.Command2_Click();
  }

 private:
  int dialogs_ = 0;
};

struct RunResult {
  std::string workFile, history, shown, results, workbook;
};

RunResult ImportAndTally(const std::filesystem::path& log, const import::ImportRequest& request) {
  TempFolder folder;
  RunResult result;
  AnsweringUi ui;
  ui.recordYields = false;
  // Keep reporting invalid frequencies after every tenth.
  for (int i = 0; i < 4000; ++i) ui.yesNoAnswers.insert(ui.yesNoAnswers.end(), {false, true});
  logdb::FrequencyErrors errors;
  import::ImportRequest own = request;
  own.Path = log.string();
  import::ImportRun run(folder.Path(), ui, errors, {}, {});
  EXPECT_EQ(run.Command2_Click(own), import::ImportOutcome::kFinished);
  result.shown = Shown(ui) + " lines " + std::to_string(run.LinesWritten());
  result.workFile = ReadBytes(folder / "sfxtal.tmp");
  result.history = ReadBytes(folder / "履歴.txt");
  RecordingUi tallyUi;
  EXPECT_TRUE(TallyWorkFileToResults(tallyUi, folder.Path()).has_value());
  result.results = ReadBytes(folder / "実績.txt");
  result.workbook = WorkbookParts(folder / "sfxtal.xlsx");
  return result;
}

struct Expected {
  const char* workFile;
  const char* history;
  const char* shown;
  const char* results;
  const char* workbook;
};

void ExpectKnown(const RunResult& got, const Expected& want) {
  EXPECT_EQ(Fingerprint(got.workFile), want.workFile) << "the work file";
  EXPECT_EQ(Fingerprint(got.history), want.history) << "the answer history";
  EXPECT_EQ(Fingerprint(got.shown), want.shown) << "what the operator was shown";
  EXPECT_EQ(Fingerprint(got.results), want.results) << "実績.txt";
  EXPECT_EQ(Fingerprint(got.workbook), want.workbook) << "the workbook:\n" << got.workbook;
}

class KnownBytes : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder;
    ASSERT_TRUE(logdb::WriteSampleLog(SampleLog(), 30000, 7));
    WriteAwkwardLog(AwkwardLog());
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }
  static std::filesystem::path SampleLog() { return *folder_ / "sample.TDB"; }
  static std::filesystem::path AwkwardLog() { return *folder_ / "awkward.TDB"; }

  static TempFolder* folder_;
};
TempFolder* KnownBytes::folder_ = nullptr;

TEST_F(KnownBytes, SampleLogWhole) {
  ExpectKnown(ImportAndTally(SampleLog(), {}),
              {"130ced9ad23618c0", "cbf29ce484222325", "4aaaa99917b97103", "e52706b4413b3149",
               "06d19f5793a1ad3e"});
}

TEST_F(KnownBytes, SampleLogPeriodMarksAndAnswers) {
  import::ImportRequest request;
  request.DateBoxes = {"1999", "03", "01", "2003", "07", "15"};
  request.GiveUpMarks = "JN";
  request.AskUndeterminable = true;
  ExpectKnown(ImportAndTally(SampleLog(), request),
              {"4bbcfe44bf32829d", "c3fd5dded30eccb2", "a44a748b4b073d3d", "8946feba5e31f963",
               "1863c6a34930c516"});
}

TEST_F(KnownBytes, AwkwardLogWhole) {
  import::ImportRequest request;
  request.GiveUpMarks = "N\xEF\xBD\xB1";  // N and the half-width katakana of byte 0xB1
  ExpectKnown(ImportAndTally(AwkwardLog(), request),
              {"4fa584484d891b12", "cbf29ce484222325", "69f185975dbdb2ed", "04c0925b9cf3d7a8",
               "185c6ee22468d6b7"});
}

TEST_F(KnownBytes, AwkwardLogPeriodAndAnswers) {
  import::ImportRequest request;
  request.DateBoxes = {"1999", "05", "10", "2002", "1", "x"};
  request.AskUndeterminable = true;
  ExpectKnown(ImportAndTally(AwkwardLog(), request),
              {"88291f8d7781defb", "57e8c8665a98161c", "4b243e36c2a537ac", "a4722346ed10a0e9",
               "d7a8f387491117a9"});
}

// Lines the import never writes: every line end, blanks and quotes around fields, too few and too
// many fields, suffixes that are not capitals, a confirmed line after unconfirmed ones.
TEST(KnownTallyBytes, OddWorkFile) {
  TempFolder folder;
  std::string work;
  const std::vector<std::string> lines = {"\"QQ1ABC\",\"ABC\",\"1998/03/21\",\"\x96\xa2\"\r\n",
                                          "\"QQ2ABC\",\"ABC\",\"1998/03/22\",\"J\"\n",
                                          " \"QQ3ABC\" , \"ABC\" ,\"1998/03/23\",\"D\"\r",
                                          "QQ1A,A,1998/03/24,\x96\xa2\r\n",
                                          " QQ2A , A , 1998/03/25 , N \r\n",
                                          "\"QQ1\"Z\",\"Z\",\"1998/03/26\",\"J\"\r\n",
                                          "\"QQ1Y\",\"Y\",\"1998/03/27\"\r\n",
                                          "\"QQ1Y\",\"Y\",\"1998/03/27\",\"J\",\"extra\"\r\n",
                                          "\"QQ1y\",\"y\",\"1998/03/28\",\"J\"\r\n",
                                          "\"QQ1ABCD\",\"ABCD\",\"1998/03/29\",\"J\"\r\n",
                                          "\r\n",
                                          "\"QQ1\xB1\",\"\xB1\",\"1998/03/30\",\"J\"\r\n",
                                          "\"QQ9ZZZ\",\"ZZZ\",\"1998/04/01\",\"\x96\xa2\"\r\n",
                                          "\"QQ8ZZZ\",\"ZZZ\",\"1998/04/02\",\"\xB1\"\r\n",
                                          "\"QQ7ZZZ\",\"ZZZ\",\"1998/04/03\",\"K\"\r\n",
                                          "\"QQ1B,\",\"B\",\"1998/04/04\",\"J\"\r\n",
                                          "\"unclosed,\"C\",\"1998/04/05\",\"J\"\r\n",
                                          ",,,\r\n",
                                          "\"QQ1C\",\"C\",\"1998/04/06\",\"J\""};
  for (int i = 0; i < 400; ++i) work += lines[static_cast<std::size_t>(i * 7) % lines.size()];
  WriteBytes(folder / "sfxtal.tmp", work);
  RecordingUi ui;
  ASSERT_TRUE(TallyWorkFileToResults(ui, folder.Path()).has_value());
  EXPECT_EQ(Fingerprint(ReadBytes(folder / "実績.txt")), "793553dfae966688");
  const std::string parts = WorkbookParts(folder / "sfxtal.xlsx");
  EXPECT_EQ(Fingerprint(parts), "138c456e48ba7f57") << parts;
}

}  // namespace
}  // namespace sfxtal::standin
