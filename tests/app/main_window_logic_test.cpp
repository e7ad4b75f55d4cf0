#include "app/main_window_logic.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_name.h"
#include "tests/support/temp_folder.h"

namespace sfxtal::app {
namespace {

using test_support::CaseName;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

struct KeyCase {
  const char* name;
  int box;
  char32_t key;
  int caret;
  DateBoxKey expected;
};

class DateBoxKeyPressTest : public testing::TestWithParam<KeyCase> {};

TEST_P(DateBoxKeyPressTest, KeepsDigitsAndMovesByCaret) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(DateBoxKeyPress(c.box, c.key, c.caret), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateBoxKeyPressTest,
    testing::Values(
        // Digits are kept; the fourth year digit and the second month or day digit move on.
        KeyCase{"first year digit stays", 0, U'2', 0, {true, -1}},
        KeyCase{"third year digit stays", 0, U'0', 2, {true, -1}},
        KeyCase{"fourth year digit moves on", 0, U'5', 3, {true, 1}},
        KeyCase{"end year moves to end month", 3, U'9', 3, {true, 4}},
        KeyCase{"first month digit stays", 1, U'0', 0, {true, -1}},
        KeyCase{"second month digit moves on", 1, U'2', 1, {true, 2}},
        KeyCase{"start day moves to end year", 2, U'3', 1, {true, 3}},
        KeyCase{"end day moves back to start year", 5, U'0', 1, {true, 0}},
        // A year box's second position is not a month box's last.
        KeyCase{"year caret 1 stays", 0, U'1', 1, {true, -1}},
        // After the last character nothing moves; the digit still goes in.
        KeyCase{"caret past a year stays", 3, U'1', 4, {true, -1}},
        KeyCase{"caret past a day stays", 5, U'1', 2, {true, -1}},
        // Anything but a digit is dropped, yet moves the focus by position all the same.
        KeyCase{"letter dropped", 0, U'a', 0, {false, -1}},
        KeyCase{"letter before last year digit moves", 0, U'x', 3, {false, 1}},
        KeyCase{"backspace dropped and moves", 4, 8, 1, {false, 5}},
        KeyCase{"enter dropped and moves", 5, 13, 1, {false, 0}},
        KeyCase{"slash just below the digits", 1, U'/', 0, {false, -1}},
        KeyCase{"colon just above the digits", 1, U':', 0, {false, -1}},
        KeyCase{"full width digit dropped", 1, U'１', 0, {false, -1}},
        // A box the window does not have moves nothing.
        KeyCase{"no such box", 6, U'1', 1, {true, -1}}),
    [](const testing::TestParamInfo<KeyCase>& test_case) {
      return CaseName(test_case.index, test_case.param.name);
    });

constexpr SizeTwips kScreen{19200, 14400};  // 1280 x 960 at 96 DPI
constexpr SizeTwips kWindow{7065 + 180, 5130 + 495};

TEST(LoadMainWindowSettings, NoSettingsFileCentresTheWindowWithEmptyBoxes) {
  TempFolder folder;
  const MainWindowSettings loaded =
      LoadMainWindowSettings(SettingsStore(folder.Path()), kScreen, kWindow, "");
  EXPECT_EQ(loaded.Top, 4387.5);
  EXPECT_EQ(loaded.Left, 5977.5);
  EXPECT_EQ(loaded.Text1, "");
  EXPECT_EQ(loaded.Text3, "");
  // Reading writes nothing.
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(LoadMainWindowSettings, StoredValuesWin) {
  TempFolder folder;
  WriteBytes(folder / "SFXTAL.INI",
             "[SFXTAL]\r\nForm1Top= 360\r\nForm1Left=-120\r\n\x92\xfa\x82\xdf=  xN \r\n"
             "Tevrak=/home/op/Tevrak.TDB\r\n");
  const MainWindowSettings loaded =
      LoadMainWindowSettings(SettingsStore(folder.Path()), kScreen, kWindow, "typed");
  EXPECT_EQ(loaded.Top, 360);
  EXPECT_EQ(loaded.Left, -120);
  EXPECT_EQ(loaded.Text3, "xN");
  EXPECT_EQ(loaded.Text1, "/home/op/Tevrak.TDB");
}

TEST(LoadMainWindowSettings, NonAndMissingKeysShowEmptyOrTheBox) {
  TempFolder folder;
  WriteBytes(folder / "SFXTAL.INI", "[SFXTAL]\r\n\x92\xfa\x82\xdf=NON\r\nForm1Top=junk\r\n");
  const MainWindowSettings loaded =
      LoadMainWindowSettings(SettingsStore(folder.Path()), kScreen, kWindow, "typed");
  EXPECT_EQ(loaded.Text3, "");
  EXPECT_EQ(loaded.Text1, "typed");  // no "Tevrak": the box keeps its text
  EXPECT_EQ(loaded.Top, 0);          // a stored value that is no number reads as 0
  EXPECT_EQ(loaded.Left, 5977.5);
}

TEST(SaveMainWindowSettings, FourWritesInOrderKeepingTheRestOfTheFile) {
  const MainWindowSettings window{"/home/op/ログ.TDB", 1927.5, -120, "  NON "};
  TempFolder folder;
  WriteBytes(folder / "SFXTAL.INI", "; kept\r\n[SFXTAL]\r\nForm2Top= 15\r\n[Other]\r\nx=1\r\n");
  SaveMainWindowSettings(SettingsStore(folder.Path()), window);
  EXPECT_EQ(ReadBytes(folder / "SFXTAL.INI"),
            "; kept\r\n[SFXTAL]\r\nForm2Top= 15\r\n"
            "Tevrak=/home/op/\x83\x8d\x83\x4f.TDB\r\n"
            "Form1Top= 1927.5\r\nForm1Left=-120\r\n"
            "\x92\xfa\x82\xdf=NON\r\n"
            "[Other]\r\nx=1\r\n");
  // "NON" saved as such shows as an empty box at the next start.
  EXPECT_EQ(LoadMainWindowSettings(SettingsStore(folder.Path()), kScreen, kWindow, "").Text3, "");
}

}  // namespace
}  // namespace sfxtal::app
