#include "importer/suffix_dialog.h"

#include <gtest/gtest.h>

#include "tests/support/recording_ui.h"

namespace sfxtal::importer {
namespace {

using test_support::RecordingUi;

importer::SuffixQuestion Qso(const std::string& callsign, std::int32_t pointer = 1) {
  return {pointer, "1998/03/21", "09:05J", "CW", "7.012", callsign};
}

TEST(SuffixDialog, LoadShowsTheQsoAndEmptiesTheAnswer) {
  RecordingUi ui;
  SuffixDialog dialog(ui, Qso("QQ1ABC/QQ2XYZ", 57));
  EXPECT_EQ(dialog.Label2(), "57");
  EXPECT_EQ(dialog.Label3(), "1998/03/21");
  EXPECT_EQ(dialog.Label4(), "09:05J");
  EXPECT_EQ(dialog.Label5(), "CW");
  EXPECT_EQ(dialog.Label6(), "7.012");
  EXPECT_EQ(dialog.Label7(), "QQ1ABC/QQ2XYZ");
  EXPECT_EQ(dialog.Text1, "");
  EXPECT_EQ(dialog.DialogSuffix(), "");
}

TEST(SuffixDialog, KeyFilter) {
  EXPECT_EQ(SuffixDialog::FilterKey('a'), U'A');
  EXPECT_EQ(SuffixDialog::FilterKey('z'), U'Z');
  EXPECT_EQ(SuffixDialog::FilterKey('Q'), U'Q');
  EXPECT_EQ(SuffixDialog::FilterKey(8), char32_t{8});
  for (char32_t dropped : {U'1', U'/', U' ', U'\r', U'\t', U'@', U'[', U'`', U'{', U'未'}) {
    EXPECT_FALSE(SuffixDialog::FilterKey(dropped)) << static_cast<int>(dropped);
  }
  RecordingUi ui;
  SuffixDialog dialog(ui, Qso("QQ1ABC/QQ2XYZ"));
  dialog.Type("a1/ bc\bd");
  EXPECT_EQ(dialog.Text1, "ABD");
}

struct SetCase {
  std::string callsign;
  std::string entry;
  std::string message;  // empty: accepted
};

void PrintTo(const SetCase& c, std::ostream* os) {
  *os << c.callsign << " " << c.entry;
}

class SuffixDialogSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(SuffixDialogSet, AcceptsOnlyAnEndingOfAPart) {
  const auto& c = GetParam();
  RecordingUi ui;
  SuffixDialog dialog(ui, Qso(c.callsign));
  dialog.Text1 = c.entry;
  const bool accepted = dialog.Command1_Click();
  if (c.message.empty()) {
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(dialog.DialogSuffix(), c.entry);
  } else {
    EXPECT_FALSE(accepted);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(dialog.DialogSuffix(), "");
    EXPECT_EQ(dialog.Text1, c.entry);  // the entry stays for another try
  }
}

const std::string kWrong = "指定されたサフィックスがおかしい";
const std::string kLength = "サフィックスの桁数がおかしい";
const std::string kEmpty = "サフィックスが指定されていません";

INSTANTIATE_TEST_SUITE_P(
    Cases, SuffixDialogSet,
    ::testing::Values(SetCase{"QQ1ABC/QQ2XYZ", "ABC", ""}, SetCase{"QQ1ABC/QQ2XYZ", "BC", ""},
                      SetCase{"QQ1ABC/QQ2XYZ", "C", ""}, SetCase{"QQ1ABC/QQ2XYZ", "XYZ", ""},
                      SetCase{"QQ1ABC/QQ2XYZ", "YZ", ""}, SetCase{"QQ1ABC/QQ2XYZ", "Z", ""},
                      SetCase{"QQ1ABC/QQ2XYZ", "AB", kWrong},
                      SetCase{"QQ1ABC/QQ2XYZ", "ABCD", kLength},
                      SetCase{"QQ1ABC/QQ2XYZ", "", kEmpty}, SetCase{"QQ1ABC/2/P", "ABC", ""},
                      SetCase{"QQ1ABC/2/P", "P", ""}, SetCase{"QQ1ABC/2/P", "2", ""},
                      // A part shorter than the entry is compared whole.
                      SetCase{"QQ1ABC/2/P", "XP", kWrong}, SetCase{"AB/QQ1ABC", "AB", ""},
                      // An empty callsign has no parts to check against.
                      SetCase{"", "XYZ", ""}, SetCase{"/", "A", kWrong}),
    [](const auto& test_case) {
      std::string name = std::to_string(test_case.index) + "_" + test_case.param.entry;
      return name.back() == '_' ? name + "empty" : name;
    });

TEST(SuffixDialog, SkipLeavesNoAnswer) {
  RecordingUi ui;
  SuffixDialog dialog(ui, Qso("QQ1ABC/QQ2XYZ"));
  dialog.Text1 = "ABC";
  dialog.Command2_Click();
  EXPECT_EQ(dialog.DialogSuffix(), "");
}

TEST(RecordingUi, PlaysScriptedEntriesThroughTheDialog) {
  RecordingUi ui;
  ui.suffixAnswers.push_back({"", "abcd", "xy", "xyz"});
  EXPECT_EQ(ui.AskSuffix(Qso("QQ1ABC/QQ2XYZ", 12)), "XYZ");
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{kEmpty, kLength, kWrong}));
  EXPECT_EQ(ui.Texts(test_support::UiEvent::Kind::kSuffixDialog),
            std::vector<std::string>{"12\t1998/03/21\t09:05J\tCW\t7.012\tQQ1ABC/QQ2XYZ"});
}

}  // namespace
}  // namespace sfxtal::importer
