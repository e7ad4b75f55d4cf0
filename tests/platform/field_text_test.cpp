#include "platform/field_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/case_name.h"

namespace sfxtal::platform {
namespace {

using Fields = std::vector<std::string>;

Fields Split(std::string_view line, FieldSyntax syntax) {
  Fields fields;
  FieldSplitter splitter(line, syntax);
  std::string_view field;
  while (splitter.Next(field)) fields.emplace_back(field);
  return fields;
}

struct SplitCase {
  const char* line;
  Fields quoted;  // as the tally and the results reader take it
  Fields plain;   // as the answer history takes it
};

class FieldSplitterCase : public ::testing::TestWithParam<SplitCase> {};

TEST_P(FieldSplitterCase, GivesTheFields) {
  EXPECT_EQ(Split(GetParam().line, FieldSyntax::kQuoted), GetParam().quoted);
  EXPECT_EQ(Split(GetParam().line, FieldSyntax::kPlain), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FieldSplitterCase,
    ::testing::Values(
        SplitCase{R"("QQ1ABC","ABC","1998/03/21","J")",
                  {"QQ1ABC", "ABC", "1998/03/21", "J"},
                  {"\"QQ1ABC\"", "\"ABC\"", "\"1998/03/21\"", "\"J\""}},
        SplitCase{"QQ1ABC/QQ2XYZ,ABC", {"QQ1ABC/QQ2XYZ", "ABC"}, {"QQ1ABC/QQ2XYZ", "ABC"}},
        SplitCase{R"(QQ1ABC,"ABC",1998/03/21)",
                  {"QQ1ABC", "ABC", "1998/03/21"},
                  {"QQ1ABC", "\"ABC\"", "1998/03/21"}},
        // What follows a closing quote up to the comma is not part of the field.
        SplitCase{R"("JA1AB" x,"AB","2020/01/01","Y")",
                  {"JA1AB", "AB", "2020/01/01", "Y"},
                  {"\"JA1AB\" x", "\"AB\"", "\"2020/01/01\"", "\"Y\""}},
        SplitCase{R"("QQ1"X","X")", {"QQ1", "X"}, {"\"QQ1\"X\"", "\"X\""}},
        SplitCase{R"("a",""")", {"a", ""}, {"\"a\"", "\"\"\""}},
        SplitCase{R"("QQ1,X","X")", {"QQ1,X", "X"}, {"\"QQ1", "X\"", "\"X\""}},
        SplitCase{" a ,\t\"b\" ,c\t,d ", {"a", "b", "c", "d"}, {" a ", "\t\"b\" ", "c\t", "d "}},
        SplitCase{"\" a \", \"b\" ", {" a ", "b"}, {"\" a \"", " \"b\" "}},
        SplitCase{"a,", {"a", ""}, {"a", ""}}, SplitCase{",,,", {"", "", "", ""}, {"", "", "", ""}},
        SplitCase{"  ,", {"", ""}, {"  ", ""}}, SplitCase{"", {}, {}},
        SplitCase{" \t ", {}, {" \t "}},
        // A quote left open runs to the end of the line.
        SplitCase{R"("open,quote)", {"open,quote"}, {"\"open", "quote"}},
        SplitCase{"\x83\x5c,\x83\x5d", {"\x83\x5c", "\x83\x5d"}, {"\x83\x5c", "\x83\x5d"}}),
    [](const auto& test_case) {
      return test_support::CaseName(test_case.index, test_case.param.line);
    });

TEST(FieldSplitter, TellsWhetherAFieldFollowsOnTheLine) {
  FieldSplitter splitter("a,b,");
  std::string_view field;
  std::vector<bool> more;
  while (splitter.Next(field)) more.push_back(splitter.MoreOnLine());
  EXPECT_EQ(more, (std::vector<bool>{true, true, false}));
}

// A field of a work-file line: the log's quote and line break, a kanji between ASCII runs, a
// half-width katakana and a byte of no character all reach the line as the tally reads them back.
TEST(AppendQuotedField, HoldsTheFieldsBytesWithStandIns) {
  const std::string bytes =
      "A\"B\x96\xa2"
      "C\r\n\xb1\xfd";
  std::string line = "x,";
  AppendQuotedField(line, bytes);
  FieldSplitter splitter(line);
  std::string_view field;
  ASSERT_TRUE(splitter.Next(field));
  ASSERT_TRUE(splitter.Next(field));
  EXPECT_EQ(field,
            "A'B\x96\xa2"
            "C??\xb1\xfd");
  EXPECT_EQ(field.find_first_of("\"\r\n"), std::string_view::npos);
  EXPECT_FALSE(splitter.Next(field));
}

TEST(NextLine, EachLineEndEndsOneLine) {
  std::string_view text = "a\r\nb\nc\rd\r\n\r\ne";
  std::vector<std::string> lines;
  std::string_view line;
  while (NextLine(text, line)) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
}

}  // namespace
}  // namespace sfxtal::platform
