#include "standin/award_application.h"

#include <gtest/gtest.h>

#include "results/suffix_row.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::standin {
namespace {

TEST(ReadAwardSource, ListsOnlyConfirmedRecordsInFileOrder) {
  const std::string bytes = test_support::CompleteResultsFile({
      {0, "\"A\",\"QQ1A\",\"1998/03/21\",\"J\""},
      {1, "\"B\",\"QQ1B\",\"1998/03/22\",\"\x96\xa2\""},   // not yet
      {2, "\"C\",\"\",\"\",\"\""},                         // not worked
      {3, "\"D\",\"\",\"\",\"J\""},                        // no base call: not counted
      {4, "E,QQ1E,1998/03/23,Q"},                          // unquoted
      {5, "\"F\",\"QQ1,F\",\"1998/03/24\",\"\x82\xa0\""},  // comma inside, Japanese mark
  });
  const std::vector<AwardEntry> expected = {{"A", "QQ1A", "1998/03/21", "J"},
                                            {"E", "QQ1E", "1998/03/23", "Q"},
                                            {"F", "QQ1,F", "1998/03/24", "あ"}};
  const AwardSource source = ReadAwardSource(bytes);
  EXPECT_EQ(source.refusal, "");
  EXPECT_EQ(source.entries, expected);
}

struct RefusalCase {
  const char* name;
  std::string bytes;
  const char* refusal;
};

class AwardRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(AwardRefusal, NamesTheLineAndWhatWasFound) {
  const AwardSource source = ReadAwardSource(GetParam().bytes);
  EXPECT_EQ(source.refusal,
            std::string("実績.txt の ") + GetParam().refusal + "。申請書は作成しませんでした");
  EXPECT_TRUE(source.entries.empty());
}

const std::string kLineA = "\"A\",\"QQ1A\",\"1998/03/21\",\"J\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, AwardRefusal,
    ::testing::Values(
        RefusalCase{"Utf8", kLineA + "\"B\",\"QQ1B\",\"1998/03/22\",\"未\"\r\n",
                    "2 行目: UTF-8 の文字「未」があります（Shift-JIS で保存してください）"},
        RefusalCase{"ByteOrderMark", "\xEF\xBB\xBF" + kLineA,
                    "1 行目: 先頭に UTF-8 の BOM があります（Shift-JIS で保存してください）"},
        RefusalCase{"Garbage", kLineA + "\x1f\x8b\x08\x00\xff\xfe,\r\n\x03",
                    "2 行目: 制御文字 0x1F があります"},
        RefusalCase{"FifthField",
                    kLineA + "\"B\",\"QQ1B\",\"d\",\"J\",\"C\"\r\n\"C\",\"\",\"\",\"\"",
                    "2 行目: 項目が 5 つ以上あります（4 つのはずです）"},
        RefusalCase{"ThreeFields", kLineA + "\"B\",\"QQ1B\",\"J\"\r\n\"C\",\"\",\"\",\"\"",
                    "2 行目: 項目が 3 つしかありません（4 つのはずです）"},
        RefusalCase{"WrongOrder", kLineA + "\r\n\"C\",\"QQ1C\",\"d\",\"J\"\r\n",
                    "3 行目: サフィックスが「C」です（「B」のはずです）"},
        RefusalCase{"LongSuffix", std::string(40, 'Q').append("\t,\"\",\"\",\"\""),
                    "1 行目: サフィックスが「QQQQQQQQQQQQ…」です（「A」のはずです）"}),
    [](const auto& test_case) {
      return test_support::CaseName(test_case.index, test_case.param.name);
    });

TEST(ReadAwardSource, ReadsNoMoreThanEveryRecordOfTheTable) {
  std::string bytes;
  for (int row = 0; row < results::kSuffixCount; ++row) {
    bytes += results::SuffixOfRow(row) + ",QQ,d,J\r\n";
  }
  bytes += "anything at all\xff\r\n";
  const AwardSource source = ReadAwardSource(bytes);
  EXPECT_EQ(source.refusal, "");
  ASSERT_EQ(source.entries.size(), 18278u);
  EXPECT_EQ(source.entries.back().suffix, "ZZZ");
}

// The tally always writes every suffix: a file that ends early was cut, and an empty one too.
TEST(ReadAwardSource, RefusesAFileThatEndsEarly) {
  for (const char* bytes : {"", "\r\n\r\n"}) {
    const AwardSource source = ReadAwardSource(bytes);
    EXPECT_EQ(source.refusal, "実績.txt の " + std::string(bytes[0] == 0 ? "1" : "3") +
                                  " 行目: 記録が 0 件で終わっています（18,278 件のはずです）。"
                                  "申請書は作成しませんでした");
    EXPECT_TRUE(source.entries.empty());
  }
}

}  // namespace
}  // namespace sfxtal::standin
