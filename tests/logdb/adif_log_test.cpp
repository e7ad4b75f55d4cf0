#include "logdb/adif_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logdb/log_database.h"
#include "logdb/log_kind.h"
#include "logwriter/log_database_writer.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::logdb {
namespace {

using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::WriteBytes;

const std::string kQso = "<CALL:6>QQ1ABC<QSO_DATE:8>19980321<EOR>";

class AdifLogTest : public ::testing::Test {
 protected:
  // Every QSO the file delivers, read through from the start: "place,call,date,time,mark,freq,
  // mode,band|" each as the operator reads it, then the records left out ("-" call, date and
  // unended counts).
  std::string ReadAll(const std::string& bytes) {
    WriteBytes(path_, bytes);
    if (!log_.OpenLogDatabase(path_.string())) return "refused";
    std::string seen;
    CurrentQso current;
    for (current.Pointer = 1; log_.ReadQso(current); ++current.Pointer) {
      const QsoRecord& q = current.Qso;
      EXPECT_EQ(q.Callsign, q.Calls);
      EXPECT_EQ(q.Ign, "");
      // Appended piece by piece: GCC 12 warns falsely on a long chain of + (bug 105651).
      seen.append(std::to_string(current.Pointer)).append(",").append(log_.TextOf(q.Calls));
      seen.append(",");
      seen.append(q.Date).append(",").append(q.Time).append(",").append(q.Qsl3).append(",");
      seen.append(q.Freq).append(",").append(log_.TextOf(q.Mode)).append(",").append(q.Band);
      seen.append("|");
    }
    const AdifLeftOut& out = log_.LeftOut();
    seen.append("-").append(std::to_string(out.NoCall)).append(std::to_string(out.NoDate));
    seen.append(std::to_string(out.Unended));
    return seen;
  }

  TempFolder folder_;
  std::filesystem::path path_ = folder_ / "log.adi";
  RecordingUi ui_;
  FrequencyErrors errors_;
  AdifLog log_{ui_, errors_};
};

TEST_F(AdifLogTest, TheFileFormatsRules) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string want;
  };
  const std::vector<Case> cases = {
      {"header text with a stray < and a field holding <EOR>, up to <EOH>",
       "made by <logger> a<b\r\n<PROGRAMID:5><EOR> <EOH>\r\n" + kQso,
       "1,QQ1ABC,1998-03-21,,,,,|-000"},
      {"no header when the first character is <", kQso + kQso,
       "1,QQ1ABC,1998-03-21,,,,,|2,QQ1ABC,1998-03-21,,,,,|-000"},
      {"names in any case, type indicators, text between fields",
       "<eoh> <Call:6:s>QQ1ABC junk <qso_date:8:D>19980321\n<Time_On:6>123456 <freq:6:N>14.025"
       "<MODE:2>CW<qsl_rcvd:1>v<eOr>",
       "1,QQ1ABC,1998-03-21,12:34U,V,14.025,CW,14|-000"},
      {"the length counts bytes: CP932 characters and a < inside the data",
       "<CALL:7>QQ1\x83\x41<B<QSO_DATE:8>19980321<FREQ:2>7 <MODE:3>\x83\x41 <EOR>",
       "1,QQ1ア<B,1998-03-21,,,7 ,ア ,7|-000"},
      {"a length shorter than the text keeps only its bytes",
       "<CALL:3>QQ1ABC<QSO_DATE:8>19980321<TIME_ON:4>0905<EOR>",
       "1,QQ1,1998-03-21,09:05U,,,,|-000"},
      {"marks: Y and V in any case, anything else blank",
       "<CALL:1>A<QSO_DATE:8>19980321<QSL_RCVD:1>y<EOR><CALL:1>B<QSO_DATE:8>19980321<QSL_RCVD:1>N"
       "<EOR><CALL:1>C<QSO_DATE:8>19980321<QSL_RCVD:3>YES<EOR>",
       "1,A,1998-03-21,,Y,,,|2,B,1998-03-21,,,,,|3,C,1998-03-21,,,,,|-000"},
      {"broken records are left out and counted, the rest keep their places",
       "<QSO_DATE:8>19980321<EOR><CALL:3>   <QSO_DATE:8>19980321<EOR>"
       "<CALL:1>A<QSO_DATE:8>19981321<EOR><CALL:1>B<QSO_DATE:7>1998032<EOR><CALL:1>C<EOR>" +
           kQso + "<CALL:1>D<QSO_DATE:8>19980321",
       "6,QQ1ABC,1998-03-21,,,,,|-231"},
      {"bad times give no time; a malformed tag is text",
       "<CALL:1>A<QSO_DATE:8>19980321<TIME_ON:5>09051<CALL:x>Z<EOR>", "1,A,1998-03-21,,,,,|-000"},
      {"a length of 2^31 runs to the end of the file", kQso + "<NOTES:2147483648>" + kQso,
       "1,QQ1ABC,1998-03-21,,,,,|-001"},
      {"a length beyond any number", kQso + "<NOTES:99999999999999999999999>x<EOR>",
       "1,QQ1ABC,1998-03-21,,,,,|-001"},
      {"no record at all", "no tags at all", "refused"},
      {"a header only", "text <ADIF_VER:5>3.1.4 <EOH>\r\n", "refused"},
      {"fields without <EOR>", "<CALL:6>QQ1ABC<QSO_DATE:8>19980321", "refused"},
      {"empty", "", "refused"},
  };
  errors_.FreqErrorCount = FrequencyErrors::kSilent;  // these QSOs have no frequency
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadAll(c.bytes), c.want);
    log_.CloseLogDatabase();
  }
}

TEST_F(AdifLogTest, ARefusedFileIsNamedAsAnAdifLog) {
  EXPECT_EQ(ReadAll("no tags"), "refused");
  EXPECT_EQ(log_.LastOpenFailure(), OpenFailure::kMalformed);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0],
            "ADIF ファイルの形式が正しくありません\n" + std::filesystem::absolute(path_).string());
}

TEST_F(AdifLogTest, RecordsOutOfOrderAreEachReadOnceAndCountedOnce) {
  WriteBytes(path_,
             "<CALL:1>B<QSO_DATE:8>19990101<EOR><CALL:1>X<EOR>"
             "<CALL:1>A<QSO_DATE:8>19980101<EOR>");
  ASSERT_TRUE(log_.OpenLogDatabase(path_.string()));
  CurrentQso current;
  current.Pointer = 3;
  ASSERT_TRUE(log_.ReadQso(current));
  EXPECT_EQ(current.Qso.Calls, "A");
  current.Pointer = 1;  // back to the start: the file is read again
  ASSERT_TRUE(log_.ReadQso(current));
  EXPECT_EQ(current.Qso.Calls, "B");
  current.Pointer = 2;  // left out: the next one that is not
  ASSERT_TRUE(log_.ReadQso(current));
  EXPECT_EQ(current.Pointer, 3);
  current.Pointer = 4;
  EXPECT_FALSE(log_.ReadQso(current));
  EXPECT_EQ(log_.LeftOut().NoDate, 1);
  EXPECT_EQ(log_.LeftOutMessage(),
            "ADIF ファイルの 1 件の記録は読み込みませんでした\n"
            "QSO_DATE がない、または正しくない: 1 件\n" +
                std::filesystem::absolute(path_).string());
}

TEST_F(AdifLogTest, AnInvalidFrequencyIsReportedWithTheRecordsPlaceInTheFile) {
  ui_.yesNoAnswers = {true};
  errors_.FreqErrorCount = 9;
  WriteBytes(path_,
             "<CALL:6>QQ1ABC<QSO_DATE:8>19980321<FREQ:3>7.0<EOR><CALL:1>X<EOR>"
             "<CALL:1>A<QSO_DATE:8>19980101<FREQ:4>3525<EOR>");
  ASSERT_TRUE(log_.OpenLogDatabase(path_.string()));
  CurrentQso current;
  current.Pointer = 1;
  ASSERT_TRUE(log_.ReadQso(current));
  current.Pointer = 2;
  EXPECT_FALSE(log_.ReadQso(current)) << "the operator aborted";
  EXPECT_TRUE(log_.ProgramEnded());
  EXPECT_EQ(ui_.Messages().at(0), "交信番号 3 の交信周波数は 無効です\n3525");
  EXPECT_TRUE(ui_.ended);
}

TEST(ChooseLogKind, ContentFirstThenTheExtension) {
  TempFolder folder;
  const std::string database = logwriter::LogDatabaseBytes({});
  struct Case {
    const char* name;
    const char* bytes;  // nullptr: no file
    LogKind want;
  };
  const std::vector<Case> cases = {
      {"log.TDB", "<CALL:1>A<EOR>", LogKind::kAdif},
      {"export.txt", "ADIF export\r\n<EOH>", LogKind::kAdif},
      {"odd.adi", nullptr, LogKind::kAdif},
      {"ODD.ADIF", "", LogKind::kAdif},
      {"Tevrak", nullptr, LogKind::kTevrakDatabase},
      {"notes.txt", "plain text", LogKind::kTevrakDatabase},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.bytes != nullptr) WriteBytes(folder / c.name, c.bytes);
    EXPECT_EQ(ChooseLogKind((folder / c.name).string()), c.want);
  }
  WriteBytes(folder / "named.adi", database);
  EXPECT_EQ(ChooseLogKind((folder / "named.adi").string()), LogKind::kTevrakDatabase);
}

}  // namespace
}  // namespace sfxtal::logdb
