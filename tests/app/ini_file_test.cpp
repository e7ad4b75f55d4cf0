#include "app/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/text_codec.h"
#include "tests/support/allocation_meter.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::app {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

// A file as an operator's Windows machine might leave it: other sections, comments, odd lines,
// mixed-case names, blanks around "=", quotes, a key twice, CP932 text and no end on the last line.
const std::string kWindowsFile =
    "; SfxTal\r\n"
    "[Other]\r\n"
    "Form1Top=999\r\n"
    "\r\n"
    "[sfxtal]\r\n"
    "  form1top = 2340 \r\n"
    "Form1Left=\"  1927.5\"\r\n"
    "Tevrak='C:\\Tevrak\\Tevrak.TDB'\r\n"
    "\x92\xfa\x82\xdf=\x96\xa2J\r\n"
    "Form2Top=1\r\n"
    "FORM2TOP=2\r\n"
    "a line without an equals sign\r\n"
    ";Form2Left=5\r\n"
    "Empty=\r\n"
    "Unmatched=\"abc'\r\n"
    "\r\n"
    "[Last]\n"
    "x=1";

struct ReadCase {
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsWhatWindowsWouldFind) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(IniDocument(kWindowsFile).Value(c.section, c.key), c.expected)
      << c.section << " / " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    WindowsStyleFile, IniRead,
    testing::Values(
        ReadCase{"SFXTAL", "Form1Top", "2340"}, ReadCase{"sfxtal", "FORM1TOP", "2340"},
        ReadCase{" SFXTAL ", "Form1Top", "2340"}, ReadCase{"SFXTAL", "Form1Left", "  1927.5"},
        ReadCase{"SFXTAL", "Tevrak", "C:\\Tevrak\\Tevrak.TDB"}, ReadCase{"SFXTAL", "諦め", "未J"},
        ReadCase{"SFXTAL", "Form2Top", "1"}, ReadCase{"SFXTAL", "Empty", ""},
        ReadCase{"SFXTAL", "Unmatched", "\"abc'"}, ReadCase{"Other", "Form1Top", "999"},
        ReadCase{"Last", "X", "1"}, ReadCase{"SFXTAL", "x", std::nullopt},
        ReadCase{"SFXTAL", "Form2Left", std::nullopt},
        ReadCase{"SFXTAL", "a line without an equals sign", std::nullopt},
        ReadCase{"Missing", "Form1Top", std::nullopt}, ReadCase{"Last", "Form1Top", std::nullopt}),
    [](const auto& test_case) {
      return test_support::CaseName(
          test_case.index, std::string(test_case.param.section) + "_" + test_case.param.key);
    });

TEST(IniDocument, RewritesOnlyTheKeysLine) {
  IniDocument document(kWindowsFile);
  ASSERT_TRUE(document.SetValue("SFXTAL", "FORM1TOP", "-120"));
  std::string expected = kWindowsFile;
  expected.replace(expected.find("  form1top = 2340 "), 18, "  form1top =-120");
  EXPECT_EQ(document.Bytes(), expected);
  EXPECT_EQ(document.Value("SFXTAL", "Form1Top"), "-120");
}

TEST(IniDocument, RewritesTheFirstOfTwoEqualKeys) {
  IniDocument document(kWindowsFile);
  ASSERT_TRUE(document.SetValue("SFXTAL", "form2top", "77"));
  std::string expected = kWindowsFile;
  expected.replace(expected.find("Form2Top=1"), 10, "Form2Top=77");
  EXPECT_EQ(document.Bytes(), expected);
  EXPECT_EQ(document.Value("SFXTAL", "Form2Top"), "77");
}

TEST(IniDocument, NewKeyGoesAtTheEndOfItsSectionBeforeTheBlankLine) {
  IniDocument document(kWindowsFile);
  ASSERT_TRUE(document.SetValue("SFXTAL", "Form2Left", "15"));
  std::string expected = kWindowsFile;
  expected.insert(expected.find("\r\n[Last]"), "Form2Left=15\r\n");
  EXPECT_EQ(document.Bytes(), expected);
}

TEST(IniDocument, NewKeyInTheLastSectionEndsTheUnendedLastLine) {
  IniDocument document(kWindowsFile);
  ASSERT_TRUE(document.SetValue("Last", "y", "2"));
  EXPECT_EQ(document.Bytes(), kWindowsFile + "\r\ny=2\r\n");
}

TEST(IniDocument, NewSectionGoesAtTheEndOfTheFile) {
  IniDocument document(kWindowsFile);
  ASSERT_TRUE(document.SetValue("New", "Key", "v"));
  EXPECT_EQ(document.Bytes(), kWindowsFile + "\r\n[New]\r\nKey=v\r\n");
}

TEST(IniDocument, FirstWriteToAnEmptyFile) {
  IniDocument document;
  ASSERT_TRUE(document.SetValue("SFXTAL", "諦め", "未"));
  EXPECT_EQ(document.Bytes(), "[SFXTAL]\r\n\x92\xfa\x82\xdf=\x96\xa2\r\n");
}

TEST(IniDocument, KanjiWhoseSecondByteIsALetterAreNotFoldedTogether) {
  // "ア" is 83 41 and "ヂ" is 83 61 in CP932: the second bytes are "A" and "a".
  IniDocument document(platform::EncodeCp932("[S]\r\nヂ=1\r\n[ゾ]\r\nk=2\r\n"));
  EXPECT_EQ(document.Value("S", "ヂ"), "1");
  EXPECT_EQ(document.Value("S", "ア"), std::nullopt);
  // "ゾ" is 83 5D: its second byte is "]", which must not close the section name.
  EXPECT_EQ(document.Value("ゾ", "k"), "2");
}

TEST(IniDocument, AValueIsCutAtItsFirstLineBreak) {
  IniDocument document;
  ASSERT_TRUE(document.SetValue("SFXTAL", "Tevrak", "/logs/a.TDB\r\n[SFXTAL]\r\nForm1Top=5"));
  EXPECT_EQ(document.Bytes(), "[SFXTAL]\r\nTevrak=/logs/a.TDB\r\n");
  EXPECT_EQ(document.Value("SFXTAL", "Form1Top"), std::nullopt);
}

TEST(IniDocument, ValuesWithABlankAtEitherEndOrInQuotesAreQuotedAndReadBackWhole) {
  const struct {
    const char* value;
    const char* line;
    const char* readBack;
  } cases[] = {
      {"/logs/a.TDB", "Tevrak=/logs/a.TDB", "/logs/a.TDB"},
      {"/logs/a /Tevrak.TDB ", "Tevrak=\"/logs/a /Tevrak.TDB \"", "/logs/a /Tevrak.TDB "},
      {"'/quoted'", "Tevrak=\"'/quoted'\"", "'/quoted'"},
      {"\"both\"", "Tevrak=\"\"both\"\"", "\"both\""},
      {"\"open", "Tevrak=\"open", "\"open"},
      {"", "Tevrak=", ""},
      {" /home/op/Tevrak.TDB", "Tevrak=\" /home/op/Tevrak.TDB\"", " /home/op/Tevrak.TDB"},
      {"\t/logs/a.TDB", "Tevrak=\"\t/logs/a.TDB\"", "\t/logs/a.TDB"},
      {" \"x\"", "Tevrak=\" \"x\"\"", " \"x\""},
      {" 2340", "Tevrak=\" 2340\"", " 2340"},
      {" ", "Tevrak=\" \"", " "},
  };
  for (const auto& c : cases) {
    IniDocument document;
    ASSERT_TRUE(document.SetValue("SFXTAL", "Tevrak", c.value));
    EXPECT_EQ(document.Bytes(), std::string("[SFXTAL]\r\n") + c.line + "\r\n") << c.value;
    EXPECT_EQ(IniDocument(document.Bytes()).Value("SFXTAL", "Tevrak"), c.readBack);
  }
}

TEST(IniDocument, NamesALineCouldNotHoldAreRefused) {
  const struct {
    const char* section;
    const char* key;
  } cases[] = {{"", "k"},   {"S", ""},   {"S", "a=b"},  {"S", "a\nb"}, {"a]b", "k"},
               {"S", "[k"}, {"S", ";k"}, {"a\rb", "k"}, {"  ", "k"},   {"S", "  "}};
  for (const auto& c : cases) {
    IniDocument document(kWindowsFile);
    EXPECT_FALSE(document.SetValue(c.section, c.key, "v")) << c.section << " / " << c.key;
    EXPECT_EQ(document.Bytes(), kWindowsFile);
  }
}

TEST(IniDocument, OddBytesSurviveARewrite) {
  // Bytes that are no CP932 character, and a line with a lone CR end.
  const std::string bytes = "[SFXTAL]\r\n\x80\xff=\xa0\rTevrak=old\r\n";
  IniDocument document(bytes);
  ASSERT_TRUE(document.SetValue("SFXTAL", "Tevrak", "new"));
  EXPECT_EQ(document.Bytes(), "[SFXTAL]\r\n\x80\xff=\xa0\rTevrak=new\r\n");
}

TEST(IniDocument, ANameThatWouldNotReadBackFromItsLineIsRefused) {
  // 0x8B, carried through alone, pairs with the "]" after it into one kanji: the section would
  // never be found again, and every write would add it anew. Nor can CP932 hold an emoji.
  const std::string file = "[A]\r\nk=1";
  for (const auto& [section, key] :
       {std::pair<std::string, std::string>{"\xEF\xA0\x8B", "k"}, {"😀", "k"}, {"A", "😀"}}) {
    IniDocument document(file);
    EXPECT_FALSE(document.SetValue(section, key, "2")) << section << " / " << key;
    EXPECT_EQ(document.Bytes(), file);
  }
}

TEST(IniDocument, AFileOfMillionsOfLinesCostsItsOwnSize) {
  // Once a line object of more than a hundred bytes for each line, blank or not.
  std::string file(2'000'000, '\n');
  file += "[sfxtal]\r\nTevrak=x\r\n";
  const std::size_t size = file.size();
  const test_support::AllocationMeter meter;
  IniDocument document(std::move(file));
  EXPECT_EQ(document.Value("SFXTAL", "Tevrak"), "x");
  EXPECT_TRUE(document.SetValue("SFXTAL", "Form1Top", " 1"));
  EXPECT_EQ(document.Value("SFXTAL", "Form1Top"), " 1");
  EXPECT_LT(meter.PeakBytes(), 3 * size);
}

TEST(IniFile, ReadsAndWritesOnDisk) {
  TempFolder folder;
  const auto path = folder / "SFXTAL.INI";
  EXPECT_EQ(ReadIniValue(path, "SFXTAL", "Tevrak"), std::nullopt);
  ASSERT_TRUE(WriteIniValue(path, "SFXTAL", "Tevrak", "/home/op/ログ/Tevrak.TDB"));
  EXPECT_EQ(ReadIniValue(path, "sfxtal", "tevrak"), "/home/op/ログ/Tevrak.TDB");
  EXPECT_EQ(ReadBytes(path), "[SFXTAL]\r\nTevrak=/home/op/\x83\x8d\x83\x4f/Tevrak.TDB\r\n");
}

TEST(IniFile, AFolderInTheFilesPlaceIsLeftAlone) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "SFXTAL.INI");
  EXPECT_FALSE(WriteIniValue(folder / "SFXTAL.INI", "SFXTAL", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "SFXTAL.INI"));
  EXPECT_EQ(ReadIniValue(folder / "SFXTAL.INI", "SFXTAL", "k"), std::nullopt);
}

}  // namespace
}  // namespace sfxtal::app
