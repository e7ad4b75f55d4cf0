#include "standin/award_application.h"

#include <gtest/gtest.h>

namespace sfxtal::standin {
namespace {

TEST(ConfirmedEntries, ListsOnlyConfirmedRecordsInFileOrder) {
  const std::string bytes =
      "\"A\",\"QQ1A\",\"1998/03/21\",\"J\"\r\n"
      "\"B\",\"QQ1B\",\"1998/03/22\",\"\x96\xa2\"\r\n"    // not yet
      "\"C\",\"\",\"\",\"\"\r\n"                          // not worked
      "\"D\",\"\",\"\",\"J\"\r\n"                         // no base call: not counted
      "E,QQ1E,1998/03/23,Q\n"                             // unquoted, LF only
      "\"F\",\"QQ1,F\",\"1998/03/24\",\"\x82\xa0\"\r\n";  // comma inside, Japanese mark
  const std::vector<AwardEntry> expected = {{"A", "QQ1A", "1998/03/21", "J"},
                                            {"E", "QQ1E", "1998/03/23", "Q"},
                                            {"F", "QQ1,F", "1998/03/24", "あ"}};
  EXPECT_EQ(ConfirmedEntries(bytes), expected);
}

TEST(ConfirmedEntries, FieldsRunOnAcrossLinesAsTheResultsWindowReadsThem) {
  // A line with three fields shifts the records after it, and a record cut short at the end
  // takes the fields that are there.
  const std::string bytes =
      "A,QQ1A,1998/03/21\r\n"
      "J,B,QQ1B,1998/03/22\r\n"
      "K,C,QQ1C\r\n";
  const std::vector<AwardEntry> expected = {
      {"A", "QQ1A", "1998/03/21", "J"}, {"B", "QQ1B", "1998/03/22", "K"}, {"C", "QQ1C", "", ""}};
  EXPECT_EQ(ConfirmedEntries(bytes), expected);
}

TEST(ConfirmedEntries, ReadsNoMoreThanEveryRecordOfTheTable) {
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += "\"S" + std::to_string(i) + "\",\"QQ\",\"d\",\"J\"\r\n";
  const std::vector<AwardEntry> entries = ConfirmedEntries(bytes);
  ASSERT_EQ(entries.size(), 18278u);
  EXPECT_EQ(entries.back().suffix, "S18277");
}

TEST(ConfirmedEntries, EmptyFileHasNone) {
  EXPECT_TRUE(ConfirmedEntries("").empty());
  EXPECT_TRUE(ConfirmedEntries("\r\n\r\n").empty());
}

}  // namespace
}  // namespace sfxtal::standin
