#include "importer/suffix_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace sfxtal::importer {
namespace {

// A callsign as the log gives it, and what each rule makes of it. "·" in the names stands for a
// blank. `calls` is the trimmed CALLS text that stays the base call when the split chooses none.
struct RuleCase {
  std::string read;
  std::string normalized;
  int undetermined;
  std::string baseCall;
  std::string suffix;  // TrailingLetters of the base call
  bool written;        // counted when no answer intervenes
};

void PrintTo(const RuleCase& c, std::ostream* os) {
  *os << '"' << c.read << '"';
}

constexpr const char* kCalls = "CALLS";  // stands for the untouched CALLS text

class SuffixRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(SuffixRules, TakeTheSuffixOrLeaveItUndetermined) {
  const RuleCase& c = GetParam();
  const std::string normalized = NormalizeCallsign(c.read);
  EXPECT_EQ(normalized, c.normalized);
  const CallsignSplit split = SplitCallsign(normalized, kCalls);
  EXPECT_EQ(split.Undetermined, c.undetermined);
  EXPECT_EQ(split.BaseCall, c.baseCall);
  const std::string_view suffix = TrailingLetters(split.BaseCall);
  EXPECT_EQ(suffix, c.suffix);
  EXPECT_EQ(split.Undetermined == 0 && IsCountableSuffix(suffix), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SuffixRules,
    ::testing::Values(
        RuleCase{"QQ1ABC", "QQ1ABC", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ1A", "QQ1A", 0, "QQ1A", "A", true},
        RuleCase{"QQ1ABCD", "QQ1ABCD", 0, "QQ1ABCD", "ABCD", false},
        RuleCase{"QQ1AB2", "QQ1AB2", 0, "QQ1AB2", "", false},
        RuleCase{"qq1abc", "qq1abc", 0, "qq1abc", "", false},
        RuleCase{"QQ1ABC/2", "QQ1ABC/2", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ2/QQ1ABC", "QQ2/QQ1ABC", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ1A/QQ2", "QQ1A/QQ2", 0, "QQ1A", "A", true},
        RuleCase{"QQ1ABC/", "QQ1ABC/", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ1ABC/QQ2XYZ", "QQ1ABC/QQ2XYZ", 1, kCalls, "CALLS", false},
        RuleCase{"QQ1ABC/2/P", "QQ1ABC/2/P", 2, kCalls, "CALLS", false},
        RuleCase{"QQ1ABC  2", "QQ1ABC/2", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ1 ABC", "QQ1ABC", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ1ABC  2  P", "QQ1ABC/2P", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ1ABC//2", "QQ1ABC/2", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ1ABC///2", "QQ1ABC//2", 2, kCalls, "CALLS", false},
        RuleCase{"QQ1ABC / 2", "QQ1ABC/2", 0, "QQ1ABC", "ABC", true},
        RuleCase{"/", "/", 1, kCalls, "CALLS", false},
        // Blanks at the ends go before the double-blank rule is applied.
        RuleCase{"  QQ1ABC  ", "QQ1ABC", 0, "QQ1ABC", "ABC", true},
        RuleCase{"QQ1ABC   2", "QQ1ABC/2", 0, "QQ1ABC", "ABC", true},
        RuleCase{"   ", "", 0, kCalls, "CALLS", false},
        // Lengths count the log's characters, a byte each: ｱｲｳｴｵｶ (B1-B6) is six,
        // a two-byte ア (83 41) two.
        RuleCase{"QQ1ABC/\xB1\xB2\xB3\xB4\xB5\xB6", "QQ1ABC/\xB1\xB2\xB3\xB4\xB5\xB6", 1, kCalls,
                 "CALLS", false},
        RuleCase{"QQ1ABC/\xB1\xB2", "QQ1ABC/\xB1\xB2", 0, "QQ1ABC", "ABC", true},
        RuleCase{"\xB1\xB2\xB3\xB4\xB5\xB6X/QQ1ABC", "\xB1\xB2\xB3\xB4\xB5\xB6X/QQ1ABC", 0,
                 "\xB1\xB2\xB3\xB4\xB5\xB6X", "X", true},
        RuleCase{"QQ1A/\x83\x41\x83\x41", "QQ1A/\x83\x41\x83\x41", 1, kCalls, "CALLS", false}),
    [](const auto& test_case) { return "row" + std::to_string(test_case.index); });

TEST(SuffixRules, EmptyCallsignKeepsTheCallsText) {
  EXPECT_EQ(NormalizeCallsign(""), "");
  const CallsignSplit split = SplitCallsign("", "");
  EXPECT_EQ(split.Undetermined, 0);
  EXPECT_EQ(split.BaseCall, "");
  EXPECT_EQ(TrailingLetters(split.BaseCall), "");
  EXPECT_FALSE(IsCountableSuffix(""));
}

TEST(SuffixRules, TrailingLettersStopsAtTheFirstOtherCharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"QQ1ABC", "ABC"}, {"ABC", "ABC"}, {"QQ1ABc", ""}, {"QQ1AB@", ""},
      {"QQ1A[B", "B"},   {"QQ1AB/", ""}, {"ｱAB", "AB"},  {"", ""},
  };
  for (const auto& [base, suffix] : cases) EXPECT_EQ(TrailingLetters(base), suffix) << base;
}

TEST(SuffixRules, CountableSuffixHasOneToThreeCharacters) {
  const std::pair<std::string, bool> cases[] = {
      {"", false},     {"A", true},  {"AB", true},  {"ABC", true},
      {"ABCD", false}, {"未", true}, {"ｱｲｳ", true}, {"ｱｲｳｴ", false},
  };
  for (const auto& [suffix, countable] : cases) {
    EXPECT_EQ(IsCountableSuffix(suffix), countable) << suffix;
  }
}

}  // namespace
}  // namespace sfxtal::importer
