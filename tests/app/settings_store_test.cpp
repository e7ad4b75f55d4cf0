#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/support/temp_folder.h"

namespace sfxtal::app {
namespace {

using test_support::ReadBytes;
using test_support::ReadOnlyFolder;
using test_support::TempFolder;
using test_support::WriteBytes;

std::string Read(const SettingsStore& store, const char* key, std::string value) {
  store.ReadSetting(key, value);
  return value;
}

TEST(SettingsStore, OneSeparatorBeforeTheFileName) {
  using std::filesystem::path;
  EXPECT_EQ(SettingsStore(path("/opt/sfxtal")).SettingsPath(), "/opt/sfxtal/SFXTAL.INI");
  EXPECT_EQ(SettingsStore(path("/opt/sfxtal/")).SettingsPath(), "/opt/sfxtal/SFXTAL.INI");
  EXPECT_EQ(SettingsStore(path("/")).SettingsPath(), "/SFXTAL.INI");
}

TEST(SettingsStore, UnwritableFolderWithoutAFileStaysEmpty) {
  TempFolder folder;
  ReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
  const SettingsStore store(folder.Path());
  store.WriteSetting(kForm1TopKey, " 200");
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  EXPECT_EQ(Read(store, kForm1TopKey, "d"), "d");
}

TEST(SettingsStore, MissingFileSectionOrKeyGivesTheDefault) {
  TempFolder folder;
  const SettingsStore store(folder.Path());
  EXPECT_EQ(Read(store, kForm1TopKey, " 4000"), " 4000");

  WriteBytes(folder / "SFXTAL.INI", "[Other]\r\nForm1Top=1\r\n");
  EXPECT_EQ(Read(store, kForm1TopKey, " 4000"), " 4000");

  WriteBytes(folder / "SFXTAL.INI", "[SFXTAL]\r\nForm1Left=1\r\n");
  EXPECT_EQ(Read(store, kForm1TopKey, " 4000"), " 4000");
}

TEST(SettingsStore, EmptyValueIsEmptyNotTheDefault) {
  TempFolder folder;
  WriteBytes(folder / "SFXTAL.INI", "[SFXTAL]\r\nForm1Top=\r\n");
  const SettingsStore store(folder.Path());
  const std::string value = Read(store, kForm1TopKey, " 4000");
  EXPECT_EQ(value, "");
  EXPECT_EQ(SettingNumberValue(value), 0.0);
}

TEST(SettingsStore, EveryKeyReadsBackWhatWasWritten) {
  TempFolder folder;
  const SettingsStore store(folder.Path());
  store.WriteSetting(kTevrakKey, "/home/op/Tevrak.TDB");
  store.WriteNumberSetting(kForm1TopKey, 2340);
  store.WriteNumberSetting(kForm1LeftKey, 1927.5f);
  store.WriteSetting(kGiveUpMarksKey, GiveUpMarksForSetting("  未J "));
  store.WriteNumberSetting(kForm2TopKey, -120);
  store.WriteNumberSetting(kForm2LeftKey, 0);

  EXPECT_EQ(ReadBytes(store.SettingsPath()),
            "[SFXTAL]\r\n"
            "Tevrak=/home/op/Tevrak.TDB\r\n"
            "Form1Top= 2340\r\n"
            "Form1Left= 1927.5\r\n"
            "\x92\xfa\x82\xdf=\x96\xa2J\r\n"
            "Form2Top=-120\r\n"
            "Form2Left= 0\r\n");
  EXPECT_EQ(Read(store, kTevrakKey, ""), "/home/op/Tevrak.TDB");
  EXPECT_EQ(SettingNumberValue(Read(store, kForm1TopKey, "")), 2340);
  EXPECT_EQ(SettingNumberValue(Read(store, kForm1LeftKey, "")), 1927.5);
  EXPECT_EQ(GiveUpMarksFromSetting(Read(store, kGiveUpMarksKey, "")), "未J");
  EXPECT_EQ(SettingNumberValue(Read(store, kForm2TopKey, "")), -120);
  EXPECT_EQ(SettingNumberValue(Read(store, kForm2LeftKey, "x")), 0);
}

TEST(SettingsStore, RewriteKeepsEveryOtherLineOfAWindowsFile) {
  TempFolder folder;
  const std::string original =
      "; written on Windows\r\n"
      "[Other]\r\n"
      "Tevrak=C:\\other.TDB\r\n"
      "\r\n"
      "[SFXTAL]\r\n"
      "form1top = 100\r\n"
      "Tevrak=C:\\\x83\x8d\x83\x4f\\Tevrak.TDB\r\n"
      "\x92\xfa\x82\xdf=NON\r\n";
  WriteBytes(folder / "SFXTAL.INI", original);
  const SettingsStore store(folder.Path());
  EXPECT_EQ(Read(store, kTevrakKey, ""), "C:\\ログ\\Tevrak.TDB");
  EXPECT_EQ(GiveUpMarksFromSetting(Read(store, kGiveUpMarksKey, "")), "");

  store.WriteNumberSetting(kForm1TopKey, 360);
  store.WriteNumberSetting(kForm2TopKey, 15);
  std::string expected = original;
  expected.replace(expected.find("form1top = 100"), 14, "form1top = 360");
  expected += "Form2Top= 15\r\n";
  EXPECT_EQ(ReadBytes(store.SettingsPath()), expected);
}

TEST(SettingsStore, LongValuesComeBackWhole) {
  TempFolder folder;
  const SettingsStore store(folder.Path());
  std::string path = "/home/op";
  while (path.size() < 200) path += "/交信ログ";
  path += "/Tevrak.TDB";
  store.WriteSetting(kTevrakKey, path);
  EXPECT_EQ(Read(store, kTevrakKey, ""), path);
}

TEST(SettingsStore, NewDeletesTheFile) {
  TempFolder folder;
  const SettingsStore store(folder.Path());
  store.WriteSetting(kForm1TopKey, " 1");
  ASSERT_TRUE(std::filesystem::exists(store.SettingsPath()));
  store.WriteSetting(kDeleteSettingsKey, "ignored");
  EXPECT_FALSE(std::filesystem::exists(store.SettingsPath()));
  EXPECT_EQ(Read(store, kForm1TopKey, " 9"), " 9");
  // Again with no file: nothing happens, nothing is created.
  store.WriteSetting(kDeleteSettingsKey, "");
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(SettingsStore, NewIsCaseSensitive) {
  TempFolder folder;
  const SettingsStore store(folder.Path());
  store.WriteSetting(kForm1TopKey, " 1");
  store.WriteSetting("new", "x");
  EXPECT_EQ(Read(store, "new", ""), "x");
  EXPECT_EQ(Read(store, kForm1TopKey, ""), " 1");
}

TEST(SettingsStore, UnwritableFolderIsSilentAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string original = "[SFXTAL]\r\nForm1Top= 100\r\n";
  WriteBytes(folder / "SFXTAL.INI", original);
  ReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
  const SettingsStore store(folder.Path());
  store.WriteSetting(kForm1TopKey, " 200");
  store.WriteSetting(kTevrakKey, "/x.TDB");
  store.WriteSetting(kDeleteSettingsKey, "");
  EXPECT_EQ(ReadBytes(folder / "SFXTAL.INI"), original);
  EXPECT_EQ(Read(store, kForm1TopKey, ""), "100");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(SettingNumberText, WritesSinglePrecisionNumbersAsStored) {
  const struct {
    float twips;
    const char* text;
  } cases[] = {
      {2340, " 2340"},
      {1927.5f, " 1927.5"},
      {-120, "-120"},
      {0, " 0"},
      {-0.0f, " 0"},
      {0.5f, " .5"},
      {-0.25f, "-.25"},
      {7200.25f, " 7200.25"},
      {123456.7f, " 123456.7"},
      {1234567, " 1234567"},
      {12345678, " 1.234568E+07"},
      {1e-5f, " 1E-05"},
      {0.1f, " .1"},
      {-15, "-15"},
  };
  for (const auto& c : cases) EXPECT_EQ(SettingNumberText(c.twips), c.text) << c.twips;
}

TEST(SettingNumberText, ReadsBackTheSameNumber) {
  // Seven digits hold every position a screen has; larger numbers keep seven digits only.
  for (float twips : {2340.0f, 1927.5f, -120.0f, 0.5f, 0.1f, 1234567.0f, -3.75e-3f, 1e9f}) {
    EXPECT_EQ(static_cast<float>(SettingNumberValue(SettingNumberText(twips))), twips);
  }
}

TEST(SettingNumberValue, TakesTheLeadingNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {" 2340", 2340},
      {"1927.5", 1927.5},
      {"-120", -120},
      {"", 0},
      {"abc", 0},
      {"  12abc", 12},
      {"+5", 5},
      {".5", 0.5},
      {"-.25", -0.25},
      {"5.", 5},
      {"1E3", 1000},
      {"1e-2", 0.01},
      {"1e", 1},
      {"1e+", 1},
      {"2D2", 200},
      {"1.5.6", 1.5},
      {"- 5", 0},
      {".", 0},
      {"-", 0},
      {"\t7", 7},
      {"12 34", 12},
      {"1e999", 0},
      {"0x10", 0},
      {"007", 7},
      {"1e300", 2147483647.0},
      {"-99999999999", -2147483647.0},
  };
  for (const auto& c : cases) EXPECT_EQ(SettingNumberValue(c.text), c.value) << c.text;
}

TEST(GiveUpMarks, StoredValueRules) {
  const struct {
    const char* stored;
    const char* box;
  } cases[] = {{"NON", ""},    {"", ""},         {" J ", "J"}, {"未J", "未J"},
               {"non", "non"}, {"NONE", "NONE"}, {"   ", ""},  {" NON ", "NON"}};
  for (const auto& c : cases) EXPECT_EQ(GiveUpMarksFromSetting(c.stored), c.box) << c.stored;
  EXPECT_EQ(GiveUpMarksForSetting("  J B  "), "J B");
  EXPECT_EQ(GiveUpMarksForSetting("    "), "");
}

}  // namespace
}  // namespace sfxtal::app
