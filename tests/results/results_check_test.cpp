#include "results/results_check.h"

#include <gtest/gtest.h>

#include "tests/support/case_name.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::results {
namespace {

using namespace std::string_literals;
using test_support::CompleteResultsFile;

// A complete file whose row 1 (B) holds `fields` after its suffix.
std::string WithRowB(const std::string& fields) {
  return CompleteResultsFile({{1, "\"B\"," + fields}});
}

std::string FirstLines(const std::string& bytes, int lines) {
  std::size_t end = 0;
  for (int i = 0; i < lines; ++i) end = bytes.find('\n', end) + 1;
  return bytes.substr(0, end);
}

const std::string kShiftJis = "（Shift-JIS で保存してください）";

struct CheckCase {
  const char* name;
  std::string bytes;
  std::optional<ResultsFileProblem> problem;
};

class ResultsCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ResultsCheck, FindsTheFirstProblemOrNone) {
  EXPECT_EQ(CheckResultsBytes(GetParam().bytes), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ResultsCheck,
    ::testing::Values(
        // Sound CP932 that another reading could mistake.
        CheckCase{"Sound", CompleteResultsFile(), std::nullopt},
        CheckCase{"Cp932ThatIsAlsoUtf8", WithRowB("\"QQ1B\",\"d\",\"\xE0\xA0\xB1\""), std::nullopt},
        CheckCase{"Cp932KanjiThatPairsAsEucJp", WithRowB("\"QQ1B\",\"d\",\"\xE0\xA1\""),
                  std::nullopt},
        CheckCase{"OneHalfWidthKatakana", WithRowB("\"Q\xB1\",\"d\",\"\xB1\""), std::nullopt},
        CheckCase{"TabsAndJunkAfterTheLastRecord",
                  CompleteResultsFile({{0, "\tA\t,QQ1A,d,J"}}) + "junk\x1B$B\x4C\x24\0\xFF\r\n",
                  std::nullopt},
        // Other encodings, named.
        CheckCase{"EucJp", WithRowB("\"QQ1B\",\"d\",\"\xCC\xA4\""),
                  ResultsFileProblem{2, "EUC-JP の文字「未」があります" + kShiftJis}},
        CheckCase{
            "Iso2022Jp", WithRowB("\"QQ1B\",\"d\",\"\x1B$B\x4C\x24\x1B(B\""),
            ResultsFileProblem{2, "ISO-2022-JP（JIS コード）の文字「未」があります" + kShiftJis}},
        CheckCase{"Utf8", WithRowB("\"QQ1B\",\"d\",\"\xE6\x9C\xAA\""),
                  ResultsFileProblem{2, "UTF-8 の文字「未」があります" + kShiftJis}},
        CheckCase{"Utf16", "\xFF\xFE\"\0A\0\"\0"s,
                  ResultsFileProblem{1, "先頭に UTF-16 の BOM があります" + kShiftJis}},
        CheckCase{"Utf16WithoutMark", "\"\0A\0\"\0,\0"s,
                  ResultsFileProblem{1, "制御文字 0x00 があります"}},
        // Damage.
        CheckCase{"NulInAField", WithRowB("\"QQ\0B\",\"d\",\"J\""s),
                  ResultsFileProblem{2, "制御文字 0x00 があります"}},
        CheckCase{"Undecodable", WithRowB("\"QQ1B\",\"d\",\"\x80\""),
                  ResultsFileProblem{2, "Shift-JIS として読めないバイト 0x80 があります"}},
        CheckCase{
            "CutAtALineEnd", FirstLines(CompleteResultsFile(), 10000),
            ResultsFileProblem{10001, "記録が 10,000 件で終わっています（18,278 件のはずです）"}},
        CheckCase{"CutInsideARecord", FirstLines(CompleteResultsFile(), 2) + "\"C\",\"QQ",
                  ResultsFileProblem{3, "項目が 2 つしかありません（4 つのはずです）"}}),
    [](const auto& test_case) {
      return test_support::CaseName(test_case.index, test_case.param.name);
    });

}  // namespace
}  // namespace sfxtal::results
