#include "importer/answer_history.h"

#include <gtest/gtest.h>

#include "tests/support/allocation_meter.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::importer {
namespace {

using test_support::ReadBytes;
using test_support::ReadOnlyFolder;
using test_support::RecordingUi;
using test_support::TempFolder;
using test_support::WriteBytes;

// The QSO views the texts, which outlive it.
logdb::QsoRecord Qso(std::string_view callsign, std::string_view calls) {
  logdb::QsoRecord qso;
  qso.Callsign = callsign;
  qso.Calls = calls;
  return qso;
}

TEST(AnswerHistory, MissingFileKnowsNothingThenTheAnswerIsKept) {
  TempFolder folder;
  RecordingUi ui;
  AnswerHistory history(folder.Path(), ui);
  EXPECT_EQ(history.Path(), folder / "履歴.txt");
  auto qso = Qso("QQ1ABC/QQ2XYZ", "QQ1ABC");
  EXPECT_EQ(history.MaeRireki(qso, "", ""), "");
  EXPECT_EQ(qso.Calls, "QQ1ABC");
  EXPECT_FALSE(std::filesystem::exists(history.Path()));

  EXPECT_EQ(history.MaeRireki(qso, "QQ1ABC/QQ2XYZ", "ABC"), "");
  EXPECT_EQ(ReadBytes(history.Path()), "QQ1ABC/QQ2XYZ,ABC\r\n");
  EXPECT_EQ(qso.Calls, "QQ1ABC");  // an append leaves the QSO alone

  // Read afresh: the line just added answers the next lookup and sets Calls to the callsign.
  EXPECT_EQ(history.MaeRireki(qso, "", ""), "ABC");
  EXPECT_EQ(qso.Calls, "QQ1ABC/QQ2XYZ");
  EXPECT_TRUE(ui.Messages().empty());
}

struct LookupCase {
  const char* name;
  std::string file;  // CP932 bytes
  std::string callsign;
  std::string answer;
};

class AnswerHistoryLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(AnswerHistoryLookup, FirstAnsweringLineWins) {
  const LookupCase& c = GetParam();
  TempFolder folder;
  RecordingUi ui;
  AnswerHistory history(folder.Path(), ui);
  WriteBytes(history.Path(), c.file);
  auto qso = Qso(c.callsign, "BASE");
  EXPECT_EQ(history.MaeRireki(qso, "", ""), c.answer);
  EXPECT_EQ(qso.Calls, c.answer.empty() ? "BASE" : c.callsign);
  EXPECT_TRUE(ui.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnswerHistoryLookup,
    ::testing::Values(
        LookupCase{"Hit", "QQ1ABC/QQ2XYZ,ABC\r\n", "QQ1ABC/QQ2XYZ", "ABC"},
        LookupCase{"LowerCaseDoesNotMatch", "QQ1ABC/QQ2XYZ,ABC\r\n", "qq1abc/qq2xyz", ""},
        LookupCase{"ExtraFieldsIgnored", "QQ1ABC/QQ2XYZ,ABC,old\r\n", "QQ1ABC/QQ2XYZ", "ABC"},
        LookupCase{"FirstOfTwoWins", "QQ1ABC/QQ2XYZ,XYZ\r\nQQ1ABC/QQ2XYZ,ABC\r\n", "QQ1ABC/QQ2XYZ",
                   "XYZ"},
        LookupCase{"WholeFieldOnly", "QQ1ABC/QQ2XYZ/P,P\r\nQQ1ABC/QQ2,Q\r\n", "QQ1ABC/QQ2XYZ", ""},
        LookupCase{"BlankLinesSkipped", "\r\n\r\nQQ3/QQ4,Q\r\n\r\nQQ1ABC/QQ2XYZ,ABC\r\n",
                   "QQ1ABC/QQ2XYZ", "ABC"},
        LookupCase{"LineWithoutSuffixIsNoAnswer", "QQ1ABC/QQ2XYZ\r\n", "QQ1ABC/QQ2XYZ", ""},
        LookupCase{"LaterAnswerAfterOneWithoutSuffix",
                   "QQ1ABC/QQ2XYZ\r\nQQ1ABC/QQ2XYZ,\r\nQQ1ABC/QQ2XYZ,XYZ\r\n", "QQ1ABC/QQ2XYZ",
                   "XYZ"},
        LookupCase{"LastLineWithoutLineEnd", "QQ3/QQ4,Q\r\nQQ1ABC/QQ2XYZ,ABC", "QQ1ABC/QQ2XYZ",
                   "ABC"},
        LookupCase{"LfOnlyLines", "QQ3/QQ4,Q\nQQ1ABC/QQ2XYZ,ABC\n", "QQ1ABC/QQ2XYZ", "ABC"},
        // Whatever a hand-edited line holds is the answer, decoded from CP932.
        LookupCase{"JapaneseAnswer", "QQ1ABC/QQ2XYZ,\x96\xa2\r\n", "QQ1ABC/QQ2XYZ", "未"},
        LookupCase{"KatakanaCallsign", "QQ1\xb1/QQ2\xb2,A\r\n", "QQ1\xb1/QQ2\xb2", "A"},
        LookupCase{"EmptyFile", "", "QQ1ABC/QQ2XYZ", ""}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST(AnswerHistory, ACallsignKeepsTheLogsBytesAndFindsItsOwnAnswer) {
  // Bytes 0x87 0x90 have a twin spelling in CP932 and 0x80 and 0xFF no character at all: decoded
  // and written back, they would change, and the answer would never be found again. The suffix is
  // what the operator typed, written as CP932.
  TempFolder folder;
  RecordingUi ui;
  AnswerHistory history(folder.Path(), ui);
  const std::string callsigns[] = {"QQ1\xb1\x80\xff/QQ2XYZ",
                                   "QQ1\x87\x90"
                                   "A/QQ2\xff"
                                   "B"};
  ASSERT_TRUE(history.Append(callsigns[0], "XYZ"));
  ASSERT_TRUE(history.Append(callsigns[1], "ｱ"));
  EXPECT_EQ(ReadBytes(history.Path()),
            "QQ1\xb1\x80\xff/QQ2XYZ,XYZ\r\n"
            "QQ1\x87\x90"
            "A/QQ2\xff"
            "B,\xb1\r\n");
  logdb::QsoRecord qso = Qso(callsigns[1], "QQ1");
  EXPECT_EQ(history.MaeRireki(qso, {}, {}), "ｱ");
  EXPECT_EQ(qso.Calls, callsigns[1]);
  EXPECT_EQ(history.Lookup(callsigns[0]), "XYZ");
}

TEST(AnswerHistory, ALineBreakOrCommaInACallsignStaysOnItsOwnLine) {
  // Appended as it stood, "QQ1\nXY/AB" would leave a line "XY/AB,AB" answering for another
  // callsign, and its own answer would never be found.
  TempFolder folder;
  RecordingUi ui;
  AnswerHistory history(folder.Path(), ui);
  for (const char* callsign : {"QQ1\nXY/AB", "QQ1\rXZ/AC", "QQ1,YZ/AD"}) {
    ASSERT_TRUE(history.Append(callsign, "A"));
    EXPECT_EQ(history.Lookup(callsign), "A") << callsign;
  }
  EXPECT_EQ(ReadBytes(history.Path()), "QQ1?XY/AB,A\r\nQQ1?XZ/AC,A\r\nQQ1?YZ/AD,A\r\n");
  EXPECT_EQ(history.Lookup("XY/AB"), "");
}

TEST(AnswerHistory, AnEndlessLineIsReadPastNotHeld) {
  TempFolder folder;
  RecordingUi ui;
  AnswerHistory history(folder.Path(), ui);
  std::string bytes = "QQ1A/QQ2B,";
  bytes.append(3'000'000, 'X').append("\r\nQQ1A/QQ2B,B\r\n");
  WriteBytes(history.Path(), bytes);
  const test_support::AllocationMeter meter;
  // The first line's answer runs past what is looked at: it is no answer, the next line is.
  EXPECT_EQ(history.Lookup("QQ1A/QQ2B"), "B");
  EXPECT_LT(meter.PeakBytes(), 256u * 1024);
}

TEST(AnswerHistory, AppendStartsOnANewLineAfterAHandEditedEnd) {
  TempFolder folder;
  RecordingUi ui;
  AnswerHistory history(folder.Path(), ui);
  WriteBytes(history.Path(), "QQ3/QQ4,Q");
  ASSERT_TRUE(history.Append("QQ1ABC/QQ2XYZ", "ABC"));
  EXPECT_EQ(ReadBytes(history.Path()), "QQ3/QQ4,Q\r\nQQ1ABC/QQ2XYZ,ABC\r\n");
  EXPECT_EQ(history.Lookup("QQ3/QQ4"), "Q");
  EXPECT_EQ(history.Lookup("QQ1ABC/QQ2XYZ"), "ABC");
}

TEST(AnswerHistory, FailedAppendIsReported) {
  TempFolder folder;
  RecordingUi ui;
  AnswerHistory history(folder.Path(), ui);
  ReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
  auto qso = Qso("QQ1ABC/QQ2XYZ", "QQ1ABC");
  EXPECT_EQ(history.MaeRireki(qso, "QQ1ABC/QQ2XYZ", "ABC"), "");
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{"ファイルに書き込めません\n" + history.Path().string()});
  EXPECT_EQ(history.Lookup("QQ1ABC/QQ2XYZ"), "");
}

TEST(AnswerHistory, AFolderInThePlaceOfTheFileKnowsNothing) {
  TempFolder folder;
  RecordingUi ui;
  AnswerHistory history(folder.Path(), ui);
  std::filesystem::create_directory(history.Path());
  EXPECT_EQ(history.Lookup("QQ1ABC/QQ2XYZ"), "");
  EXPECT_FALSE(history.Append("QQ1ABC/QQ2XYZ", "ABC"));
  EXPECT_EQ(ui.Messages().size(), 1u);
}

}  // namespace
}  // namespace sfxtal::importer
