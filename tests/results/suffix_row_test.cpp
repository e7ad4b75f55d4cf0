#include "results/suffix_row.h"

#include <gtest/gtest.h>

namespace sfxtal::results {
namespace {

TEST(Kxll, LettersCountFromOne) {
  EXPECT_EQ(Kxll('A'), 1);
  EXPECT_EQ(Kxll('a'), 1);
  EXPECT_EQ(Kxll('Z'), 26);
  EXPECT_EQ(Kxll('z'), 26);
  EXPECT_EQ(Kxll('@'), 0);
  EXPECT_EQ(Kxll('['), 27);
}

TEST(SuffixRow, RowsOfSuffixes) {
  const struct {
    const char* suffix;
    int row;
  } cases[] = {{"A", 0},    {"Z", 25},      {"AA", 26},     {"AZ", 51},    {"BA", 52},
               {"ZZ", 701}, {"AAA", 702},   {"AAZ", 727},   {"ABA", 728},  {"ZZZ", 18277},
               {"a", 0},    {"zZz", 18277}, {"xbc", 16278}, {"XBC", 16278}};
  for (const auto& c : cases) EXPECT_EQ(SuffixRow(c.suffix), c.row) << c.suffix;
}

TEST(SuffixRow, NoRowForAnythingButOneToThreeLetters) {
  for (const char* text : {"", "ABCD", "A1", "1", "@", "[", "`", "{", "a b", " A", "A-",
                           "\xef\xbc\xa1" /* full-width A */, "ア"}) {
    EXPECT_EQ(SuffixRow(text), std::nullopt) << text;
    EXPECT_EQ(CapitalSuffixRow(text), -1) << text;
  }
  for (const char* text : {"a", "Ab", "zZz"}) EXPECT_EQ(CapitalSuffixRow(text), -1) << text;
}

TEST(SuffixOfRow, EveryRowNamesTheSuffixThatLeadsBackToIt) {
  std::string previous;
  for (int row = 0; row < kSuffixCount; ++row) {
    const std::string suffix = SuffixOfRow(row);
    ASSERT_EQ(SuffixRow(suffix), row) << suffix;
    ASSERT_EQ(CapitalSuffixRow(suffix), row) << suffix;
    ASSERT_EQ(SuffixLetters(row), static_cast<int>(suffix.size())) << suffix;
    // Suffix order: shorter first, then alphabetical.
    ASSERT_TRUE(suffix.size() > previous.size() ||
                (suffix.size() == previous.size() && suffix > previous))
        << previous << " then " << suffix;
    previous = suffix;
  }
  EXPECT_EQ(SuffixOfRow(0), "A");
  EXPECT_EQ(SuffixOfRow(26), "AA");
  EXPECT_EQ(SuffixOfRow(702), "AAA");
  EXPECT_EQ(SuffixOfRow(18277), "ZZZ");
  EXPECT_EQ(SuffixOfRow(-1), "");
  EXPECT_EQ(SuffixOfRow(kSuffixCount), "");
}

}  // namespace
}  // namespace sfxtal::results
