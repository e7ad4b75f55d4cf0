#include "app/applicant.h"

#include <gtest/gtest.h>

#include <string>

#include "app/help_page.h"
#include "tests/support/case_name.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::app {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::UiEvent;
using test_support::WriteBytes;

// The program's own section, someone else's, a comment and a last line without its line end:
// all of it must come through a store of the applicant byte for byte.
const std::string kOtherLines =
    "; \x83\x81\x83\x82\r\n"
    "[SFXTAL]\r\n"
    "Tevrak=C:\\Tevrak\\Tevrak.TDB\r\n"
    "\r\n"
    "[Other]\r\n"
    "x=1";

TEST(Applicant, StoredBesideTheOtherSectionsAndReadBack) {
  TempFolder folder;
  EXPECT_EQ(ReadApplicant(folder.Path()), Applicant{});
  WriteBytes(folder / "SFXTAL.INI", kOtherLines);
  EXPECT_EQ(ReadApplicant(folder.Path()), Applicant{});
  ASSERT_TRUE(StoreApplicant(folder.Path(), {"JA1ABC", "山田太郎", " 東京都千代田区 1-1 "}));
  EXPECT_EQ(ReadApplicant(folder.Path()),
            (Applicant{"JA1ABC", "山田太郎", " 東京都千代田区 1-1 "}));
  // Only what is given changes; an empty value is stored as empty.
  ASSERT_TRUE(StoreApplicant(folder.Path(), {std::nullopt, "", std::nullopt}));
  EXPECT_EQ(ReadApplicant(folder.Path()), (Applicant{"JA1ABC", "", " 東京都千代田区 1-1 "}));
  EXPECT_EQ(ReadBytes(folder / "SFXTAL.INI").substr(0, kOtherLines.size()), kOtherLines);
}

struct CharacterCase {
  const char* name;
  std::string value;
  std::string unstorable;  // empty: the value can be stored
};

class UnstorableValue : public testing::TestWithParam<CharacterCase> {};

TEST_P(UnstorableValue, IsRefusedWithTheFileUntouched) {
  const CharacterCase& c = GetParam();
  EXPECT_EQ(UnstorableCharacter(c.value), c.unstorable);
  TempFolder folder;
  WriteBytes(folder / "SFXTAL.INI", kOtherLines);
  EXPECT_EQ(StoreApplicant(folder.Path(), {"JA1ABC", c.value, std::nullopt}), c.unstorable.empty());
  if (!c.unstorable.empty()) {
    EXPECT_EQ(ReadBytes(folder / "SFXTAL.INI"), kOtherLines);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, UnstorableValue,
    testing::Values(
        CharacterCase{"Kanji", "山田 太郎", ""}, CharacterCase{"HalfWidthKana", "ﾔﾏﾀﾞ", ""},
        CharacterCase{"NecSpecial", "①㈱", ""}, CharacterCase{"Emoji", "山田😀太郎🎉", "😀"},
        CharacterCase{"Hangul", "김", "김"}, CharacterCase{"LineFeed", "山田\n[SFXTAL]", "\n"},
        CharacterCase{"Tab", "a\tb", "\t"}, CharacterCase{"BrokenUtf8", "a\xe5\xb1", "\xe5\xb1"},
        CharacterCase{"CarriedByte", "a\xef\x9e\xa0", "\xef\x9e\xa0"}),
    [](const auto& test_case) {
      return test_support::CaseName(test_case.index, test_case.param.name);
    });

// How a character that cannot be typed or seen is named (the CLI's test shows the plain one).
TEST(Applicant, RefusalNamesCharactersThatDoNotShowByNumber) {
  EXPECT_EQ(UnstorableApplicantMessage("--name", "山田太郎"), "");
  EXPECT_TRUE(UnstorableApplicantMessage("住所", "a\rb").starts_with("住所 の U+000D は "));
  EXPECT_TRUE(UnstorableApplicantMessage("x", "\xff\xfe").starts_with("x の 0xFF は "));
}

TEST(HelpPage, OpenedWhereItIsAndMissedWithItsPath) {
  TempFolder folder;
  test_support::RecordingUi ui;
  // A folder by that name is no page either.
  for (const bool asFolder : {false, true}) {
    if (asFolder) std::filesystem::create_directory(folder / "ヘルプ.html");
    ui.events.clear();
    EXPECT_FALSE(OpenHelpPage(ui, folder.Path()));
    const std::string missing =
        "ヘルプが見つかりません。プログラムフォルダーに ヘルプ.html と ヘルプ "
        "フォルダーを置いてください\n" +
        platform::Utf8FromPath(folder / "ヘルプ.html");
    EXPECT_EQ(ui.events, (std::vector<UiEvent>{{UiEvent::Kind::kMessage, missing}}));
  }
  std::filesystem::remove(folder / "ヘルプ.html");
  WriteBytes(folder / "ヘルプ.HTML", "<html></html>");
  ui.events.clear();
  EXPECT_TRUE(OpenHelpPage(ui, folder.Path()));
  // The file itself is opened, by whichever spelling the file system takes.
  ASSERT_EQ(ui.events.size(), 1u);
  EXPECT_EQ(ui.events[0].kind, UiEvent::Kind::kOpenFile);
  EXPECT_TRUE(std::filesystem::equivalent(platform::PathFromUtf8(ui.events[0].text),
                                          folder / "ヘルプ.HTML"));
  EXPECT_EQ(HelpPagePath(folder.Path()), folder / "ヘルプ.html");
}

}  // namespace
}  // namespace sfxtal::app
